// Plotting 15 slots of 1,000 samples in the results chart: time to fill the series
// (ShowResults for every slot) and to draw the window once, in 2D and in 3D.
//   bench_charts [rounds]   (runs on the offscreen platform unless QT_QPA_PLATFORM is set)
#include "charts/ResultsChartView.h"
#include "charts/TfrmResultsChart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using vela::charts::TfrmResultsChart;

namespace {

vela::results::ResultsRecord record(int slot)
{
    vela::results::ResultsRecord r;
    r.setAngle(QString::fromUtf8("60 °"));
    r.sampleCount = 1000;
    for (int i = 0; i < 1000; ++i)
        r.values[i] = float(90.0 - 4.0 * slot + 2.0 * std::sin(i / 25.0 + slot) + (i % 7) * 0.1);
    return r;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    qputenv("VELA_SETTINGS_DIR", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 10;

    std::vector<vela::results::ResultsRecord> records;
    for (int s = 0; s < 15; ++s)
        records.push_back(record(s));

    TfrmResultsChart window;
    std::vector<double> plot, draw2d, draw3d;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        window.ClearAllSlots();
        for (int s = 0; s < 15; ++s)
            window.ShowResults(QStringLiteral("/tmp"), records[size_t(s)], {}, s,
                               records[size_t(s)].angle(), 0);
        QApplication::processEvents();
        plot.push_back(double(t.nsecsElapsed()) / 1e6);

        t.restart();
        const QPixmap shot2d = window.chartView()->grab();
        draw2d.push_back(double(t.nsecsElapsed()) / 1e6);

        window.ViewGraph3DClick();
        QApplication::processEvents();
        t.restart();
        const QPixmap shot3d = window.chartView()->grab();
        draw3d.push_back(double(t.nsecsElapsed()) / 1e6);
        window.ViewGraph3DClick();
        if (shot2d.isNull() || shot3d.isNull())
            return 1;
    }
    std::printf("results chart, 15 slots x 1000 samples, %d rounds (median ms)\n", rounds);
    std::printf("  fill 15 slots (ShowResults x15): %8.2f\n", median(plot));
    std::printf("  draw once, 2D:                   %8.2f\n", median(draw2d));
    std::printf("  draw once, 3D:                   %8.2f\n", median(draw3d));
    return 0;
}
