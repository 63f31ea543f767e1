#pragma once
// Items drawn over and behind the results chart's series: the depth view (the 3D look) and
// the value marks of a highlighted series.
#include "charts/ResultsChartModel.h"

#include <QGraphicsItem>
#include <array>

class QChart;
class QLineSeries;

namespace vela::charts {

using SeriesArray = std::array<QLineSeries*, kSlotCount>;

/// @brief The 3D look: each series with points becomes a ribbon in its own depth band
/// (slot 0 in front) behind a box of transparent walls; the plot area is the front face.
class DepthItem : public QGraphicsItem {
public:
    DepthItem(QChart* chart, const ResultsChartModel* model, const SeriesArray& series);

    void set3D(bool on);
    [[nodiscard]] bool is3D() const { return m_on; }
    /// Depth vector of the current plot area (right and up); null in 2D.
    [[nodiscard]] QPointF depthVector() const;
    /// Extra room the depth needs to the right and above the plot area.
    [[nodiscard]] QSizeF depthRoom(const QSizeF& plotSize) const;
    /// Where the front edge of a slot's band lies, relative to the plot area; null in 2D.
    [[nodiscard]] QPointF bandOffset(int slot) const;

    [[nodiscard]] QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget) override;

private:
    [[nodiscard]] QList<int> bandSlots() const;
    void paintWalls(QPainter* painter, const QRectF& plot, const QPointF& d) const;
    void paintRibbon(QPainter* painter, int slot, const QPointF& front,
                     const QPointF& back) const;

    QChart* m_chart;
    const ResultsChartModel* m_model;
    SeriesArray m_series;
    bool m_on = false;
};

/// @brief Value marks: every point of a highlighted series labelled "###0.0" above it.
class ValueMarksItem : public QGraphicsItem {
public:
    ValueMarksItem(QChart* chart, const ResultsChartModel* model, const SeriesArray& series,
                   const DepthItem* depth);

    [[nodiscard]] QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget) override;

private:
    QChart* m_chart;
    const ResultsChartModel* m_model;
    SeriesArray m_series;
    const DepthItem* m_depth;
};

/// @brief The legend: a coloured box and the title of every titled series, in as many rows
/// across the top of the chart as the titles need.
class LegendItem : public QGraphicsItem {
public:
    LegendItem(QChart* chart, const ResultsChartModel* model);

    /// Height the legend needs when it starts at left and may use the chart up to width.
    [[nodiscard]] double heightFor(double left, double width) const;
    void setLeft(double left);

    [[nodiscard]] QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget) override;

private:
    struct Entry {
        int slot;
        QRectF box;
        QPointF textAt;
    };
    [[nodiscard]] QList<Entry> layoutEntries(double left, double width) const;
    [[nodiscard]] QFont font() const;

    QChart* m_chart;
    const ResultsChartModel* m_model;
    double m_left = 0.0;
};

} // namespace vela::charts
