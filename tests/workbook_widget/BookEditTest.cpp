// The workbook control driven like an operator: typing into cells, double clicks, the locks,
// the clipboard and find.
#include "TestSupport.h"
#include "workbook/engine/Workbook.h"
#include "workbook/widget/GxFindDialog.h"
#include "workbook/widget/GxGridView.h"
#include "workbook/widget/GxSheetModel.h"
#include "workbook/widget/TGxBookProxy.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace vela::workbook;
using vela::platform::IDNO;

namespace {

class BookEditTest : public vela::test::DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        book = std::make_unique<TGxBookProxy>();
        book->resize(700, 400);
        book->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(book.get()));
    }
    void TearDown() override
    {
        book.reset();
        DialogsFixture::TearDown();
    }
    Sheet& sheet() const { return *book->book().sheet(book->Sheet() - 1); }
    QPoint cellCentre(int row, int col) const
    {
        const QModelIndex idx = book->model()->index(row - 1, col - 1);
        return book->grid()->visualRect(idx).center();
    }
    // Types text into the active cell through the in-cell editor and confirms with Enter.
    void typeIntoActiveCell(const QString& text)
    {
        QTest::keyClick(book->grid(), text.at(0).toLatin1());
        auto* editor = book->grid()->findChild<QLineEdit*>(QStringLiteral("cellEditor"));
        ASSERT_NE(editor, nullptr) << "typing did not open the cell editor";
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits the editor from the event loop.
        QTRY_VERIFY(book->grid()->findChild<QLineEdit*>(QStringLiteral("cellEditor")) == nullptr
                    || !book->grid()->findChild<QLineEdit*>(QStringLiteral("cellEditor"))->isVisible());
        QApplication::processEvents();
    }

    std::unique_ptr<TGxBookProxy> book;
};

TEST_F(BookEditTest, TypingIntoACellUpdatesTheEngineAndFiresTheEvents)
{
    QSignalSpy endEdit(book.get(), &TGxBookProxy::OnEndEdit);
    QSignalSpy modified(book.get(), &TGxBookProxy::OnModified);
    book->set_Selection(QStringLiteral("B2"));
    typeIntoActiveCell(QStringLiteral("42"));
    ASSERT_EQ(sheet().value(2, 2).asNumber(), 42.0);
    ASSERT_EQ(endEdit.count(), 1);
    EXPECT_EQ(endEdit.first().at(0).toInt(), 2);
    EXPECT_EQ(endEdit.first().at(1).toInt(), 2);
    EXPECT_GE(modified.count(), 1);
    EXPECT_TRUE(book->Modified());
    // Enter moves down, as in every spreadsheet; the next entry may be a formula on it.
    EXPECT_EQ(book->Row(), 3);
    typeIntoActiveCell(QStringLiteral("=B2*2"));
    EXPECT_EQ(sheet().value(3, 2).asNumber(), 84.0);
    EXPECT_EQ(book->TextRC(3, 2), QStringLiteral("84"));
}

TEST_F(BookEditTest, EditBarEntersIntoTheActiveCellAndShowsFormulas)
{
    QSignalSpy endEdit(book.get(), &TGxBookProxy::OnEndEdit);
    book->set_Selection(QStringLiteral("A1"));
    book->editBar()->setText(QStringLiteral("7"));
    QTest::keyClick(book->editBar(), Qt::Key_Return);
    book->set_Selection(QStringLiteral("A2"));
    book->editBar()->setText(QStringLiteral("=A1+1"));
    QTest::keyClick(book->editBar(), Qt::Key_Return);
    EXPECT_EQ(sheet().value(2, 1).asNumber(), 8.0);
    EXPECT_EQ(endEdit.count(), 2);
    book->set_Selection(QStringLiteral("A2"));
    EXPECT_EQ(book->editBar()->text(), QStringLiteral("=A1+1"));
    EXPECT_EQ(book->Text(), QStringLiteral("8"));
}

TEST_F(BookEditTest, DoubleClicksReportTheirCell)
{
    QSignalSpy left(book.get(), &TGxBookProxy::OnDblClick);
    QSignalSpy right(book.get(), &TGxBookProxy::OnRDblClick);
    book->set_DoDblClick(false);
    QTest::mouseDClick(book->grid()->viewport(), Qt::LeftButton, {}, cellCentre(3, 2));
    ASSERT_EQ(left.count(), 1);
    EXPECT_EQ(left.first().at(0).toInt(), 3);
    EXPECT_EQ(left.first().at(1).toInt(), 2);
    EXPECT_EQ(book->grid()->findChild<QLineEdit*>(QStringLiteral("cellEditor")), nullptr);
    QTest::mouseDClick(book->grid()->viewport(), Qt::RightButton, {}, cellCentre(4, 5));
    ASSERT_EQ(right.count(), 1);
    EXPECT_EQ(right.first().at(0).toInt(), 4);
    EXPECT_EQ(right.first().at(1).toInt(), 5);
    EXPECT_EQ(left.count(), 1);
}

TEST_F(BookEditTest, ProtectionKeepsLockedCellsAndAllowsUnlockedOnes)
{
    sheet().setText(1, 1, QStringLiteral("fixed"));
    Style open = sheet().style(2, 1);
    open.locked = false;
    sheet().setStyle(2, 1, open);
    book->set_EnableProtection(true);

    book->set_Selection(QStringLiteral("A1"));
    QTest::keyClick(book->grid(), 'x');
    EXPECT_EQ(book->grid()->findChild<QLineEdit*>(QStringLiteral("cellEditor")), nullptr);
    EXPECT_TRUE(book->editBar()->isReadOnly());
    dialogs().expectMessage(QStringLiteral("Locked cells cannot be changed."));
    QTest::keyClick(book->grid(), Qt::Key_Delete);
    EXPECT_EQ(book->TextRC(1, 1), QStringLiteral("fixed"));
    EXPECT_TRUE(dialogs().unused().isEmpty());

    book->set_Selection(QStringLiteral("A2"));
    typeIntoActiveCell(QStringLiteral("free"));
    EXPECT_EQ(book->TextRC(2, 1), QStringLiteral("free"));

    // With in-cell editing off nothing can be typed, even into an unlocked cell.
    book->set_AllowInCellEditing(false);
    book->set_Selection(QStringLiteral("A2"));
    QTest::keyClick(book->grid(), 'y');
    EXPECT_EQ(book->grid()->findChild<QLineEdit*>(QStringLiteral("cellEditor")), nullptr);
    EXPECT_EQ(book->TextRC(2, 1), QStringLiteral("free"));
}

TEST_F(BookEditTest, CopyAndPasteThroughTheClipboard)
{
    sheet().setNumber(1, 1, 1);
    sheet().setNumber(1, 2, 2);
    sheet().setFormula(2, 1, QStringLiteral("=A1+B1"));
    Style bold = sheet().style(2, 1);
    bold.bold = true;
    sheet().setStyle(2, 1, bold);
    book->set_Selection(QStringLiteral("A1:B2"));
    QTest::keySequence(book->grid(), QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1\t2\n3\t\n"));

    book->set_Selection(QStringLiteral("D5"));
    QTest::keySequence(book->grid(), QKeySequence::Paste);
    EXPECT_EQ(sheet().value(5, 4).asNumber(), 1.0);
    EXPECT_EQ(sheet().formulaText(6, 4), QStringLiteral("=D5+E5"));
    EXPECT_EQ(sheet().value(6, 4).asNumber(), 3.0);
    EXPECT_TRUE(sheet().style(6, 4).bold);

    // Text copied by another program is typed in cell by cell.
    QApplication::clipboard()->setText(QStringLiteral("x\t5\r\ny\t=B10*2\r\n"));
    book->set_Selection(QStringLiteral("A10"));
    book->EditPaste();
    EXPECT_EQ(book->TextRC(10, 1), QStringLiteral("x"));
    EXPECT_EQ(sheet().value(10, 2).asNumber(), 5.0);
    EXPECT_EQ(book->TextRC(11, 1), QStringLiteral("y"));
    EXPECT_EQ(sheet().value(11, 2).asNumber(), 10.0);

    // Cut empties the source.
    book->set_Selection(QStringLiteral("A10"));
    QTest::keySequence(book->grid(), QKeySequence::Cut);
    EXPECT_TRUE(book->TextRC(10, 1).isEmpty());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("x\n"));
}

TEST_F(BookEditTest, PasteIntoLockedCellsIsRefused)
{
    sheet().setText(1, 1, QStringLiteral("new"));
    sheet().setText(3, 1, QStringLiteral("old"));
    book->set_Selection(QStringLiteral("A1"));
    book->EditCopy();
    book->set_EnableProtection(true);
    book->set_Selection(QStringLiteral("A3"));
    dialogs().expectMessage(QStringLiteral("Locked cells cannot be changed."));
    QTest::keySequence(book->grid(), QKeySequence::Paste);
    EXPECT_EQ(book->TextRC(3, 1), QStringLiteral("old"));
}

TEST_F(BookEditTest, FindMovesToTheNextMatchAndWraps)
{
    sheet().setText(2, 3, QStringLiteral("Apple pie"));
    sheet().setText(5, 1, QStringLiteral("apple"));
    sheet().setNumber(7, 2, 1234.5);
    book->set_Selection(QStringLiteral("A1"));
    ASSERT_TRUE(book->Find(QStringLiteral("apple")));
    EXPECT_EQ(book->Selection(), QStringLiteral("$C$2"));
    ASSERT_TRUE(book->Find(QStringLiteral("apple")));
    EXPECT_EQ(book->Selection(), QStringLiteral("$A$5"));
    ASSERT_TRUE(book->Find(QStringLiteral("apple")));
    EXPECT_EQ(book->Selection(), QStringLiteral("$C$2"));  // wrapped round
    ASSERT_TRUE(book->Find(QStringLiteral("apple"), true, true));
    EXPECT_EQ(book->Selection(), QStringLiteral("$A$5"));
    ASSERT_TRUE(book->Find(QStringLiteral("1234.5")));
    EXPECT_EQ(book->Selection(), QStringLiteral("$B$7"));
    EXPECT_FALSE(book->Find(QStringLiteral("pear")));
    EXPECT_EQ(book->Selection(), QStringLiteral("$B$7"));
}

TEST_F(BookEditTest, FindDialogSearchesAndReportsAMiss)
{
    sheet().setText(4, 2, QStringLiteral("needle"));
    book->set_Selection(QStringLiteral("A1"));
    book->FindDlg();
    auto* dlg = book->findChild<GxFindDialog*>(QStringLiteral("FindDlg"));
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(dlg->isVisible());
    dlg->findText()->setText(QStringLiteral("NEEDLE"));
    dlg->matchCase()->setChecked(true);
    dialogs().expectMessage(QStringLiteral("Cannot find"));
    QTest::mouseClick(dlg->findNextButton(), Qt::LeftButton);
    EXPECT_EQ(book->Selection(), QStringLiteral("$A$1"));
    EXPECT_TRUE(dialogs().unused().isEmpty());
    dlg->matchCase()->setChecked(false);
    QTest::mouseClick(dlg->findNextButton(), Qt::LeftButton);
    EXPECT_EQ(book->Selection(), QStringLiteral("$B$4"));
}

} // namespace
