// chart-demo: the results chart filled with made-up gloss readings, for a look at the window.
//   chart-demo [--slots N] [--highlight S] [--reflectance] [--3d] [--hover SAMPLE]
//              [--cursors] [--pdf FILE]
#include "charts/ResultsChartView.h"
#include "charts/TfrmResultsChart.h"
#include "translation/Translator.h"

#include <QApplication>
#include <QChart>
#include <QCommandLineParser>
#include <QLineSeries>
#include <QPrinter>
#include <QTimer>
#include <cmath>
#include <random>

using vela::charts::TfrmResultsChart;
using vela::results::OpacityRecord;
using vela::results::ResultsRecord;

namespace {

// One results set: a coating whose gloss drifts a little around its level.
ResultsRecord glossSet(int slot, int count, std::mt19937& rng)
{
    ResultsRecord r;
    r.instrumentCode = 60;
    r.setAngle(QStringLiteral("60 °"));
    r.setInstrument(QStringLiteral("Vela-Gloss"));
    r.sampleCount = count;
    std::normal_distribution<double> noise(0.0, 0.9);
    const double level = 88.0 - 4.5 * slot;
    for (int i = 0; i < count; ++i)
        r.values[i] = float(level + 2.0 * std::sin(i / 7.0 + slot) + noise(rng));
    return r;
}

OpacityRecord opacitySet(std::mt19937& rng)
{
    OpacityRecord op;
    op.setAngle(QStringLiteral("45/0 °"));
    op.blackCount = 20;
    op.whiteCount = 20;
    std::normal_distribution<double> noise(0.0, 0.4);
    for (int i = 0; i < 20; ++i) {
        op.black[i] = float(82.0 + noise(rng));
        op.white[i] = float(91.5 + noise(rng));
    }
    return op;
}

// Moves the mouse read-out to a sample of slot 0 as if the pointer were there.
void hover(TfrmResultsChart& w, double sample)
{
    QChart* chart = w.chart();
    const int slot = w.series(0)->count() > 0 ? 0 : vela::charts::kBlackSlot;
    const QList<QPointF> pts = w.series(slot)->points();
    double y = 0.0;
    for (const QPointF& p : pts)
        if (std::lround(p.x()) == std::lround(sample))
            y = p.y();
    const QPointF inChart = chart->mapToPosition(QPointF(sample, y), w.series(slot));
    const QPoint view = w.chartView()->mapFromScene(chart->mapToScene(inChart));
    w.ChartMouseMove(view);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("slots"), QStringLiteral("Sets to show."), QStringLiteral("n"), QStringLiteral("1")});
    parser.addOption({QStringLiteral("highlight"), QStringLiteral("Slot to highlight."), QStringLiteral("slot")});
    parser.addOption({QStringLiteral("reflectance"), QStringLiteral("Show an opacity batch.")});
    parser.addOption({QStringLiteral("3d"), QStringLiteral("Switch the 3D view on.")});
    parser.addOption({QStringLiteral("hover"), QStringLiteral("Read-out at this sample."), QStringLiteral("n")});
    parser.addOption({QStringLiteral("cursors"), QStringLiteral("Place cursors C1 and C2.")});
    parser.addOption({QStringLiteral("pdf"), QStringLiteral("Print to this PDF and quit."), QStringLiteral("file")});
    parser.process(app);

    auto* w = CreateResultsChart();
    QString path;
    w->setResultsPathSource([&path] { return path; });
    std::mt19937 rng(7);
    w->ClearAllSlots();
    if (parser.isSet(QStringLiteral("reflectance"))) {
        path = QStringLiteral("C:\\Vela\\45-0Degree\\batch3.res");
        const OpacityRecord op = opacitySet(rng);
        w->ShowResults(QStringLiteral("C:\\Vela"), ResultsRecord{}, op, 0, op.angle(), 1);
    } else {
        const int shown = std::clamp(parser.value(QStringLiteral("slots")).toInt(), 1, 15);
        for (int s = 0; s < shown; ++s) {
            path = QStringLiteral("C:\\Vela\\60Degree\\panel%1.res").arg(s + 1);
            const ResultsRecord r = glossSet(s, 48 + 2 * (s % 4), rng);
            w->ShowResults(QStringLiteral("C:\\Vela"), r, OpacityRecord{}, s, r.angle(), 0);
        }
    }
    w->setChartStatus(vela::TranslateText(
        QStringLiteral("Chart displays raw samples uploaded from instrument.")));
    if (parser.isSet(QStringLiteral("highlight")))
        w->HighlightSlot(parser.value(QStringLiteral("highlight")).toInt());
    if (parser.isSet(QStringLiteral("3d")))
        w->ViewGraph3DClick();

    QTimer::singleShot(300, w, [&] {
        if (parser.isSet(QStringLiteral("cursors"))) {
            w->SelectC1Click();
            hover(*w, 12);
            w->SelectC1Click();
            w->SelectC2Click();
            hover(*w, 30);
            w->SelectC2Click();
        }
        if (parser.isSet(QStringLiteral("hover")))
            hover(*w, parser.value(QStringLiteral("hover")).toDouble());
        if (parser.isSet(QStringLiteral("pdf"))) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setResolution(300);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(parser.value(QStringLiteral("pdf")));
            const bool ok = w->PrintChart(&printer);
            QApplication::exit(ok ? 0 : 1);
        }
    });
    return app.exec();
}
