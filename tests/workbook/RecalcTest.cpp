// Recalculation through the dependency graph: only dependents are recomputed, cycles give
// #CIRC!, long chains work, manual mode waits for a full recalculation.
#include "workbook/engine/Workbook.h"

#include <gtest/gtest.h>

using namespace vela::workbook;

namespace {

TEST(Recalc, OnlyDependentsAreRecomputed)
{
    Workbook wb;
    Sheet* s = wb.sheet(0);
    wb.beginUpdate();
    for (int r = 1; r <= 100; ++r) {
        s->setNumber(r, 1, r);
        s->setFormula(r, 2, QStringLiteral("=A%1*2").arg(r));  // depends on its own row only
        s->setNumber(r, 4, r);
        s->setFormula(r, 5, QStringLiteral("=D%1+1").arg(r));
    }
    s->setFormula(1, 3, QStringLiteral("=SUM(B1:B100)"));
    wb.endUpdate();
    EXPECT_EQ(s->value(1, 3).asNumber(), 10100);
    s->setNumber(50, 1, 1000);
    EXPECT_EQ(wb.lastRecalcCount(), 2); // B50 and C1
    EXPECT_EQ(s->value(50, 2).asNumber(), 2000);
    EXPECT_EQ(s->value(1, 3).asNumber(), 10100 - 100 + 2000);
    s->setNumber(7, 4, 0);
    EXPECT_EQ(wb.lastRecalcCount(), 1); // E7 only
    wb.recalculate();
    EXPECT_EQ(wb.lastRecalcCount(), 201);
}

TEST(Recalc, LongChainHasNoRecursion)
{
    Workbook wb;
    Sheet* s = wb.sheet(0);
    const int n = 100000;
    wb.beginUpdate();
    s->setNumber(1, 1, 1);
    for (int r = 2; r <= n; ++r)
        s->setFormula(r, 1, QStringLiteral("=A%1+1").arg(r - 1));
    wb.endUpdate();
    EXPECT_EQ(s->value(n, 1).asNumber(), n);
    s->setNumber(1, 1, 10);
    EXPECT_EQ(wb.lastRecalcCount(), n - 1);
    EXPECT_EQ(s->value(n, 1).asNumber(), n + 9);
}

TEST(Recalc, CyclesGiveAnErrorAndRecover)
{
    Workbook wb;
    Sheet* s = wb.sheet(0);
    s->setFormula(1, 1, QStringLiteral("=B1+1"));
    s->setFormula(1, 2, QStringLiteral("=A1+1"));
    s->setFormula(1, 3, QStringLiteral("=A1*2"));
    s->setFormula(1, 4, QStringLiteral("=IFERROR(A1,0)"));
    s->setFormula(2, 1, QStringLiteral("=A2"));
    s->setFormula(3, 1, QStringLiteral("=SUM(A1:A5)"));
    EXPECT_EQ(s->value(1, 1).errorCode(), ErrorCode::Circular);
    EXPECT_EQ(s->value(1, 2).errorCode(), ErrorCode::Circular);
    EXPECT_EQ(s->value(1, 3).errorCode(), ErrorCode::Circular); // reads a cycle member
    EXPECT_EQ(s->value(1, 4).asNumber(), 0);
    EXPECT_EQ(s->value(2, 1).errorCode(), ErrorCode::Circular); // refers to itself
    EXPECT_EQ(s->value(3, 1).errorCode(), ErrorCode::Circular); // its range holds itself
    EXPECT_EQ(s->value(1, 1).toString(), QStringLiteral("#CIRC!"));
    s->setNumber(1, 2, 5);
    EXPECT_EQ(s->value(1, 1).asNumber(), 6);
    EXPECT_EQ(s->value(1, 3).asNumber(), 12);
    EXPECT_EQ(s->value(1, 4).asNumber(), 6);
}

TEST(Recalc, ManualModeWaitsForFullRecalculation)
{
    Workbook wb;
    Sheet* s = wb.sheet(0);
    s->setNumber(1, 1, 1);
    s->setFormula(1, 2, QStringLiteral("=A1+1"));
    wb.setAutoRecalc(false);
    s->setNumber(1, 1, 5);
    EXPECT_EQ(s->value(1, 2).asNumber(), 2);
    wb.recalculate();
    EXPECT_EQ(s->value(1, 2).asNumber(), 6);
}

TEST(Recalc, CrossSheetDependenciesAndSheetRemoval)
{
    Workbook wb;
    Sheet* a = wb.sheet(0);
    Sheet* b = wb.addSheet(QStringLiteral("Other"));
    b->setNumber(2, 2, 3);
    a->setFormula(1, 1, QStringLiteral("=Other!B2*10"));
    EXPECT_EQ(a->value(1, 1).asNumber(), 30);
    b->setNumber(2, 2, 4);
    EXPECT_EQ(a->value(1, 1).asNumber(), 40);
    wb.renameSheet(1, QStringLiteral("Renamed"));
    EXPECT_EQ(a->formulaText(1, 1), QStringLiteral("=Renamed!B2*10"));
    ASSERT_TRUE(wb.removeSheet(1));
    EXPECT_EQ(a->value(1, 1).errorCode(), ErrorCode::Ref);
    EXPECT_EQ(a->formulaText(1, 1), QStringLiteral("=#REF!*10"));
}

TEST(Recalc, ChangeSignalCoversEditAndDependents)
{
    Workbook wb;
    Sheet* s = wb.sheet(0);
    s->setFormula(10, 3, QStringLiteral("=A1*2"));
    std::vector<Range> seen;
    QObject::connect(&wb, &Workbook::cellsChanged, [&seen](int sheet, Range r) {
        EXPECT_EQ(sheet, 0);
        seen.push_back(r);
    });
    s->setNumber(1, 1, 4);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].contains(1, 1));
    EXPECT_TRUE(seen[0].contains(10, 3));
    // Bulk updates signal once.
    seen.clear();
    wb.beginUpdate();
    for (int i = 1; i <= 50; ++i)
        s->setNumber(i, 1, i);
    wb.endUpdate();
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(s->value(10, 3).asNumber(), 2);
}

TEST(Recalc, VolatileFunctionsRecomputeOnEveryRecalculation)
{
    Workbook wb;
    Sheet* s = wb.sheet(0);
    s->setFormula(1, 1, QStringLiteral("=NOW()"));
    s->setNumber(5, 5, 1);
    EXPECT_EQ(wb.lastRecalcCount(), 1); // an unrelated edit still refreshes NOW()
    EXPECT_GT(s->value(1, 1).asNumber(), 40000);
}

} // namespace
