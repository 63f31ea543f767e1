// Each function and operator as a table of formula -> expected value, with where the expected
// value comes from. The fixture sheet "Data" holds:
//   A1:A8 2,4,4,4,5,5,7,9   A9 "text"  A10 TRUE  A11 blank  A12 =""
//   B1:B5 "apple","Banana","cherry","  a  b  ","5" (text)
//   C1:C4 1,2,3,4           D1:D4 "one","two","three","four"
//   E1 =1/0  E2 #N/A        F1:F3 10,20,30
#include "workbook/engine/Workbook.h"

#include <gtest/gtest.h>

using namespace vela::workbook;

namespace {

struct Case {
    const char* formula;
    const char* expected; ///< Value::toString of the result
    const char* source;
};

class FunctionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Sheet* s = wb.sheet(0);
        wb.renameSheet(0, QStringLiteral("Data"));
        const double a[] = {2, 4, 4, 4, 5, 5, 7, 9};
        for (int i = 0; i < 8; ++i)
            s->setNumber(i + 1, 1, a[i]);
        s->setText(9, 1, QStringLiteral("text"));
        s->setValue(10, 1, Value::boolean(true));
        s->setFormula(12, 1, QStringLiteral("=\"\""));
        const char* b[] = {"apple", "Banana", "cherry", "  a  b  ", "5"};
        for (int i = 0; i < 5; ++i)
            s->setText(i + 1, 2, QString::fromLatin1(b[i]));
        const char* d[] = {"one", "two", "three", "four"};
        for (int i = 0; i < 4; ++i) {
            s->setNumber(i + 1, 3, i + 1);
            s->setText(i + 1, 4, QString::fromLatin1(d[i]));
        }
        s->setFormula(1, 5, QStringLiteral("=1/0"));
        s->setValue(2, 5, Value::error(ErrorCode::NA));
        for (int i = 0; i < 3; ++i)
            s->setNumber(i + 1, 6, 10 * (i + 1));
        wb.addSheet(QStringLiteral("My Sheet"))->setNumber(1, 1, 42);
    }

    void check(const std::vector<Case>& cases, CellRef at = {20, 20})
    {
        for (const Case& c : cases) {
            const Value v = wb.evaluate(QString::fromUtf8(c.formula), 0, at);
            EXPECT_EQ(v.toString(), QString::fromUtf8(c.expected)) << c.formula << "  [" << c.source << "]";
        }
    }

    Workbook wb;
};

TEST_F(FunctionsTest, Aggregates)
{
    check({
        {"=SUM(A1:A8)", "40", "SUM adds its arguments"},
        {"=SUM(A1:A12)", "40", "Excel docs SUM: text, logical values and empty cells in references are ignored"},
        {"=SUM(1,\"2\",TRUE)", "4", "Excel docs SUM: numbers as text and logical values typed directly count"},
        {"=SUM(\"x\",1)", "#VALUE!", "Excel docs: a direct argument that cannot become a number gives #VALUE!"},
        {"=SUM(A1,E1)", "#DIV/0!", "Excel docs SUM: error values in references give the error"},
        {"=SUM(E1:E2)", "#DIV/0!", "the first error met (reading order) wins"},
        {"=AVERAGE(A1:A8)", "5", "arithmetic mean"},
        {"=AVERAGE(A9:A11)", "#DIV/0!", "Excel docs AVERAGE: no numbers gives #DIV/0!"},
        {"=AVERAGE(1,TRUE)", "1", "Excel docs AVERAGE: logical values typed directly count"},
        {"=MIN(A1:A8)", "2", "smallest"},
        {"=MAX(A1:A8)", "9", "largest"},
        {"=MIN(A9:A11)", "0", "Excel docs MIN: no numbers gives 0"},
        {"=MAX(A1:A8,100)", "100", "references and direct numbers mix"},
        {"=COUNT(A1:A12)", "8", "Excel docs COUNT: only numbers in references"},
        {"=COUNT(1,\"2\",\"x\",TRUE)", "3", "Excel docs COUNT: direct numbers, numeric text and logicals count"},
        {"=COUNTA(A1:A12)", "11", "Excel docs COUNTA: any content, including empty text \"\""},
        {"=COUNTA(A11)", "0", "a blank cell is not counted"},
        {"=COUNTBLANK(A1:A12)", "2", "Excel docs COUNTBLANK: blank cells and formulas returning \"\""},
        {"=COUNTIF(A1:A8,4)", "3", "equal to a number"},
        {"=COUNTIF(A1:A8,\">4\")", "4", "comparison criterion"},
        {"=COUNTIF(A1:A8,\"<>4\")", "5", "not-equal criterion"},
        {"=COUNTIF(B1:B3,\"b*\")", "1", "Excel docs COUNTIF: wildcards, case-insensitive"},
        {"=COUNTIF(B1:B3,\"?PPLE\")", "1", "? matches one character"},
        {"=COUNTIF(A1:A12,\"\")", "2", "empty criterion counts blanks and empty text"},
        {"=SUMIF(A1:A3,\">3\",F1:F3)", "50", "Excel docs SUMIF: sums the matching cells of sum_range"},
        {"=SUMIF(A1:A8,\">4\")", "26", "without sum_range the range itself is summed"},
        {"=AVERAGEIF(A1:A8,\">4\")", "6.5", "mean of matching cells"},
        {"=AVERAGEIF(A1:A8,\">100\")", "#DIV/0!", "Excel docs AVERAGEIF: no match gives #DIV/0!"},
        {"=STDEV(A1:A8)", "2.1380899352994", "Excel docs STDEV: n-1 (sample), sqrt(32/7)"},
        {"=STDEVP(A1:A8)", "2", "Excel docs STDEVP: n (population); the classic example gives 2"},
        {"=VAR(A1:A8)", "4.57142857142857", "sample variance 32/7, 15 digits"},
        {"=VARP(A1:A8)", "4", "population variance 32/8"},
        {"=STDEV(5)", "#DIV/0!", "fewer than two values"},
        {"=MEDIAN(A1:A8)", "4.5", "Excel docs MEDIAN: even count averages the middle two"},
        {"=MEDIAN(3,1,2)", "2", "odd count takes the middle"},
    });
}

TEST_F(FunctionsTest, LogicalAndMath)
{
    check({
        {"=IF(A1>1,\"big\",\"small\")", "big", "Excel docs IF"},
        {"=IF(FALSE,1)", "FALSE", "Excel docs IF: missing value_if_false gives FALSE"},
        {"=IF(\"x\",1,2)", "#VALUE!", "text condition is not logical"},
        {"=IF(E1,1,2)", "#DIV/0!", "error condition passes through"},
        {"=IFERROR(1/0,\"oops\")", "oops", "Excel docs IFERROR"},
        {"=IFERROR(5,0)", "5", "no error: the value"},
        {"=AND(TRUE,1)", "TRUE", "Excel docs AND"},
        {"=AND(TRUE,0)", "FALSE", "zero is FALSE"},
        {"=OR(FALSE,0)", "FALSE", "Excel docs OR"},
        {"=OR(A9:A10)", "TRUE", "Excel docs OR: text in references is ignored"},
        {"=AND(A9)", "#VALUE!", "Excel docs AND: no logical values gives #VALUE!"},
        {"=NOT(0)", "TRUE", "Excel docs NOT"},
        {"=ROUND(2.15,1)", "2.2", "Excel docs ROUND example"},
        {"=ROUND(2.149,1)", "2.1", "Excel docs ROUND example"},
        {"=ROUND(-1.475,2)", "-1.48", "Excel docs ROUND example: halves away from zero"},
        {"=ROUND(21.5,-1)", "20", "Excel docs ROUND example"},
        {"=ROUND(626.3,-3)", "1000", "Excel docs ROUND example"},
        {"=ROUND(-50.55,-2)", "-100", "Excel docs ROUND example"},
        {"=ROUND(2.675,2)", "2.68", "rounds the shown decimal, not the binary neighbour"},
        {"=ROUNDUP(3.2,0)", "4", "Excel docs ROUNDUP example"},
        {"=ROUNDUP(3.14159,3)", "3.142", "Excel docs ROUNDUP example"},
        {"=ROUNDUP(-3.14159,1)", "-3.2", "Excel docs ROUNDUP example: away from zero"},
        {"=ROUNDUP(31415.92654,-2)", "31500", "Excel docs ROUNDUP example"},
        {"=ROUNDDOWN(76.9,0)", "76", "Excel docs ROUNDDOWN example"},
        {"=ROUNDDOWN(-3.14159,1)", "-3.1", "Excel docs ROUNDDOWN example: towards zero"},
        {"=ROUNDDOWN(31415.92654,-2)", "31400", "Excel docs ROUNDDOWN example"},
        {"=INT(8.9)", "8", "Excel docs INT example"},
        {"=INT(-8.9)", "-9", "Excel docs INT example: rounds down"},
        {"=ABS(-4)", "4", "Excel docs ABS"},
        {"=SQRT(16)", "4", "Excel docs SQRT example"},
        {"=SQRT(-16)", "#NUM!", "Excel docs SQRT example: negative gives #NUM!"},
        {"=MOD(3,2)", "1", "Excel docs MOD example"},
        {"=MOD(-3,2)", "1", "Excel docs MOD example: sign of the divisor"},
        {"=MOD(3,-2)", "-1", "Excel docs MOD example"},
        {"=MOD(-3,-2)", "-1", "Excel docs MOD example"},
        {"=MOD(3,0)", "#DIV/0!", "Excel docs MOD: divisor 0"},
        {"=POWER(5,2)", "25", "Excel docs POWER example"},
        {"=POWER(4,5/4)", "5.65685424949238", "Excel docs POWER example (5.656854249)"},
        {"=POWER(0,-1)", "#DIV/0!", "zero to a negative power"},
        {"=ISNUMBER(A1)", "TRUE", "Excel docs IS functions"},
        {"=ISNUMBER(B5)", "FALSE", "numeric text is text"},
        {"=ISTEXT(B1)", "TRUE", "Excel docs ISTEXT"},
        {"=ISBLANK(A11)", "TRUE", "Excel docs ISBLANK: empty cell"},
        {"=ISBLANK(A12)", "FALSE", "a formula giving \"\" is not blank"},
        {"=ISERROR(E1)", "TRUE", "Excel docs ISERROR"},
        {"=ISERROR(A1)", "FALSE", "no error"},
    });
}

TEST_F(FunctionsTest, TextDateAndLookup)
{
    check({
        {"=LEN(\"Phoenix, AZ\")", "11", "Excel docs LEN example"},
        {"=LEN(\"\")", "0", "Excel docs LEN example"},
        {"=LEFT(\"Sale Price\",4)", "Sale", "Excel docs LEFT example"},
        {"=LEFT(\"Sweden\")", "S", "Excel docs LEFT: one character by default"},
        {"=RIGHT(\"Sale Price\",5)", "Price", "Excel docs RIGHT example"},
        {"=RIGHT(\"Stock Number\")", "r", "Excel docs RIGHT example"},
        {"=MID(\"Fluid Flow\",1,5)", "Fluid", "Excel docs MID example"},
        {"=MID(\"Fluid Flow\",7,20)", "Flow", "Excel docs MID example"},
        {"=MID(\"Fluid Flow\",20,5)", "", "Excel docs MID example: start past the end"},
        {"=MID(\"abc\",0,1)", "#VALUE!", "Excel docs MID: start below 1"},
        {"=UPPER(\"total\")", "TOTAL", "Excel docs UPPER"},
        {"=LOWER(\"E. E. Cummings\")", "e. e. cummings", "Excel docs LOWER example"},
        {"=TRIM(\" First Quarter Earnings \")", "First Quarter Earnings", "Excel docs TRIM example"},
        {"=TRIM(B4)", "a b", "inner runs of spaces become one"},
        {"=CONCATENATE(\"Stream population for \",\"trout\",\" is \",32,\"/mile\")", "Stream population for trout is 32/mile",
         "Excel docs CONCATENATE example"},
        {"=TEXT(1234.567,\"$#,##0.00\")", "$1,234.57", "Excel docs TEXT example"},
        {"=TEXT(0.285,\"0.0%\")", "28.5%", "Excel docs TEXT example"},
        {"=TEXT(4.34,\"# ?/?\")", "4 1/3", "Excel docs TEXT example"},
        {"=TEXT(12200000,\"0.00E+00\")", "1.22E+07", "Excel docs TEXT example"},
        {"=TEXT(DATE(2012,3,14),\"dd/mm/yyyy\")", "14/03/2012", "date codes"},
        {"=VALUE(\"1,000\")", "1000", "Excel docs VALUE"},
        {"=VALUE(\"16:48:00\")-VALUE(\"12:00:00\")", "0.2", "Excel docs VALUE example"},
        {"=VALUE(\"abc\")", "#VALUE!", "not a number"},
        {"=DATE(2008,1,2)", "39449", "Excel docs DATE example"},
        {"=DATE(108,1,2)", "39449", "Excel docs DATE: years 0-1899 are added to 1900"},
        {"=DATE(2008,14,2)", "39846", "Excel docs DATE: month 14 is February of the next year"},
        {"=DATE(2008,1,35)", "39482", "Excel docs DATE: day 35 rolls into February"},
        {"=DATE(1900,3,1)", "61", "1900 date system keeps the fictitious 1900-02-29 (serial 60)"},
        {"=INT(NOW())=TODAY()", "TRUE", "Excel docs TODAY: the date part of NOW"},
        {"=ROW(C10)", "10", "Excel docs ROW"},
        {"=COLUMN(D10)", "4", "Excel docs COLUMN"},
        {"=INDEX(C1:D4,2,2)", "two", "Excel docs INDEX"},
        {"=INDEX(C1:C4,3)", "3", "one index into a column"},
        {"=INDEX(C1:D4,5,1)", "#REF!", "Excel docs INDEX: outside the range"},
        {"=MATCH(3,C1:C4,0)", "3", "Excel docs MATCH exact"},
        {"=MATCH(2.5,C1:C4)", "2", "Excel docs MATCH type 1: largest value <= lookup"},
        {"=MATCH(5,C1:C4,0)", "#N/A", "Excel docs MATCH: not found"},
        {"=MATCH(\"TWO\",D1:D4,0)", "2", "Excel docs MATCH: texts ignore case"},
        {"=VLOOKUP(3,C1:D4,2,FALSE)", "three", "Excel docs VLOOKUP exact"},
        {"=VLOOKUP(2.5,C1:D4,2)", "two", "Excel docs VLOOKUP approximate"},
        {"=VLOOKUP(0,C1:D4,2)", "#N/A", "Excel docs VLOOKUP: below the first key"},
        {"=VLOOKUP(1,C1:D4,3,FALSE)", "#REF!", "Excel docs VLOOKUP: column beyond the table"},
        {"=VLOOKUP(1,C1:D4,0)", "#VALUE!", "Excel docs VLOOKUP: column below 1"},
    });
    check({{"=ROW()", "5", "Excel docs ROW: the formula's own row"}, {"=COLUMN()", "3", "own column"}}, {5, 3});
}

TEST_F(FunctionsTest, OperatorsAndConversions)
{
    check({
        {"=-2^2", "4", "Excel docs operator precedence: negation before ^"},
        {"=2^3^2", "64", "Excel evaluates ^ left to right"},
        {"=1+2*3", "7", "* before +"},
        {"=(1+2)*3", "9", "parentheses first"},
        {"=10/4", "2.5", "division"},
        {"=5%", "0.05", "percent operator"},
        {"=50%*2", "1", "% before *"},
        {"=\"a\"&\"b\"", "ab", "concatenation"},
        {"=1&2", "12", "numbers concatenate as text"},
        {"=1+2&3", "33", "& after +"},
        {"=\"A\"=\"a\"", "TRUE", "text comparison ignores case"},
        {"=\"a\"<\"B\"", "TRUE", "text ordering ignores case"},
        {"=1<\"a\"", "TRUE", "numbers sort before texts"},
        {"=\"z\"<TRUE", "TRUE", "texts sort before logicals"},
        {"=\"1\"+1", "2", "numeric text converts in arithmetic"},
        {"=\"x\"+1", "#VALUE!", "other text does not"},
        {"=TRUE+1", "2", "TRUE is 1"},
        {"=A11+1", "1", "a blank cell is 0"},
        {"=A11&\"x\"", "x", "a blank cell is empty text"},
        {"=A11", "0", "a formula reading a blank cell shows 0"},
        {"=1/0", "#DIV/0!", "division by zero"},
        {"=0^0", "#NUM!", "Excel gives #NUM! for 0^0"},
        {"=2^1024", "#NUM!", "overflow"},
        {"=NA()+1/0", "#N/A", "first error (left operand) wins"},
        {"=(1/0)+NA()", "#DIV/0!", "first error (left operand) wins"},
        {"=#N/A", "#N/A", "error literals are values"},
        {"=0.1+0.2", "0.3", "15 significant digits"},
        {"=1/3", "0.333333333333333", "15 significant digits"},
        {"=1E+20", "1E+20", "large numbers in scientific form"},
        {"=123456789012345678", "1.23456789012346E+17", "rounded to 15 digits"},
        {"=$A$1+A$2+$A3", "10", "absolute and mixed references read the same cells"},
        {"=Data!A1+1", "3", "sheet-qualified reference"},
        {"='My Sheet'!A1", "42", "quoted sheet name"},
        {"=SUM('My Sheet'!A1:A2)", "42", "sheet-qualified range"},
        {"=FOO(1)", "#NAME?", "unknown function"},
        {"=foo", "#NAME?", "unknown name"},
        {"=A1:A3", "#VALUE!", "a range in a single cell outside its rows"},
    });
}

TEST_F(FunctionsTest, HugeArgumentsAndTextsAreBounded)
{
    check({
        {"=INDEX(C1:D4,1E+300,1)", "#REF!", "out of range, not an overflow"},
        {"=ROUND(1.5,1E+300)", "1.5", "more digits than a double has"},
        {"=DATE(1E+300,1,1)", "#NUM!", "year out of range"},
        {"=VLOOKUP(1,C1:D4,-1E+300)", "#VALUE!", "column below 1"},
        {"=LEFT(\"abc\",1E+300)", "abc", "more characters than the text has"},
    });
    // A chain that doubles a text stops at the cell limit of 32,767 characters.
    Sheet* s = wb.sheet(0);
    s->setText(1, 30, QString(1000, u'x'));
    for (int r = 2; r <= 40; ++r)
        s->setFormula(r, 30, QStringLiteral("=AD%1&AD%1").arg(r - 1));
    EXPECT_EQ(s->value(6, 30).asText().size(), 32000);
    EXPECT_EQ(s->value(7, 30).errorCode(), ErrorCode::Value);
    EXPECT_EQ(s->value(40, 30).errorCode(), ErrorCode::Value);
}

} // namespace
