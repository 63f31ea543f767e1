#pragma once
// Faults the virtual instrument can show on the line, chosen per command.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace vela::sim {

/// @brief Kinds of line fault.
enum class FaultKind {
    NoReply,     ///< the command is swallowed
    LateReply,   ///< the reply starts delayMs late
    Noise,       ///< text (default "x?") is sent before the reply
    WrongEcho,   ///< the echoed mnemonic is changed
    CutReply,    ///< only the first `bytes` bytes of the reply (default: all but the CR)
    DoubleReply, ///< a second reply (text, or the same line) follows in the same write
    Replace,     ///< text is sent instead of the reply, as is
    Endless,     ///< "!" + echo followed by `bytes` digits and no CR
    SplitReply,  ///< each byte of the reply is sent delayMs after the previous one
    MemoryBusy,  ///< "LB" is answered: the memory must not be read now
    Unplug,      ///< the line disappears when the command arrives; back after delayMs (0: stays)
};

[[nodiscard]] QString faultName(FaultKind kind);  ///< "no-reply", "late-reply", ...
[[nodiscard]] bool faultFromName(const QString& name, FaultKind& kind);

/// @brief One fault rule: which commands it hits and how often.
struct FaultRule {
    FaultKind kind = FaultKind::NoReply;
    QByteArray mnemonic;   ///< empty or "*": every command
    int skip = 0;          ///< matching commands to let pass first
    int count = -1;        ///< times to apply; -1 = for ever
    int delayMs = 0;
    QByteArray text;
    int bytes = -1;
};

/// @brief The active rules; the first rule that matches a command applies.
class FaultSet {
public:
    void add(const FaultRule& rule) { m_rules.push_back(rule); }
    void clear() { m_rules.clear(); }
    [[nodiscard]] bool empty() const { return m_rules.empty(); }
    /// The rule that applies to this command, consuming one use of it.
    std::optional<FaultRule> take(const QByteArray& mnemonic);

private:
    std::vector<FaultRule> m_rules;
};

/// Parses "KIND [MNEMONIC|*] [count=N] [skip=N] [delay=MS] [bytes=N] [text=...]" (text runs
/// to the end of the line; "\r", "\n", "\\" and "\xHH" escapes are understood).
bool parseFaultRule(const QString& line, FaultRule& rule, QString* error = nullptr);
/// Decodes the escapes of a text field.
[[nodiscard]] QByteArray unescapeText(const QString& text);

} // namespace vela::sim
