// Number format codes as cells, TEXT() and exports show them.
#include "workbook/engine/NumberFormat.h"

#include <gtest/gtest.h>

using namespace vela::workbook;

namespace {

TEST(NumberFormat, CodesTable)
{
    struct Case {
        double value;
        const char* code;
        const char* shown;
    };
    const Case cases[] = {
        {1234.5678, "General", "1234.5678"},
        {1234.5678, "0.0", "1234.6"},
        {1234.5678, "0", "1235"},
        {1234.5678, "#,##0.00", "1,234.57"},
        {-1234.5678, "#,##0.00", "-1,234.57"},
        {1234567, "#,##0", "1,234,567"},
        {0.5, "#.00", ".50"},
        {0.5, "0.00", "0.50"},
        {5, "000", "005"},
        {2.5, "0.0#", "2.5"},
        {2.567, "0.0#", "2.57"},
        {0.125, "0%", "13%"},
        {0.125, "0.0%", "12.5%"},
        {12345.678, "0.00E+00", "1.23E+04"},
        {0.00012, "0.00E+00", "1.20E-04"},
        {2.675, "0.00", "2.68"},
        {1234567, "#,##0,", "1,235"},
        {-5, "0;(0)", "(5)"},
        {5, "0;(0)", "5"},
        {0, "0;-0;\"zero\"", "zero"},
        {-1, "0.00;[Red]-0.00", "-1.00"},
        {1.5, "\"Value: \"0.0", "Value: 1.5"},
        {39449, "dd/mm/yyyy", "02/01/2008"},
        {39449, "d-mmm-yy", "2-Jan-08"},
        {39449, "dddd d mmmm yyyy", "Wednesday 2 January 2008"},
        {39449.75, "hh:mm", "18:00"},
        {39449.75, "h:mm AM/PM", "6:00 PM"},
        {0.5 + 30.0 / 86400, "hh:mm:ss", "12:00:30"},
        {1.25, "[h]:mm", "30:00"},
        {39449.5, "dd/mm/yyyy hh:mm", "02/01/2008 12:00"},
        {60, "yyyy-mm-dd", "1900-02-29"},
        {4.34, "# ?/?", "4 1/3"},
        {0.75, "?/?", "3/4"},
        {42, "@", "42"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberFormat::formatNumber(c.value, QString::fromUtf8(c.code)), QString::fromUtf8(c.shown))
            << c.value << " with " << c.code;
}

TEST(NumberFormat, ColoursSectionsAndTexts)
{
    const FormattedValue red = NumberFormat::format(Value::number(-1), QStringLiteral("0.00;[Red]-0.00"));
    ASSERT_TRUE(red.color.has_value());
    EXPECT_EQ(*red.color, 0xFFFF0000u);
    EXPECT_FALSE(NumberFormat::format(Value::number(1), QStringLiteral("0.00;[Red]-0.00")).color.has_value());
    EXPECT_EQ(NumberFormat::format(Value::text(QStringLiteral("abc")), QStringLiteral("0;0;0;\"<\"@\">\"")).text, QStringLiteral("<abc>"));
    EXPECT_EQ(NumberFormat::format(Value::text(QStringLiteral("abc")), QStringLiteral("0.00")).text, QStringLiteral("abc"));
    EXPECT_EQ(NumberFormat::format(Value::boolean(true), QStringLiteral("0.00")).text, QStringLiteral("TRUE"));
    EXPECT_EQ(NumberFormat::format(Value::error(ErrorCode::Div0), QStringLiteral("0.00")).text, QStringLiteral("#DIV/0!"));
}

TEST(NumberFormat, Categories)
{
    EXPECT_EQ(NumberFormat::category(QStringLiteral("General")), 0);
    EXPECT_EQ(NumberFormat::category(QStringLiteral("#,##0.00")), 1);
    EXPECT_EQ(NumberFormat::category(QStringLiteral("\"$\"#,##0.00")), 2);
    EXPECT_EQ(NumberFormat::category(QStringLiteral("d/m/yyyy")), 3);
    EXPECT_EQ(NumberFormat::category(QStringLiteral("hh:mm:ss")), 4);
    EXPECT_EQ(NumberFormat::category(QStringLiteral("0%")), 5);
    EXPECT_EQ(NumberFormat::category(QStringLiteral("# ?/?")), 6);
    EXPECT_EQ(NumberFormat::category(QStringLiteral("0.00E+00")), 7);
    EXPECT_EQ(NumberFormat::category(QStringLiteral("@")), 8);
    for (const QString& code : NumberFormat::builtInCodes())
        EXPECT_FALSE(NumberFormat::formatNumber(1234.5, code).isEmpty()) << code.toStdString();
}

TEST(NumberFormat, DateSerials)
{
    EXPECT_EQ(NumberFormat::dateSerial(1900, 1, 1), 1);
    EXPECT_EQ(NumberFormat::dateSerial(1900, 2, 28), 59);
    EXPECT_EQ(NumberFormat::dateSerial(1900, 3, 1), 61);
    EXPECT_EQ(NumberFormat::dateSerial(2008, 1, 2), 39449);
    EXPECT_EQ(NumberFormat::dateSerial(2020, 2, 30), -1);
    int y, m, d;
    ASSERT_TRUE(NumberFormat::serialToDate(39449, y, m, d));
    EXPECT_EQ(QString("%1-%2-%3").arg(y).arg(m).arg(d), QStringLiteral("2008-1-2"));
}

} // namespace
