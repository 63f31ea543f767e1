// The one float formatter behind every picture string of the program.
#include "link/FloatFormat.h"

#include <gtest/gtest.h>

using vela::link::FormatFloat;

TEST(FloatFormat, PictureTable)
{
    const struct {
        const char* picture;
        double value;
        const char* text;
    } cases[] = {
        {"###0.0", 93.0, "93.0"},          {"###0.0", 0.04, "0.0"},         {"###0.0", 100.05, "100.1"},
        {"###0.0", -2.25, "-2.3"},         {"###0.0", 12345.67, "12345.7"}, {"###0.0", -0.04, "0.0"},
        {"###0.0000", 0.5, "0.5000"},      {"###0.0000", -1.23456, "-1.2346"},
        {"0.000E+00 ", 1.234e-3, "1.234E-03 "}, {"0.000E+00 ", 0, "0.000E+00 "},
        {"0.000E+00 ", 98765.4, "9.877E+04 "},  {"0.000E+00 ", -0.00999951, "-1.000E-02 "},
        {"0.000E+00 ", 1.5e123, "1.500E+123 "}, {"0.00E-00", 1500, "1.50E03"},
        {"0.00", 5.5, "5.50"},             {"0.00", 1.005, "1.01"},         {"0.00", 0.125, "0.13"},
        {"0.00", 2.675, "2.68"},           {"0.00", 999.999, "1000.00"},
        {"####", 60, "60"},                {"####", 0, ""},                 {"####", 119.5, "120"},
        {"####.0", 0.5, ".5"},             {"####.0", 42, "42.0"},          {"0.##", 1, "1"},
        {"0.##", 1.5, "1.5"},              {"#,##0", 1234567, "1,234,567"}, {"00000", 42, "00042"},
        {"\"V=\"0.0", 3.14, "V=3.1"},       {"0.0 V", 3.14, "3.1 V"},
        {"0.0;(0.0)", -2, "(2.0)"},        {"0.0;(0.0);zero", 0, "zero"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(QString::fromLatin1(c.picture), c.value), QString::fromLatin1(c.text))
            << c.picture << " of " << c.value;
}

TEST(FloatFormat, NotANumber)
{
    EXPECT_EQ(FormatFloat(QStringLiteral("0.00"), std::numeric_limits<double>::quiet_NaN()), QStringLiteral("NAN"));
    EXPECT_EQ(FormatFloat(QStringLiteral("0.00"), -std::numeric_limits<double>::infinity()), QStringLiteral("-INF"));
}
