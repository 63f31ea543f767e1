#include "SetupModel.h"

#include "link/CommandSet.h"

#include <algorithm>
#include <cmath>

namespace vela::sim {
namespace {

namespace cmd = link::cmd;
namespace key = link::key;

double correctionFactor(const InstrumentState& s)
{
    if (!(s.word(link::mem::kConfigWord) & link::config::kCorrection))
        return 1.0;
    const int address = s.currentAngle == 0 ? link::mem::kMirrorCorrection20 : link::mem::kMirrorCorrection2;
    return qint16(s.word(address)) * 0.001;
}

CommandReply lampGloss(InstrumentState& s, quint32)
{
    return {true, correctedGloss(s)};
}

/// Menu keys leave the measurement screen; the table's own handler does the rest.
CommandHandler keysOver(CommandHandler base)
{
    return [base](InstrumentState& s, quint32 value) {
        const int pressed = int(value) & ~s.keys;
        CommandReply reply = base ? base(s, value) : CommandReply{};
        if (pressed & (key::kUp | key::kDown))
            s.measureScreen = false;
        return reply;
    };
}

} // namespace

quint32 correctedGloss(const InstrumentState& s)
{
    const double gloss = s.channels[size_t(std::clamp(s.currentAngle, 0, 2))].tileGloss * correctionFactor(s);
    return quint32(std::lround(std::clamp(gloss * 10.0, 0.0, 65535.0)));
}

void addSetupCommands(CommandTable& table)
{
    const CommandHandler* keys = table.find(cmd::kKeyPress);
    table.add(cmd::kKeyPress, keysOver(keys ? *keys : CommandHandler{}));
    table.add(cmd::kLiveGloss, lampGloss);
}

} // namespace vela::sim
