// The preferences dialog: stored choices, port and type rules, and its set-up flows through
// the set-up window against the virtual instrument.
#include "SetupSimFixture.h"
#include "platform/PrivateProfile.h"
#include "service/TPreferences.h"
#include "service/TVelaLiteSetup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

using namespace vela;
using namespace vela::service;

namespace {

const QString kSection = QStringLiteral("Panel Preferences");

class PreferencesDialog : public test::SetupSimFixture {
protected:
    void TearDown() override
    {
        m_prefs.reset();
        m_window.reset();
        SetupSimFixture::TearDown();
    }
    TPreferences& create()
    {
        m_link->SetMemoryBase(4096);   // as the connect routine sets it for this instrument
        m_window = std::make_unique<TVelaLiteSetup>(nullptr, m_link.get());
        m_prefs = std::make_unique<TPreferences>(nullptr, m_window.get());
        m_prefs->setRestartConnectionTimer([this] { ++m_restarts; });
        m_prefs->setConnectionExpired([this] { return m_expired; });
        return *m_prefs;
    }
    void store(const QString& key, const QString& value)
    {
        platform::settingsFile().writeString(kSection, key, value);
    }
    [[nodiscard]] QList<QRadioButton*> checkedTypes() const
    {
        QList<QRadioButton*> out;
        for (QRadioButton* rb : {m_prefs->rbVelaGloss, m_prefs->rbVelaDuzirIriz, m_prefs->rbVelaCurve,
                                 m_prefs->rbVelaPac, m_prefs->rbVelaCurveVerion3})
            if (rb->isChecked())
                out << rb;
        return out;
    }
    std::unique_ptr<TVelaLiteSetup> m_window;
    std::unique_ptr<TPreferences> m_prefs;
    int m_restarts = 0;
    bool m_expired = false;
};

} // namespace

TEST_F(PreferencesDialog, DefaultsWithoutSettings)
{
    TPreferences& p = create();
    EXPECT_EQ(p.port(), 0);
    EXPECT_EQ(checkedTypes(), QList<QRadioButton*>{p.rbVelaDuzirIriz});
    EXPECT_FALSE(p.cbHighSpeedComs->isChecked() || p.cbDoubleClickTagChange->isChecked());
    EXPECT_FALSE(p.Setup->isEnabled() || p.ReadSetup->isEnabled());
    EXPECT_EQ(p.SetupTargetGloss20->text(), "88.0");
    EXPECT_EQ(p.SetupTargetGloss85->text(), "93.0");
    EXPECT_EQ(p.LowLimit60Degree->text(), "0.0");
    EXPECT_FALSE(p.gbPassFailLimits->isVisibleTo(&p));
    EXPECT_EQ(p.windowTitle(), "Preferences");
    EXPECT_EQ(p.tbInstrumentOnTime->toolTip(), "Instrument On Time") << "until the bar moves";
    EXPECT_EQ(p.findChild<QCheckBox*>(QStringLiteral("PassFailTestLimits")), p.PassFailTestLimits)
        << "the hidden box belongs to the dialog";
    p.ShowPreferences();
    EXPECT_TRUE(p.AutoDetect->isChecked());
    EXPECT_FALSE(p.PassFailTestLimits->isVisible());
    p.tbInstrumentOnTime->setValue(120);
    EXPECT_EQ(p.tbInstrumentOnTime->toolTip(), "120 seconds");
    p.hide();
}

TEST_F(PreferencesDialog, StoredChoicesFollowTheTypeAndPortRules)
{
    store(QStringLiteral("Port"), QStringLiteral("12"));
    store(QStringLiteral("Vela Pac Enabled"), QStringLiteral("1"));
    store(QStringLiteral("High Speed Comms"), QStringLiteral("1"));
    TPreferences& p = create();
    EXPECT_EQ(checkedTypes(), QList<QRadioButton*>{p.rbVelaPac}) << "the last true type wins";
    EXPECT_TRUE(p.highSpeedComs());
    EXPECT_EQ(p.port(), 12) << "kept until the dialog is shown";
    p.ShowPreferences();
    EXPECT_TRUE(p.AutoDetect->isChecked());
    EXPECT_EQ(p.port(), 0);
    p.hide();

    // All types stored false: none is checked.
    m_prefs.reset();
    for (const char* key : {"Vela Gloss Lite Enabled", "Vela Gloss Enabled", "Vela Pac Enabled",
                            "Vela Curve Enabled", "Vela Curve Version 3"})
        store(QString::fromLatin1(key), QStringLiteral("0"));
    m_prefs = std::make_unique<TPreferences>(nullptr, m_window.get());
    EXPECT_TRUE(checkedTypes().isEmpty());
    EXPECT_FALSE(m_prefs->commandProtocolType());
}

TEST_F(PreferencesDialog, NonCommandTypeMovesAutoDetectToCom1)
{
    TPreferences& p = create();
    p.ShowPreferences();
    ASSERT_TRUE(p.AutoDetect->isChecked());
    p.rbVelaPac->click();
    EXPECT_TRUE(p.Com[0]->isChecked());
    EXPECT_EQ(p.port(), 1);
    EXPECT_FALSE(p.AutoDetect->isVisible());
    EXPECT_FALSE(p.gbInstrumentConfiguration->isVisible());
    p.rbVelaDuzirIriz->click();
    EXPECT_TRUE(p.AutoDetect->isVisible());
    EXPECT_TRUE(p.gbInstrumentConfiguration->isVisible());
    EXPECT_EQ(p.port(), 1);
    p.Com[4]->click();
    EXPECT_EQ(p.port(), 5);
    p.hide();

    m_prefs.reset();
    const platform::PrivateProfile ini = platform::settingsFile();
    EXPECT_EQ(ini.readInteger(kSection, QStringLiteral("Port"), -1), 5);
    EXPECT_TRUE(ini.readBool(kSection, QStringLiteral("Vela Gloss Lite Enabled"), false));
    EXPECT_FALSE(ini.readBool(kSection, QStringLiteral("Vela Pac Enabled"), true));
}

TEST_F(PreferencesDialog, ComButtonsShowTheirDevices)
{
    qputenv("VELA_COM3", "/tmp/vela/COM3");
    TPreferences& p = create();
    qunsetenv("VELA_COM3");
    EXPECT_EQ(p.lbComDevice[2]->text(), "/tmp/vela/COM3");
}

TEST_F(PreferencesDialog, ReadInstrumentSetupCopiesTheInstrumentConfiguration)
{
    TPreferences& p = create();
    m_sim->clearTranscript();
    p.ReadInstrumentSetup();
    EXPECT_EQ(frames().front(), "!LBa5a5");
    EXPECT_EQ(frames().at(1), "!RE07f8");
    EXPECT_EQ(p.readFlag(), 1);
    EXPECT_TRUE(p.Setup->isEnabled() && p.ReadSetup->isEnabled());
    EXPECT_EQ(p.FirmwareVer->text(), "4.12");
    EXPECT_EQ(p.SerialLabel->text(), "KN0805123412");
    EXPECT_EQ(p.SetupTargetGloss20->text(), "90.5");
    EXPECT_EQ(p.SetupTargetGloss85->text(), "99.5");
    EXPECT_EQ(p.HighLimit20Degree->text(), "80.0");
    EXPECT_EQ(p.Difference60Degree->text(), "6.5");
    EXPECT_EQ(p.onTimePosition(), 90);
    EXPECT_EQ(p.Languages->currentIndex(), 3);
    EXPECT_TRUE(p.cbReadontimeops->isChecked());
    EXPECT_TRUE(p.PassFailTestLimits->isChecked());
    EXPECT_TRUE(p.gbPassFailLimits->isVisibleTo(&p));
    EXPECT_TRUE(p.SetupTargetGloss85->isVisibleTo(&p));
    EXPECT_EQ(m_restarts, 1);
    EXPECT_TRUE(dialogs().shown().isEmpty());
}

TEST_F(PreferencesDialog, AnsweredProbeEndsTheReadSilently)
{
    TPreferences& p = create();
    p.setSetupButtonsEnabled(true);
    m_sim->withState([](sim::InstrumentState& s) { s.memoryBusy = true; });
    m_sim->clearTranscript();
    p.ReadInstrumentSetup();
    EXPECT_EQ(frames(), QList<QByteArray>{"!LBa5a5"});
    EXPECT_EQ(p.readFlag(), 0);
    EXPECT_TRUE(p.Setup->isEnabled() && p.ReadSetup->isEnabled()) << "the buttons keep their state";
    EXPECT_EQ(m_restarts, 0);
}

TEST_F(PreferencesDialog, FailedReadLeavesSetupDisabled)
{
    TPreferences& p = create();
    refuse("VV");
    dialogs().expectMessage(QStringLiteral("Vela-DuzirIriz Firmware Version read failure."));
    p.ReadInstrumentSetup();
    EXPECT_EQ(p.readFlag(), 0);
    EXPECT_FALSE(p.Setup->isEnabled());
    EXPECT_TRUE(p.ReadSetup->isEnabled());
    EXPECT_EQ(p.SetupTargetGloss20->text(), "88.0") << "nothing copied without a complete read";
    EXPECT_EQ(m_restarts, 1);
}

TEST_F(PreferencesDialog, SetupHandsTheValuesToTheSetupWindow)
{
    TPreferences& p = create();
    p.ReadInstrumentSetup();
    p.SetupTargetGloss20->setText(QStringLiteral("327.65"));
    p.SetupTargetGloss60->setText(QStringLiteral("327.7"));
    p.HighLimit20Degree->setText(QStringLiteral("77.7"));
    p.tbInstrumentOnTime->setValue(120);
    p.Languages->setCurrentIndex(5);
    p.cbAutomaticCalibration->setChecked(true);
    m_sim->clearTranscript();
    dialogs().expectMessage(QStringLiteral("Set-up completed."));
    p.SetupClick();
    const QList<QByteArray> f = frames();
    for (const char* frame : {"!TT7ffd", "!ts0ccd", "!HL0309", "!OT0078", "!LS0005", "!CT0001"})
        EXPECT_TRUE(f.contains(frame)) << frame;
    EXPECT_EQ(f.front(), "!LE07f8");
    EXPECT_TRUE(p.Setup->isEnabled() && p.ReadSetup->isEnabled());
    EXPECT_EQ(m_restarts, 2);
    EXPECT_EQ(m_window->SetupTargetGloss20->text(), "327.65");

    // An expired connection: the buttons do nothing.
    m_expired = true;
    m_sim->clearTranscript();
    p.SetupClick();
    p.ReadSetupClick();
    EXPECT_TRUE(frames().isEmpty());
}
