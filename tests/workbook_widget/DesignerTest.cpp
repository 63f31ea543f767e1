// The control's workbook designer: formatting a copy and handing it back.
#include "TestSupport.h"
#include "workbook/engine/Workbook.h"
#include "workbook/widget/GxDesignerDialog.h"
#include "workbook/widget/GxGridView.h"
#include "workbook/widget/TGxBookProxy.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QTimer>

using namespace vela::workbook;
using vela::platform::DialogKind;

namespace {

class DesignerTest : public vela::test::DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        book.book().sheet(0)->setNumber(2, 2, 1234.5678);
        book.book().sheet(0)->setText(1, 1, QStringLiteral("Title"));
    }
    const Style& styleAt(TGxBookProxy& b, int row, int col) const
    {
        return b.book().sheet(0)->style(row, col);
    }
    TGxBookProxy book;
};

TEST_F(DesignerTest, ToolBarFormatsTheSelectionOfTheCopyOnly)
{
    GxDesignerDialog designer(QStringLiteral("Demo"));
    designer.book()->AssignFrom(book);
    TGxBookProxy& copy = *designer.book();
    copy.set_Selection(QStringLiteral("B2"));
    designer.findChild<QAction*>(QStringLiteral("acBold"))->trigger();
    designer.findChild<QAction*>(QStringLiteral("acAlignCenter"))->trigger();
    designer.findChild<QComboBox*>(QStringLiteral("cbNumberFormat"))->setCurrentText(QStringLiteral("#,##0.00"));
    dialogs().expect({DialogKind::Colour, {}, vela::platform::IDOK, {}, true, QColor(200, 0, 0), false});
    designer.findChild<QAction*>(QStringLiteral("acTextColour"))->trigger();
    designer.findChild<QDoubleSpinBox*>(QStringLiteral("seColWidth"))->setValue(20.0);

    EXPECT_TRUE(styleAt(copy, 2, 2).bold);
    EXPECT_EQ(styleAt(copy, 2, 2).hAlign, HAlign::Center);
    EXPECT_EQ(copy.TextRC(2, 2), QStringLiteral("1,234.57"));
    EXPECT_EQ(qRed(styleAt(copy, 2, 2).color), 200);
    EXPECT_EQ(copy.ColWidth(2), 20 * 256);
    EXPECT_FALSE(styleAt(copy, 1, 1).bold);
    // The original is untouched until the designer's result is taken over.
    EXPECT_FALSE(styleAt(book, 2, 2).bold);
    book.AssignFrom(copy);
    EXPECT_TRUE(styleAt(book, 2, 2).bold);
    EXPECT_EQ(book.TextRC(2, 2), QStringLiteral("1,234.57"));
    EXPECT_EQ(book.ColWidth(2), 20 * 256);
}

TEST_F(DesignerTest, LaunchDesignerNeedsPermissionAndCancelKeepsTheWorkbook)
{
    bool shown = false;
    auto answer = [&](bool accept) {
        QTimer::singleShot(0, [&, accept] {
            auto* dlg = qobject_cast<GxDesignerDialog*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            shown = true;
            dlg->book()->set_Selection(QStringLiteral("A1"));
            dlg->findChild<QAction*>(QStringLiteral("acItalic"))->trigger();
            accept ? dlg->accept() : dlg->reject();
        });
    };
    answer(true);
    book.LaunchDesigner();  // not allowed: nothing opens
    EXPECT_FALSE(shown);
    QApplication::processEvents();

    book.set_AllowDesigner(true);
    book.set_Modified(false);
    answer(false);
    book.LaunchDesigner();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(styleAt(book, 1, 1).italic);
    EXPECT_FALSE(book.Modified());

    shown = false;
    answer(true);
    book.LaunchDesigner();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(styleAt(book, 1, 1).italic);
    EXPECT_TRUE(book.Modified());
}

} // namespace
