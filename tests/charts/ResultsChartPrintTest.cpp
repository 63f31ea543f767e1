#include "ChartTestData.h"
#include "TestSupport.h"
#include "charts/PrintLayout.h"
#include "charts/TfrmResultsChart.h"

#include <QApplication>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <memory>

using namespace vela::charts;
using vela::results::OpacityRecord;

namespace {

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

bool isWhite(QRgb c)
{
    return qRed(c) > 245 && qGreen(c) > 245 && qBlue(c) > 245;
}

bool isDark(QRgb c)
{
    return qGray(c) < 100;
}

class ResultsChartPrint : public vela::test::DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            GTEST_SKIP() << "poppler-utils not installed";
        window = std::make_unique<TfrmResultsChart>();
        for (int s = 0; s < 3; ++s)
            window->ShowResults(QStringLiteral("/tmp"), vela::test::rampRecord(40, 80.0f - 5 * s, 0.2f),
                                OpacityRecord{}, s, QString::fromUtf8("60 °"), 0);
        QApplication::processEvents();
    }
    void TearDown() override
    {
        window.reset();
        DialogsFixture::TearDown();
    }
    // A4 at 300 dpi without margins: printer pixels are page pixels.
    void preparePdf(QPrinter& printer, const QString& path)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setResolution(kPrintResolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    }
    QImage rasterise(const QString& pdf)
    {
        const QString base = tempPath(QStringLiteral("page"));
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("300"),
                                         QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, base});
        return QImage(base + QStringLiteral(".png"));
    }
    std::unique_ptr<TfrmResultsChart> window;
};

} // namespace

TEST(PrintLayoutMaths, ChartRectangleDependsOnlyOnTheWidth)
{
    const PrintLayout a4 = printLayout(2480);
    EXPECT_EQ(a4.chart.left(), 275);
    EXPECT_EQ(a4.chart.right(), 2205);
    EXPECT_EQ(a4.chart.top(), 160);
    EXPECT_EQ(a4.chart.bottom(), 2400);
    const PrintLayout letter = printLayout(2550);
    EXPECT_EQ(letter.chart.left(), 283);
    EXPECT_EQ(letter.chart.right(), 2267);
    EXPECT_EQ(letter.chart.top(), 160);
    EXPECT_EQ(letter.chart.bottom(), 2400);
    EXPECT_EQ(a4.heading, QPoint(1100, 0));
    EXPECT_EQ(a4.cursorRow, 80);
}

TEST_F(ResultsChartPrint, PdfPageCarriesHeadingAndChartInItsRectangle)
{
    const QString pdf = tempPath(QStringLiteral("chart.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    preparePdf(printer, pdf);
    ASSERT_TRUE(window->PrintChart(&printer));
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Corvane Gloss Chart"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Rate of change")));  // no cursors placed

    const QImage page = rasterise(pdf);
    ASSERT_EQ(page.width(), 2480);
    const QRect chart(QPoint(275, 160), QPoint(2205, 2400));  // A4 width 2480 / 9 = 275
    const int midX = chart.center().x(), midY = chart.center().y();
    auto darkWithin = [&](QPoint from, QPoint step, int n) {
        for (int i = 0; i < n; ++i, from += step)
            if (isDark(page.pixel(from)))
                return true;
        return false;
    };
    // The chart's border lies just inside each edge of the rectangle ...
    EXPECT_TRUE(darkWithin(QPoint(chart.left(), midY), QPoint(1, 0), 40));
    EXPECT_TRUE(darkWithin(QPoint(chart.right(), midY), QPoint(-1, 0), 40));
    EXPECT_TRUE(darkWithin(QPoint(midX, chart.top()), QPoint(0, 1), 40));
    EXPECT_TRUE(darkWithin(QPoint(midX, chart.bottom()), QPoint(0, -1), 40));
    // ... and nothing is drawn outside it, nor on the empty cursor row.
    EXPECT_TRUE(isWhite(page.pixel(chart.left() - 6, midY)));
    EXPECT_TRUE(isWhite(page.pixel(chart.right() + 6, midY)));
    EXPECT_TRUE(isWhite(page.pixel(midX, chart.bottom() + 6)));
    EXPECT_TRUE(isWhite(page.pixel(midX, 3000)));
    for (int x = chart.left(); x < 1000; x += 7)
        ASSERT_TRUE(isWhite(page.pixel(x, 120))) << x;
    EXPECT_FALSE(isWhite(page.pixel(midX, midY)));  // the gradient's centre
}

TEST_F(ResultsChartPrint, PlacedCursorsArePrintedAboveTheChart)
{
    window->HideC1C2Click();  // shows the cursors
    const QString pdf = tempPath(QStringLiteral("cursors.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    preparePdf(printer, pdf);
    ASSERT_TRUE(window->PrintChart(&printer));
    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("C1 :"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Rate of change")));
    EXPECT_TRUE(text.contains(QStringLiteral("0.000 s , 0.00")));
}

TEST_F(ResultsChartPrint, PrintCommandUsesThePrintDialog)
{
    const QString pdf = tempPath(QStringLiteral("command.pdf"));
    preparePdf(*window->printer(), pdf);
    dialogs().expect({vela::platform::DialogKind::Print, {}, vela::platform::IDOK, {}, true, {}, false});
    window->PrintGraphClick();
    EXPECT_TRUE(QFile::exists(pdf));

    dialogs().expect({vela::platform::DialogKind::Print, {}, vela::platform::IDOK, {}, false, {}, false});
    QFile::remove(pdf);
    window->PrintGraphClick();  // cancelled: nothing printed
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(dialogs().unexpected().isEmpty());
}
