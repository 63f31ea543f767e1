#pragma once
// Everything the results chart knows, without widgets: the copies of the records it shows,
// the points of its seventeen series, the running peak and trough, the axes, the titles, the
// highlight, the read-out and the two cursors with their rate of change.
#include "charts/GlossScale.h"
#include "charts/SlotStyle.h"
#include "results/OpacityRecord.h"
#include "results/ResultsRecord.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <array>
#include <memory>

namespace vela::charts {

inline constexpr double kInitialPeak = -20490.0;
inline constexpr double kInitialTrough = 20480.0;

/// @brief One axis as the chart should show it.
struct AxisState {
    double minimum = 0.0;
    double maximum = 0.0;
    double increment = 0.0;
    bool automatic = false;
};

enum class CursorId { C1, C2 };
enum class CursorSelection { None, C1, C2 };

/// @brief A cursor shape: a vertical line at x from 0 up to v.
struct CursorShape {
    double x = 0.0;
    double v = 0.0;
};

/// @brief What the mouse at axis values (x, y) reads: the text and the value the horizontal
/// cross-hair line goes to.
struct ReadOut {
    double value = 0.0;  // v of the read-out
    double lineY = 0.0;  // where the horizontal line goes (finite)
    QString text;
};

/// @brief The results chart's data and state; the window draws what this holds.
class ResultsChartModel {
public:
    ResultsChartModel();

    // Stores of the records shown.
    void storeResults(int slot, const results::ResultsRecord& record);
    void storeOpacity(const results::OpacityRecord& record);
    [[nodiscard]] const results::ResultsRecord& record(int slot) const;
    [[nodiscard]] const results::OpacityRecord& opacity() const { return *m_opacity; }
    /// Samples of a record that may be plotted or read: its count when 1 to 1,000, else 0
    /// (a count beyond the record's capacity marks a corrupted record).
    [[nodiscard]] static int plottableCount(const results::ResultsRecord& record);
    [[nodiscard]] static int plottableCount(std::int32_t count);

    // Plotting. Each returns false and changes nothing when the set cannot be plotted.
    bool PlotSlot(int slot);
    bool PlotReflectance();
    void ClearSlot(int slot);
    void ClearAllSlots();
    void SetGlossScale(double m);
    void SetSampleAxis(int minimum);
    /// "Data Limits": the left axis follows the lowest and highest plotted values.
    void SetLeftAxisAutomatic();
    [[nodiscard]] const QList<QPointF>& points(int slot) const;
    /// Number of samples a slot spans (its highest x), counting values that were not drawn.
    [[nodiscard]] int extent(int slot) const;
    [[nodiscard]] double peak() const { return m_peak; }
    [[nodiscard]] double trough() const { return m_trough; }
    [[nodiscard]] const AxisState& leftAxis() const { return m_left; }
    [[nodiscard]] const AxisState& bottomAxis() const { return m_bottom; }
    [[nodiscard]] QList<double> leftTicks() const;

    // Titles and styles.
    void SetSlotTitle(const QString& path, const QString& label, int slot);
    [[nodiscard]] QString title(int slot) const;
    /// Listed in the legend: titled, and not emptied since.
    [[nodiscard]] bool inLegend(int slot) const;
    void SetNormalStyle(int slot);
    void HighlightSlot(int slot);
    [[nodiscard]] bool isHighlighted(int slot) const;
    [[nodiscard]] SlotStyle style(int slot) const;

    // Window state that callers read or set.
    [[nodiscard]] int currentSlot() const { return m_currentSlot; }
    void setCurrentSlot(int slot) { m_currentSlot = slot; }
    [[nodiscard]] int reflectanceFlag() const { return m_reflectance; }
    void setReflectanceFlag(int flag) { m_reflectance = flag; }
    [[nodiscard]] const QString& xUnits() const { return m_xUnits; }
    [[nodiscard]] const QString& yUnits() const { return m_yUnits; }
    void setUnits(const QString& x, const QString& y) { m_xUnits = x; m_yUnits = y; }
    void setYUnits(const QString& y) { m_yUnits = y; }

    /// The read-out for the axis values under the pointer.
    [[nodiscard]] ReadOut readOut(double x, double y) const;

    // Cursors.
    void moveCursor(CursorId which, double x, double v);
    void clickCursor(CursorId which);
    void clickOtherSeries();
    void SelectC1();
    void SelectC2();
    void HideC1C2();
    void deactivateCursors();
    [[nodiscard]] const CursorShape& cursor(CursorId which) const;
    [[nodiscard]] CursorSelection selection() const { return m_selection; }
    [[nodiscard]] bool cursorsActive() const { return m_cursorsActive; }
    [[nodiscard]] bool hideTicked() const { return m_hideTicked; }
    [[nodiscard]] bool cursorsPlaced() const { return m_cursorsPlaced; }
    [[nodiscard]] bool deltaVisible() const { return m_deltaVisible; }
    [[nodiscard]] double deltaX() const { return m_deltaX; }
    [[nodiscard]] double deltaY() const { return m_deltaY; }
    [[nodiscard]] double rate() const { return m_rate; }

    /// Blocks of values the CSV export writes: the current slot's samples; after a
    /// reflectance display (which fills no gloss slot) the black and then the white readings.
    [[nodiscard]] QList<QList<float>> exportBlocks() const;

private:
    void addValue(int slot, int index, double v, double& maximum, double& minimum);
    void updateRate();

    std::unique_ptr<std::array<results::ResultsRecord, kGlossSlots>> m_records;
    std::unique_ptr<results::OpacityRecord> m_opacity;
    std::array<QList<QPointF>, kSlotCount> m_points;
    std::array<int, kSlotCount> m_extent{};
    std::array<QString, kSlotCount> m_titles;
    std::array<bool, kSlotCount> m_highlighted{};
    std::array<bool, kSlotCount> m_listed{};
    double m_peak = kInitialPeak;
    double m_trough = kInitialTrough;
    AxisState m_left{0.0, 2000.0, 0.1, false};
    AxisState m_bottom{1.0, 0.0, 1.0, false};
    int m_currentSlot = 0;
    int m_reflectance = 0;
    QString m_xUnits = QStringLiteral("Samples");
    QString m_yUnits = QStringLiteral("GU");

    CursorShape m_c1, m_c2;
    CursorSelection m_selection = CursorSelection::None;
    bool m_cursorsActive = false;
    bool m_hideTicked = true;
    bool m_cursorsPlaced = false;
    bool m_deltaVisible = false;
    double m_deltaX = 0.0, m_deltaY = 0.0, m_rate = 0.0;
};

} // namespace vela::charts
