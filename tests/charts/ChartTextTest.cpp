#include "charts/ChartText.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace vela::charts;

TEST(ChartText, ReadOutOfASample)
{
    EXPECT_EQ(readOutText(QStringLiteral("Samples"), 12.0, 85.34, QStringLiteral("GU")),
              QStringLiteral("Samples 12 , 85.3 GU"));
    // Left of the first sample: the number rounds to 0 and prints nothing.
    EXPECT_EQ(readOutText(QStringLiteral("Samples"), 0.3, 80.0, QStringLiteral("GU")),
              QStringLiteral("Samples  , 80.0 GU"));
    EXPECT_EQ(readOutText(QStringLiteral("Samples"), 4.6, 0.5, QStringLiteral("Ref")),
              QStringLiteral("Samples 5 , .5 Ref"));
}

TEST(ChartText, Pictures)
{
    struct Case {
        QString got;
        const char* want;
    };
    const Case cases[] = {
        {formatWhole(0.0), ""},          {formatWhole(0.49), ""},
        {formatWhole(12.5), "13"},       {formatWhole(-3.2), "-3"},
        {formatWhole(1000.0), "1000"},   {formatOneDecimal(0.5), ".5"},
        {formatOneDecimal(0.0), ".0"},   {formatOneDecimal(-0.5), "-.5"},
        {formatOneDecimal(-0.04), ".0"}, {formatOneDecimal(85.34), "85.3"},
        {formatOneDecimal(1234.56), "1234.6"}, {formatValueMark(0.5), "0.5"},
        {formatValueMark(85.34), "85.3"}, {formatValueMark(-0.04), "0.0"},
        {formatAxisLabel(10.0), "10.0"}, {formatAxisLabel(12.25), "12.25"},
        {formatAxisLabel(0.1 * 3), "0.3"}, {formatAxisLabel(234.6), "234.6"},
        {formatOneDecimal(std::nan("")), "nan"}, {formatWhole(INFINITY), "inf"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, QString::fromLatin1(c.want));
}

TEST(ChartText, RateAndPrintedCursorTexts)
{
    EXPECT_EQ(rateSuffix(0.0), QStringLiteral(" 0.00"));
    EXPECT_EQ(rateSuffix(1.5), QStringLiteral(" 1.50"));
    EXPECT_EQ(printCursorText(12.0, 85.34), QStringLiteral("12.000 s , 85.34 "));
    EXPECT_EQ(printRateText(-0.25), QStringLiteral(": -0.25 "));
}

TEST(ChartText, TitlesJoinLabelAndBaseName)
{
    const QString deg = QString::fromUtf8("60 °");
    EXPECT_EQ(slotTitle(QStringLiteral("C:\\data\\run7.res"), deg), QString::fromUtf8("60 °run7"));
    EXPECT_EQ(slotTitle(QStringLiteral("C:\\data\\run7.res"), QString::fromUtf8("45/0 °Black ")),
              QString::fromUtf8("45/0 °Black run7"));
    EXPECT_EQ(slotTitle(QStringLiteral("/home/lab/60Degree/panel.2.res"), {}),
              QStringLiteral("panel.2"));
    EXPECT_EQ(slotTitle({}, deg), deg);                     // label without a path
    EXPECT_EQ(slotTitle(QStringLiteral("C:\\data\\"), deg), deg);  // a folder, no file
    EXPECT_TRUE(slotTitle({}, {}).isEmpty());
    EXPECT_EQ(baseNameOf(QStringLiteral("run9")), QStringLiteral("run9"));
}
