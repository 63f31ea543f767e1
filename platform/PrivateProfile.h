#pragma once
// Private-profile (INI) files with the semantics of the classic Windows calls:
// sections and keys match without regard to case, the first match wins, missing items read as
// the caller's default, and a write keeps every other line exactly as it was.
#include <QString>
#include <QStringList>
#include <optional>

namespace vela::platform {

/// @brief One INI file, read when constructed; each write re-reads the file, changes one
/// line and replaces the file atomically (temporary file + rename).
class PrivateProfile {
public:
    /// A name without a folder lives in the per-user settings folder (see settingsDirectory()).
    explicit PrivateProfile(const QString& fileName);

    [[nodiscard]] const QString& path() const { return m_path; }
    /// @brief Folder for bare file names: $VELA_SETTINGS_DIR, else $XDG_CONFIG_HOME/VelaSoft,
    /// else ~/.config/VelaSoft.
    [[nodiscard]] static QString settingsDirectory();
    [[nodiscard]] static QString resolve(const QString& fileName);

    [[nodiscard]] std::optional<QString> value(const QString& section, const QString& key) const;
    [[nodiscard]] QString readString(const QString& section, const QString& key,
                                     const QString& def = {}) const;
    /// Optional minus and decimal digits; anything else gives the default.
    [[nodiscard]] int readInteger(const QString& section, const QString& key, int def) const;
    /// An integer; nonzero is true.
    [[nodiscard]] bool readBool(const QString& section, const QString& key, bool def) const;
    [[nodiscard]] double readReal(const QString& section, const QString& key, double def) const;
    [[nodiscard]] QStringList sections() const;
    [[nodiscard]] QStringList keys(const QString& section) const;

    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeInteger(const QString& section, const QString& key, int value);
    bool writeBool(const QString& section, const QString& key, bool value);
    bool writeReal(const QString& section, const QString& key, double value);
    /// Removes one key (all of its lines in the first matching section).
    bool removeKey(const QString& section, const QString& key);

    /// Re-reads the file from disk.
    void reload();

private:
    bool store(const QString& section, const QString& key, const std::optional<QString>& value);

    QString m_path;
    QStringList m_lines;
    bool m_ansi = false;       // file held bytes that are not UTF-8: keep it 8-bit
    QString m_eol = QStringLiteral("\n");
};

/// @brief The program's settings file, "Vela-DuzirIriz.ini".
[[nodiscard]] PrivateProfile settingsFile();
inline constexpr const char* kSettingsFileName = "Vela-DuzirIriz.ini";

} // namespace vela::platform
