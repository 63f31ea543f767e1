// The set-up window's service commands, pots and remote-key primitives.
#include "TVelaLiteSetup.h"
#include "platform/WaitCursor.h"

#include "link/CommandSet.h"
#include "link/FloatFormat.h"
#include "translation/Translator.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

namespace vela::service {
namespace {

namespace cmd = link::cmd;

QString txt(const char* text)
{
    return vela::TranslateText(QString::fromLatin1(text));
}


} // namespace

void TVelaLiteSetup::SoakTestClick()
{
    showMessages(m_setup.SendServiceCommand(cmd::kSoakTest, 0,
                     QStringLiteral("Vela-DuzirIriz soak test command failure.")), false);
}

void TVelaLiteSetup::ResetAllClick()
{
    showMessages(m_setup.SendServiceCommand(cmd::kResetSettings, 0,
                     QStringLiteral("Vela-DuzirIriz Reset All command failure.")), false);
}

void TVelaLiteSetup::AngleSetupClick()
{
    showMessages(m_setup.SendServiceCommand(cmd::kAngleSetup, 1,
                     QStringLiteral("Vela-DuzirIriz Angle set-up command failure.")), false);
}

void TVelaLiteSetup::SwitchOffClick()
{
    const Outcome out = m_setup.SendServiceCommand(cmd::kOff, 0,
        QStringLiteral("Vela-DuzirIriz Switch Off command failure."));
    if (!out.ran)
        return;
    if (out.ok || !m_comsErrors)
        lbAlwaysOn->setVisible(false);
    showMessages(out, false);
}

void TVelaLiteSetup::ToggleAlwaysOnClick()
{
    const bool turnOn = lbAlwaysOn->isHidden() || lbAlwaysOn->text() == txt("Auto Off");
    const Outcome out = m_setup.SendServiceCommand(cmd::kStayOn, turnOn ? 1 : 0,
        turnOn ? QStringLiteral("Vela-DuzirIriz Never Switch Off command failure.")
               : QStringLiteral("Vela-DuzirIriz Never Switch Off Disable command failure."));
    if (!out.ran)
        return;
    if (out.ok) {
        lbAlwaysOn->setText(out.reply ? txt("Always ON") : txt("Auto Off"));
        lbAlwaysOn->setVisible(true);
    } else {
        lbAlwaysOn->setVisible(false);
    }
    showMessages(out, false);
}

int TVelaLiteSetup::gainTag() const
{
    return lbGainRange->property("tag").toInt();
}

int TVelaLiteSetup::statsTag() const
{
    return lbStatsMode->property("tag").toInt();
}

void TVelaLiteSetup::GainChangeClick()
{
    const Outcome out = m_setup.SendServiceCommand(cmd::kGain, gainTag() == 0 ? 1 : 0,
        QStringLiteral("Vela-DuzirIriz Gain range command failure."));
    if (out.ran && out.ok) {
        lbGainRange->setText(out.reply ? txt("Div by 10") : txt("Unity Gain"));
        lbGainRange->setVisible(true);
        lbGainRange->setProperty("tag", int(out.reply));
    }
    showMessages(out, false);
}

bool TVelaLiteSetup::SetStatsMode(bool on)
{
    const Outcome out = m_setup.SendServiceCommand(cmd::kNonStats, on ? 1 : 0,
        QStringLiteral("Vela-DuzirIriz Non stats change command failure."));
    if (out.ran && out.ok) {
        lbStatsMode->setText(out.reply ? txt("Non Stats Mode") : txt("Stats Mode"));
        lbStatsMode->setVisible(true);
        lbStatsMode->setProperty("tag", int(out.reply));
    }
    showMessages(out, false);
    return out.ran && out.ok;
}

void TVelaLiteSetup::NoneStatsModeClick()
{
    SetStatsMode(statsTag() == 0);
}

void TVelaLiteSetup::SetCorrectionClick()
{
    const Outcome out = m_setup.WriteMirrorCorrections(values());
    // Only a value that cannot be sent is reported: the command failures stay silent.
    if (!out.messages.isEmpty())
        showMessages(out, true);
}

void TVelaLiteSetup::EnableComsErrorsClick()
{
    m_comsErrors = EnableComsErrors->isChecked();
}

void TVelaLiteSetup::tbInstrumentOnTimeChange()
{
    tbInstrumentOnTime->setToolTip(
        link::FormatFloat(QStringLiteral("####"), tbInstrumentOnTime->value()) + txt(" seconds"));
}

// ---- Pots -----------------------------------------------------------------------------------

void TVelaLiteSetup::setPotControls(bool reference, int level)
{
    QSlider* bar = reference ? TBRefDiode : TBSignalDiode;
    QLineEdit* edit = reference ? RefPot : SignalPot;
    const QSignalBlocker block(bar);
    bar->setValue(level);
    edit->setText(QString::number(bar->value()));
}

void TVelaLiteSetup::SetRefPot(int level)
{
    if (busy())
        return;
    setPotControls(true, level);
    const Outcome out = m_setup.SetPot(true, TBRefDiode->value());
    if (out.ok)
        RefPot->setText(QString::number(out.reply));
    showMessages(out, false);
}

void TVelaLiteSetup::SetSignalPot(int level)
{
    if (busy())
        return;
    setPotControls(false, level);
    const Outcome out = m_setup.SetPot(false, TBSignalDiode->value());
    if (out.ok)
        SignalPot->setText(QString::number(out.reply));
    showMessages(out, false);
}

void TVelaLiteSetup::TBRefDiodeKeyUp()
{
    SetRefPot(TBRefDiode->value());
}

void TVelaLiteSetup::TBSignalDiodeKeyUp()
{
    SetSignalPot(TBSignalDiode->value());
}

void TVelaLiteSetup::TBRefDiodeChange()
{
    RefPot->setText(QString::number(TBRefDiode->value()));
}

void TVelaLiteSetup::TBSignalDiodeChange()
{
    SignalPot->setText(QString::number(TBSignalDiode->value()));
}

void TVelaLiteSetup::RefPotExit()
{
    bool ok = false;
    const int level = RefPot->text().trimmed().toInt(&ok);
    setPotControls(true, ok ? level : TBRefDiode->value());
}

void TVelaLiteSetup::SignalPotExit()
{
    bool ok = false;
    const int level = SignalPot->text().trimmed().toInt(&ok);
    setPotControls(false, ok ? level : TBSignalDiode->value());
}

// ---- Remote reading ---------------------------------------------------------------------------

void TVelaLiteSetup::showReading(const LiveReading& r)
{
    if (r.clearGloss)
        Gloss->clear();
    if (r.gloss)
        Gloss->setText(*r.gloss);
    if (r.angle)
        Angle->setText(*r.angle);
    if (r.samples)
        NoSamples->setText(*r.samples);
}

void TVelaLiteSetup::RefreshReading()
{
    LiveReading r;
    const Outcome out = m_setup.RefreshReading(r);
    showReading(r);
    showMessages(out, false);
}

bool TVelaLiteSetup::TakeReading(bool releaseKey)
{
    LiveReading r;
    Outcome out;
    {
        platform::WaitCursor cursor;
        out = m_setup.TakeReading(releaseKey, r);
        showReading(r);
    }
    showMessages(out, false);
    return out.ran && out.ok;
}

void TVelaLiteSetup::PressAngleKey()
{
    LiveReading r;
    Outcome out;
    {
        platform::WaitCursor cursor;
        out = m_setup.PressAngleKey(r);
        showReading(r);
    }
    showMessages(out, false);
}

void TVelaLiteSetup::GlossClick()
{
    platform::WaitCursor cursor;
    RefreshReading();
}

} // namespace vela::service
