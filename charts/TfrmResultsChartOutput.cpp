// The results chart window: printing, copying to the clipboard and the CSV export.
#include "charts/ChartText.h"
#include "charts/PrintLayout.h"
#include "charts/ResultsChartView.h"
#include "charts/ResultsCsv.h"
#include "charts/TfrmResultsChart.h"
#include "platform/Dialogs.h"
#include "translation/Translator.h"

#include <QChart>
#include <QClipboard>
#include <QDate>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

namespace vela::charts {

namespace {

QString T(const char* text)
{
    return vela::TranslateText(QString::fromLatin1(text));
}

// Text placed with its top-left corner at a printer position.
void printAt(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(QRect(x, y, 100000, 1000), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                     text);
}

// Restores the screen cursor however printing ends.
struct BusyCursor {
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

QPrinter* TfrmResultsChart::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setResolution(kPrintResolution);
    }
    return m_printer.get();
}

void TfrmResultsChart::SetupPrinter1Click()
{
    repaintChart();
    platform::dialogs().printerSetup(printer());
}

void TfrmResultsChart::PrintGraphClick()
{
    repaintChart();
    QPrinter* job = printer();
    job->setResolution(kPrintResolution);
    if (platform::dialogs().printDialog(job) && !PrintChart(job)) {
        vela::TranslatedMessageBox(QStringLiteral("Unable to print Chart"),
                                   QStringLiteral("Results Chart Error"), platform::MB_OK);
    }
    repaintChart();
}

bool TfrmResultsChart::PrintChart(QPrinter* job)
{
    if (!job)
        return false;
    m_printing = true;
    m_view->setPrinting(true);
    repaintChart();
    BusyCursor busy;
    QPainter painter;
    bool ok = painter.begin(job);
    if (ok) {
        const PrintLayout layout = printLayout(job->width());
        painter.setFont(QFont(QStringLiteral("Arial"), layout.fontPointSize));
        painter.setPen(Qt::black);
        const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
        printAt(painter, layout.heading.x(), layout.heading.y(),
                T("Corvane Gloss Chart                     Date :") + date);
        int row = layout.cursorRow;
        if (m_model.cursorsPlaced()) {
            const CursorShape& c1 = m_model.cursor(CursorId::C1);
            const CursorShape& c2 = m_model.cursor(CursorId::C2);
            printAt(painter, layout.c1Caption, row, T("C1 : "));
            printAt(painter, layout.c1Values, row, printCursorText(c1.x, c1.v));
            printAt(painter, layout.c2Caption, row, T("C2 : "));
            printAt(painter, layout.c2Values, row, printCursorText(c2.x, c2.v));
            printAt(painter, layout.rateCaption, row, T("Rate of change"));
            printAt(painter, layout.rateValue, row, printRateText(m_model.rate()));
        }
        renderChart(&painter, layout.chart, job->resolution());
        ok = painter.end();
    }
    m_printing = false;
    m_view->setPrinting(false);
    repaintChart();
    return ok;
}

void TfrmResultsChart::renderChart(QPainter* painter, const QRect& target, int resolution)
{
    // Lay the chart out at the size the target has on paper, in screen units, so its texts and
    // lines keep their proportions; then draw it scaled into the target.
    const double scale = std::max(1.0, resolution / 96.0);
    const QSizeF screenSize = m_chart->size();
    m_chart->resize(QSizeF(target.width() / scale, target.height() / scale));
    if (QGraphicsLayout* l = m_chart->layout())
        l->activate();
    syncMargins();
    if (QGraphicsLayout* l = m_chart->layout())
        l->activate();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    m_chart->scene()->render(painter, QRectF(target), m_chart->sceneBoundingRect(),
                             Qt::IgnoreAspectRatio);
    painter->restore();
    m_chart->resize(screenSize);
    syncMargins();
    if (QGraphicsLayout* l = m_chart->layout())
        l->activate();
}

void TfrmResultsChart::CopyGraphClick()
{
    repaintChart();
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setPixmap(m_view->grab());
}

bool TfrmResultsChart::exportCsv(const QString& path) const
{
    QByteArray bytes = resultsCsvHeading(m_model.xUnits(), m_model.yUnits());
    for (const QList<float>& block : m_model.exportBlocks())
        bytes += resultsCsvRows(block.constData(), int(block.size()));
    return writeResultsCsv(path, bytes);
}

void TfrmResultsChart::SaveAs2Click()
{
    repaintChart();
    platform::FileDialogRequest request;
    request.caption = T("Save Chart Data to CSV Format");
    request.directory = m_resultsFolder;
    request.fileName = QStringLiteral("*.CSV");
    request.filters = {T("Commer delimited") + QStringLiteral(" (*.csv)"),
                       T("Text files") + QStringLiteral(" (*.txt)")};
    request.defaultSuffix = QStringLiteral("csv");
    request.promptOverwrite = true;
    const QString path = platform::dialogs().saveFile(request);
    if (path.isEmpty())
        return;
    // A file that cannot be written ends the command quietly.
    (void)exportCsv(path);
}

} // namespace vela::charts
