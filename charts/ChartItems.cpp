#include "charts/ChartItems.h"

#include "charts/ChartText.h"

#include <QChart>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <cmath>

namespace vela::charts {

namespace {

// Depth 20 % of the plot, seen from a little above and to the left.
constexpr double kDepthPercent = 0.20;
constexpr double kDepthRight = 0.62;
constexpr double kDepthUp = 0.48;

// A ribbon's face: a lighter shade of its line, grey for the white list.
QColor faceColour(const QColor& line)
{
    if (line.lightness() > 230)
        return QColor(0xE4, 0xE4, 0xE4);
    QColor c = line.lighter(line.lightness() < 40 ? 300 : 150);
    c.setAlpha(200);
    return c;
}

bool inXRange(QChart* chart, double x)
{
    const auto axes = chart->axes(Qt::Horizontal);
    auto* axis = axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.first());
    return !axis || (x >= axis->min() - 0.5 && x <= axis->max() + 0.5);
}

} // namespace

DepthItem::DepthItem(QChart* chart, const ResultsChartModel* model, const SeriesArray& series)
    : QGraphicsItem(chart), m_chart(chart), m_model(model), m_series(series)
{
    setFlag(ItemHasNoContents, false);
    setAcceptedMouseButtons(Qt::NoButton);
}

void DepthItem::set3D(bool on)
{
    m_on = on;
    update();
}

QSizeF DepthItem::depthRoom(const QSizeF& plotSize) const
{
    const double depth = kDepthPercent * std::min(plotSize.width(), plotSize.height());
    return {depth * kDepthRight, depth * kDepthUp};
}

QPointF DepthItem::depthVector() const
{
    if (!m_on)
        return {};
    const QSizeF room = depthRoom(m_chart->plotArea().size());
    return {room.width(), -room.height()};
}

QList<int> DepthItem::bandSlots() const
{
    QList<int> bands;
    for (int s = 0; s < kSlotCount; ++s) {
        if (!m_model->points(s).isEmpty())
            bands.append(s);
    }
    return bands;
}

QPointF DepthItem::bandOffset(int slot) const
{
    const QList<int> bands = bandSlots();
    const qsizetype k = bands.indexOf(slot);
    if (!m_on || k < 0)
        return {};
    return depthVector() * (double(k) / double(bands.size()));
}

QRectF DepthItem::boundingRect() const
{
    return m_chart->rect();
}

void DepthItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (!m_on)
        return;
    const QRectF plot = m_chart->plotArea();
    const QPointF d = depthVector();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    paintWalls(painter, plot, d);
    painter->setClipRect(plot.united(plot.translated(d)).adjusted(-1, -1, 1, 1));
    const QList<int> bands = bandSlots();
    const double n = double(bands.size());
    // Back to front, so nearer ribbons cover farther ones.
    for (qsizetype k = bands.size() - 1; k >= 0; --k)
        paintRibbon(painter, bands[k], d * (double(k) / n), d * (double(k + 1) / n));
    painter->restore();
}

void DepthItem::paintWalls(QPainter* painter, const QRectF& plot, const QPointF& d) const
{
    // Back and left walls are transparent: only their edges are drawn; the floor is shaded.
    const QPolygonF floor{plot.bottomLeft(), plot.bottomRight(), plot.bottomRight() + d,
                          plot.bottomLeft() + d};
    painter->setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    painter->setBrush(QColor(0xC0, 0xC0, 0xC0, 90));
    painter->drawPolygon(floor);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(plot.translated(d));
    painter->drawLine(plot.topLeft(), plot.topLeft() + d);
    painter->drawLine(plot.topRight(), plot.topRight() + d);
}

void DepthItem::paintRibbon(QPainter* painter, int slot, const QPointF& front,
                            const QPointF& back) const
{
    QLineSeries* series = m_series[size_t(slot)];
    const QList<QPointF>& pts = m_model->points(slot);
    if (!series || pts.isEmpty())
        return;
    const SlotStyle style = m_model->style(slot);
    QPolygonF line;
    line.reserve(pts.size());
    for (const QPointF& p : pts)
        line.append(m_chart->mapToPosition(p, series));
    painter->setPen(QPen(style.colour.darker(130), 0.6));
    painter->setBrush(faceColour(style.colour));
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
        const QPointF a = line[i], b = line[i + 1];
        painter->drawPolygon(QPolygonF{a + front, b + front, b + back, a + back});
    }
    painter->setBrush(Qt::NoBrush);
    QPen edge(style.colour, style.lineWidth);
    if (style.colour.lightness() > 230)
        edge.setColor(QColor(0x90, 0x90, 0x90));  // a white line needs an outline to be seen
    painter->setPen(edge);
    painter->drawPolyline(line.translated(front));
}

ValueMarksItem::ValueMarksItem(QChart* chart, const ResultsChartModel* model,
                               const SeriesArray& series, const DepthItem* depth)
    : QGraphicsItem(chart), m_chart(chart), m_model(model), m_series(series), m_depth(depth)
{
    setAcceptedMouseButtons(Qt::NoButton);
}

QRectF ValueMarksItem::boundingRect() const
{
    return m_chart->rect();
}

void ValueMarksItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const QRectF plot = m_chart->plotArea();
    painter->save();
    painter->setClipRect(plot.united(plot.translated(m_depth->depthVector())));
    // Pixel sizes: scene units, so a printout scales them like everything else.
    QFont font = m_chart->font();
    font.setPixelSize(9);
    painter->setFont(font);
    const QFontMetricsF fm(font);
    for (int s = 0; s < kSlotCount; ++s) {
        if (!m_model->isHighlighted(s) || !m_series[size_t(s)])
            continue;
        const SlotStyle style = m_model->style(s);
        painter->setPen(style.colour.lightness() > 230 ? QColor(0x60, 0x60, 0x60) : style.colour);
        const QPointF offset = m_depth->bandOffset(s);
        for (const QPointF& p : m_model->points(s)) {
            if (!inXRange(m_chart, p.x()))
                continue;
            const QPointF at = m_chart->mapToPosition(p, m_series[size_t(s)]) + offset;
            const QString text = formatValueMark(p.y());
            const double w = fm.horizontalAdvance(text);
            painter->drawText(QPointF(at.x() - w / 2.0, at.y() - style.markerHeight - 3), text);
        }
    }
    painter->restore();
}

LegendItem::LegendItem(QChart* chart, const ResultsChartModel* model)
    : QGraphicsItem(chart), m_chart(chart), m_model(model)
{
    setAcceptedMouseButtons(Qt::NoButton);
}

QFont LegendItem::font() const
{
    QFont f = m_chart->font();
    f.setPixelSize(11);  // scene units, like the chart's own texts on a printout
    return f;
}

QList<LegendItem::Entry> LegendItem::layoutEntries(double left, double width) const
{
    constexpr double kTop = 12.0, kBox = 9.0, kGap = 5.0, kSpacing = 14.0;
    const QFontMetricsF fm(font());
    const double rowHeight = std::max(fm.height(), kBox) + 3.0;
    const double right = left + width;
    QList<Entry> entries;
    double x = left, y = kTop;
    for (int s = 0; s < kSlotCount; ++s) {
        if (!m_model->inLegend(s))
            continue;
        const QString title = m_model->title(s);
        const double w = kBox + kGap + fm.horizontalAdvance(title);
        if (x > left && x + w > right) {
            x = left;
            y += rowHeight;
        }
        const double boxTop = y + (rowHeight - kBox) / 2.0;
        entries.append({s, QRectF(x, boxTop, kBox, kBox),
                        QPointF(x + kBox + kGap, y + (rowHeight + fm.ascent() - fm.descent()) / 2.0)});
        x += w + kSpacing;
    }
    return entries;
}

double LegendItem::heightFor(double left, double width) const
{
    const QList<Entry> entries = layoutEntries(left, width);
    if (entries.isEmpty())
        return 0.0;
    const QFontMetricsF fm(font());
    return entries.last().box.bottom() + fm.descent() + 2.0;
}

void LegendItem::setLeft(double left)
{
    prepareGeometryChange();
    m_left = left;
    update();
}

QRectF LegendItem::boundingRect() const
{
    return m_chart->rect();
}

void LegendItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const double width = m_chart->size().width() - m_left - 12.0;
    painter->save();
    painter->setFont(font());
    for (const Entry& e : layoutEntries(m_left, width)) {
        const SlotStyle style = m_model->style(e.slot);
        painter->setPen(QPen(style.colour.lightness() > 230 ? QColor(0x70, 0x70, 0x70)
                                                            : style.colour.darker(150), 1));
        painter->setBrush(style.colour);
        painter->drawRect(e.box);
        painter->setPen(QColor(0x20, 0x20, 0x20));
        painter->drawText(e.textAt, m_model->title(e.slot));
    }
    painter->restore();
}

} // namespace vela::charts
