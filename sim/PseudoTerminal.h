#pragma once
// A pseudo-terminal pair in raw mode, offered to clients by its slave path and an optional
// symbolic link (such as /tmp/vela/COM1).
#include <QString>

namespace vela::sim {

/// @brief Owns the master side and a reference on the slave side (so the line survives a
/// client closing and reopening it).
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    /// Opens a new pair; points linkPath (if not empty) at the slave. Closes an open pair first.
    bool open(const QString& linkPath, QString* error = nullptr);
    /// Closes both sides: clients see the device go away. The link is removed.
    void close();
    [[nodiscard]] bool isOpen() const { return m_master >= 0; }
    [[nodiscard]] int masterFd() const { return m_master; }
    [[nodiscard]] QString slavePath() const { return m_slavePath; }
    [[nodiscard]] QString linkPath() const { return m_linkPath; }
    /// Baud rate the client set on the line; 0 when it is not a standard rate.
    [[nodiscard]] int lineBaud() const;

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_linkPath;
};

} // namespace vela::sim
