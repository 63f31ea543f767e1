#include "charts/ChartText.h"
#include "charts/GlossScale.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using namespace vela::charts;

namespace {

struct ScaleCase {
    double m;
    float maximum;
    double increment;
};

} // namespace

TEST(GlossScale, TableGivesMaximumAndIncrement)
{
    const ScaleCase cases[] = {
        {0.0, 0.1f, 0.1},       {0.55, 0.6f, 0.1},      {0.99, 1.0f, 0.1},
        {1.0, 10.0f, 1.0},      {10.0, 10.0f, 1.0},     {10.01, 20.0f, 2.0},
        {20.0, 20.0f, 2.0},     {20.5, 50.0f, 5.0},     {100.0, 100.0f, 10.0},
        {150.0, 200.0f, 10.0},  {200.1, 500.0f, 50.0},  {1000.0, 1000.0f, 100.0},
        {1200.0, 1500.0f, 100.0}, {2000.0, 2000.0f, 100.0}, {2345.6, 2346.0f, 234.6},
        {2000.4, 2000.0f, 200.0},
    };
    for (const ScaleCase& c : cases) {
        const GlossScale s = glossScaleFor(c.m);
        EXPECT_FLOAT_EQ(s.maximum, c.maximum) << "m = " << c.m;
        EXPECT_NEAR(s.increment, c.increment, 1e-9) << "m = " << c.m;
    }
}

TEST(GlossScale, EveryScaleMenuValueIsItsOwnMaximum)
{
    for (int gu : {10, 20, 50, 100, 500, 1000, 1500, 2000})
        EXPECT_FLOAT_EQ(glossScaleFor(gu).maximum, float(gu)) << gu;
}

TEST(GlossScale, SafeScaleLeavesRoomAboveZero)
{
    // Nothing plotted (the running peak stays at its start), all values NaN, negative sets.
    for (double m : {-20490.0, -5.0, std::nan("")}) {
        const GlossScale s = safeGlossScaleFor(m);
        EXPECT_FLOAT_EQ(s.maximum, 0.1f) << m;
    }
    const GlossScale big = safeGlossScaleFor(std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isfinite(big.maximum));
    EXPECT_GT(big.maximum, 1e30f);
    EXPECT_FLOAT_EQ(safeGlossScaleFor(85.3).maximum, 100.0f);
}

TEST(GlossScale, TicksRunFromZeroToTheMaximum)
{
    const GlossScale s = glossScaleFor(2345.6);
    const QList<double> ticks = axisTicks(0.0, s.maximum, s.increment);
    ASSERT_EQ(ticks.size(), 11);
    EXPECT_EQ(formatAxisLabel(ticks[1]), QStringLiteral("234.6"));
    EXPECT_EQ(formatAxisLabel(ticks.last()), QStringLiteral("2346.0"));

    const GlossScale small = glossScaleFor(0.55);
    const QList<double> t2 = axisTicks(0.0, small.maximum, small.increment);
    ASSERT_EQ(t2.size(), 7);  // 0.0 .. 0.6, the last one kept despite rounding
    EXPECT_EQ(formatAxisLabel(t2.last()), QStringLiteral("0.6"));

    EXPECT_TRUE(axisTicks(0.0, 10.0, 0.0).isEmpty());
    EXPECT_TRUE(axisTicks(0.0, std::nan(""), 1.0).isEmpty());
    EXPECT_EQ(axisTicks(0.0, 1e12, 1.0).size(), 200);  // capped
}

TEST(GlossScale, NiceIncrementsAreOneTwoOrFive)
{
    EXPECT_DOUBLE_EQ(niceIncrement(19.0), 2.0);
    EXPECT_DOUBLE_EQ(niceIncrement(1000.0), 100.0);
    EXPECT_DOUBLE_EQ(niceIncrement(35.0), 5.0);
    EXPECT_DOUBLE_EQ(niceIncrement(0.0), 1.0);
}
