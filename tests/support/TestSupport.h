#pragma once
// Helpers shared by the test programs.
#include "platform/ScriptedDialogs.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

// Readable QString and QByteArray values in assertion messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    *os << '"' << b.toHex(' ').toStdString() << '"';
}

namespace vela::test {

/// @brief Installs scripted dialogs for one test and fails it when a prompt was not scripted.
/// Also points the settings folder at a fresh temporary folder.
class DialogsFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    [[nodiscard]] platform::ScriptedDialogs& dialogs() { return *m_dialogs; }
    [[nodiscard]] QString settingsDir() const { return m_settings.path(); }
    [[nodiscard]] QString tempPath(const QString& name) const { return m_work.filePath(name); }
    [[nodiscard]] QString workDir() const { return m_work.path(); }

private:
    platform::ScriptedDialogs* m_dialogs = nullptr;
    QTemporaryDir m_settings;
    QTemporaryDir m_work;
    QByteArray m_oldSettingsEnv;
};

/// Whole file as bytes; empty when missing.
[[nodiscard]] QByteArray readAll(const QString& path);
/// Writes bytes, creating folders; fails the test when it cannot.
void writeAll(const QString& path, const QByteArray& bytes);
/// Folder of the repository's sources (for sys/ data files and fixtures).
[[nodiscard]] QString sourceDir();

} // namespace vela::test
