#include "CommandTable.h"

#include "link/CommandSet.h"
#include "sim/SetupModel.h"
#include "sim/TextStream.h"

#include <algorithm>
#include <cmath>

namespace vela::sim {
namespace {

namespace cmd = link::cmd;
namespace mem = link::mem;

CommandReply ok(quint32 value = 0)
{
    return {true, value};
}

int headerOf(const InstrumentState& s, int slot)
{
    return s.memoryBase() + mem::kSlotHeaders[slot];
}

/// Slot of the "first angle" of target and limit commands: 20 degrees on multi-angle
/// instruments, the only (middle) slot on single-angle ones.
int firstAngleSlot(const InstrumentState& s)
{
    return slotsOf(s.model).front();
}

int secondAngleSlot(const InstrumentState&)
{
    return 1;
}

/// Slot chosen by "LE" 0 / 1 before "HL", "LL", "MD".
int limitSlot(const InstrumentState& s)
{
    return s.loadAddress == 1 ? secondAngleSlot(s) : firstAngleSlot(s);
}

void setHeaderFloat(InstrumentState& s, int slot, int offset, double value)
{
    s.setFloat(headerOf(s, slot) + offset, float(value));
}

int middleAngleCode(const InstrumentState& s)
{
    switch (s.model) {
    case Model::Single20: return link::angle::k20;
    case Model::Single45: return link::angle::k45;
    case Model::Single45_0:
    case Model::Opacity: return link::angle::k45_0;
    default: return link::angle::k60;
    }
}

int channelAngleCode(const InstrumentState& s)
{
    if (s.currentAngle == 0)
        return link::angle::k20;
    return s.currentAngle == 2 ? link::angle::k85 : middleAngleCode(s);
}

/// Gloss the instrument reads on the current channel (x10), through its gain range.
quint32 liveGloss(const InstrumentState& s)
{
    const double gloss = s.channels[size_t(s.currentAngle)].tileGloss;
    return quint32(std::lround(std::max(0.0, gloss) * 10.0)) & 0xFFFF;
}

/// Diode voltage in 0.1 mV for a channel: the signal diode follows the tile and its pot,
/// the reference diode its pot only; a negative voltage travels as 0xFFFF - |v|.
quint32 lampOutput(const InstrumentState& s, quint32 value)
{
    const int lamp = int(value & 0x07);
    const int slot = lamp & 1 ? 0 : (lamp & 2 ? 1 : 2);
    const AngleChannel& ch = s.channels[size_t(slot)];
    double tenthsMv = -12;  // dark offset with the lamp off
    if (lamp != 0) {
        tenthsMv = (value & 0x20) ? ch.referencePot * 150.0
                                  : ch.signalPot * (ch.tileGloss / 100.0) * 150.0;
        if (s.gainDiv10)
            tenthsMv /= 10.0;
    }
    const long v = std::lround(std::clamp(tenthsMv, -32767.0, 32767.0));
    return v >= 0 ? quint32(v) : quint32(0xFFFF - (-v));
}

/// A reading of the current channel stored as a sample (the Read key).
void takeReading(InstrumentState& s)
{
    std::vector<float> values = storedSamples(s, s.currentAngle);
    if (int(values.size()) < mem::kSlotMaxSamples)
        values.push_back(float(s.channels[size_t(s.currentAngle)].tileGloss));
    storeSamples(s, s.currentAngle, values);
}

void nextAngle(InstrumentState& s)
{
    const std::vector<int> fitted = slotsOf(s.model);
    auto it = std::find(fitted.begin(), fitted.end(), s.currentAngle);
    s.currentAngle = (it == fitted.end() || it + 1 == fitted.end()) ? fitted.front() : *(it + 1);
}

} // namespace

QByteArray replyLine(const QByteArray& mnemonic, quint32 value)
{
    return "!" + mnemonic + QByteArray::number(value, 16).rightJustified(4, '0') + "\r";
}

bool parseFrame(const QByteArray& line, Frame& frame)
{
    const qsizetype start = line.lastIndexOf('!');
    if (start < 0 || line.size() - start < 3)
        return false;
    frame.mnemonic = line.mid(start + 1, 2);
    bool ok = false;
    const QByteArray digits = line.mid(start + 3);
    frame.value = digits.isEmpty() ? 0 : digits.toUInt(&ok, 16);
    return digits.isEmpty() || ok;
}

CommandTable::CommandTable()
{
    addMemoryCommands();
    addSettingCommands();
    addLiveCommands();
    addSetupCommands(*this);
}

void CommandTable::add(const QByteArray& mnemonic, CommandHandler handler)
{
    m_handlers[mnemonic] = std::move(handler);
}

const CommandHandler* CommandTable::find(const QByteArray& mnemonic) const
{
    const auto it = m_handlers.find(mnemonic);
    return it == m_handlers.end() ? nullptr : &it->second;
}

QList<QByteArray> CommandTable::mnemonics() const
{
    QList<QByteArray> out;
    for (const auto& [name, handler] : m_handlers)
        out << name;
    return out;
}

void CommandTable::addMemoryCommands()
{
    add(cmd::kReadEeprom, [](InstrumentState& s, quint32 v) { return ok(s.word(int(v & 0xFFFF))); });
    add(cmd::kLoadAddress, [](InstrumentState& s, quint32 v) {
        s.loadAddress = int(v & 0xFFFF);
        return ok(v);
    });
    add(cmd::kWriteEeprom, [](InstrumentState& s, quint32 v) {
        s.setWord(s.loadAddress, quint16(v));
        s.lastWrite = v & 0xFFFF;
        return ok(s.lastWrite);
    });
    add(cmd::kUpdateChecksum, [](InstrumentState& s, quint32 v) {
        s.checksum = v;
        return ok();
    });
    add(cmd::kVersion, [](InstrumentState& s, quint32) { return ok(quint32(s.firmwareVersion)); });
    add(cmd::kLockBusy, [](InstrumentState& s, quint32 v) {
        return CommandReply{s.memoryBusy, v};
    });
    add(cmd::kCloseStats, [](InstrumentState& s, quint32) {
        for (int slot : slotsOf(s.model))
            storeSamples(s, slot, storedSamples(s, slot));
        return ok();
    });
    add(cmd::kDeleteAll, [](InstrumentState& s, quint32 v) {
        const int slot = int(v >= 16 ? v - 16 : v);
        if (slot >= 0 && slot < 3)
            storeSamples(s, slot, {});
        return ok();
    });
    add(cmd::kPrintResults, [](InstrumentState& s, quint32) {
        s.pendingOutput = printoutOf(s);  // the printout follows the reply
        return ok();
    });
    add(cmd::kOff, [](InstrumentState& s, quint32) {
        if (!s.stayOn)
            s.poweredOn = false;
        return ok();
    });
    add(cmd::kSoakTest, [](InstrumentState& s, quint32) {
        ++s.soakRuns;
        const quint32 count = s.word(mem::kSoakCount) | (quint32(s.word(mem::kSoakCount + 2)) << 16);
        s.setWord(mem::kSoakCount, quint16((count + 1) & 0xFFFF));
        s.setWord(mem::kSoakCount + 2, quint16((count + 1) >> 16));
        return ok();
    });
    add(cmd::kResetSettings, [](InstrumentState& s, quint32) {
        s.setWord(8, 0);
        s.setWord(10, 1);
        s.setWord(16, 60);
        s.setWord(18, 200);
        s.gainDiv10 = false;
        s.stayOn = false;
        return ok();
    });
}

void CommandTable::addSettingCommands()
{
    const auto headerSetter = [this](const char* m, int offset, double scale, bool bySlot) {
        add(m, [offset, scale, bySlot](InstrumentState& s, quint32 v) {
            const int slot = bySlot ? limitSlot(s) : firstAngleSlot(s);
            setHeaderFloat(s, slot, offset, qint16(v & 0xFFFF) / scale);
            return ok();
        });
    };
    headerSetter(cmd::kHighLimit, 44, 10.0, true);
    headerSetter(cmd::kLowLimit, 48, 10.0, true);
    headerSetter(cmd::kMaxDifference, 52, 10.0, true);
    const auto targetSetter = [this](const char* m, double scale, int which) {
        add(m, [scale, which](InstrumentState& s, quint32 v) {
            const int slot = which == 0 ? firstAngleSlot(s) : (which == 1 ? secondAngleSlot(s) : 2);
            setHeaderFloat(s, slot, 24, (v & 0xFFFF) / scale);
            return ok();
        });
    };
    targetSetter(cmd::kTarget1, 100.0, 0);
    targetSetter(cmd::kTarget1High, 10.0, 0);
    targetSetter(cmd::kTarget2, 100.0, 1);
    targetSetter(cmd::kTarget2High, 10.0, 1);
    targetSetter(cmd::kTarget85, 100.0, 2);
    targetSetter(cmd::kTarget85High, 10.0, 2);
    const auto wordSetter = [this](const char* m, int address, quint32 maxValue) {
        add(m, [address, maxValue](InstrumentState& s, quint32 v) {
            s.setWord(address, quint16(v > maxValue ? 0 : v));
            return ok();
        });
    };
    wordSetter(cmd::kOnTime, 16, 0xFFFF);
    wordSetter(cmd::kBulbSettling, 18, 0xFFFF);
    wordSetter(cmd::kLanguage, 8, 5);
    wordSetter(cmd::kCorrection20, mem::kMirrorCorrection20, 0xFFFF);
    wordSetter(cmd::kCorrection2, mem::kMirrorCorrection2, 0xFFFF);
    add(cmd::kAutoCal, [](InstrumentState& s, quint32 v) {
        s.setWord(10, v ? 1 : 0);
        return ok();
    });
    add(cmd::kMinSupply, [](InstrumentState& s, quint32 v) {
        s.setFloat(12, float((v & 0xFFFF) / 100.0));
        return ok();
    });
    add(cmd::kGlossChange, [](InstrumentState& s, quint32 v) {
        s.glossChange = int(v & 0xFFFF);
        return ok();
    });
    add(cmd::kStayOn, [](InstrumentState& s, quint32 v) {
        s.stayOn = v != 0;
        return ok(s.stayOn ? 1 : 0);
    });
    add(cmd::kGain, [](InstrumentState& s, quint32 v) {
        s.gainDiv10 = v != 0;
        return ok(s.gainDiv10 ? 1 : 0);
    });
    add(cmd::kNonStats, [](InstrumentState& s, quint32 v) {
        const quint16 options = s.word(6);
        s.setWord(6, v ? quint16(options | link::option::kNonStats)
                       : quint16(options & ~link::option::kNonStats));
        return ok(v ? 1 : 0);
    });
    add(cmd::kDivideRange, [](InstrumentState& s, quint32) { return ok(quint32(s.divideRange)); });
}

void CommandTable::addLiveCommands()
{
    add(cmd::kAngleSetup, [](InstrumentState& s, quint32 v) {
        s.angleSetup = int(v);
        return ok();
    });
    add(cmd::kPotLevel, [](InstrumentState& s, quint32 v) {
        AngleChannel& ch = s.channels[size_t(s.currentAngle)];
        const int level = std::clamp(int(v & 0x7F), 1, 127);
        (v & 0x100 ? ch.referencePot : ch.signalPot) = level;
        return ok(quint32(level));
    });
    add(cmd::kReadLevel, [](InstrumentState& s, quint32 v) {
        const AngleChannel& ch = s.channels[size_t(s.currentAngle)];
        return ok(quint32((v ? ch.referencePot : ch.signalPot) & 0x7F));
    });
    add(cmd::kLampOutput, [](InstrumentState& s, quint32 v) { return ok(lampOutput(s, v)); });
    add(cmd::kLiveGloss, [](InstrumentState& s, quint32) { return ok(liveGloss(s)); });
    add(cmd::kAngleCode, [](InstrumentState& s, quint32) { return ok(quint32(channelAngleCode(s))); });
    add(cmd::kStoredCount, [](InstrumentState& s, quint32) {
        return ok(quint32(storedSamples(s, s.currentAngle).size()));
    });
    add(cmd::kBattery, [](InstrumentState& s, quint32) { return ok(quint32(s.batteryCentivolts)); });
    add(cmd::kKeyPress, [](InstrumentState& s, quint32 v) {
        const int pressed = int(v) & ~s.keys;
        s.keys = int(v);
        if (pressed & link::key::kRead)
            takeReading(s);
        if (pressed & link::key::kAngle)
            nextAngle(s);
        return ok();
    });
    add(cmd::kMeasureScreen, [](InstrumentState& s, quint32 v) {
        if (v == 2)
            s.measureScreen = true;
        return ok(s.measureScreen ? 2 : 0);
    });
}

} // namespace vela::sim
