// The instrument interface window on the offscreen platform, against vela-sim.
#include "SimLinkFixture.h"

#include "link/TVelaLiteInterface.h"
#include "platform/PrivateProfile.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

using vela::link::TVelaLiteInterface;
using vela::sim::InstrumentState;

namespace vela::test {
namespace {

class InterfaceWindowTest : public SimLinkFixture {
protected:
    template <class T>
    T* control(QWidget& w, const char* name)
    {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QString text(QWidget& w, const char* name) { return control<QLineEdit>(w, name)->text(); }
};

TEST_F(InterfaceWindowTest, ReadSysDataShowsTheFields)
{
    m_sim->withState([](InstrumentState& s) {
        const quint16 words[10] = {3, 0, 1, 0x0090, 2, 1, 0, 0, 60, 200};
        for (int i = 0; i < 10; ++i)
            s.setWord(2 * i, words[i]);
        s.setFloat(12, 5.5f);
    });
    TVelaLiteInterface w(*m_link);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Vela Lite Interface"));
    control<QPushButton>(w, "LoadSysData")->click();
    EXPECT_EQ(text(w, "Angle"), QStringLiteral("60°"));
    EXPECT_FALSE(control<QCheckBox>(w, "SingleAngleInst")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(w, "NonStats")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(w, "BacklightOn")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(w, "cbOpacity")->isChecked());
    EXPECT_EQ(text(w, "Language"), QStringLiteral("Spanish"));
    EXPECT_EQ(control<QLineEdit>(w, "Language")->property("tag").toInt(), 2);
    EXPECT_EQ(text(w, "CalibrationMode"), QStringLiteral("Auto Cal"));
    EXPECT_EQ(text(w, "MinSupplyVoltage"), QStringLiteral("5.50"));
    EXPECT_EQ(control<QSlider>(w, "tbInstrumentOnTime")->value(), 60);
    EXPECT_EQ(control<QSlider>(w, "tbInstrumentOnTime")->toolTip(), QStringLiteral("60 seconds"));
    EXPECT_EQ(text(w, "BulbSettingTime"), QStringLiteral("200"));
    EXPECT_TRUE(control<QPushButton>(w, "LoadSysData")->isEnabled());
}

TEST_F(InterfaceWindowTest, ReadResultsDataShowsEachSlot)
{
    m_sim->withState([](InstrumentState& s) {
        sim::SlotCalibration cal;
        cal.gain = 2.5e-4f;
        cal.offset = 1.25f;
        cal.high = 95.0f;
        cal.sourcePot = 33;
        sim::setSlotCalibration(s, 1, cal);
    });
    TVelaLiteInterface w(*m_link);
    control<QPushButton>(w, "ReadResultsData")->click();
    EXPECT_EQ(text(w, "Samples20Degree"), QStringLiteral("4"));
    EXPECT_EQ(text(w, "Samples60Degree"), QStringLiteral("6"));
    EXPECT_EQ(control<QLineEdit>(w, "Samples60Degree")->property("tag").toInt(), 1);
    EXPECT_EQ(text(w, "Gain60degree"), QStringLiteral("2.500E-04 "));
    EXPECT_EQ(text(w, "Offset60degree"), QStringLiteral("1.2500"));
    EXPECT_EQ(text(w, "HighLimit60Degree"), QStringLiteral("95.0"));
    EXPECT_EQ(text(w, "SourcePot60"), QStringLiteral("33"));
    EXPECT_EQ(m_link->Slot(1).samples.size(), 6u);
}

TEST_F(InterfaceWindowTest, PortButtonsAndTheirSettings)
{
    platform::PrivateProfile ini = platform::settingsFile();
    ini.writeString(QStringLiteral("Serial Ports"), QStringLiteral("COM1"), tempPath(QStringLiteral("missing")));
    ini.writeString(QStringLiteral("Serial Ports"), QStringLiteral("COM2"), m_sim->devicePath());
    m_link->Comms().Close();
    {
        TVelaLiteInterface w(*m_link);
        dialogs().expectMessage(QStringLiteral("Vela-DuzirIriz initialise Com 1 failure."));
        control<QRadioButton>(w, "Com1")->click();
        EXPECT_FALSE(m_link->Comms().IsOpen());
        control<QRadioButton>(w, "Com2")->click();
        EXPECT_EQ(m_link->Comms().PortNumber(), 2);
        control<QRadioButton>(w, "RB4800")->click();
        EXPECT_EQ(m_link->Comms().BaudRate(), 4800);
        EXPECT_TRUE(m_link->ProbeInstrument());
    }
    EXPECT_FALSE(m_link->Comms().IsOpen()) << "closed with the window";
    const platform::PrivateProfile saved = platform::settingsFile();
    const QString section = QStringLiteral("Panel Vela Lite Interface");
    EXPECT_FALSE(saved.readBool(section, QStringLiteral("Com1"), true));
    EXPECT_TRUE(saved.readBool(section, QStringLiteral("Com2"), false));
    EXPECT_FALSE(saved.readBool(section, QStringLiteral("BAUD96"), true));
    EXPECT_TRUE(saved.readBool(section, QStringLiteral("BAUD48"), false));

    TVelaLiteInterface again(*m_link);
    again.ApplySavedPortSettings();
    EXPECT_EQ(m_link->Comms().PortNumber(), 2);
    EXPECT_EQ(m_link->Comms().BaudRate(), 4800);
    EXPECT_TRUE(control<QRadioButton>(again, "Com2")->isChecked());
}

TEST_F(InterfaceWindowTest, SavedChoicesThatChangeNothingLeaveTheOpenPortAlone)
{
    // The connect routine opened the instrument's port; the saved choices are the buttons'
    // own states (Com1, 9600), so showing the set-up window must not reopen anything.
    platform::PrivateProfile ini = platform::settingsFile();
    ini.writeString(QStringLiteral("Serial Ports"), QStringLiteral("COM1"), tempPath(QStringLiteral("missing")));
    ASSERT_TRUE(m_link->Comms().IsOpen());
    TVelaLiteInterface w(*m_link);
    w.ApplySavedPortSettings();
    EXPECT_TRUE(m_link->Comms().IsOpen());
    EXPECT_EQ(m_link->Comms().BaudRate(), 115200);
    EXPECT_TRUE(m_link->ProbeInstrument());
    EXPECT_TRUE(dialogs().shown().isEmpty());
}

} // namespace
} // namespace vela::test
