// vela-sim on its pseudo-terminal: transcript, power, unplugging, run-time control.
#include "TestSupport.h"
#include "link/CommsHandler.h"
#include "sim/VelaSim.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

using namespace vela::sim;
using vela::link::CommsHandler;

namespace {

class SimLineTest : public vela::test::DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        m_options.linkPath = tempPath(QStringLiteral("sim-%1").arg(QCoreApplication::applicationPid()));
        m_options.lineTiming = false;
        m_options.transcriptPath = tempPath(QStringLiteral("transcript.jsonl"));
        QString error;
        ASSERT_TRUE(m_sim.start(m_options, &error)) << error.toStdString();
        ASSERT_TRUE(m_port.OpenDevice(m_sim.devicePath(), 9600, false));
    }

    /// Sends a frame and collects what comes back within a short time.
    QByteArray exchange(const QByteArray& frame, size_t exchangesBefore, int settleMs = 30)
    {
        qint32 n = qint32(frame.size());
        EXPECT_TRUE(m_port.Write(frame.constData(), n));
        EXPECT_TRUE(m_sim.waitForExchanges(exchangesBefore + 1, 1000)) << frame.constData();
        QThread::msleep(settleMs);
        QByteArray got;
        char buffer[256];
        qint32 count = 255;
        while (m_port.Read(buffer, count)) {
            got.append(buffer, count);
            count = 255;
        }
        return got;
    }

    SimOptions m_options;
    VelaSim m_sim;
    CommsHandler m_port;
};

TEST_F(SimLineTest, TranscriptInMemoryAndOnFile)
{
    EXPECT_EQ(exchange("xx!VV0000\r", 0), QByteArray("!VV0145\r"));
    EXPECT_EQ(exchange("!ZZ0000\r", 1), QByteArray());
    EXPECT_EQ(exchange("!RE07f8\r", 2), QByteArray("!REffff\r"));
    const std::vector<Exchange> t = m_sim.transcript();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].received, QByteArray("xx!VV0000\r"));
    EXPECT_EQ(t[0].sent, QByteArray("!VV0145\r"));
    EXPECT_EQ(t[1].note, QStringLiteral("unknown command"));
    EXPECT_LE(t[0].timeMs, t[2].timeMs);
    QFile file(m_options.transcriptPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_GE(lines.size(), 3);
    const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
    EXPECT_EQ(first.value(QStringLiteral("rx")).toString(), QStringLiteral("xx!VV0000\\r"));
    EXPECT_EQ(first.value(QStringLiteral("tx")).toString(), QStringLiteral("!VV0145\\r"));
    EXPECT_EQ(QJsonDocument::fromJson(lines[1]).object().value(QStringLiteral("note")).toString(),
              QStringLiteral("unknown command"));
}

TEST_F(SimLineTest, SwitchedOffInstrumentIsSilentForItsHoldTime)
{
    m_sim.withState([](InstrumentState& s) { s.offHoldMs = 150; });
    EXPECT_EQ(exchange("!OF0000\r", 0), QByteArray("!OF0000\r"));
    EXPECT_EQ(exchange("!VV0000\r", 1), QByteArray());
    EXPECT_EQ(m_sim.transcript().back().note, QStringLiteral("off"));
    QThread::msleep(200);
    EXPECT_EQ(exchange("!VV0000\r", 2), QByteArray("!VV0145\r"));
}

TEST_F(SimLineTest, UnplugTakesTheLineAwayAndPlugBringsANewOne)
{
    const QString firstSlave = m_sim.slavePath();
    m_sim.unplug();
    EXPECT_FALSE(m_sim.plugged());
    EXPECT_FALSE(QFileInfo::exists(m_options.linkPath));
    qint32 n = 8;
    m_port.Write("!VV0000\r", n);
    // The port learns of the loss in the event loop.
    for (int i = 0; i < 200 && m_port.BytesWaiting() != -1; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    EXPECT_EQ(m_port.BytesWaiting(), -1) << "the client sees the device go";
    m_sim.plug();
    EXPECT_TRUE(m_sim.plugged());
    EXPECT_TRUE(QFileInfo::exists(m_options.linkPath));
    ASSERT_TRUE(m_port.OpenDevice(m_sim.devicePath(), 9600, false));
    EXPECT_EQ(exchange("!VV0000\r", m_sim.transcript().size()), QByteArray("!VV0145\r"));
    m_sim.unplug(40);
    for (int i = 0; i < 100 && !m_sim.plugged(); ++i)
        QThread::msleep(5);
    EXPECT_TRUE(m_sim.plugged()) << "replugged by itself";
    EXPECT_NE(m_sim.slavePath(), QString()) << firstSlave.toStdString();
}

TEST_F(SimLineTest, ControlLines)
{
    QString error;
    EXPECT_TRUE(applyControl(m_sim, QStringLiteral("word 0x7f8 0xfbff"), &error));
    EXPECT_EQ(m_sim.state().word(2040), 0xFBFF);
    EXPECT_TRUE(applyControl(m_sim, QStringLiteral("samples 1 1.5,2.5"), &error));
    EXPECT_EQ(storedSamples(m_sim.state(), 1), (std::vector<float>{1.5f, 2.5f}));
    EXPECT_TRUE(applyControl(m_sim, QStringLiteral("busy on"), &error));
    EXPECT_TRUE(m_sim.state().memoryBusy);
    EXPECT_TRUE(applyControl(m_sim, QStringLiteral("timing on 4800"), &error));
    EXPECT_EQ(m_sim.timingBaud(), 4800);
    EXPECT_TRUE(applyControl(m_sim, QStringLiteral("timing on"), &error));
    EXPECT_EQ(m_sim.timingBaud(), 9600) << "follows the rate the client set";
    EXPECT_TRUE(applyControl(m_sim, QStringLiteral("timing off"), &error));
    EXPECT_TRUE(applyControl(m_sim, QStringLiteral("fault wrong-echo VV count=1"), &error));
    EXPECT_EQ(exchange("!VV0000\r", 0), QByteArray("!VX0145\r"));
    EXPECT_TRUE(applyControl(m_sim, QStringLiteral("fault replace VV text=!VV\\r"), &error));
    EXPECT_EQ(exchange("!VV0000\r", 1), QByteArray("!VV\r"));
    EXPECT_TRUE(applyControl(m_sim, QStringLiteral("clear-faults"), &error));
    EXPECT_EQ(exchange("!VV0000\r", 2), QByteArray("!VV0145\r"));
    EXPECT_TRUE(applyControl(m_sim, QStringLiteral("model triple"), &error));
    EXPECT_EQ(m_sim.state().model, Model::Triple);
    EXPECT_FALSE(applyControl(m_sim, QStringLiteral("model quad"), &error));
    EXPECT_FALSE(applyControl(m_sim, QStringLiteral("launch rockets"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(SimLineTest, EveryCommandIsAnsweredWithItsEcho)
{
    // ("PR" is left out: its reply is followed by a text stream.)
    size_t done = 0;
    for (const char* m : {"RE", "LE", "WE", "UC", "VV", "CS", "DA", "RL", "DR", "HL", "LL", "MD",
                          "OT", "MS", "TT", "tt", "TS", "ts", "TE", "te", "C0", "C1", "CT", "BS", "LS",
                          "GC", "ST", "RS", "SO", "GA", "NM", "AS", "PL", "LO", "LG", "AG", "NS", "BV",
                          "KP", "ML", "OF"}) {
        const QByteArray reply = exchange("!" + QByteArray(m) + "0001\r", done++, 5);
        EXPECT_TRUE(reply.startsWith("!" + QByteArray(m))) << m << ": " << reply.constData();
        EXPECT_TRUE(reply.endsWith('\r')) << m;
    }
}

} // namespace
