#include "ChartTestData.h"
#include "charts/ResultsChartModel.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using namespace vela::charts;
using vela::test::glossRecord;
using vela::test::opacityRecord;
using vela::test::rampRecord;

namespace {

class ChartModel : public ::testing::Test {
protected:
    bool plot(int slot, const vela::results::ResultsRecord& r)
    {
        model.storeResults(slot, r);
        return model.PlotSlot(slot);
    }
    ResultsChartModel model;
};

} // namespace

TEST_F(ChartModel, PlotsSamplesAgainstTheirNumbers)
{
    ASSERT_TRUE(plot(0, glossRecord({85.5f, 86.0f, 84.25f})));
    const QList<QPointF> pts = model.points(0);
    ASSERT_EQ(pts.size(), 3);
    EXPECT_EQ(pts[0], QPointF(1, 85.5));
    EXPECT_EQ(pts[2], QPointF(3, 84.25));
    EXPECT_DOUBLE_EQ(model.peak(), 86.0);
    EXPECT_DOUBLE_EQ(model.trough(), 84.25);
    EXPECT_DOUBLE_EQ(model.leftAxis().maximum, 100.0);
    EXPECT_DOUBLE_EQ(model.leftAxis().minimum, 0.0);
    EXPECT_DOUBLE_EQ(model.bottomAxis().minimum, 1.0);
    EXPECT_DOUBLE_EQ(model.bottomAxis().maximum, 3.0);
}

TEST_F(ChartModel, SampleCountsOutsideTheRecordAreNotPlotted)
{
    ASSERT_TRUE(plot(2, rampRecord(5, 10.0f, 1.0f)));
    // 0, negative, and counts beyond the 1,000 values a record holds (a corrupted count):
    // refused, and the slot keeps what it showed.
    for (int count : {0, -1, 1001, 19999, 20000, std::numeric_limits<int>::max()}) {
        vela::results::ResultsRecord r = rampRecord(5, 50.0f, 1.0f);
        r.sampleCount = count;
        EXPECT_FALSE(plot(2, r)) << count;
        EXPECT_EQ(model.points(2).size(), 5) << count;
    }
    ASSERT_TRUE(plot(2, rampRecord(1, 7.0f, 0.0f)));
    EXPECT_EQ(model.points(2).size(), 1);
    ASSERT_TRUE(plot(2, rampRecord(1000, 0.0f, 0.5f)));
    EXPECT_EQ(model.points(2).size(), 1000);
    EXPECT_EQ(model.points(2).last(), QPointF(1000, 499.5));
}

TEST_F(ChartModel, ValuesThatAreNotNumbersAreSkippedButKeepTheirPlace)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    ASSERT_TRUE(plot(0, glossRecord({1.0f, nan, 3.0f, inf, -inf})));
    const QList<QPointF> pts = model.points(0);
    ASSERT_EQ(pts.size(), 2);
    EXPECT_EQ(pts[1], QPointF(3, 3.0));
    EXPECT_EQ(model.extent(0), 5);
    EXPECT_DOUBLE_EQ(model.peak(), 3.0);
    EXPECT_DOUBLE_EQ(model.leftAxis().maximum, 10.0);

    ASSERT_TRUE(plot(0, glossRecord({nan, nan})));
    EXPECT_TRUE(model.points(0).isEmpty());
    EXPECT_NEAR(model.leftAxis().maximum, 0.1, 1e-6);  // a usable axis, not -20489.9
}

TEST_F(ChartModel, LaterSlotsWidenTheScaleUntilSlotZeroIsPlottedAgain)
{
    ASSERT_TRUE(plot(0, rampRecord(20, 40.0f, 0.5f)));   // peak 49.5
    EXPECT_DOUBLE_EQ(model.leftAxis().maximum, 50.0);
    ASSERT_TRUE(plot(3, rampRecord(35, 100.0f, 2.0f)));  // peak 168
    EXPECT_DOUBLE_EQ(model.leftAxis().maximum, 200.0);
    EXPECT_DOUBLE_EQ(model.bottomAxis().maximum, 35.0);
    ASSERT_TRUE(plot(1, rampRecord(5, 1.0f, 1.0f)));     // lower set: the scale keeps 168
    EXPECT_DOUBLE_EQ(model.leftAxis().maximum, 200.0);
    ASSERT_TRUE(plot(0, rampRecord(20, 40.0f, 0.5f)));
    EXPECT_DOUBLE_EQ(model.leftAxis().maximum, 50.0);
    EXPECT_DOUBLE_EQ(model.peak(), 49.5);
}

TEST_F(ChartModel, DataLimitsAndTheSampleAxis)
{
    ASSERT_TRUE(plot(0, rampRecord(20, 40.0f, 1.0f)));
    model.SetLeftAxisAutomatic();
    model.SetSampleAxis(0);
    EXPECT_TRUE(model.leftAxis().automatic);
    EXPECT_DOUBLE_EQ(model.leftAxis().minimum, 40.0);
    EXPECT_DOUBLE_EQ(model.leftAxis().maximum, 59.0);
    EXPECT_DOUBLE_EQ(model.bottomAxis().minimum, 0.0);
    for (double t : model.leftTicks()) {
        EXPECT_GE(t, 40.0);
        EXPECT_LE(t, 59.0);
    }
    model.SetGlossScale(50);
    EXPECT_FALSE(model.leftAxis().automatic);
    EXPECT_DOUBLE_EQ(model.leftAxis().maximum, 50.0);
    EXPECT_DOUBLE_EQ(model.leftAxis().increment, 5.0);

    model.ClearAllSlots();
    model.SetSampleAxis(1);
    EXPECT_DOUBLE_EQ(model.bottomAxis().maximum, 0.0);
}

TEST_F(ChartModel, ReflectanceListsGoToSlotsFifteenAndSixteen)
{
    model.storeOpacity(opacityRecord({82.0f, 83.0f, 81.5f}, {91.0f, 92.5f}));
    ASSERT_TRUE(model.PlotReflectance());
    EXPECT_EQ(model.points(kBlackSlot).size(), 3);
    EXPECT_EQ(model.points(kWhiteSlot).size(), 2);
    EXPECT_DOUBLE_EQ(model.peak(), 92.5);
    EXPECT_DOUBLE_EQ(model.trough(), 81.5);

    // A corrupted black count: only the white list is drawn, nothing read past 50 readings.
    vela::results::OpacityRecord op = opacityRecord({1.0f}, {95.0f, 96.0f, 97.0f});
    op.blackCount = 5000;
    model.storeOpacity(op);
    ASSERT_TRUE(model.PlotReflectance());
    EXPECT_TRUE(model.points(kBlackSlot).isEmpty());
    EXPECT_EQ(model.points(kWhiteSlot).size(), 3);

    op.whiteCount = -3;
    model.storeOpacity(op);
    EXPECT_FALSE(model.PlotReflectance());
    EXPECT_EQ(model.points(kWhiteSlot).size(), 3);  // unchanged
}

TEST_F(ChartModel, TitlesAndTheLegend)
{
    model.SetSlotTitle(QStringLiteral("C:\\data\\run7.res"), QString::fromUtf8("60 °"), 0);
    EXPECT_EQ(model.title(0), QString::fromUtf8("60 °run7"));
    EXPECT_TRUE(model.inLegend(0));
    model.ClearSlot(0);
    EXPECT_FALSE(model.inLegend(0));
    model.SetSlotTitle({}, {}, 4);
    EXPECT_FALSE(model.inLegend(4));
    model.SetSlotTitle(QStringLiteral("a.res"), {}, 17);  // no such slot: ignored
    EXPECT_TRUE(model.title(17).isEmpty());
}

TEST_F(ChartModel, HighlightOneSlotAtATime)
{
    model.HighlightSlot(3);
    SlotStyle s = model.style(3);
    EXPECT_EQ(s.colour, QColor(Qt::black));
    EXPECT_EQ(s.lineWidth, 2);
    EXPECT_EQ(s.markerHeight, 4);
    EXPECT_TRUE(s.valueMarks);
    EXPECT_EQ(model.style(4).colour, QColor(0x00, 0x00, 0x40));

    model.HighlightSlot(16);
    EXPECT_FALSE(model.isHighlighted(3));
    s = model.style(16);
    EXPECT_EQ(s.colour, QColor(Qt::white));
    EXPECT_EQ(s.lineWidth, 4);
    EXPECT_EQ(s.markerHeight, 8);

    model.HighlightSlot(17);  // not a slot: nothing changes
    EXPECT_TRUE(model.isHighlighted(16));
    model.SetNormalStyle(16);
    EXPECT_EQ(model.style(16).lineWidth, 2);
    EXPECT_EQ(model.style(16).markerHeight, 4);
    EXPECT_EQ(model.style(15).shape, MarkerShape::DownTriangle);
}

TEST_F(ChartModel, ReadOutFollowsSlotZerosSamples)
{
    vela::results::ResultsRecord r = rampRecord(20, 80.0f, 0.5f);
    r.values[11] = 85.34f;
    ASSERT_TRUE(plot(0, r));
    ReadOut out = model.readOut(12.2, 40.0);
    EXPECT_EQ(out.text, QStringLiteral("Samples 12 , 85.3 GU"));
    EXPECT_FLOAT_EQ(float(out.lineY), 85.34f);
    out = model.readOut(0.3, 40.0);  // left of sample 1
    EXPECT_EQ(out.text, QStringLiteral("Samples  , 80.0 GU"));
    out = model.readOut(27.0, 40.0);  // beyond the last sample: the last value
    EXPECT_FLOAT_EQ(float(out.value), 89.5f);

    model.setCurrentSlot(3);
    EXPECT_EQ(model.readOut(12.0, 40.04).text, QStringLiteral("Samples 12 , 40.0 GU"));
}

TEST_F(ChartModel, ReadOutNeverReadsPastTheRecord)
{
    vela::results::ResultsRecord r = rampRecord(3, 10.0f, 1.0f);
    r.sampleCount = 1000000;  // corrupted
    model.storeResults(0, r);
    const ReadOut out = model.readOut(999999.0, 33.0);
    EXPECT_DOUBLE_EQ(out.value, 33.0);  // the pointer's own value
    r.sampleCount = 0;
    model.storeResults(0, r);
    EXPECT_DOUBLE_EQ(model.readOut(2.0, 7.5).value, 7.5);
}

TEST_F(ChartModel, CursorsAndTheRateOfChange)
{
    EXPECT_TRUE(model.hideTicked());
    model.SelectC1();
    EXPECT_EQ(model.selection(), CursorSelection::C1);
    EXPECT_TRUE(model.deltaVisible());
    model.moveCursor(CursorId::C1, 10.0, 80.0);
    EXPECT_TRUE(model.cursorsActive());
    EXPECT_FALSE(model.hideTicked());
    EXPECT_TRUE(model.cursorsPlaced());
    model.SelectC2();
    EXPECT_EQ(model.selection(), CursorSelection::C2);
    model.moveCursor(CursorId::C2, 20.0, 90.0);
    EXPECT_DOUBLE_EQ(model.deltaX(), -10.0);
    EXPECT_DOUBLE_EQ(model.deltaY(), -10.0);
    EXPECT_DOUBLE_EQ(model.rate(), 1.0);
    model.moveCursor(CursorId::C2, 10.0, 95.0);  // same x
    EXPECT_DOUBLE_EQ(model.rate(), 0.0);

    model.clickOtherSeries();  // a click while one is selected deselects
    EXPECT_EQ(model.selection(), CursorSelection::None);
    model.clickCursor(CursorId::C2);
    EXPECT_EQ(model.selection(), CursorSelection::C2);
    model.HideC1C2();
    EXPECT_EQ(model.selection(), CursorSelection::None);
    EXPECT_FALSE(model.cursorsActive());
    EXPECT_FALSE(model.cursorsPlaced());
    EXPECT_FALSE(model.deltaVisible());
    model.HideC1C2();
    EXPECT_TRUE(model.cursorsActive());
    EXPECT_TRUE(model.cursorsPlaced());
}

TEST_F(ChartModel, ExportBlocks)
{
    ASSERT_TRUE(plot(1, glossRecord({1.0f, 2.0f, 3.0f})));
    model.setCurrentSlot(1);
    ASSERT_EQ(model.exportBlocks().size(), 1);
    EXPECT_EQ(model.exportBlocks().first(), (QList<float>{1.0f, 2.0f, 3.0f}));

    model.storeOpacity(opacityRecord({5.0f}, {6.0f, 7.0f}));
    model.setReflectanceFlag(1);
    model.setCurrentSlot(2);
    const QList<QList<float>> blocks = model.exportBlocks();
    ASSERT_EQ(blocks.size(), 2);
    EXPECT_EQ(blocks[0], QList<float>{5.0f});
    EXPECT_EQ(blocks[1], (QList<float>{6.0f, 7.0f}));
}
