// The set-up window on the offscreen platform against the virtual instrument.
#include "SetupSimFixture.h"
#include "platform/PrivateProfile.h"
#include "service/TVelaLiteSetup.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

using namespace vela;
using namespace vela::service;

namespace {

class SetupWindow : public test::SetupSimFixture {
protected:
    void SetUp() override
    {
        SetupSimFixture::SetUp();
        platform::PrivateProfile ini = platform::settingsFile();
        ini.writeString(QStringLiteral("Panel Vela Lite Setup"), QStringLiteral("Target 75 degree mV"),
                        QStringLiteral("0.3"));
        ini.writeString(QStringLiteral("Panel Vela Lite Setup"), QStringLiteral("Max Gloss Calib Change"),
                        QStringLiteral("12.5"));
        m_window = std::make_unique<TVelaLiteSetup>(nullptr, m_link.get());
        m_window->core().setSerialPauseMs(0);
        m_window->core().setFollowMemoryBase(true);
    }
    void TearDown() override
    {
        m_window.reset();
        SetupSimFixture::TearDown();
    }
    void expectSettled()
    {
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "cursor restored";
        EXPECT_FALSE(m_window->busy());
    }
    std::unique_ptr<TVelaLiteSetup> m_window;
};

} // namespace

TEST_F(SetupWindow, FactoryStateAndSettings)
{
    TVelaLiteSetup& w = *m_window;
    EXPECT_EQ(w.windowTitle(), "Vela-Gloss Lite Setup   ");
    const LampTargets& t = w.lampTargets();
    EXPECT_FLOAT_EQ(t[0], 0.25f);
    EXPECT_FLOAT_EQ(t[2], 0.3f);
    EXPECT_FLOAT_EQ(t[5], 0.25f);
    EXPECT_EQ(w.MaxGlossCalibChange->text(), "12.5");
    for (QRadioButton* rb : {w.RBSingle20Degree, w.RBSingle60Degree, w.RBSingle45Degree,
                             w.RBSingle45_0Degree, w.RBDualAngle, w.RBTripleAngle})
        EXPECT_FALSE(rb->isEnabled());
    EXPECT_TRUE(w.RBDualAngle->isChecked());
    EXPECT_FALSE(w.PassFailTestLimits->isEnabled());
    EXPECT_FALSE(w.SetSerialNo->isEnabled());
    EXPECT_FALSE(w.CBBrevantaInstrument->isEnabled() || w.CBBrevantaInstrument->isChecked() ||
                 w.CBBrevantaInstrument->isVisibleTo(&w));
    EXPECT_FALSE(w.gbDataLogging->isVisibleTo(&w));
    EXPECT_FALSE(w.SoakTest->isVisibleTo(&w));
    EXPECT_FALSE(w.EepromDump->isVisibleTo(&w));
    EXPECT_FALSE(w.Configuration1->isVisible());
    EXPECT_FALSE(w.Programming1->isVisible());
    EXPECT_FALSE(w.Graph1->isEnabled());
    EXPECT_FALSE(w.Results1->isEnabled());
    EXPECT_TRUE(w.CBStatsInstrument->isChecked() && w.cbUseDivideby10Ranging->isChecked());
    EXPECT_EQ(w.Languages->currentIndex(), 0);
    EXPECT_EQ(w.TBRefDiode->value(), 63);
    EXPECT_EQ(w.SignalPot->text(), "63");
    EXPECT_EQ(w.tbInstrumentOnTime->value(), 30);
    EXPECT_EQ(w.Gloss->text(), "2000.0");
    EXPECT_EQ(w.MinSupplyVoltage->text(), "5.0");
    EXPECT_FALSE(w.busy() || w.comsErrors());
    w.tbInstrumentOnTime->setValue(120);
    EXPECT_EQ(w.tbInstrumentOnTime->toolTip(), "120 seconds");

    w.move(40, 50);
    m_window.reset();
    const platform::PrivateProfile ini = platform::settingsFile();
    EXPECT_EQ(ini.readInteger(QStringLiteral("Panel Vela Lite Setup"), QStringLiteral("Left"), 0), 40);
    EXPECT_EQ(ini.readString(QStringLiteral("Panel Vela Lite Setup"), QStringLiteral("Target 75 degree mV")), "0.3");
    EXPECT_FALSE(ini.value(QStringLiteral("Panel Vela Lite Setup"), QStringLiteral("Target 20 degree mV")));
}

TEST_F(SetupWindow, ReadFillsTheControlsAndEnablesSetup)
{
    TVelaLiteSetup& w = *m_window;
    w.ReadSetupClick();
    expectSettled();
    EXPECT_EQ(w.readDoneMark(), 1);
    EXPECT_TRUE(w.Setup->isEnabled());
    EXPECT_TRUE(w.RBTripleAngle->isChecked());
    EXPECT_TRUE(w.PassFailTestLimits->isChecked());
    EXPECT_EQ(w.DefWord->text(), "faef");
    EXPECT_EQ(w.FirmwareVer->text(), "4.12");
    EXPECT_EQ(w.SerialLabel->text(), "KN0805123412");
    EXPECT_EQ(w.Prefix->text(), "KN");
    EXPECT_EQ(w.MirrorConnection20->text(), "-0.500");
    EXPECT_EQ(w.SetupTargetGloss85->text(), "99.5");
    EXPECT_EQ(w.HighLimit60Degree->text(), "81.0");
    EXPECT_EQ(w.RefPot->text(), "99");
    EXPECT_EQ(w.TBSignalDiode->value(), 21);
    EXPECT_EQ(w.Languages->currentIndex(), 3);
    EXPECT_EQ(w.tbInstrumentOnTime->value(), 90);
    EXPECT_EQ(w.BulbSettingTime->text(), "150");
    EXPECT_EQ(w.DivideBy10Range->text(), "12.34");
}

TEST_F(SetupWindow, ReadFailureShowsItsMessageAndKeepsWhatWasRead)
{
    TVelaLiteSetup& w = *m_window;
    refuse("RL", 1);
    dialogs().expectMessage(QStringLiteral("Vela-DuzirIriz Ref Diode set point read failure."));
    w.ReadSetupClick();
    expectSettled();
    EXPECT_EQ(dialogs().shown().size(), 1);
    EXPECT_EQ(dialogs().shown().front().caption, "Vela-DuzirIriz Error");
    EXPECT_EQ(w.readDoneMark(), 0);
    EXPECT_FALSE(w.Setup->isEnabled());
    EXPECT_EQ(w.FirmwareVer->text(), "4.12");
    EXPECT_EQ(w.SignalPot->text(), "21");
    EXPECT_EQ(w.SetupTargetGloss20->text(), "88.0") << "steps after the failure leave the design value";
}

TEST_F(SetupWindow, BusyReadClearsTheMarkAndSendsNothing)
{
    TVelaLiteSetup& w = *m_window;
    w.ReadSetupClick();
    ASSERT_EQ(w.readDoneMark(), 1);
    m_sim->clearTranscript();
    {
        BusyScope held(w.core());
        w.ReadSetupClick();
        w.SetupClick();
        w.GainChangeClick();
    }
    EXPECT_EQ(w.readDoneMark(), 0);
    EXPECT_FALSE(w.Setup->isEnabled());
    EXPECT_TRUE(frames().isEmpty());
}

TEST_F(SetupWindow, BusyWriteClearsTheCompletedFlagAndSendsNothing)
{
    TVelaLiteSetup& w = *m_window;
    dialogs().expectMessage(QStringLiteral("Set-up completed."));
    w.SetupClick();
    ASSERT_TRUE(w.setupCompleted());
    ASSERT_EQ(w.setupTag(), 1);
    m_sim->clearTranscript();
    {
        BusyScope held(w.core());
        w.SetupClick();
    }
    EXPECT_FALSE(w.setupCompleted()) << "a dropped write must not read as completed";
    EXPECT_EQ(w.setupTag(), 0);
    EXPECT_TRUE(frames().isEmpty());
    EXPECT_EQ(dialogs().shown().size(), 1);
}

TEST_F(SetupWindow, WriteReportsSuccessAndRefusesBadInputCleanly)
{
    TVelaLiteSetup& w = *m_window;
    dialogs().expectMessage(QStringLiteral("Set-up completed."));
    w.SetupClick();
    expectSettled();
    EXPECT_EQ(w.setupTag(), 1);
    EXPECT_TRUE(w.setupCompleted());

    for (QLineEdit* e : {w.SetupTargetGloss20, w.BulbSettingTime, w.MirrorCorrection60, w.HighLimit20Degree}) {
        const QString saved = e->text();
        for (const char* bad : {"abc", "", "99999999"}) {
            e->setText(QString::fromLatin1(bad));
            dialogs().clear();
            dialogs().allowAllMessages();
            m_sim->clearTranscript();
            w.SetupClick();
            expectSettled();
            EXPECT_EQ(w.setupTag(), 0) << e->objectName().toStdString() << bad;
            EXPECT_FALSE(w.setupCompleted());
            EXPECT_TRUE(frames().isEmpty());
            EXPECT_EQ(dialogs().messages().last(), "Vela-Gloss not set-up.");
            EXPECT_FALSE(dialogs().messages().contains(QStringLiteral("Set-up completed.")));
        }
        e->setText(saved);
    }
}

TEST_F(SetupWindow, SerialNumberButtonWritesTheWords)
{
    TVelaLiteSetup& w = *m_window;
    m_sim->withState([](sim::InstrumentState& s) { sim::setSerialWords(s, 0, 0, 0); });
    w.SerialLabel->setText(QStringLiteral("KN0805123412"));
    w.SetSerialNoClick();
    expectSettled();
    EXPECT_EQ(m_sim->state().word(2046), 0x4708);
    EXPECT_EQ(w.Prefix->text(), "KN");
    EXPECT_EQ(w.SerialLabel->text(), "KN0805123412");

    w.SerialLabel->setText(QStringLiteral("AB0805123412"));
    dialogs().allowAllMessages();
    m_sim->clearTranscript();
    w.SetSerialNoClick();
    expectSettled();
    EXPECT_TRUE(frames().isEmpty());
    EXPECT_EQ(dialogs().messages().last(), "Vela-DuzirIriz Serial Number upload failure.");
}

TEST_F(SetupWindow, ServiceFailuresAreShownOnlyWithComsErrors)
{
    TVelaLiteSetup& w = *m_window;
    refuse("GA");
    w.GainChangeClick();
    EXPECT_TRUE(dialogs().shown().isEmpty());
    EXPECT_EQ(w.gainTag(), 0);
    w.GainChangeClick();
    EXPECT_EQ(w.gainTag(), 1);
    EXPECT_EQ(w.lbGainRange->text(), "Div by 10");
    EXPECT_TRUE(m_sim->state().gainDiv10);

    w.EnableComsErrors->click();
    ASSERT_TRUE(w.comsErrors());
    refuse("NM");
    dialogs().expectMessage(QStringLiteral("Vela-DuzirIriz Non stats change command failure."));
    EXPECT_FALSE(w.SetStatsMode(true));
    EXPECT_EQ(dialogs().shown().size(), 1);
    w.NoneStatsModeClick();
    EXPECT_EQ(w.statsTag(), 1);
    EXPECT_EQ(w.lbStatsMode->text(), "Non Stats Mode");

    w.ToggleAlwaysOnClick();
    EXPECT_TRUE(w.lbAlwaysOn->isVisibleTo(&w));
    EXPECT_EQ(w.lbAlwaysOn->text(), "Always ON");
    EXPECT_TRUE(frames().contains("!SO0001"));
    w.ToggleAlwaysOnClick();
    EXPECT_TRUE(frames().contains("!SO0000"));
    EXPECT_EQ(w.lbAlwaysOn->text(), "Auto Off");
}

TEST_F(SetupWindow, PotsKeepTrackBarAndEditTogether)
{
    TVelaLiteSetup& w = *m_window;
    w.SetRefPot(100);
    EXPECT_EQ(w.TBRefDiode->value(), 100);
    EXPECT_EQ(w.RefPot->text(), "100");
    EXPECT_EQ(m_sim->state().channels[0].referencePot, 100);
    w.SetSignalPot(0);   // kept within 1..127
    EXPECT_EQ(w.TBSignalDiode->value(), 1);
    EXPECT_TRUE(frames().contains("!PL0001"));
    w.RefPot->setText(QStringLiteral("abc"));
    w.RefPotExit();
    EXPECT_EQ(w.RefPot->text(), "100");
    w.SignalPot->setText(QStringLiteral("40"));
    w.SignalPotExit();
    EXPECT_EQ(w.TBSignalDiode->value(), 40);
    w.TBRefDiode->setValue(70);
    EXPECT_EQ(w.RefPot->text(), "70");
    m_sim->clearTranscript();
    w.TBRefDiodeKeyUp();
    EXPECT_EQ(frames(), QList<QByteArray>{"!PL0146"});
}

TEST_F(SetupWindow, ArrowKeysOnThePotTrackBarsSendTheLevelWhenReleased)
{
    TVelaLiteSetup& w = *m_window;
    const auto press = [](QWidget* bar, Qt::Key key) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(bar, &down);
        QApplication::sendEvent(bar, &up);
    };
    m_sim->clearTranscript();
    press(w.TBRefDiode, Qt::Key_Right);
    EXPECT_EQ(w.TBRefDiode->value(), 64);
    press(w.TBSignalDiode, Qt::Key_Left);
    EXPECT_EQ(w.TBSignalDiode->value(), 62);
    EXPECT_EQ(frames(), (QList<QByteArray>{"!PL0140", "!PL003e"}));
    EXPECT_EQ(m_sim->state().channels[0].referencePot, 64);
    EXPECT_EQ(w.SignalPot->text(), "62");
}

TEST_F(SetupWindow, TakeReadingShowsTheReading)
{
    TVelaLiteSetup& w = *m_window;
    m_sim->withState([](sim::InstrumentState& s) {
        s.channels[0].tileGloss = 12.3;
        s.setWord(link::mem::kMirrorCorrection20, 1100);   // the reading follows the correction
    });
    EXPECT_TRUE(w.TakeReading(true));
    expectSettled();
    EXPECT_EQ(w.Gloss->text(), "  13.5");
    EXPECT_EQ(w.Angle->text(), "20");
    EXPECT_EQ(w.NoSamples->text(), "1");
    w.PressAngleKey();
    EXPECT_EQ(w.Angle->text(), "60");
    m_sim->clearTranscript();
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.Gloss, &release);
    EXPECT_EQ(frames(), (QList<QByteArray>{"!LG0000", "!AG0000", "!NS0000"}));
    expectSettled();
}

TEST_F(SetupWindow, BoundInterfaceLimitsAreTheOnesSentAndFilled)
{
    TVelaLiteSetup& w = *m_window;
    std::array<std::unique_ptr<QLineEdit>, 6> owned;
    std::array<QLineEdit*, 6> edits{};
    for (size_t i = 0; i < 6; ++i) {
        owned[i] = std::make_unique<QLineEdit>();
        edits[i] = owned[i].get();
    }
    w.bindInterfaceLimits(edits);
    EXPECT_FALSE(w.gbPassFailLimits->isVisibleTo(&w));
    w.ReadSetupClick();
    EXPECT_EQ(edits[0]->text(), "80.0");
    EXPECT_EQ(edits[5]->text(), "6.5");
    edits[3]->setText(QStringLiteral("42.0"));
    w.HighLimit60Degree->setText(QStringLiteral("1.0"));   // not the source once bound
    m_sim->clearTranscript();
    dialogs().expectMessage(QStringLiteral("Set-up completed."));
    w.SetupClick();
    EXPECT_TRUE(frames().contains("!HL01a4"));
    EXPECT_FALSE(frames().contains("!HL000a"));
    w.bindInterfaceLimits({});
}
