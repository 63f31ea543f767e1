#pragma once
// The translation table and its look-up. Every caption, hint, message and prompt of the
// program passes through here with its English text as the key.
#include <QByteArray>
#include <QObject>
#include <QString>

namespace vela::translation {

inline constexpr int kTableSize = 65535;
inline constexpr int kMaxTextLength = 177;
inline constexpr int kMaxTranslationLength = 255;

/// @brief The loaded translation file and the look-up rules; owned by the translation window
/// but usable without it.
class Translator : public QObject {
    Q_OBJECT
public:
    Translator();

    /// Loads program directory + "\SYS\" + name + ".txt"; an empty name asks the operator for a
    /// file. On return name holds the loaded file name (base + ".txt") or is empty on failure.
    bool LoadTranslationFile(QString& name);
    bool LookUpTranslation(const QString& text, QString* translation, int* position);
    [[nodiscard]] QString TranslateText(const QString& text);
    bool TranslateToBuffer(QString& buffer, const QString& text);
    int TranslatedMessageBox(const QString& text, const QString& caption, int flags);
    QString TranslatedInputBox(const QString& caption, const QString& prompt, const QString& def);

    void setProgramDirectory(const QString& dir) { m_programDir = dir; }
    [[nodiscard]] const QString& programDirectory() const { return m_programDir; }
    [[nodiscard]] bool isLoaded() const { return m_loaded; }
    [[nodiscard]] const QString& caption() const { return m_caption; }
    [[nodiscard]] const QByteArray& table() const { return m_table; }

    // The debug search panel's fields: every look-up writes them.
    [[nodiscard]] const QString& searchText() const { return m_searchText; }
    [[nodiscard]] const QString& foundText() const { return m_foundText; }
    [[nodiscard]] const QString& location() const { return m_location; }
    void setSearchText(const QString& t) { m_searchText = t; }
    /// The "Search" button: look up searchText(); "No Match Found!!" when missing.
    void search();

    void setLogMissing(bool on) { m_logMissing = on; }
    [[nodiscard]] bool logMissing() const { return m_logMissing; }
    /// The missing-text log: beside the program file when that folder is writable, else in
    /// the settings folder; named like the program with ".INI".
    [[nodiscard]] QString missingLogPath() const;
    void setMissingLogPath(const QString& path) { m_logPath = path; }

Q_SIGNALS:
    void captionChanged(const QString& caption);
    void debugFieldsChanged();

private:
    void setCaption(const QString& caption);
    void logMissing(const QString& text);

    QByteArray m_table;
    qsizetype m_dataLength = 0;  // bytes of the table that came from the file
    bool m_loaded = false;
    QString m_programDir;
    QString m_caption = QStringLiteral("Translation");
    QString m_searchText, m_foundText, m_location = QStringLiteral("0");
    bool m_logMissing = true;
    QString m_logPath;
};

/// @brief The program's one translator (created on first use).
[[nodiscard]] Translator& translator();

} // namespace vela::translation

namespace vela {
// The translation operations every module calls.
[[nodiscard]] QString TranslateText(const QString& text);
bool TranslateToBuffer(QString& buffer, const QString& text);
int TranslatedMessageBox(const QString& text, const QString& caption, int flags);
QString TranslatedInputBox(const QString& caption, const QString& prompt, const QString& def);
} // namespace vela
