// Single service commands, the pot setters, the mirror corrections and the remote-key
// primitives that the calibration, keypad and tester drive.
#include "InstrumentSetup.h"

#include "link/CommandSet.h"
#include "link/FloatFormat.h"

#include <algorithm>

namespace vela::service {
namespace {

namespace cmd = link::cmd;
namespace key = link::key;

constexpr quint32 kGlossOverRange = 32000;

Outcome dropped()
{
    Outcome out;
    out.ran = false;
    return out;
}

} // namespace

QString InstrumentSetup::angleCodeText(quint32 code)
{
    switch (code) {
    case link::angle::k20: return QStringLiteral("20");
    case link::angle::k45: return QStringLiteral("45");
    case link::angle::k45_0: return QStringLiteral("45/0");
    case link::angle::k60: return QStringLiteral("60");
    case link::angle::k85: return QStringLiteral("85");
    case link::angle::kAll: return QStringLiteral("ALL");
    default: return QStringLiteral("XX");
    }
}

Outcome InstrumentSetup::SendServiceCommand(const char* mnemonic, qint32 value, const QString& failure)
{
    BusyScope scope(*this);
    if (!scope.ran())
        return dropped();
    Outcome out;
    out.ok = send(mnemonic, value, &out.reply);
    if (!out.ok)
        out.fail(failure);
    return out;
}

Outcome InstrumentSetup::SetPot(bool reference, int level)
{
    BusyScope scope(*this);
    if (!scope.ran())
        return dropped();
    const int position = std::clamp(level, kPotMin, kPotMax);
    Outcome out;
    out.ok = send(cmd::kPotLevel, reference ? 256 + position : position, &out.reply);
    if (out.ok)
        out.reply &= 0x7F;
    else
        out.fail(reference ? QStringLiteral("Vela-DuzirIriz Ref Diode Pot Level command failure.")
                           : QStringLiteral("Vela-DuzirIriz Signal Diode Pot Level command failure."));
    return out;
}

Outcome InstrumentSetup::WriteMirrorCorrections(const SetupValues& v)
{
    Outcome out;
    const EncodedValue c0 = encodeEdit(v.mirror20, rule::kMirror);
    const EncodedValue c1 = encodeEdit(v.mirror60, rule::kMirror);
    if (!c0.valid() || !c1.valid()) {
        out.refuse(!c0.valid() ? c0.reason : c1.reason);
        return out;
    }
    out.ok = (c0.skip() || send(cmd::kCorrection20, qint32(c0.value))) &&
             (c1.skip() || send(cmd::kCorrection2, qint32(c1.value)));
    return out;
}

Outcome InstrumentSetup::refreshUnguarded(LiveReading& reading)
{
    Outcome out;
    quint32 gloss = 0, angle = 0, count = 0;
    out.ok = send(cmd::kLiveGloss, 0, &gloss);
    if (out.ok) {
        if (gloss > kGlossOverRange)
            gloss = 0;
        reading.gloss = link::FormatFloat(QStringLiteral("  0.0"), gloss * 0.1);
        out.ok = send(cmd::kAngleCode, 0, &angle);
    }
    if (out.ok) {
        reading.angle = angleCodeText(angle);
        out.ok = send(cmd::kStoredCount, 0, &count);
    }
    if (out.ok)
        reading.samples = QString::number(count);
    else
        out.fail(QStringLiteral("Vela-DuzirIriz Updating Gloss Reading command failure."));
    return out;
}

Outcome InstrumentSetup::RefreshReading(LiveReading& reading)
{
    BusyScope scope(*this);
    if (!scope.ran())
        return dropped();
    return refreshUnguarded(reading);
}

Outcome InstrumentSetup::TakeReading(bool releaseKey, LiveReading& reading)
{
    Outcome out;
    bool measuring = false;
    {
        BusyScope scope(*this);
        if (!scope.ran())
            return dropped();
        quint32 screen = 0;
        measuring = send(cmd::kMeasureScreen, 2, &screen) && screen == 2;
        if (measuring)
            reading.clearGloss = true;
        const bool down = send(cmd::kKeyPress, key::kRead);
        if (!down)
            out.fail(QStringLiteral("Vela-DuzirIriz Read Down command failure."));
        if (down && releaseKey) {
            out.ok = send(cmd::kKeyPress, key::kReleased);
            if (!out.ok)
                out.fail(QStringLiteral("Vela-DuzirIriz Any Key Up command failure."));
        } else {
            // The key stays down (or is pressed once more after a failed press).
            out.ok = send(cmd::kKeyPress, key::kRead);
        }
    }
    if (out.ok && measuring) {
        const Outcome refresh = RefreshReading(reading);
        out.messages += refresh.messages;
    }
    return out;
}

Outcome InstrumentSetup::PressAngleKey(LiveReading& reading)
{
    Outcome out;
    {
        BusyScope scope(*this);
        if (!scope.ran())
            return dropped();
        out.ok = send(cmd::kKeyPress, key::kAngle);
        if (!out.ok) {
            out.fail(QStringLiteral("Vela-DuzirIriz AngleKey Down command failure."));
        } else if (!(out.ok = send(cmd::kKeyPress, key::kReleased))) {
            out.fail(QStringLiteral("Vela-DuzirIriz Any Key Up command failure."));
        }
    }
    if (out.ok && send(cmd::kMeasureScreen, 0)) {
        const Outcome refresh = RefreshReading(reading);
        out.messages += refresh.messages;
    }
    return out;
}

} // namespace vela::service
