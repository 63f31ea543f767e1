// Insert and delete with reference adjustment, and the paste special that builds the sample
// blocks of the analysis sheet.
#include "workbook/engine/Workbook.h"

#include <gtest/gtest.h>

using namespace vela::workbook;

namespace {

class Structure : public ::testing::Test {
protected:
    void SetUp() override
    {
        s = wb.sheet(0);
        other = wb.addSheet(QStringLiteral("Other"));
        for (int r = 1; r <= 5; ++r)
            s->setNumber(r, 1, r);            // A1:A5 1..5
        s->setFormula(1, 3, QStringLiteral("=SUM(A1:A5)"));
        s->setFormula(2, 3, QStringLiteral("=$A$3*10"));
        s->setFormula(3, 3, QStringLiteral("=A4"));
        other->setFormula(1, 1, QStringLiteral("=Sheet1!A5+Sheet1!B1"));
    }
    Workbook wb;
    Sheet* s = nullptr;
    Sheet* other = nullptr;
};

TEST_F(Structure, InsertRowsMovesCellsAndReferences)
{
    s->insertRows(2, 2);
    EXPECT_EQ(s->value(4, 1).asNumber(), 2);
    EXPECT_EQ(s->formulaText(1, 3), QStringLiteral("=SUM(A1:A7)"));   // range grows
    EXPECT_EQ(s->formulaText(4, 3), QStringLiteral("=$A$5*10"));      // moved, absolute follows
    EXPECT_EQ(s->formulaText(5, 3), QStringLiteral("=A6"));
    EXPECT_EQ(other->formulaText(1, 1), QStringLiteral("=Sheet1!A7+Sheet1!B1"));
    EXPECT_EQ(s->value(1, 3).asNumber(), 15);
    EXPECT_EQ(s->value(4, 3).asNumber(), 30);
}

TEST_F(Structure, DeleteRowsGivesRefForDeletedTargets)
{
    s->deleteRows(3, 2); // A3 and A4 go
    EXPECT_EQ(s->formulaText(1, 3), QStringLiteral("=SUM(A1:A3)"));   // range shrinks
    EXPECT_EQ(s->value(1, 3).asNumber(), 1 + 2 + 5);
    EXPECT_EQ(s->formulaText(2, 3), QStringLiteral("=#REF!*10"));
    EXPECT_EQ(s->value(2, 3).errorCode(), ErrorCode::Ref);
    EXPECT_EQ(s->value(3, 1).asNumber(), 5);
    EXPECT_EQ(other->formulaText(1, 1), QStringLiteral("=Sheet1!A3+Sheet1!B1"));
    s->deleteRows(1, 5);
    EXPECT_EQ(other->value(1, 1).errorCode(), ErrorCode::Ref);
}

TEST_F(Structure, ColumnsShiftWithWidthsHiddenAndPrintArea)
{
    s->setColumnWidth(5, 20);
    s->setColumnHidden(6, true);
    s->setPrintArea(Range(1, 1, 50, 8));
    s->setFormula(1, 8, QStringLiteral("=C1+E1"));
    s->deleteColumns(2, 2); // B and C go
    EXPECT_EQ(s->columnWidth(3), 20);
    EXPECT_TRUE(s->isColumnHidden(4));
    EXPECT_FALSE(s->isColumnHidden(6));
    EXPECT_EQ(s->printSetup().printArea, Range(1, 1, 50, 6));
    EXPECT_EQ(s->formulaText(1, 6), QStringLiteral("=#REF!+C1"));
    EXPECT_EQ(other->formulaText(1, 1), QStringLiteral("=Sheet1!A5+#REF!"));
    s->insertColumns(1, 1);
    EXPECT_EQ(s->value(5, 2).asNumber(), 5);
}

TEST_F(Structure, WholeColumnReferencesSurviveRowEdits)
{
    s->setFormula(1, 5, QStringLiteral("=SUM(A:A)+COUNT(Other!$B:$C)"));
    EXPECT_EQ(s->formulaText(1, 5), QStringLiteral("=SUM(A:A)+COUNT(Other!$B:$C)"));
    EXPECT_EQ(s->value(1, 5).asNumber(), 15);
    s->insertRows(1, 3);
    EXPECT_EQ(s->formulaText(4, 5), QStringLiteral("=SUM(A:A)+COUNT(Other!$B:$C)"));
    s->deleteRows(5, 1); // the row that held 2
    EXPECT_EQ(s->formulaText(4, 5), QStringLiteral("=SUM(A:A)+COUNT(Other!$B:$C)"));
    EXPECT_EQ(s->value(4, 5).asNumber(), 13);
    s->insertColumns(1, 1);
    EXPECT_EQ(s->formulaText(4, 6), QStringLiteral("=SUM(B:B)+COUNT(Other!$B:$C)"));
    s->setNumber(100, 2, 100);
    EXPECT_EQ(s->value(4, 6).asNumber(), 113);
}

TEST_F(Structure, RangeShiftsMoveOnlyTheirBand)
{
    s->setNumber(1, 2, 100); // B1
    s->insertRange(Range(1, 1, 1, 1), ShiftMode::Vertical); // column A moves down one
    EXPECT_TRUE(s->value(1, 1).isEmpty());
    EXPECT_EQ(s->value(2, 1).asNumber(), 1);
    EXPECT_EQ(s->value(1, 2).asNumber(), 100); // column B stays
    EXPECT_EQ(s->formulaText(1, 3), QStringLiteral("=SUM(A2:A6)"));
    s->deleteRange(Range(2, 1, 3, 1), ShiftMode::Vertical);
    EXPECT_EQ(s->value(2, 1).asNumber(), 3);
    EXPECT_EQ(s->formulaText(1, 3), QStringLiteral("=SUM(A2:A4)"));
    s->deleteRange(Range(1, 1, 1, 1), ShiftMode::Horizontal); // B1 moves into A1
    EXPECT_EQ(s->value(1, 1).asNumber(), 100);
}

// The analysis sheet copies the 4-column block A1:D1009 and pastes it with the codes 3, 1, 0
// (formats, formulas, all) into the next block, then writes the samples.
TEST(PasteSpecial, AnalysisBlockPastesFormatsFormulasAndValues)
{
    Workbook wb;
    Sheet* s = wb.sheet(0);
    Style bold;
    bold.bold = true;
    bold.numberFormat = QStringLiteral("0.00");
    wb.beginUpdate();
    s->setText(1, 2, QStringLiteral("file1"));
    s->setFormula(3, 1, QStringLiteral("=COUNT(D9:D1008)"));
    s->setFormula(4, 1, QStringLiteral("=AVERAGE(D9:D1008)"));
    s->setStyle(4, 1, bold);
    for (int r = 9; r <= 1008; ++r) {
        s->setNumber(r, 1, r);
        s->setText(r, 2, QStringLiteral("No"));
        s->setFormula(r, 4, QStringLiteral("=IF(B%1=\"No\",A%1,\"\")").arg(r));
    }
    wb.endUpdate();
    const CellClip clip = s->copy(Range(1, 1, 1009, 4));
    for (PasteWhat w : {PasteWhat::Formats, PasteWhat::Formulas, PasteWhat::All})
        s->pasteSpecial(clip, {1, 5}, w);
    EXPECT_EQ(s->formulaText(4, 5), QStringLiteral("=AVERAGE(H9:H1008)"));
    EXPECT_EQ(s->formulaText(9, 8), QStringLiteral("=IF(F9=\"No\",E9,\"\")"));
    EXPECT_TRUE(s->style(4, 5).bold);
    EXPECT_EQ(s->displayText(4, 5), QStringLiteral("508.50"));
    EXPECT_EQ(s->value(1, 6).asText(), QStringLiteral("file1"));
    s->setText(9, 6, QStringLiteral("Yes")); // tag a sample in the new block
    EXPECT_EQ(s->value(3, 5).asNumber(), 999);
    EXPECT_EQ(s->value(3, 1).asNumber(), 1000); // the first block is untouched
    // Values only: the formulas' results, no formulas.
    s->pasteSpecial(s->copy(Range(3, 5, 4, 5)), {3, 20}, PasteWhat::Values);
    EXPECT_FALSE(s->cell(3, 20)->hasFormula());
    EXPECT_EQ(s->value(3, 20).asNumber(), 999);
    // Deleting a block's columns moves the blocks to its right, formulas and all.
    s->deleteColumns(1, 4);
    EXPECT_EQ(s->formulaText(4, 1), QStringLiteral("=AVERAGE(D9:D1008)"));
    EXPECT_EQ(s->value(3, 1).asNumber(), 999);
}

TEST(PasteSpecial, ArithmeticAndSkipBlanks)
{
    Workbook wb;
    Sheet* s = wb.sheet(0);
    s->setNumber(1, 1, 2);
    s->setNumber(1, 3, 10);
    s->setNumber(1, 4, 10);
    s->pasteSpecial(s->copy(Range(1, 1, 1, 2)), {1, 3}, PasteWhat::Values, PasteOp::Multiply, true);
    EXPECT_EQ(s->value(1, 3).asNumber(), 20);
    EXPECT_EQ(s->value(1, 4).asNumber(), 10); // blank source skipped
}

TEST(FillAndSort, FillDownAndSortRows)
{
    Workbook wb;
    Sheet* s = wb.sheet(0);
    const double v[] = {3, 1, 2};
    for (int r = 1; r <= 3; ++r)
        s->setNumber(r, 1, v[r - 1]);
    s->setFormula(1, 2, QStringLiteral("=A1*10"));
    s->fillDown(Range(1, 2, 3, 2));
    EXPECT_EQ(s->value(3, 2).asNumber(), 20);
    s->sortRows(Range(1, 1, 3, 2), 1);
    EXPECT_EQ(s->value(1, 1).asNumber(), 1);
    EXPECT_EQ(s->value(1, 2).asNumber(), 10);
    EXPECT_EQ(s->formulaText(3, 2), QStringLiteral("=A3*10"));
}

} // namespace
