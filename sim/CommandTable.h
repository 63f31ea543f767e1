#pragma once
// The instrument's command handling: one handler per mnemonic (case matters), looked up in a
// table, so new commands and other protocols can be added beside the existing ones.
#include "sim/InstrumentState.h"

#include <QByteArray>
#include <QList>
#include <functional>
#include <map>

namespace vela::sim {

/// @brief What a command handler answers: whether the instrument replies, and the value.
struct CommandReply {
    bool answer = true;
    quint32 value = 0;
};

using CommandHandler = std::function<CommandReply(InstrumentState&, quint32 value)>;

/// @brief Mnemonic -> handler. The default table plays every command of the instrument.
class CommandTable {
public:
    CommandTable();
    /// Adds or replaces a handler.
    void add(const QByteArray& mnemonic, CommandHandler handler);
    [[nodiscard]] const CommandHandler* find(const QByteArray& mnemonic) const;
    [[nodiscard]] QList<QByteArray> mnemonics() const;

private:
    void addMemoryCommands();
    void addSettingCommands();
    void addLiveCommands();
    std::map<QByteArray, CommandHandler> m_handlers;
};

/// The reply line of a command: "!" + mnemonic + value as 4 (or more) hex digits + CR.
[[nodiscard]] QByteArray replyLine(const QByteArray& mnemonic, quint32 value);

/// @brief A parsed command frame.
struct Frame {
    QByteArray mnemonic;
    quint32 value = 0;
};
/// Parses "!XYhhhh" (without the CR; bytes before the last "!" are ignored). False when the
/// line holds no frame.
bool parseFrame(const QByteArray& line, Frame& frame);

} // namespace vela::sim
