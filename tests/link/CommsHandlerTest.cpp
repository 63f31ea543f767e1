// The serial port object on a real pseudo-terminal.
#include "SimLinkFixture.h"

#include "link/CommsHandler.h"

using vela::link::CommsHandler;

namespace vela::test {
namespace {

class CommsHandlerTest : public SimLinkFixture {};

TEST(CommsHandlerSettings, SettingsTextByBaudRate)
{
    EXPECT_EQ(CommsHandler::SettingsText(3, 4800), QStringLiteral("COM3:4800,n,8,1"));
    EXPECT_EQ(CommsHandler::SettingsText(1, 115200), QStringLiteral("COM1:115200,n,8,1"));
    EXPECT_EQ(CommsHandler::SettingsText(2, 2400), QStringLiteral("COM2:600,n,8,1"));
    EXPECT_EQ(vela::link::comPortNumber(QStringLiteral("com7")), 7);
    EXPECT_EQ(vela::link::comPortNumber(QStringLiteral("COM9")), 0);
    EXPECT_EQ(vela::link::comPortNumber(QStringLiteral("/tmp/vela/COM1")), 0);
}

TEST(CommsHandlerClosed, EveryOperationFailsWithoutTheDevice)
{
    CommsHandler h;
    EXPECT_FALSE(h.IsOpen());
    EXPECT_EQ(h.PortNumber(), 0);
    EXPECT_EQ(h.BytesWaiting(), -1);
    char buffer[8] = "xxxxxxx";
    qint32 count = 4;
    EXPECT_FALSE(h.Read(buffer, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(buffer[0], 0);
    count = 3;
    EXPECT_FALSE(h.Write("abc", count));
    EXPECT_EQ(count, 0);
    quint32 bits = 1;
    EXPECT_FALSE(h.ModemStatus(bits));
    EXPECT_EQ(bits, 0u);
    EXPECT_FALSE(h.Purge());
    EXPECT_FALSE(h.ClearError(bits));
    EXPECT_TRUE(h.Close());
    EXPECT_FALSE(h.Open(0, 4800, false));
    EXPECT_FALSE(h.Open(9, 4800, false));
    EXPECT_FALSE(h.OpenDevice(QStringLiteral("/nonexistent/tty"), 4800, false));
    EXPECT_EQ(h.LastError(), 0u);
}

TEST_F(CommsHandlerTest, LineSettingsOnAPseudoTerminal)
{
    CommsHandler& h = m_link->Comms();
    ASSERT_TRUE(h.OpenDevice(m_sim->devicePath(), 2400, false, 3));
    EXPECT_TRUE(h.IsOpen());
    EXPECT_EQ(h.PortNumber(), 3);
    EXPECT_EQ(h.BaudRate(), 2400);
    EXPECT_EQ(h.LastError(), 0u);
    // The line rate reaches the device (the simulator times its line by it).
    m_sim->setLineTiming(true, 0);
    EXPECT_EQ(m_sim->timingBaud(), 2400);
    // A pseudo-terminal has no DTR/RTS: noted, not fatal.
    EXPECT_TRUE(h.limitations().contains(QStringLiteral("DTR")));
    quint32 status = 0;
    EXPECT_TRUE(h.ModemStatus(status));
    EXPECT_TRUE(status & vela::link::kMsCtsOn);
    quint32 errors = 99;
    EXPECT_TRUE(h.ClearError(errors));
    EXPECT_EQ(errors, 0u);
}

TEST_F(CommsHandlerTest, OpeningAnotherPortClosesTheFirst)
{
    sim::VelaSim second;
    sim::SimOptions options;
    options.linkPath = tempPath(QStringLiteral("second-%1").arg(QCoreApplication::applicationPid()));
    options.lineTiming = false;
    ASSERT_TRUE(second.start(options));
    CommsHandler& h = m_link->Comms();
    ASSERT_TRUE(h.OpenDevice(options.linkPath, 9600, false));
    EXPECT_EQ(h.DeviceName(), options.linkPath);
    EXPECT_TRUE(m_link->ProbeInstrument());
    EXPECT_EQ(second.transcript().size(), 1u) << "probe (and nothing else) went to the second line";
    EXPECT_TRUE(m_sim->transcript().empty());
    // The first line is free again.
    CommsHandler other;
    EXPECT_TRUE(other.OpenDevice(m_sim->devicePath(), 9600, false));
    EXPECT_TRUE(other.IsOpen());
}

TEST_F(CommsHandlerTest, ReadNeverWaitsAndBuffersEndWithNul)
{
    CommsHandler& h = m_link->Comms();
    char buffer[300];
    qint32 count = 200;
    EXPECT_FALSE(h.Read(buffer, count));
    EXPECT_EQ(count, 0);
    qint32 n = 16;
    EXPECT_TRUE(h.Write("!VV0000\r!RE07f8\r", n));
    EXPECT_EQ(n, 16);
    ASSERT_TRUE(m_sim->waitForExchanges(2, 1000));
    QByteArray got;
    for (int i = 0; i < 200 && got.size() < 16; ++i) {
        count = 3;  // small reads: the rest stays queued
        if (h.Read(buffer, count)) {
            EXPECT_LE(count, 3);
            EXPECT_EQ(buffer[count], 0);
            got.append(buffer, count);
        } else {
            QThread::msleep(2);
        }
    }
    EXPECT_EQ(got, QByteArray("!VV0145\r!RE07f8\r").replace("07f8\r", "ffff\r"));
}

} // namespace
} // namespace vela::test
