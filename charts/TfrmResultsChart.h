#pragma once
// The results chart window: gloss sets of up to fifteen results files, or the black and white
// reflectance lists of an opacity batch, drawn as line charts against the sample number, with
// a read-out under the mouse, two cursors, fixed or data scales, a 3D view, printing, copying
// and CSV export.
#include "charts/ChartItems.h"
#include "charts/ResultsChartModel.h"

#include <QColor>
#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QCategoryAxis;
class QChart;
class QGraphicsLineItem;
class QGraphicsSimpleTextItem;
class QLabel;
class QLineSeries;
class QMenu;
class QPainter;
class QPrinter;
class QValueAxis;

namespace vela::charts {

class ResultsChartView;

/// @brief The results chart window (one instance, frmResultsChart).
class TfrmResultsChart : public QMainWindow {
    Q_OBJECT
public:
    /// Builds the window hidden and reads its placement from the settings file.
    TfrmResultsChart();
    /// Writes the placement and window state ("Panel Results Chart").
    ~TfrmResultsChart() override;

    // Operations for the other windows.
    bool ShowResults(const QString& resultsFolder, const results::ResultsRecord& record,
                     const results::OpacityRecord& opacity, int slot, const QString& label,
                     int reflectanceFlag);
    void ClearAllSlots();
    void ClearSlot(int slot);
    void SetSlotTitle(const QString& path, const QString& label, int slot);
    void SetNormalStyle(int slot);
    void HighlightSlot(int slot);
    bool PlotSlot(int slot);
    bool PlotReflectance();
    void SetGlossScale(double m);
    void SetSampleAxis(int minimum);
    /// The status line under the menus ("Chart displays raw samples uploaded from instrument.").
    void setChartStatus(const QString& text);
    [[nodiscard]] QString chartStatus() const;
    [[nodiscard]] int currentSlot() const { return m_model.currentSlot(); }
    [[nodiscard]] const QString& resultsFolder() const { return m_resultsFolder; }

    /// Opens the analysis sheet on the current results; called with the results folder.
    using AnalysisHook = std::function<void(const QString& resultsFolder)>;
    void setAnalysisHook(AnalysisHook hook) { m_analysisHook = std::move(hook); }
    /// Gives the current results path of the results-file service (titles the series).
    using PathSource = std::function<QString()>;
    void setResultsPathSource(PathSource source) { m_pathSource = std::move(source); }

    /// Prints the chart on a prepared printer (layout at 300 dpi); false when the job failed.
    bool PrintChart(QPrinter* printer);
    /// The printer that "Page Setup" and "Print" use (300 dpi), created on first use.
    [[nodiscard]] QPrinter* printer();
    /// Writes the CSV export of the current set to path; false when it cannot be written.
    bool exportCsv(const QString& path) const;

    // For the tests and the demo.
    [[nodiscard]] const ResultsChartModel& model() const { return m_model; }
    [[nodiscard]] QChart* chart() const { return m_chart; }
    [[nodiscard]] ResultsChartView* chartView() const { return m_view; }
    [[nodiscard]] QLineSeries* series(int slot) const;
    [[nodiscard]] QLineSeries* cursorSeries(CursorId which) const;
    [[nodiscard]] bool is3D() const;
    [[nodiscard]] QColor crossHairColour() const { return m_crossHairColour; }
    [[nodiscard]] bool crossHairShown() const;
    [[nodiscard]] QLineF crossHairHorizontal() const;
    [[nodiscard]] QString readOut() const;
    [[nodiscard]] QString deltaText() const;
    [[nodiscard]] bool deltaShown() const;

public Q_SLOTS:
    void SaveAs2Click();
    void SetupPrinter1Click();
    void PrintGraphClick();
    void Exit1Click();
    void ViewGraph3DClick();
    void btAnalysisClick();
    void ScaleMenuClick(int gu);
    void Auto1Click();
    void CopyGraphClick();
    void CrossHairColour1Click();
    void SelectC1Click();
    void SelectC2Click();
    void HideC1C2Click();
    /// Mouse over the chart at a position of the chart view (read-out, cross-hair, cursors).
    void ChartMouseMove(const QPoint& viewPos);
    void ChartClickSeries(QLineSeries* series);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildChart();
    void buildSeries();
    void buildWindow();
    void buildMenus();
    void buildToolBar();
    void translateCaptions();
    void readSettings();
    void writeSettings() const;
    void applySavedState();

    void syncSlot(int slot);
    void syncStyle(int slot);
    void syncTitle(int slot);
    void syncAxes();
    void syncCursors();
    void syncMargins();
    void setChartTitle(const QString& text);
    void forgetCrossHair();
    void repaintChart();
    void updateLegendMarker(QLineSeries* series, bool visible);
    void renderChart(QPainter* painter, const QRect& target, int resolution);

    ResultsChartModel m_model;
    QChart* m_chart = nullptr;
    ResultsChartView* m_view = nullptr;
    SeriesArray m_series{};
    QLineSeries* m_c1 = nullptr;
    QLineSeries* m_c2 = nullptr;
    QCategoryAxis* m_left = nullptr;
    QValueAxis* m_bottom = nullptr;
    DepthItem* m_depth = nullptr;
    ValueMarksItem* m_marks = nullptr;
    LegendItem* m_legend = nullptr;
    QGraphicsLineItem* m_crossV = nullptr;
    QGraphicsLineItem* m_crossH = nullptr;
    QGraphicsSimpleTextItem* m_title = nullptr;

    QLabel* XYValue = nullptr;
    QLabel* ChartStatus = nullptr;
    QLabel* Delta = nullptr;
    QMenu* m_popup = nullptr;
    QAction* ViewGraph3D = nullptr;   // pop-up item that carries the 3D tick
    QAction* Graph3D = nullptr;       // View menu item
    QAction* SelectC1 = nullptr;
    QAction* SelectC2 = nullptr;
    QAction* HideC1C2 = nullptr;

    QString m_resultsFolder;
    QColor m_crossHairColour{0xFF, 0x00, 0x00};
    bool m_printing = false;
    int m_savedState = 0;
    bool m_stateApplied = false;
    AnalysisHook m_analysisHook;
    PathSource m_pathSource;
    std::unique_ptr<QPrinter> m_printer;  // kept between "Page Setup" and "Print"
};

} // namespace vela::charts

/// The one results chart window of the program (null until created).
extern vela::charts::TfrmResultsChart* frmResultsChart;

/// Creates the results chart window (hidden) and sets frmResultsChart; needs a QApplication,
/// the translator and the settings folder to be ready.
vela::charts::TfrmResultsChart* CreateResultsChart();
