#include "results/TfrmResultsIO.h"

#include "platform/Dialogs.h"
#include "results/ResultsFileReader.h"
#include "results/ResultsFileWriter.h"
#include "results/ResultsNumbering.h"
#include "results/ResultsPaths.h"
#include "translation/Translator.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

namespace vela::results {

TfrmResultsIO* frmResultsIO = nullptr;

namespace {

const QString kErrorCaption = QStringLiteral("Results I/O Error");
const QString kOpenError = QStringLiteral(
    "Error opening results file, please enter correct file name and try again.");
const QString kSaveError = QStringLiteral(
    "Error saving results file, please enter correct file name and try again.");
const QString kUnknownLegacy = QStringLiteral(
    "Unknown legacy results file: its angle code is not known, the file cannot be converted.");

void showError(const QString& text)
{
    vela::TranslatedMessageBox(text, kErrorCaption, platform::MB_OK);
}

QString failureText(int command)
{
    switch (command) {
    case ResultsCommand::Load:
    case ResultsCommand::LoadOpacity:
        return QStringLiteral("Failed to load results");
    case ResultsCommand::NextName:
    case ResultsCommand::NextOpacityName:
        return QStringLiteral("Failed to create next filename");
    default:
        return QStringLiteral("Failed to save results");
    }
}

} // namespace

TfrmResultsIO::TfrmResultsIO(QObject* parent, const QDateTime& startTime)
    : QObject(parent), m_gloss(defaultResultsImage(startTime)),
      m_opacity(defaultOpacityImage(startTime))
{
    setObjectName(QStringLiteral("frmResultsIO"));
    if (!frmResultsIO)
        frmResultsIO = this;
}

TfrmResultsIO::~TfrmResultsIO()
{
    if (frmResultsIO == this)
        frmResultsIO = nullptr;
}

void TfrmResultsIO::setCaption(const QString& caption)
{
    m_caption = caption;
    Q_EMIT captionChanged(caption);
}

void TfrmResultsIO::recordPath(const QString& path, const QString& captionName)
{
    m_path = path;
    setCaption(QStringLiteral("Results I/O: [%1]").arg(captionName));
}

bool TfrmResultsIO::readFailed(const QString& message)
{
    m_path.clear();
    setCaption(QStringLiteral("Results I/0: []"));
    showError(message);
    return false;
}

bool TfrmResultsIO::writeFailed()
{
    m_path.clear();
    setCaption(QStringLiteral("Results disk interface: []"));
    showError(kSaveError);
    return false;
}

bool TfrmResultsIO::chooseOpenPath(QString& path)
{
    platform::FileDialogRequest request;
    request.caption = vela::TranslateText(QStringLiteral("Open Results Files"));
    request.directory = dialogFolder(m_folder);
    request.fileName = QStringLiteral("*.res");
    request.filters = {QStringLiteral("Test results files (*.res)")};
    request.multiSelect = true;
    request.promptOverwrite = false;
    m_selected = platform::dialogs().openFiles(request);
    if (m_selected.isEmpty())
        return false;
    path = m_selected.first();
    return true;
}

bool TfrmResultsIO::ReadResultsFile(QString& path)
{
    if (fileNamePart(path).isEmpty() && !chooseOpenPath(path))
        return false;
    path = withResExtension(path);
    const ReadOutcome outcome = readResultsFile(path, m_gloss, m_opacity);
    if (!outcome.ok())
        return readFailed(outcome.status == ReadStatus::UnknownLegacyCode ? kUnknownLegacy
                                                                          : kOpenError);
    path = outcome.path;
    recordPath(path, resBaseName(path) + QStringLiteral(".res"));
    return true;
}

bool TfrmResultsIO::ReadOpacityFile(QString& path)
{
    if (fileNamePart(path).isEmpty() && !chooseOpenPath(path))
        return false;
    path = withResExtension(path);
    if (!readOpacityFile(path, m_opacity).ok())
        return readFailed(kOpenError);
    recordPath(path, resBaseName(path) + QStringLiteral(".res"));
    return true;
}

bool TfrmResultsIO::writeImage(QString& path, bool opacity)
{
    if (path.isEmpty())
        return writeFailed();
    path = withResExtension(path);
    const bool counts = opacity ? hasValidCounts(m_opacity.record) : hasValidCounts(m_gloss.record);
    if (!counts)
        return writeFailed();
    ResultsTrailer& trailer = opacity ? m_opacity.trailer : m_gloss.trailer;
    trailer.setBase(resBaseName(path));
    trailer.setWritten(dateTimeText(QDateTime::currentDateTime()));
    const QByteArray bytes = opacity ? imageBytes(m_opacity) : imageBytes(m_gloss);
    if (!writeFileAtomically(path, bytes))
        return writeFailed();
    recordPath(path, resBaseName(path) + QStringLiteral(".res"));
    return true;
}

bool TfrmResultsIO::WriteResultsFile(QString& path)
{
    return writeImage(path, false);
}

bool TfrmResultsIO::WriteOpacityFile(QString& path)
{
    return writeImage(path, true);
}

bool TfrmResultsIO::chooseName(QString& path, bool opacity)
{
    if (path.isEmpty()) {
        // The angle's folder is where its uploads belong; an installation starts without it,
        // so it is made here (one level, as the numbering does) and the dialog opens in it.
        if (!QFileInfo(m_folder).isDir())
            QDir().mkdir(m_folder);
        platform::FileDialogRequest request;
        request.caption = opacity
            ? vela::TranslateText(QStringLiteral("Save Results Opacity Batch %d"))
                  .replace(QStringLiteral("%d"), QString::number(m_opacity.record.batchNumber))
            : vela::TranslateText(QStringLiteral("Save Results"));
        request.directory = dialogFolder(m_folder);
        request.fileName = QStringLiteral("*.res");
        request.filters = {QStringLiteral("Test Results files (*.res)")};
        request.defaultSuffix = QStringLiteral("res");  // a name typed without it still loads later
        request.promptOverwrite = true;
        const QString chosen = platform::dialogs().saveFile(request);
        if (chosen.isEmpty())
            return false;
        path = m_path = chosen;
        return true;
    }
    const QString stem = resBaseName(path);
    if (!QFileInfo(m_folder).isDir() && !QDir().mkdir(m_folder))
        return false;
    QString numbered;
    m_lastNumbering = AutoNumberResultsFile(m_folder, stem, &numbered);
    if (m_lastNumbering < 1)
        return false;
    path = m_path = numbered;
    return true;
}

bool TfrmResultsIO::saveNew(QString& path, bool opacity)
{
    if (opacity) {
        m_opacity.kind = kOpacityKind;
        m_opacity.trailer = ResultsTrailer{};
    } else {
        m_gloss.kind = kGlossKind;
        m_gloss.trailer = ResultsTrailer{};
    }
    if (!chooseName(path, opacity)) {
        path.clear();  // no name, nothing written: the caller goes on as after a save
        return true;
    }
    return writeImage(path, opacity);
}

bool TfrmResultsIO::runCommand(QString& path, int command)
{
    switch (command) {
    case ResultsCommand::Load:
        return ReadResultsFile(path);
    case ResultsCommand::SaveNew:
        return saveNew(path, false);
    case ResultsCommand::NextName:
        return chooseName(path, false);
    case ResultsCommand::Save:
        m_gloss.kind = kGlossKind;
        return WriteResultsFile(path);
    case ResultsCommand::LoadOpacity:
        return ReadOpacityFile(path);
    case ResultsCommand::SaveOpacityNew:
        return saveNew(path, true);
    case ResultsCommand::NextOpacityName:
        return chooseName(path, true);
    case ResultsCommand::SaveOpacity:
        m_opacity.kind = kOpacityKind;
        return WriteOpacityFile(path);
    default:
        return false;
    }
}

bool TfrmResultsIO::ResultsIOCommand(const QString& root, QString& path, const ResultsRecord& gloss,
                                     const OpacityRecord& opacity, const QString& subfolder,
                                     int command)
{
    m_gloss.record = gloss;
    m_opacity.record = opacity;
    m_path = path;
    m_folder = resultsFolder(root, subfolder);
    QString working = path;
    if (!runCommand(working, command)) {
        if (command >= ResultsCommand::Load && command <= ResultsCommand::SaveOpacity)
            showError(failureText(command));
        return false;
    }
    path = working;
    return true;
}

bool TfrmResultsIO::LoadSelectedResults(int n, QString& path)
{
    if (n < 1 || n > m_selected.size())
        return false;
    path = m_selected[n - 1];
    return ReadResultsFile(path);
}

TfrmResultsIO& ensureResultsIO()
{
    static std::unique_ptr<TfrmResultsIO> owned;
    if (!frmResultsIO)
        owned = std::make_unique<TfrmResultsIO>();
    return *frmResultsIO;
}

} // namespace vela::results
