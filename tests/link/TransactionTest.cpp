// The command transaction over a real pseudo-terminal against vela-sim.
#include "SimLinkFixture.h"

#include <QElapsedTimer>
#include <QTimer>

using vela::link::InstrumentLink;
using vela::sim::FaultKind;

namespace vela::test {
namespace {

class TransactionTest : public SimLinkFixture {};

TEST(TransactionFrame, ValuesAreLowercaseHexWithAtLeastFourDigits)
{
    const struct {
        qint32 value;
        const char* frame;
    } cases[] = {{5, "!RE0005\r"},    {0x7f8, "!RE07f8\r"},     {0x1234, "!RE1234\r"},
                 {0x12345, "!RE12345\r"}, {-1, "!REffffffff\r"}, {0, "!RE0000\r"}};
    for (const auto& c : cases)
        EXPECT_EQ(InstrumentLink::BuildFrame("RE", c.value), QByteArray(c.frame)) << c.value;
    EXPECT_EQ(InstrumentLink::BuildFrame("tt", 42405), QByteArray("!tta5a5\r"));
}

TEST(TransactionFrame, ReplyValueParsing)
{
    const struct {
        const char* reply;
        quint32 value;
    } cases[] = {
        {"!VV0123", 0x123},       {"!VV", 0},           {"!VVzz", 0},
        {"!VV  7f8", 0x7f8},      {"!VV0x1F", 0x1f},    {"!VV-1", 0xFFFFFFFFu},
        {"!VV+10", 0x10},         {"!VV12g4", 0x12},    {"!VVffff", 0xFFFF},
        {"!VV7fffffff", 0x7FFFFFFF}, {"!VVffffffff", 0x7FFFFFFF},
        {"!VV123456789abc", 0x7FFFFFFF}, {"!VV-ffffffff", 0x80000000u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InstrumentLink::ParseReplyValue(c.reply), c.value) << c.reply;
}

TEST_F(TransactionTest, FramesReachTheInstrumentByteForByte)
{
    for (qint32 v : {5, 0x7f8, 0x1234, 0x12345, -1})
        EXPECT_TRUE(m_link->SendCommand("RE", v)) << v;
    const QList<QByteArray> expected = {"!RE0005\r", "!RE07f8\r", "!RE1234\r", "!RE12345\r", "!REffffffff\r"};
    EXPECT_EQ(frames(), expected);
}

TEST_F(TransactionTest, RepliesAsTheyArrive)
{
    const struct {
        const char* name;
        const char* mnemonic;
        qint32 value;
        QByteArray replyText;  // sent instead of the instrument's reply
        bool ok;
        quint32 replyValue;
        QByteArray replyLine;
    } cases[] = {
        {"echo case ignored", "RE", 0x7f8, "!re07F8\r", true, 0x7F8, "!re07F8"},
        {"noise before bang", "VV", 0, "xx!VV0123\r", true, 0x123, "!VV0123"},
        {"no digits", "VV", 0, "!VV\r", true, 0, "!VV"},
        {"two replies in one read", "VV", 0, "!VV0001\r!VV0002\r", true, 1, "!VV0001"},
        {"line feed after CR", "VV", 0, "!VV0042\r\n", true, 0x42, "!VV0042"},
        {"wrong echo", "VV", 0, "!VX0123\r", false, 0xDEAD, "!VX0123"},
    };
    for (const auto& c : cases) {
        fault(FaultKind::Replace, c.mnemonic, c.replyText);
        quint32 value = 0xDEAD;
        QByteArray line;
        const int purges = m_link->Comms().PurgeCount();
        EXPECT_EQ(m_link->SendCommand(c.mnemonic, c.value, &value, &line), c.ok) << c.name;
        EXPECT_EQ(value, c.replyValue) << c.name;
        EXPECT_EQ(line, c.replyLine) << c.name;
        EXPECT_FALSE(m_link->AbortFlag()) << c.name;
        EXPECT_EQ(m_link->Comms().PurgeCount(), purges) << c.name << ": only a time-out purges";
    }
    // The line is still good afterwards.
    quint32 version = 0;
    EXPECT_TRUE(m_link->SendCommand("VV", 0, &version));
    EXPECT_EQ(version, 325u);
}

TEST_F(TransactionTest, NoiseFaultAndSplitReplySucceed)
{
    fault(FaultKind::Noise, "RE", "\x01\x7fgarbage");
    EXPECT_EQ(m_link->ReadMemoryWord(2040), 0xFFFF);
    fault(FaultKind::SplitReply, "RE", {}, 3);
    EXPECT_EQ(m_link->ReadMemoryWord(2040), 0xFFFF);
}

TEST_F(TransactionTest, TimeOutFailsPurgesAndLeavesValueAlone)
{
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    fault(FaultKind::NoReply, "VV");
    shortWaits();
    const int purges = m_link->Comms().PurgeCount();
    quint32 value = 77;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(m_link->SendCommand("VV", 0, &value));
    EXPECT_GE(clock.elapsed(), kShortTimeBase);
    EXPECT_EQ(value, 77u);
    EXPECT_TRUE(m_link->AbortFlag());
    EXPECT_EQ(m_link->Comms().PurgeCount(), purges + 1);
    EXPECT_GT(ticks, 2) << "timers must run while a transaction waits";
}

TEST_F(TransactionTest, IncompleteLinesFailWithinTheWait)
{
    const struct {
        const char* name;
        FaultKind kind;
        QByteArray text;
        int bytes;
    } cases[] = {
        {"cut reply", FaultKind::CutReply, {}, 5},
        {"endless line", FaultKind::Endless, {}, 200000},
        {"garbage", FaultKind::Replace, QByteArray("\xff\xfe\x00zz!!!q\x80", 10), -1},
    };
    for (const auto& c : cases) {
        fault(c.kind, "RE", c.text, 0, 1, c.bytes);
        shortWaits();
        QElapsedTimer clock;
        clock.start();
        quint32 value = 5;
        EXPECT_FALSE(m_link->SendCommand("RE", 2040, &value)) << c.name;
        EXPECT_LT(clock.elapsed(), 2 * kShortTimeBase + 1000) << c.name;
        EXPECT_EQ(value, 5u) << c.name;
        m_link->SetTimeBase(kTimeBase);
        EXPECT_EQ(m_link->ReadMemoryWord(2040), 0xFFFF) << c.name << ": next transaction works";
    }
}

TEST_F(TransactionTest, LateReplyWithinTheWaitSucceeds)
{
    fault(FaultKind::LateReply, "VV", {}, 100);
    EXPECT_TRUE(m_link->SendCommand("VV", 0));
    // Too late: the transaction times out. The stale reply that arrives afterwards is drained
    // by the next transaction before it sends.
    fault(FaultKind::LateReply, "RE", {}, 300);
    shortWaits();
    EXPECT_FALSE(m_link->SendCommand("RE", 0));
    QThread::msleep(350);
    m_link->SetTimeBase(kTimeBase);
    quint32 value = 0;
    EXPECT_TRUE(m_link->SendCommand("RE", 2040, &value));
    EXPECT_EQ(value, 0xFFFFu);
}

TEST_F(TransactionTest, NestedTransactionIsRefused)
{
    fault(FaultKind::LateReply, "VV", {}, 100);
    bool innerResult = true;
    bool innerRan = false;
    QTimer::singleShot(10, [&] {
        innerRan = true;
        innerResult = m_link->SendCommand("RE", 0);
    });
    quint32 version = 0;
    EXPECT_TRUE(m_link->SendCommand("VV", 0, &version));
    EXPECT_EQ(version, 325u);
    EXPECT_TRUE(innerRan);
    EXPECT_FALSE(innerResult);
    EXPECT_EQ(m_link->RefusedTransactions(), 1);
    EXPECT_EQ(countFrames("!RE"), 0) << "the refused command never reaches the line";
}

TEST_F(TransactionTest, NestedMemoryReadIsRefusedWhole)
{
    fault(FaultKind::LateReply, "VV", {}, 100);
    bool innerResult = true;
    std::array<quint16, 4> words{1, 2, 3, 4};
    QTimer::singleShot(10, [&] {
        innerResult = m_link->ReadMemoryBlock(2040, words.data(), 4);
        EXPECT_FALSE(m_link->ReadSystemData());
    });
    EXPECT_TRUE(m_link->SendCommand("VV", 0));
    EXPECT_FALSE(innerResult);
    EXPECT_EQ(words, (std::array<quint16, 4>{1, 2, 3, 4})) << "nothing overwritten with zeros";
    EXPECT_EQ(countFrames("!RE"), 0);
}

TEST_F(TransactionTest, PortVanishingMidTransactionThenReopens)
{
    fault(FaultKind::Unplug, "VV", {}, 50);
    shortWaits();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(m_link->SendCommand("VV", 0));
    EXPECT_LT(clock.elapsed(), 2 * kShortTimeBase + 1000);
    EXPECT_FALSE(m_link->SendCommand("VV", 0)) << "the lost device is not used again";
    EXPECT_EQ(m_link->PendingBytes(), -1);
    ASSERT_TRUE(m_sim->waitForExchanges(1, 100));
    for (int i = 0; i < 100 && !m_sim->plugged(); ++i)
        QThread::msleep(5);
    m_link->SetTimeBase(kTimeBase);
    ASSERT_TRUE(openLink());
    EXPECT_TRUE(m_link->ProbeInstrument());
}

TEST_F(TransactionTest, RawByteOperations)
{
    char buffer[32];
    qint32 count = 16;
    EXPECT_FALSE(m_link->ReceiveBytes(buffer, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(m_link->PendingBytes(), 0);
    const char frame[] = "!VV0000\r";
    qint32 n = 8;
    EXPECT_TRUE(m_link->TransmitText(frame, n));
    EXPECT_EQ(n, 8);
    ASSERT_TRUE(m_sim->waitForExchanges(1, 1000));
    for (int i = 0; i < 200 && m_link->PendingBytes() < 8; ++i)
        QThread::msleep(2);
    EXPECT_EQ(m_link->PendingBytes(), 8);
    count = 31;
    EXPECT_TRUE(m_link->ReceiveBytes(buffer, count));
    EXPECT_EQ(QByteArray(buffer, count), QByteArray("!VV0145\r"));
    EXPECT_EQ(buffer[count], 0);
    EXPECT_TRUE(m_link->TransmitText(frame, n));
    ASSERT_TRUE(m_sim->waitForExchanges(2, 1000));
    QThread::msleep(20);
    EXPECT_TRUE(m_link->PurgePort());
    EXPECT_EQ(m_link->PendingBytes(), 0);
}

TEST_F(TransactionTest, ClosedPortFailsAtOnce)
{
    m_link->Comms().Close();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(m_link->SendCommand("VV", 0));
    EXPECT_LT(clock.elapsed(), kTimeBase);
    EXPECT_EQ(m_link->PendingBytes(), -1);
}

} // namespace
} // namespace vela::test
