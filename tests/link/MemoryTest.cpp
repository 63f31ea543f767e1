// Memory reads and writes of the link against vela-sim: system data, slot headers, samples.
#include "SimLinkFixture.h"

#include "link/InstrumentData.h"

using vela::sim::FaultKind;
using vela::sim::InstrumentState;

namespace vela::test {
namespace {

class MemoryTest : public SimLinkFixture {
protected:
    void setSystemWords(const std::array<quint16, 10>& words)
    {
        m_sim->withState([&](InstrumentState& s) {
            for (int i = 0; i < 10; ++i)
                s.setWord(2 * i, words[size_t(i)]);
        });
    }
};

TEST_F(MemoryTest, SystemDataShowsTheInstrumentsTexts)
{
    const auto half = link::floatToWords(5.5f);
    setSystemWords({3, 0, 1, 0x0090, 2, 1, half[0], half[1], 60, 200});
    m_sim->withState([](InstrumentState& s) {
        s.setWord(2030, 0x5678);
        s.setWord(2032, 0x0001);
    });
    ASSERT_TRUE(m_link->ReadSystemData());
    const link::SystemDataView v = link::viewOf(m_link->System());
    EXPECT_EQ(v.angle, QStringLiteral("60°"));
    EXPECT_FALSE(v.singleAngleInst);
    EXPECT_TRUE(v.nonStats);
    EXPECT_FALSE(v.backlightOn);
    EXPECT_FALSE(v.opacity);
    EXPECT_EQ(v.language, QStringLiteral("Spanish"));
    EXPECT_EQ(v.languageTag, 2);
    EXPECT_EQ(v.calibrationMode, QStringLiteral("Auto Cal"));
    EXPECT_EQ(v.minSupplyVoltage, QStringLiteral("5.50"));
    EXPECT_EQ(v.onTime, 60);
    EXPECT_EQ(v.bulbSettlingTime, QStringLiteral("200"));
    EXPECT_EQ(v.soakTestSamples, QStringLiteral("87672"));
    EXPECT_EQ(countFrames("!LBa5a5"), 1) << "the guard comes first";
}

TEST(SystemDataView, CodesOutsideTheTables)
{
    link::SystemData d;
    d.words = {9, 0, 0, 0x02, 9, 0, 0, 0, 30, 0};
    const link::SystemDataView v = link::viewOf(d);
    EXPECT_EQ(v.angle, QStringLiteral("xx°"));
    EXPECT_EQ(v.language, QStringLiteral("english"));
    EXPECT_EQ(v.languageTag, -1);
    EXPECT_TRUE(v.singleAngleInst);
    EXPECT_TRUE(v.opacity);
    EXPECT_TRUE(v.backlightOn);
    EXPECT_EQ(v.calibrationMode, QStringLiteral("Manual Cal"));
    const char* angles[][2] = {{"0", "20°"}, {"1", "45°"}, {"2", "45/0°"}, {"3", "60°"}, {"5", "85°"}, {"6", "ALL"}};
    for (const auto& a : angles)
        EXPECT_EQ(link::angleText(QByteArray(a[0]).toInt()), QString::fromUtf8(a[1]));
}

TEST_F(MemoryTest, MemoryBusyStopsEveryRead)
{
    m_sim->withState([](InstrumentState& s) { s.memoryBusy = true; });
    m_link->Timings().memoryBusyTimeBase = kTimeBase;  // the answer must not be missed
    EXPECT_TRUE(m_link->MemoryBusy());
    EXPECT_FALSE(m_link->ReadSystemData());
    EXPECT_FALSE(m_link->ReadSlotHeader(3));
    EXPECT_FALSE(m_link->ReadSlotSamples(1));
    EXPECT_EQ(countFrames("!RE"), 0);
    m_sim->withState([](InstrumentState& s) { s.memoryBusy = false; });
    m_link->Timings().memoryBusyTimeBase = kShortTimeBase;
    EXPECT_FALSE(m_link->MemoryBusy());
    EXPECT_TRUE(m_link->ReadSystemData());
}

TEST_F(MemoryTest, SlotSamplesMatchTheInstrument)
{
    const std::vector<float> values = {55.1f, 54.8f, 55.6f, 55.0f, 54.9f, 55.3f};
    m_sim->withState([&](InstrumentState& s) {
        vela::sim::storeSamples(s, 1, values);
        vela::sim::SlotCalibration cal;
        cal.gain = 1.234e-3f;
        cal.offset = -0.5f;
        cal.sourcePot = 70;
        cal.receiverPot = 81;
        vela::sim::setSlotCalibration(s, 1, cal);
    });
    ASSERT_TRUE(m_link->ReadSlotSamples(1));
    const link::SlotData& slot = m_link->Slot(1);
    EXPECT_TRUE(slot.countValid);
    EXPECT_EQ(slot.samples, values);
    EXPECT_NEAR(slot.header.mean(), 55.1167, 1e-3);
    EXPECT_FLOAT_EQ(slot.header.maximum(), 55.6f);
    const link::SlotView v = link::viewOf(slot.header);
    EXPECT_EQ(v.samples, QStringLiteral("6"));
    EXPECT_EQ(v.gain, QStringLiteral("1.234E-03 "));
    EXPECT_EQ(v.offset, QStringLiteral("-0.5000"));
    EXPECT_EQ(v.sourcePot, QStringLiteral("70"));
    EXPECT_EQ(v.receiverPot, QStringLiteral("81"));
    EXPECT_EQ(v.highLimit, QStringLiteral("100.0"));
    EXPECT_EQ(v.maxDifference, QStringLiteral("10.0"));
    EXPECT_EQ(v.targetGloss, QStringLiteral("93.0"));
    EXPECT_EQ(countFrames("!RE"), 28 + 12);
}

TEST_F(MemoryTest, SampleCountsDecideWhatIsRead)
{
    const struct {
        qint16 count;
        int sampleWordsRead;
    } cases[] = {{0, 0}, {-1, 0}, {3, 6}, {250, 400}};
    for (const auto& c : cases) {
        m_sim->withState([&](InstrumentState& s) { s.setWord(1676, quint16(c.count)); });
        m_sim->clearTranscript();
        EXPECT_TRUE(m_link->ReadSlotSamples(1)) << c.count;
        EXPECT_EQ(countFrames("!RE"), 28 + c.sampleWordsRead) << c.count;
        EXPECT_EQ(int(m_link->Slot(1).samples.size()), c.sampleWordsRead / 2) << c.count;
    }
}

TEST_F(MemoryTest, HeadersFollowTheMemoryBase)
{
    m_link->SetMemoryBase(4096);
    ASSERT_TRUE(m_link->ReadSlotHeader(1));
    const QList<QByteArray> f = frames();
    ASSERT_GE(f.size(), 2);
    EXPECT_EQ(f[1], QByteArray("!RE168c\r")) << "slot 1 header at 4096 + 1676 = 5772";
    EXPECT_EQ(countFrames("!RE"), 28);
    m_sim->clearTranscript();
    ASSERT_TRUE(m_link->ReadSlotHeader(3));
    EXPECT_EQ(countFrames("!RE"), 3 * 28);
}

TEST_F(MemoryTest, BlockReadStopsAtTheFirstTimeOut)
{
    sim::FaultRule rule;
    rule.kind = FaultKind::NoReply;
    rule.mnemonic = "RE";
    rule.skip = 3;
    rule.count = 1;
    m_sim->addFault(rule);
    fault(FaultKind::WrongEcho, "RE");  // the first word fails without a time-out
    shortWaits();
    std::array<quint16, 10> words{};
    words.fill(0x1111);
    EXPECT_FALSE(m_link->ReadMemoryBlock(2040, words.data(), 10));
    EXPECT_EQ(words[0], 0) << "a failure without time-out reads as 0";
    EXPECT_EQ(words[1], 0x1234);
    EXPECT_EQ(words[4], 0x1111) << "nothing after the time-out";
    EXPECT_EQ(countFrames("!RE"), 4);
}

TEST_F(MemoryTest, ReadsOnAClosedPortFailInsteadOfReadingZeros)
{
    ASSERT_TRUE(m_link->ReadSystemData());
    const std::array<qint16, 10> before = m_link->System().words;
    m_link->Comms().Close();
    std::array<quint16, 4> words{1, 2, 3, 4};
    EXPECT_FALSE(m_link->ReadMemoryBlock(2040, words.data(), 4)) << "nothing could be sent";
    EXPECT_EQ(words, (std::array<quint16, 4>{1, 2, 3, 4})) << "no word was read";
    EXPECT_FALSE(m_link->ReadSystemData());
    EXPECT_EQ(m_link->System().words, before);
    EXPECT_FALSE(m_link->ReadSlotHeader(3));
    EXPECT_FALSE(m_link->Slot(0).countValid);
    EXPECT_FALSE(m_link->ReadSlotSamples(3));
}

TEST_F(MemoryTest, HeaderTimeOutLeavesCountNotValid)
{
    fault(FaultKind::NoReply, "RE");
    shortWaits();
    EXPECT_FALSE(m_link->ReadSlotHeader(3));
    EXPECT_FALSE(m_link->Slot(0).countValid);
    EXPECT_EQ(countFrames("!RE"), 1) << "later slots are not read after a failure";
}

TEST_F(MemoryTest, WordWriteAndItsFailureMessage)
{
    quint32 reply = 0;
    EXPECT_TRUE(m_link->WriteMemoryWordQuiet(2064, 0x3130, &reply));
    EXPECT_EQ(reply, 0x3130u);
    EXPECT_EQ(m_sim->state().word(2064), 0x3130);
    EXPECT_EQ(frames().mid(0, 2), (QList<QByteArray>{"!LE0810\r", "!WE3130\r"}));
    fault(FaultKind::NoReply, "LE");
    shortWaits();
    dialogs().expectMessage(QStringLiteral("Vela-DuzirIriz Eeprom write failure."), platform::IDOK);
    EXPECT_FALSE(m_link->WriteMemoryWord(2042, 1));
    EXPECT_EQ(countFrames("!WE"), 1) << "no WE after a failed LE";
}

TEST_F(MemoryTest, ProbeRestoresTheTimeBase)
{
    quint32 version = 0;
    m_link->SetTimeBase(1234);
    EXPECT_TRUE(m_link->ProbeInstrument(&version));
    EXPECT_EQ(version, 325u);
    EXPECT_EQ(m_link->TimeBase(), 1234);
    EXPECT_FALSE(m_link->MemoryBusy());
    EXPECT_EQ(m_link->TimeBase(), 1234);
}

} // namespace
} // namespace vela::test
