// Stream collector and parsers on the printouts vela-sim produces, and on damaged streams.
#include "TestSupport.h"
#include "connect/StreamCollector.h"
#include "connect/StreamParser.h"
#include "sim/TextStream.h"

namespace vela::connect {
namespace {

QByteArray fromIdentity(const QByteArray& buffer)
{
    const qsizetype at = findIdentity(buffer);
    return at < 0 ? QByteArray() : buffer.mid(at);
}

TEST(StreamParserTest, GlossStreamsOfEveryKind)
{
    struct Case {
        sim::StreamKind kind;
        int angle;
        bool curveType;
        SlotType slot;
        const char* name;
    };
    const Case cases[] = {
        {sim::StreamKind::Gloss, 85, false, SlotType::Deg85, "Vela-Gloss"},
        {sim::StreamKind::Gloss, 20, false, SlotType::Deg20, "Vela-Gloss"},
        {sim::StreamKind::Gloss, 75, false, SlotType::Deg75, "Vela-Gloss"},
        {sim::StreamKind::Curve, 60, true, SlotType::Curve, "Vela-Curve"},
        {sim::StreamKind::Gloss, 60, false, SlotType::Deg60, "Vela-Gloss"},
        {sim::StreamKind::Shade, 0, false, SlotType::Deg45_0, "Vela-Shade"},
    };
    const std::vector<float> values = {12.5f, 88.0f, 101.5f};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray s = fromIdentity(sim::glossStreamText(c.kind, c.angle, values));
        ASSERT_TRUE(isGlossStream(s));
        const GlossStream g = parseGlossStream(s, c.curveType);
        ASSERT_TRUE(g.ok) << g.error.toStdString();
        EXPECT_EQ(g.slotType, c.slot);
        EXPECT_EQ(g.record.instrument(), QLatin1String(c.name));
        ASSERT_EQ(g.record.sampleCount, 3);
        EXPECT_FLOAT_EQ(g.record.values[0], 12.5f);
        EXPECT_FLOAT_EQ(g.record.values[2], 101.5f);
        EXPECT_FLOAT_EQ(g.record.maxGloss, 101.5f);
        EXPECT_FLOAT_EQ(g.record.minGloss, 12.5f);
        EXPECT_NEAR(g.record.meanGloss, 67.3f, 0.05f);
        EXPECT_EQ(g.record.stdDev, 0.0f);
    }
}

TEST(StreamParserTest, DamagedGlossStreamsAreRejected)
{
    const QByteArray good = fromIdentity(sim::glossStreamText(sim::StreamKind::Gloss, 60, {50.0f, 51.0f}));
    QByteArray noValue = good;
    noValue.replace("VALUE", "VAL-E");
    QByteArray noCr = good;
    noCr.replace('\r', ' ');
    QByteArray claims = good;
    claims.replace(46, 4, "5000");
    QByteArray claimsMore = good;
    claimsMore.replace(46, 4, "3   ");
    const QByteArray cases[] = {good.left(40), good.left(101), noValue, noCr, claims, claimsMore,
                                good.left(good.indexOf("51.0"))};
    for (const QByteArray& c : cases) {
        SCOPED_TRACE(c.toStdString());
        EXPECT_FALSE(parseGlossStream(c, false).ok);
    }
    EXPECT_TRUE(parseGlossStream(good, false).ok);
}

TEST(StreamParserTest, OpacityBatches)
{
    const QByteArray s = fromIdentity(sim::opacityStreamText(sim::demoOpacityBatches()));
    ASSERT_TRUE(isOpacityStream(s));
    const OpacityStream o = parseOpacityStream(s);
    ASSERT_TRUE(o.ok);
    EXPECT_TRUE(o.error.isEmpty());
    EXPECT_EQ(o.batchCount, 2);
    ASSERT_EQ(o.batches.size(), 2u);
    EXPECT_FLOAT_EQ(o.batches[0].result1, 88.5f);
    EXPECT_FLOAT_EQ(o.batches[0].result3, 3.5f);
    EXPECT_EQ(o.batches[0].black, (std::vector<float>{4.12f, 4.18f, 4.05f}));
    EXPECT_EQ(o.batches[1].white, (std::vector<float>{47.1f, 47.4f}));
    // More readings than a batch holds: the first 50 are kept.
    sim::OpacityBatchText big{1, 2, 3, std::vector<float>(70, 5.0f), {6.0f}};
    const OpacityStream b = parseOpacityStream(fromIdentity(sim::opacityStreamText({big})));
    ASSERT_EQ(b.batches.size(), 1u);
    EXPECT_EQ(b.batches[0].black.size(), 50u);
    // A stream claiming more batches than it holds keeps only the complete ones.
    QByteArray claims = s;
    claims.replace("TAKEN,2", "TAKEN,5000");
    const OpacityStream c = parseOpacityStream(claims);
    EXPECT_EQ(c.batches.size(), 2u);
    EXPECT_FALSE(c.error.isEmpty());
    // Cut inside the second batch: only the first is complete.
    const OpacityStream cut = parseOpacityStream(s.left(s.lastIndexOf("White")));
    EXPECT_EQ(cut.batches.size(), 1u);
    EXPECT_FALSE(parseOpacityStream("VELA-PAC no count TEST").ok);
}

TEST(StreamCollectorTest, MarksNeedALookBackByte)
{
    StreamCollector c;
    c.reset();
    std::vector<StreamCollector::Event> events;
    for (const char b : QByteArray("VELA-GLOSS ... TEST\r"))
        events.push_back(c.append(b));
    // The identity at the very first byte is never seen.
    EXPECT_FALSE(c.started());
    EXPECT_EQ(events.back(), StreamCollector::Event::EndedBeforeStart);
    c.reset();
    StreamCollector::Event last = StreamCollector::Event::None;
    for (const char b : QByteArray("\r\nVELA-GLOSS TEST"))
        last = c.append(b);
    EXPECT_TRUE(c.started());
    EXPECT_EQ(last, StreamCollector::Event::None);  // "TEST" is the last byte: not yet
    EXPECT_EQ(c.append('\r'), StreamCollector::Event::Ended);
}

TEST(StreamCollectorTest, NoiseNeverFillsTheBufferForGood)
{
    StreamCollector c;
    c.reset();
    for (int i = 0; i < 70000; ++i)
        EXPECT_NE(c.append(char('a' + i % 20)), StreamCollector::Event::Overflow);
    EXPECT_LE(c.length(), kStreamCapacity);
    EXPECT_GT(c.discarded(), 0);
    for (const char b : QByteArray("\r\nVELA-GLOSS"))
        c.append(b);
    EXPECT_TRUE(c.started());
    // A started stream that outgrows the buffer is reported once.
    int overflows = 0;
    for (int i = 0; i < 70000; ++i)
        overflows += c.append('x') == StreamCollector::Event::Overflow ? 1 : 0;
    EXPECT_EQ(overflows, 1);
    EXPECT_EQ(c.length(), kStreamCapacity);
}

} // namespace
} // namespace vela::connect
