// Deleting a slot's samples and writing the calibration date, against vela-sim.
#include "ConnectFixture.h"
#include "connect/CalibrationDate.h"

namespace vela::test {
namespace {

using platform::IDNO;
using platform::IDYES;

class ConnectServicesTest : public ConnectFixture {};

TEST_F(ConnectServicesTest, DeleteAsksAndSendsOnlyOnYes)
{
    startModel(sim::Model::Single45);
    connect::ConnectSession& s = session();
    ASSERT_TRUE(s.ConnectInstrument(false, 60));
    ASSERT_TRUE(s.view().deleteEnabled[1]);
    m_sim->clearTranscript();
    dialogs().expectMessage(QStringLiteral("Do you wish to delete angle samples held in the Gloss Meter"), IDNO);
    s.DeleteSamples(1);
    EXPECT_EQ(countFrames("!DA"), 0);
    EXPECT_TRUE(s.view().deleteEnabled[1]);
    dialogs().expectMessage(QStringLiteral("Do you wish to delete angle samples held in the Gloss Meter"), IDYES);
    s.DeleteSamples(1);
    EXPECT_EQ(frames().value(0), QByteArray("!DA0001\r"));
    EXPECT_FALSE(s.view().deleteEnabled[1]);
    EXPECT_TRUE(sim::storedSamples(m_sim->state(), 1).empty());
    // A failing "DA": message, and the button is disabled all the same.
    fault(sim::FaultKind::NoReply, "DA");
    dialogs().expectMessage(QStringLiteral("all 20\u00B0 samples"), IDYES);
    dialogs().expectMessage(QStringLiteral("Delete results error"));
    s.DeleteSamples(0);
    EXPECT_FALSE(s.view().deleteEnabled[0]);
    EXPECT_TRUE(dialogs().unexpected().isEmpty());
}

TEST_F(ConnectServicesTest, CalibrationDateNeedsFirmwareAndTheRightKeycode)
{
    startModel(sim::Model::Dual);
    m_sim->withState([](sim::InstrumentState& st) { st.firmwareVersion = 321; });
    connect::ConnectSession& old = session();
    ASSERT_TRUE(old.ConnectInstrument(false, 0));
    EXPECT_EQ(old.view().firmware, QStringLiteral("3.21"));
    old.SetCalibrationDate();  // says and sends nothing
    EXPECT_TRUE(dialogs().shown().isEmpty());

    m_sim->withState([](sim::InstrumentState& st) { st.firmwareVersion = 322; });
    connect::ConnectSession& s = session();
    ASSERT_TRUE(s.ConnectInstrument(false, 0));
    const QString serial = s.view().serial;
    const quint16 key = connect::CalibrationCheckValue(QStringLiteral("05/08/2007"), serial);
    // A wrong keycode: nothing is sent.
    m_sim->clearTranscript();
    dialogs().expectInput(QStringLiteral("Enter Calibration KeyCode"), QString::number(key ^ 1, 16));
    dialogs().expectInput(QStringLiteral("Enter New Calibration Date"), QStringLiteral("05/08/2007"));
    dialogs().expectInput(QStringLiteral("Enter Instrument Serial Number"), serial);
    dialogs().expectMessage(QStringLiteral("Keycode doesn't match"));
    s.SetCalibrationDate();
    EXPECT_TRUE(frames().isEmpty());
    // The right one writes the five words and updates the checksum.
    dialogs().expectInput(QStringLiteral("Enter Calibration KeyCode"), QString::number(key, 16));
    dialogs().expectInput(QStringLiteral("Enter New Calibration Date"), QStringLiteral("05/08/2007"));
    dialogs().expectInput(QStringLiteral("Enter Instrument Serial Number"), serial);
    dialogs().expectMessage(QStringLiteral("successfully downloaded"));
    s.SetCalibrationDate();
    EXPECT_EQ(sim::calibrationDate(m_sim->state()), QByteArray("05/08/2007"));
    EXPECT_EQ(frames().value(1), QByteArray("!WE3530\r"));
    EXPECT_EQ(frames().value(9), QByteArray("!WE3730\r"));
    EXPECT_EQ(frames().value(10), QByteArray("!UC3730\r"));
    // The default of the serial prompt is the serial number shown.
    bool serialDefault = false;
    for (const platform::DialogRecord& r : dialogs().shown())
        serialDefault |= r.kind == platform::DialogKind::Input && r.text.contains(QStringLiteral("Serial"));
    EXPECT_TRUE(serialDefault);
    // A write that fails stops the series.
    fault(sim::FaultKind::NoReply, "WE", {}, 0, -1);
    dialogs().expectInput(QStringLiteral("Enter Calibration KeyCode"), QString::number(key, 16));
    dialogs().expectInput(QStringLiteral("Enter New Calibration Date"), QStringLiteral("05/08/2007"));
    dialogs().expectInput(QStringLiteral("Enter Instrument Serial Number"), serial);
    dialogs().expectMessage(QStringLiteral("wasn't successfull"));
    m_sim->clearTranscript();
    s.SetCalibrationDate();
    EXPECT_EQ(countFrames("!WE"), 1);
    EXPECT_EQ(countFrames("!UC"), 0);
    EXPECT_TRUE(dialogs().unexpected().isEmpty());
}

} // namespace
} // namespace vela::test
