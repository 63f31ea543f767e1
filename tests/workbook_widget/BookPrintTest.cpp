// Printing the active sheet to a PDF printer and reading the text back with pdftotext.
#include "TestSupport.h"
#include "workbook/engine/Workbook.h"
#include "workbook/widget/TGxBookProxy.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>

using namespace vela::workbook;
using vela::platform::DialogKind;

namespace {

class BookPrintTest : public vela::test::DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        Sheet& s = *book.book().sheet(0);
        s.setText(1, 1, QStringLiteral("Batch report"));
        for (int r = 2; r <= 150; ++r) {
            s.setText(r, 1, QStringLiteral("Sample %1").arg(r - 1));
            s.setNumber(r, 2, 90.0 + r / 100.0);
        }
        Style money = s.style(2, 2);
        money.numberFormat = QStringLiteral("0.000");
        s.setStyle(2, 2, money);
        pdf = tempPath(QStringLiteral("out.pdf"));
        book.printer()->setOutputFormat(QPrinter::PdfFormat);
        book.printer()->setOutputFileName(pdf);
    }
    void acceptPrintDialog(bool accept)
    {
        dialogs().expect({DialogKind::Print, {}, vela::platform::IDOK, {}, accept, {}, false});
    }
    QString pdfText() const
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        EXPECT_TRUE(p.waitForFinished(20000));
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    TGxBookProxy book;
    QString pdf;
};

TEST_F(BookPrintTest, PrintsTheUsedRangeOverSeveralPagesWithFormattedTexts)
{
    book.set_Title(QStringLiteral("Demo.vts"));
    acceptPrintDialog(true);
    ASSERT_TRUE(book.FilePrint(true));
    const QString text = pdfText();
    EXPECT_TRUE(text.contains(QStringLiteral("Batch report")));
    EXPECT_TRUE(text.contains(QStringLiteral("Sample 1 ")));
    EXPECT_TRUE(text.contains(QStringLiteral("Sample 149")));
    EXPECT_TRUE(text.contains(QStringLiteral("90.020")));  // number format applied
    const int pages = static_cast<int>(text.count(QLatin1Char('\f')));
    EXPECT_GE(pages, 2);
    EXPECT_EQ(pages, book.PrintPageCount());
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1 of %1").arg(pages)));
}

TEST_F(BookPrintTest, PrintAreaLimitsWhatIsPrinted)
{
    book.set_PrintArea(QStringLiteral("$A$1:$A$5"));
    book.set_PrintLandscape(true);
    ASSERT_TRUE(book.FilePrint(false));
    const QString text = pdfText();
    EXPECT_TRUE(text.contains(QStringLiteral("Sample 4")));
    EXPECT_FALSE(text.contains(QStringLiteral("Sample 5")));
    EXPECT_FALSE(text.contains(QStringLiteral("90.0")));
    EXPECT_EQ(text.count(QLatin1Char('\f')), 1);
    EXPECT_EQ(book.printer()->pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(BookPrintTest, CancelledPrintDialogPrintsNothing)
{
    acceptPrintDialog(false);
    EXPECT_FALSE(book.FilePrint(true));
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(BookPrintTest, PageSetupScaleAndHeadingsChangeThePages)
{
    const int normal = book.PrintPageCount();
    GxPageSetup setup = book.PageSetup();
    setup.scalePercent = 50;
    setup.headings = true;
    setup.header = QStringLiteral("&F - &A");
    book.set_Title(QStringLiteral("Demo.vts"));
    book.set_PageSetup(setup);
    EXPECT_LT(book.PrintPageCount(), normal);
    ASSERT_TRUE(book.FilePrint(false));
    const QString text = pdfText();
    EXPECT_TRUE(text.contains(QStringLiteral("Demo.vts - Sheet1")));
    EXPECT_TRUE(text.contains(QStringLiteral("Sample 149")));
}

} // namespace
