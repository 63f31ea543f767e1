#include "TTKVALS1.h"

#include "TGxBookProxy.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/WindowPlacement.h"
#include "translation/Translator.h"
#include "workbook/engine/Workbook.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QVBoxLayout>
#include <memory>
#include <utility>

vela::workbook::TTKVALS1* TKVALS1 = nullptr;

namespace vela::workbook {

TTKVALS1::TTKVALS1(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TKVALS1"));
    setWindowTitle(vela::TranslateText(QStringLiteral("System Constants")));
    TKVALSGx = new TGxBookProxy(this);
    TKVALSGx->setObjectName(QStringLiteral("TKVALSGx"));
    TKVALSGx->set_ShowTabs(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 6, 6);
    layout->addWidget(TKVALSGx);
    resize(460, 230);
    lock();

    connect(TKVALSGx, &TGxBookProxy::OnDblClick, this, &TTKVALS1::TKVALSGxDblClick);
    connect(TKVALSGx, &TGxBookProxy::OnRDblClick, this, &TTKVALS1::TKVALSGxRDblClick);
    connect(TKVALSGx, &TGxBookProxy::OnModified, this, &TTKVALS1::TKVALSGxModified);
}

TTKVALS1::~TTKVALS1()
{
    // The program ending with the window open hides it for good: keep its edits as a close does.
    if (isVisible())
        FormHide();
    if (TKVALS1 == this)
        TKVALS1 = nullptr;
}

QString TTKVALS1::workbookPath() const
{
    const QString dir = m_programDir.isEmpty() ? platform::programDirectory() : m_programDir;
    return platform::joinPath(dir, kWorkbookFileName);
}

void TTKVALS1::lock()
{
    const bool quiet = std::exchange(m_quiet, true);
    TKVALSGx->set_AllowDesigner(false);
    TKVALSGx->set_EnableProtection(true);
    TKVALSGx->set_AllowInCellEditing(false);
    m_quiet = quiet;
}

bool TTKVALS1::LoadSystemConstants(QString& path)
{
    TKVALSGx->set_FileName(path);
    TKVALSGx->set_Title(QFileInfo(path).fileName());
    if (path.isEmpty()) {
        TKVALSGx->OpenFileDlg(vela::TranslateText(QStringLiteral("Load System Constants")),
                              TKVALSGx->hWnd(), path);
        if (path.isEmpty())
            return false;
    }
    int fileType = 0;
    const bool quiet = std::exchange(m_quiet, true);
    TKVALSGx->Read(path, fileType);
    m_quiet = quiet;
    if (fileType == 0)
        return false;
    TKVALSGx->set_FileName(path);
    m_modified = false;
    m_loaded = true;
    m_quiet = true;
    TKVALSGx->set_AllowDesigner(false);
    TKVALSGx->set_MaxRow(3);
    TKVALSGx->set_MaxCol(2);
    // Two columns are all the window shows, so each is widened to show its texts whole.
    for (int col = 1; col <= 2; ++col) {
        const auto* sheet = TKVALSGx->book().sheet(TKVALSGx->Sheet() - 1);
        if (sheet && sheet->fitColumnWidth(col) > sheet->columnWidth(col))
            TKVALSGx->set_ColWidth(col, qRound((sheet->fitColumnWidth(col) + 1.5) * 256));
    }
    m_quiet = quiet;
    return true;
}

void TTKVALS1::ReadSystemConstants()
{
    m_translationFileName = TKVALSGx->book().sheet(0) ? TKVALSGx->book().sheet(0)->displayText(1, 1)
                                                      : QString();
    m_translationFileName.truncate(kMaxNameLength);
}

bool TTKVALS1::SetTranslationFileName(const QString& baseName)
{
    TKVALSGx->set_Sheet(1);
    TKVALSGx->set_EnableProtection(false);
    TKVALSGx->set_AllowInCellEditing(true);
    TKVALSGx->set_Selection(QStringLiteral("A1"));
    TKVALSGx->set_Text(baseName);
    return true;
}

bool TTKVALS1::SaveSystemConstants(QString& path)
{
    lock();
    TKVALSGx->SaveWindowInfo();
    TKVALSGx->set_Title(path);
    bool written = false;
    if (!path.isEmpty()) {
        written = TKVALSGx->Write(path, TGxBookProxy::kFileTypeVts);
    } else {
        int fileType = 0;
        TKVALSGx->SaveFileDlg(vela::TranslateText(QStringLiteral("Save System Constants")), path,
                              fileType);
        written = fileType != 0 && TKVALSGx->Write(path, fileType);
    }
    if (written)
        m_modified = false;
    return written;
}

void TTKVALS1::ShowSystemConstants(const QString& programDirectory, int mode)
{
    m_programDir = programDirectory;
    m_editable = mode <= 1;
    // Reading the file again would throw away edits not yet saved by a close.
    if (!(isVisible() && m_modified)) {
        QString path = workbookPath();
        LoadSystemConstants(path);
    }
    showNormal();
    TKVALSGx->setVisible(true);
    lock();
    raise();
    activateWindow();
    TKVALSGx->setFocus();
}

bool TTKVALS1::LoadAtStartup(const QString& programDirectory)
{
    m_programDir = programDirectory;
    QString path = workbookPath();
    if (!LoadSystemConstants(path))
        return false;
    ReadSystemConstants();
    return true;
}

void TTKVALS1::TKVALSGxDblClick(int, int)
{
    if (!m_editable)
        return;
    const int answer = vela::TranslatedMessageBox(QStringLiteral("Do you wish to edit table"),
                                                  QStringLiteral("System Constants"),
                                                  platform::MB_YESNO);
    if (answer != platform::IDYES)
        return;
    TKVALSGx->set_EnableProtection(false);
    TKVALSGx->set_AllowInCellEditing(true);
    m_modified = true;
}

void TTKVALS1::TKVALSGxRDblClick(int, int)
{
    if (!m_editable)
        return;
    TKVALSGx->set_AllowDesigner(true);
    TKVALSGx->set_EnableProtection(false);
    TKVALSGx->LaunchDesigner();
    TKVALSGx->set_AllowDesigner(false);
    m_modified = true;
}

void TTKVALS1::TKVALSGxModified()
{
    if (!m_quiet)
        m_modified = true;
}

void TTKVALS1::FormHide()
{
    ReadSystemConstants();
    if (!m_modified)
        return;
    QString path = workbookPath();
    SaveSystemConstants(path);
}

void TTKVALS1::closeEvent(QCloseEvent* event)
{
    // Closing only hides the window; the workbook stays loaded for the language window.
    event->ignore();
    showMinimized();
    hide();
    FormHide();
}

void TTKVALS1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        platform::centreOnScreen(this);
    }
}

bool LoadSystemConstantsAtStartup(QString* languageBaseName)
{
    if (!TKVALS1)
        return false;
    const bool ok = TKVALS1->LoadAtStartup(platform::programDirectory());
    if (ok && languageBaseName)
        *languageBaseName = TKVALS1->translationFileName();
    return ok;
}

bool SaveLanguageToConstants(const QString& baseName)
{
    std::unique_ptr<TTKVALS1> temporary;
    TTKVALS1* window = TKVALS1;
    if (!window) {
        temporary = std::make_unique<TTKVALS1>();
        window = temporary.get();
    }
    const QString path = platform::joinPath(platform::programDirectory(), TTKVALS1::kWorkbookFileName);
    // Keep the other constants: a workbook that was not read at start-up is read now.
    if (!window->loaded() && QFileInfo::exists(path)) {
        QString loadPath = path;
        window->LoadSystemConstants(loadPath);
    }
    window->SetTranslationFileName(baseName);
    QString savePath = path;
    const bool saved = window->SaveSystemConstants(savePath);
    if (saved)
        window->ReadSystemConstants();
    return saved;
}

} // namespace vela::workbook
