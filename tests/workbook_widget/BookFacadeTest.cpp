// The facade calls the program's sheet windows make: sheets, addressing by reference, texts and
// numbers, extent, block copies with paste special, deleting, widths, files.
#include "TestSupport.h"
#include "workbook/engine/Workbook.h"
#include "workbook/widget/GxGridView.h"
#include "workbook/widget/GxSheetModel.h"
#include "workbook/widget/TGxBookProxy.h"

#include <QFile>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTabBar>

using namespace vela::workbook;

namespace {

class BookFacadeTest : public vela::test::DialogsFixture {
protected:
    TGxBookProxy book;
};

TEST_F(BookFacadeTest, SheetsAreNumberedFromOneAndNamedOnTheirTabs)
{
    book.set_NumSheets(3);
    EXPECT_EQ(book.NumSheets(), 3);
    book.set_SheetName(1, QStringLiteral("Results Samples data"));
    book.set_SheetName(2, QStringLiteral("Results Batches"));
    EXPECT_EQ(book.tabBar()->count(), 3);
    EXPECT_EQ(book.tabBar()->tabText(1), QStringLiteral("Results Batches"));
    book.set_Sheet(2);
    EXPECT_EQ(book.Sheet(), 2);
    book.set_Selection(QStringLiteral("C4"));
    book.set_Text(QStringLiteral("on two"));
    book.set_Sheet(1);
    EXPECT_TRUE(book.TextRC(4, 3).isEmpty());
    book.set_Sheet(2);
    EXPECT_EQ(book.TextRC(4, 3), QStringLiteral("on two"));
    // Each sheet keeps its own active cell.
    EXPECT_EQ(book.Selection(), QStringLiteral("$C$4"));
    book.set_Sheet(9);  // out of range: nothing happens
    EXPECT_EQ(book.Sheet(), 2);
}

TEST_F(BookFacadeTest, AddressingByReferenceTextAndReadingTheSelectionBack)
{
    // The sheet windows address cells as "%c%d" and read the row from the reference's 4th char.
    const QString ref = QStringLiteral("%1%2").arg(QChar('L')).arg(12);
    book.set_Selection(ref);
    EXPECT_EQ(book.Col(), 12);
    EXPECT_EQ(book.Row(), 12);
    EXPECT_EQ(book.Selection(), QStringLiteral("$L$12"));
    EXPECT_EQ(book.Selection().mid(3).toInt(), 12);
    book.set_Selection(QStringLiteral("B2:D5"));
    EXPECT_EQ(book.Selection(), QStringLiteral("$B$2:$D$5"));
    EXPECT_EQ(book.SelStartRow(), 2);
    EXPECT_EQ(book.SelStartCol(), 2);
    EXPECT_EQ(book.SelEndRow(), 5);
    EXPECT_EQ(book.SelEndCol(), 4);
    book.set_Col(1);
    book.set_Row(7);
    EXPECT_EQ(book.Selection(), QStringLiteral("$A$7"));
    book.set_Selection(QStringLiteral("not a cell"));
    EXPECT_EQ(book.Selection(), QStringLiteral("$A$7"));
}

TEST_F(BookFacadeTest, TextAndNumberOfTheActiveCell)
{
    book.set_Selection(QStringLiteral("A1"));
    book.set_Number(12.5);
    book.set_Selection(QStringLiteral("A2"));
    book.set_Text(QStringLiteral("0012"));  // a text stays a text
    book.set_Selection(QStringLiteral("A3"));
    book.set_Formula(QStringLiteral("=A1*2"));
    EXPECT_DOUBLE_EQ(book.NumberRC(3, 1), 25.0);
    EXPECT_EQ(book.Text(), QStringLiteral("25"));
    EXPECT_EQ(book.Formula(), QStringLiteral("=A1*2"));
    book.set_Selection(QStringLiteral("A2"));
    EXPECT_EQ(book.Text(), QStringLiteral("0012"));
    EXPECT_DOUBLE_EQ(book.Number(), 0.0);
    book.set_Text(QString());
    EXPECT_TRUE(book.book().sheet(0)->value(2, 1).isEmpty());
}

TEST_F(BookFacadeTest, ExtentLimitsTheGridButNotTheCells)
{
    book.set_MaxRow(3);
    book.set_MaxCol(2);
    EXPECT_EQ(book.MaxRow(), 3);
    EXPECT_EQ(book.MaxCol(), 2);
    EXPECT_EQ(book.model()->rowCount(), 3);
    EXPECT_EQ(book.model()->columnCount(), 2);
    // The program may still write outside the shown extent.
    book.set_Selection(QStringLiteral("E1008"));
    book.set_Text(QStringLiteral("far"));
    EXPECT_EQ(book.TextRC(1008, 5), QStringLiteral("far"));
    EXPECT_EQ(book.MaxRow(), 3);
    book.set_MaxRow(100);
    EXPECT_EQ(book.model()->rowCount(), 100);
}

TEST_F(BookFacadeTest, BlockCopyWithPasteSpecialCarriesFormatsAndFormulas)
{
    Sheet& s = *book.book().sheet(0);
    s.setNumber(9, 1, 10);
    s.setNumber(10, 1, 20);
    s.setFormula(3, 1, QStringLiteral("=MAX(A9:A1008)"));
    Style fmt = s.style(3, 1);
    fmt.numberFormat = QStringLiteral("0.00");
    fmt.bold = true;
    s.setStyle(3, 1, fmt);
    book.set_Selection(QStringLiteral("A1:D1009"));
    book.EditCopy();
    book.set_Selection(QStringLiteral("E1:H1009"));
    book.EditPasteSpecial(3, 0);
    book.EditPasteSpecial(1, 0);
    book.EditPasteSpecial(0, 0);
    EXPECT_EQ(s.formulaText(3, 5), QStringLiteral("=MAX(E9:E1008)"));
    EXPECT_TRUE(s.style(3, 5).bold);
    EXPECT_EQ(s.value(10, 5).asNumber(), 20.0);
    s.setNumber(10, 5, 30);
    EXPECT_EQ(book.TextRC(3, 5), QStringLiteral("30.00"));
    EXPECT_EQ(book.TextRC(3, 1), QStringLiteral("20.00"));
}

TEST_F(BookFacadeTest, DeleteRangeShiftsColumnsAndShrinksTheExtent)
{
    Sheet& s = *book.book().sheet(0);
    for (int c = 1; c <= 12; ++c)
        s.setNumber(1, c, c);
    book.set_MaxCol(12);
    book.DeleteRange(1, 5, 1009, 8, 4);
    EXPECT_EQ(s.value(1, 5).asNumber(), 9.0);
    EXPECT_EQ(book.MaxCol(), 8);
    book.DeleteRange(1, 1, 1, 1, 2);  // one cell, cells below move up
    EXPECT_TRUE(s.value(1, 1).isEmpty());
    EXPECT_EQ(s.value(1, 2).asNumber(), 2.0);
}

TEST_F(BookFacadeTest, ColumnWidthZeroHidesAndAutoWidthFits)
{
    book.set_ColWidth(4, 0);
    EXPECT_TRUE(book.book().sheet(0)->isColumnHidden(4));
    EXPECT_TRUE(book.grid()->isColumnHidden(3));
    EXPECT_EQ(book.ColWidth(4), 0);
    book.set_Selection(QStringLiteral("N1"));
    book.set_Text(QStringLiteral("a rather long text that needs a wide column"));
    const int before = book.ColWidth(14);
    book.SetColWidthAuto(14, 14, 14, 14, true);
    EXPECT_GT(book.ColWidth(14), before);
    EXPECT_GT(book.grid()->columnWidth(13), 200);
    book.set_ColWidth(4, 10 * 256);
    EXPECT_FALSE(book.grid()->isColumnHidden(3));
    EXPECT_EQ(book.ColWidth(4), 2560);
}

TEST_F(BookFacadeTest, PrintAreaLandscapeAndZoom)
{
    book.set_PrintArea(QStringLiteral("$A$1:$L$50"));
    EXPECT_EQ(book.PrintArea(), QStringLiteral("$A$1:$L$50"));
    book.set_PrintLandscape(true);
    EXPECT_TRUE(book.PrintLandscape());
    const int normal = book.grid()->horizontalHeader()->defaultSectionSize();
    book.set_ViewScale(50);
    EXPECT_EQ(book.ViewScale(), 50);
    EXPECT_NEAR(book.grid()->horizontalHeader()->defaultSectionSize(), normal / 2, 1);
}

TEST_F(BookFacadeTest, RepaintOffCollectsChangesUntilSwitchedOn)
{
    QSignalSpy modified(&book, &TGxBookProxy::OnModified);
    book.set_Repaint(false);
    for (int r = 1; r <= 200; ++r)
        book.set_NumberRC(r, 1, r);
    book.set_Repaint(true);
    EXPECT_EQ(book.TextRC(200, 1), QStringLiteral("200"));
    EXPECT_GE(modified.count(), 1);
    EXPECT_TRUE(book.Repaint());
}

TEST_F(BookFacadeTest, WriteAndReadRoundTripAndAFailedReadKeepsTheWorkbook)
{
    book.set_NumSheets(2);
    book.set_SheetName(2, QStringLiteral("Stats"));
    book.set_Sheet(2);
    book.set_Selection(QStringLiteral("B3"));
    book.set_Text(QStringLiteral("kept"));
    book.SaveWindowInfo();
    const QString path = tempPath(QStringLiteral("book.vts"));
    ASSERT_TRUE(book.Write(path, TGxBookProxy::kFileTypeVts));
    EXPECT_FALSE(book.Modified());

    TGxBookProxy other;
    int type = 0;
    ASSERT_TRUE(other.Read(path, type));
    EXPECT_NE(type, 0);
    EXPECT_EQ(other.NumSheets(), 2);
    EXPECT_EQ(other.SheetName(2), QStringLiteral("Stats"));
    EXPECT_EQ(other.Sheet(), 2);
    EXPECT_EQ(other.Selection(), QStringLiteral("$B$3"));
    EXPECT_EQ(other.Text(), QStringLiteral("kept"));
    EXPECT_EQ(other.FileName(), path);

    vela::test::writeAll(tempPath(QStringLiteral("junk.vts")), "not a workbook at all");
    type = 7;
    EXPECT_FALSE(other.Read(tempPath(QStringLiteral("junk.vts")), type));
    EXPECT_EQ(type, 0);
    EXPECT_FALSE(other.LastError().isEmpty());
    EXPECT_EQ(other.TextRC(3, 2), QStringLiteral("kept"));
    EXPECT_FALSE(other.Read(tempPath(QStringLiteral("missing.vts")), type));
}

TEST_F(BookFacadeTest, FileDialogsGoThroughThePlatformDialogs)
{
    QString path;
    dialogs().expectOpen(QStringLiteral("Load Sheet"), QString());
    book.OpenFileDlg(QStringLiteral("Load Sheet"), book.hWnd(), path);
    EXPECT_TRUE(path.isEmpty());
    int type = -1;
    dialogs().expectSave(QStringLiteral("Save Sheet"), tempPath(QStringLiteral("x.vts")));
    book.SaveFileDlg(QStringLiteral("Save Sheet"), path, type);
    EXPECT_EQ(path, tempPath(QStringLiteral("x.vts")));
    EXPECT_EQ(type, 5);
    dialogs().expectSave(QStringLiteral("Save Sheet"), QString());
    book.SaveFileDlg(QStringLiteral("Save Sheet"), path, type);
    EXPECT_EQ(type, 0);
}

TEST_F(BookFacadeTest, CsvFileIsReadIntoTheSheet)
{
    // The set-up window's results: the control reads the data log of the current folder.
    vela::test::writeAll(tempPath(QStringLiteral("datalog.csv")), "Time,Reading\n1,93.5\n2,93.7\n");
    int type = 0;
    ASSERT_TRUE(book.Read(tempPath(QStringLiteral("datalog.csv")), type));
    EXPECT_EQ(book.TextRC(1, 2), QStringLiteral("Reading"));
    EXPECT_DOUBLE_EQ(book.NumberRC(3, 2), 93.7);
}

} // namespace
