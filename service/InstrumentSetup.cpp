// The configuration read and write, and the serial number upload.
#include "InstrumentSetup.h"

#include "link/CommandSet.h"
#include "link/FloatFormat.h"
#include "link/InstrumentLink.h"
#include "platform/Dialogs.h"
#include "platform/Wait.h"
#include "translation/Translator.h"

namespace vela::service {
namespace {

namespace cmd = link::cmd;
namespace mem = link::mem;

QString format(const char* picture, double value)
{
    return link::FormatFloat(QString::fromLatin1(picture), value);
}

QString versionText(quint32 v)
{
    return QStringLiteral("%1.%2").arg(v / 100).arg(v % 100, 2, 10, QLatin1Char('0'));
}

void setParts(SetupValues& v, const SerialParts& p)
{
    v.serialText = p.text;
    v.prefix = p.prefix;
    v.year = p.year;
    v.month = p.month;
    v.serialNo = p.serialNo;
    v.suffix = p.suffix;
}

} // namespace

void showSetupMessage(const SetupMessage& message)
{
    if (message.translated)
        platform::dialogs().messageBox(message.text, TranslateText(message.caption), platform::MB_OK);
    else
        TranslatedMessageBox(message.text, message.caption, platform::MB_OK);
}

BusyScope::BusyScope(InstrumentSetup& setup) : m_setup(setup), m_owned(!setup.m_busy)
{
    if (m_owned)
        m_setup.m_busy = true;
}

BusyScope::~BusyScope()
{
    if (m_owned)
        m_setup.m_busy = false;
}

InstrumentSetup::InstrumentSetup(link::InstrumentLink* link) : m_link(link) {}

link::InstrumentLink& InstrumentSetup::Link() const
{
    return m_link ? *m_link : link::instrumentLink();
}

bool InstrumentSetup::send(const char* mnemonic, qint32 value, quint32* reply)
{
    return Link().SendCommand(mnemonic, value, reply);
}

// ---- Read --------------------------------------------------------------------------------

bool InstrumentSetup::readConfiguration(SetupValues& v, Outcome& out)
{
    quint32 word = 0;
    if (!send(cmd::kReadEeprom, mem::kConfigWord, &word)) {
        out.fail(QStringLiteral("Vela-DuzirIriz set-up read failure."));
        return false;
    }
    decodeConfigWord(quint16(word), v);
    if (m_followBase)
        Link().SetMemoryBase(memoryBaseOf(quint16(word)));
    return true;
}

bool InstrumentSetup::readIdentity(SetupValues& v, Outcome& out)
{
    quint32 version = 0;
    if (!send(cmd::kVersion, 0, &version)) {
        out.fail(QStringLiteral("Vela-DuzirIriz Firmware Version read failure."));
        return false;
    }
    v.firmwareVersion = versionText(version);
    quint32 digits = 0, monthSuffix = 0, prefixYear = 0;
    if (!send(cmd::kReadEeprom, mem::kSerialDigits, &digits) ||
        !send(cmd::kReadEeprom, mem::kSerialMonthSuffix, &monthSuffix) ||
        !send(cmd::kReadEeprom, mem::kSerialPrefixYear, &prefixYear)) {
        out.fail(QStringLiteral("Vela-DuzirIriz Serial Number read failure."));
        return false;
    }
    setParts(v, serialParts({quint16(digits), quint16(monthSuffix), quint16(prefixYear)}));
    return true;
}

bool InstrumentSetup::readLevels(SetupValues& v, Outcome& out)
{
    quint32 word = 0;
    // A failed mirror-correction read ends the read without a message.
    if (!send(cmd::kReadEeprom, mem::kMirrorCorrection20, &word))
        return false;
    v.mirror20 = mirrorText(word);
    if (!send(cmd::kReadEeprom, mem::kMirrorCorrection2, &word))
        return false;
    v.mirror60 = mirrorText(word);
    if (!send(cmd::kReadLevel, 0, &word)) {
        out.fail(QStringLiteral("Vela-DuzirIriz Single Diode set point read failure."));
        return false;
    }
    v.signalPot = int(word & 0x7F);
    if (!send(cmd::kReadLevel, 1, &word)) {
        out.fail(QStringLiteral("Vela-DuzirIriz Ref Diode set point read failure."));
        return false;
    }
    v.refPot = int(word & 0x7F);
    if (!send(cmd::kDivideRange, 1, &word)) {
        out.fail(QStringLiteral("Vela-DuzirIriz divide by 10 range read failure."));
        return false;
    }
    v.divideBy10Range = format("0.00", word * 0.01);
    return true;
}

void InstrumentSetup::readHeaders(SetupValues& v)
{
    link::InstrumentLink& l = Link();
    l.ReadSlotHeader(3);
    QString* targets[] = {&v.target20, &v.target60, &v.target85};
    for (int slot = 0; slot < 3; ++slot) {
        const link::SlotData& data = l.Slot(slot);
        if (!data.countValid)
            continue;
        *targets[slot] = format("###0.0", data.header.targetGloss());
        if (slot == 2)
            continue;
        LimitTexts& limits = slot == 0 ? v.limits20 : v.limits60;
        const link::SlotView view = link::viewOf(data.header);
        limits = {view.highLimit, view.lowLimit, view.maxDifference};
    }
}

bool InstrumentSetup::readSystem(SetupValues& v, Outcome& out)
{
    link::InstrumentLink& l = Link();
    if (!l.ReadSystemData()) {
        out.fail(QStringLiteral("Vela-DuzirIriz Load System Data read failure."));
        return false;
    }
    const link::SystemData& s = l.System();
    const link::SystemDataView view = link::viewOf(s);
    v.autoCalibration = s.calibrationMode() == 1;
    v.minSupplyVoltage = view.minSupplyVoltage;
    v.onTime = std::clamp(s.onTime(), kOnTimeMin, kOnTimeMax);
    v.bulbSettlingTime = view.bulbSettlingTime;
    v.language = view.languageTag;
    return true;
}

Outcome InstrumentSetup::ReadSetup(SetupValues& v)
{
    Outcome out;
    m_readDone = false;
    BusyScope scope(*this);
    if (!scope.ran()) {
        out.ran = false;
        return out;
    }
    if (!readConfiguration(v, out) || !readIdentity(v, out) || !readLevels(v, out))
        return out;
    readHeaders(v);   // its success is not checked: the system data read decides
    if (!readSystem(v, out))
        return out;
    out.ok = true;
    m_readDone = true;
    return out;
}

// ---- Write -------------------------------------------------------------------------------

QString InstrumentSetup::ValidateSetup(const SetupValues& v)
{
    struct Check {
        const QString* text;
        FieldRule rule;
        const char* label;
    };
    const Check checks[] = {
        {&v.limits20.high, rule::kLimit, "First angle high limit"},
        {&v.limits20.low, rule::kLimit, "First angle low limit"},
        {&v.limits20.difference, rule::kLimit, "First angle difference"},
        {&v.limits60.high, rule::kLimit, "Second angle high limit"},
        {&v.limits60.low, rule::kLimit, "Second angle low limit"},
        {&v.limits60.difference, rule::kLimit, "Second angle difference"},
        {&v.minSupplyVoltage, rule::kMinSupply, nullptr},
        {&v.mirror20, rule::kMirror, "20 degree mirror correction"},
        {&v.mirror60, rule::kMirror, "Second angle mirror correction"},
        {&v.bulbSettlingTime, rule::kBulbTime, nullptr},
        {&v.maxGlossCalibChange, rule::kGlossChange, nullptr},
    };
    for (const Check& c : checks) {
        FieldRule r = c.rule;
        if (c.label)
            r.label = c.label;
        const EncodedValue e = encodeEdit(*c.text, r);
        if (!e.valid())
            return e.reason;
    }
    const QString* targets[] = {&v.target20, &v.target60, &v.target85};
    for (int i = 0; i < 3; ++i) {
        const TargetCommand t = encodeTarget(*targets[i], i);
        if (!t.encoded.valid())
            return t.encoded.reason;
    }
    if (v.onTime < kOnTimeMin || v.onTime > kOnTimeMax)
        return TranslateText(QStringLiteral("%1: %2 is out of range."))
            .arg(TranslateText(QStringLiteral("On Time")), QString::number(v.onTime));
    return {};
}

bool InstrumentSetup::writeConfigWord(const SetupValues& v)
{
    quint32 written = 0;
    return send(cmd::kLoadAddress, mem::kConfigWord) &&
           send(cmd::kWriteEeprom, buildConfigWord(v), &written) &&
           send(cmd::kUpdateChecksum, qint32(written));
}

bool InstrumentSetup::sendEdit(const char* mnemonic, const QString& text, const FieldRule& rule)
{
    const EncodedValue e = encodeEdit(text, rule);
    if (e.skip())
        return true;
    return e.valid() && send(mnemonic, qint32(e.value));
}

bool InstrumentSetup::writeValues(const SetupValues& v)
{
    const auto limits = [this](int angle, const LimitTexts& l) {
        return send(cmd::kLoadAddress, angle) && sendEdit(cmd::kHighLimit, l.high, rule::kLimit) &&
               sendEdit(cmd::kLowLimit, l.low, rule::kLimit) &&
               sendEdit(cmd::kMaxDifference, l.difference, rule::kLimit);
    };
    const auto target = [this](const QString& text, int angle) {
        const TargetCommand t = encodeTarget(text, angle);
        if (t.encoded.skip())
            return true;
        return t.encoded.valid() && send(t.mnemonic.constData(), qint32(t.encoded.value));
    };
    return limits(0, v.limits20) && limits(1, v.limits60) && send(cmd::kOnTime, v.onTime) &&
           sendEdit(cmd::kMinSupply, v.minSupplyVoltage, rule::kMinSupply) &&
           target(v.target20, 0) && target(v.target60, 1) && target(v.target85, 2) &&
           sendEdit(cmd::kCorrection20, v.mirror20, rule::kMirror) &&
           sendEdit(cmd::kCorrection2, v.mirror60, rule::kMirror) &&
           send(cmd::kAutoCal, v.autoCalibration ? 1 : 0) &&
           sendEdit(cmd::kBulbSettling, v.bulbSettlingTime, rule::kBulbTime) &&
           send(cmd::kLanguage, languageValue(v.language)) &&
           sendEdit(cmd::kGlossChange, v.maxGlossCalibChange, rule::kGlossChange);
}

Outcome InstrumentSetup::WriteSetup(const SetupValues& v)
{
    Outcome out;
    m_setupCompleted = false;
    BusyScope scope(*this);
    if (!scope.ran()) {
        out.ran = false;
        return out;
    }
    const QString refusal = ValidateSetup(v);
    if (!refusal.isEmpty()) {
        out.refuse(refusal, kGlossErrorCaption);
        out.fail(QStringLiteral("Vela-Gloss not set-up."), kGlossErrorCaption);
        return out;
    }
    // The values go out even when the configuration word did not, but such a write is not
    // reported as complete.
    const bool wordOk = writeConfigWord(v);
    const bool valuesOk = writeValues(v);
    if (!wordOk || !valuesOk) {
        out.fail(QStringLiteral("Vela-Gloss not set-up."), kGlossErrorCaption);
        return out;
    }
    out.ok = true;
    out.messages.append({QStringLiteral("Set-up completed."), QString::fromLatin1(kGlossCaption)});
    m_setupCompleted = true;
    return out;
}

// ---- Serial number -----------------------------------------------------------------------

bool InstrumentSetup::writeSerialWords(const SerialWords& w, Outcome& out)
{
    link::InstrumentLink& l = Link();
    bool ok = l.WriteMemoryWordQuiet(mem::kSerialDigits, w.digits);
    if (ok) {
        platform::pause(m_serialPauseMs);
        ok = l.WriteMemoryWordQuiet(mem::kSerialMonthSuffix, w.monthSuffix) &&
             l.WriteMemoryWordQuiet(mem::kSerialPrefixYear, w.prefixYear);
    }
    if (!ok)
        out.fail(QStringLiteral("Vela-DuzirIriz Eeprom write failure."));
    return ok;
}

Outcome InstrumentSetup::WriteSerialNumber(const QString& serialText, SetupValues& v)
{
    Outcome out;
    BusyScope scope(*this);
    if (!scope.ran()) {
        out.ran = false;
        return out;
    }
    SerialWords words;
    QString reason;
    if (!parseSerialText(serialText, words, &reason)) {
        out.fail(reason);
        out.fail(QStringLiteral("Vela-DuzirIriz Serial Number upload failure."));
        return out;
    }
    if (!writeSerialWords(words, out) || !send(cmd::kUpdateChecksum, words.prefixCode())) {
        out.fail(QStringLiteral("Vela-DuzirIriz Serial Number upload failure."));
        return out;
    }
    setParts(v, serialParts(words));
    out.ok = true;
    return out;
}

} // namespace vela::service
