#include "Translator.h"

#include "platform/Ansi.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/PrivateProfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace vela::translation {
namespace {

constexpr qint64 kRawReadLimit = 2 * kTableSize;  // enough for CR LF pairs to fold

// Reads a file as text mode does: CR LF pairs become LF; at most kTableSize bytes are kept.
std::optional<QByteArray> readTextMode(const QString& path)
{
    QFile f(path);
    if (QFileInfo(path).isDir() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray raw = f.read(kRawReadLimit);
    raw.replace("\r\n", "\n");
    raw.truncate(kTableSize);
    return raw;
}

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

} // namespace

Translator::Translator() : m_table(kTableSize, '\0'), m_programDir(platform::programDirectory()) {}

void Translator::setCaption(const QString& caption)
{
    m_caption = caption;
    Q_EMIT captionChanged(caption);
}

bool Translator::LoadTranslationFile(QString& name)
{
    QString path;
    const QString sysDir = platform::joinPath(m_programDir, QStringLiteral("\\SYS"));
    if (!name.isEmpty()) {
        path = platform::joinPath(m_programDir, QStringLiteral("\\SYS\\") + name + ".txt");
    } else {
        platform::FileDialogRequest req;
        req.caption = TranslateText(QStringLiteral("Open"));
        req.directory = sysDir;
        req.fileName = QStringLiteral("*.txt");
        req.filters = {QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*)")};
        path = platform::openFile(req);
    }
    if (!path.isEmpty()) {
        QFileInfo info(path);
        // Any other extension (".TXT" included) is read as ".txt" beside it.
        if (info.suffix() != QStringLiteral("txt"))
            path = info.path() + u'/' + info.completeBaseName() + QStringLiteral(".txt");
        path = platform::resolveCase(path);
        if (const auto data = readTextMode(path)) {
            m_table.fill('\0');
            std::memcpy(m_table.data(), data->constData(), size_t(data->size()));
            m_dataLength = data->size();
            name = QFileInfo(path).completeBaseName() + QStringLiteral(".txt");
            setCaption(QStringLiteral("Translation File: %1").arg(name));
            m_loaded = true;
            return true;
        }
        name.clear();
        setCaption(QStringLiteral("Translation File: "));
    }
    TranslatedMessageBox(
        QStringLiteral("Error opening translation template, please check for file and try again."),
        QStringLiteral("Translation File Error"), platform::MB_OK);
    return false;
}

bool Translator::LookUpTranslation(const QString& text, QString* translation, int* position)
{
    m_searchText = text;
    m_foundText.clear();
    if (position)
        *position = 0;
    const QByteArray key = '[' + platform::toAnsi(text) + ']';
    const char* table = m_table.constData();
    const qsizetype end = kTableSize;
    const qsizetype at = m_table.indexOf(key);
    bool found = false;
    if (at >= 0 && !text.isNull()) {
        qsizetype eol = at + key.size();
        while (eol < end && eol <= at + 256 && !isLineEnd(table[eol]) && eol < m_dataLength)
            ++eol;
        // The translation line has to exist: a key line that ends the file has none.
        const bool keyLineEnds = eol < end && eol <= at + 256 && eol + 1 < m_dataLength;
        if (keyLineEnds) {
            const qsizetype start = eol + 1;
            qsizetype tEnd = start;
            // The file's end also ends its last line.
            while (tEnd < end && tEnd < start + 256 && tEnd < m_dataLength && !isLineEnd(table[tEnd]))
                ++tEnd;
            if (tEnd < start + 256 && (tEnd >= m_dataLength || isLineEnd(table[tEnd]))) {
                m_foundText = platform::fromAnsi(table + start, tEnd - start);
                m_location = QString::number(start);
                if (translation)
                    *translation = m_foundText;
                if (position)
                    *position = int(start);
                found = true;
            }
        }
    }
    Q_EMIT debugFieldsChanged();
    if (!found && m_logMissing && !text.isEmpty())
        logMissing(text);
    return found;
}

void Translator::search()
{
    if (!LookUpTranslation(m_searchText, nullptr, nullptr)) {
        m_foundText = QStringLiteral("No Match Found!!");
        m_location.clear();
        Q_EMIT debugFieldsChanged();
    }
}

QString Translator::missingLogPath() const
{
    if (!m_logPath.isEmpty())
        return m_logPath;
    const QString base = QCoreApplication::instance()
                             ? QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()
                             : QStringLiteral("VelaSoft");
    const QString dir = platform::executableDirectory();
    if (QFileInfo(dir).isWritable())
        return dir + u'/' + base + QStringLiteral(".INI");
    return platform::PrivateProfile::settingsDirectory() + u'/' + base + QStringLiteral(".INI");
}

void Translator::logMissing(const QString& text)
{
    platform::PrivateProfile log(missingLogPath());
    if (!log.value(m_caption, text))
        log.writeString(m_caption, text, QStringLiteral("0"));
}

QString Translator::TranslateText(const QString& text)
{
    if (!m_loaded)
        return text;
    QString out;
    return LookUpTranslation(text, &out, nullptr) ? out : text;
}

bool Translator::TranslateToBuffer(QString& buffer, const QString& text)
{
    QString out;
    const bool found = LookUpTranslation(text, &out, nullptr);
    buffer = found ? out : text;
    return found;
}

int Translator::TranslatedMessageBox(const QString& text, const QString& caption, int flags)
{
    QString t, c;
    TranslateToBuffer(t, text);
    TranslateToBuffer(c, caption);
    return platform::dialogs().messageBox(t, c, flags);
}

QString Translator::TranslatedInputBox(const QString& caption, const QString& prompt,
                                       const QString& def)
{
    QString c, p;
    TranslateToBuffer(c, caption);
    TranslateToBuffer(p, prompt);
    bool accepted = false;
    const QString entered = platform::dialogs().inputBox(c, p, def, &accepted);
    return accepted ? entered : def;
}

Translator& translator()
{
    static Translator instance;
    return instance;
}

} // namespace vela::translation

namespace vela {
QString TranslateText(const QString& text)
{
    return translation::translator().TranslateText(text);
}
bool TranslateToBuffer(QString& buffer, const QString& text)
{
    return translation::translator().TranslateToBuffer(buffer, text);
}
int TranslatedMessageBox(const QString& text, const QString& caption, int flags)
{
    return translation::translator().TranslatedMessageBox(text, caption, flags);
}
QString TranslatedInputBox(const QString& caption, const QString& prompt, const QString& def)
{
    return translation::translator().TranslatedInputBox(caption, prompt, def);
}
} // namespace vela
