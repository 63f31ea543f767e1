// The results chart window: the chart, its series and axes, and what the mouse does over it.
#include "charts/ChartIcons.h"
#include "charts/ChartText.h"
#include "charts/ResultsChartView.h"
#include "charts/TfrmResultsChart.h"
#include "translation/Translator.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLineItem>
#include <QGraphicsSimpleTextItem>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QRadialGradient>
#include <QValueAxis>
#include <cmath>

namespace vela::charts {

namespace {

const QMargins kChartMargins(4, 22, 12, 4);
constexpr qreal kDepthZ = 2.5;   // above the grid, below axes and series
constexpr qreal kMarksZ = 4.5;   // above the series
constexpr qreal kCrossZ = 7.0;   // above everything

QPen cursorPen()
{
    QPen pen(QColor(0x40, 0x40, 0x40), 1.5, Qt::DotLine);
    pen.setCosmetic(true);
    return pen;
}

} // namespace

void TfrmResultsChart::buildChart()
{
    m_chart = new QChart();
    m_chart->setObjectName(QStringLiteral("Chart"));
    m_chart->setBackgroundRoundness(0);
    m_chart->setDropShadowEnabled(false);
    m_chart->setAnimationOptions(QChart::NoAnimation);
    QRadialGradient gradient(0.5, 0.5, 0.75);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0.0, QColor(0x80, 0xFF, 0xFF));
    gradient.setColorAt(1.0, Qt::white);
    m_chart->setBackgroundBrush(gradient);
    m_chart->setBackgroundPen(QPen(Qt::black, 1));
    m_chart->setPlotAreaBackgroundVisible(false);
    m_chart->setMargins(kChartMargins);
    // Our own legend wraps the fifteen titles into rows; the built-in one would cut them.
    m_chart->legend()->setVisible(false);

    m_title = new QGraphicsSimpleTextItem(m_chart);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(10.0);
    m_title->setFont(titleFont);
    m_title->setPos(10, 12);

    m_left = new QCategoryAxis();
    m_left->setObjectName(QStringLiteral("LeftAxis"));
    m_left->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_left->setMinorTickCount(0);
    m_bottom = new QValueAxis();
    m_bottom->setObjectName(QStringLiteral("BottomAxis"));
    m_bottom->setTickType(QValueAxis::TicksDynamic);
    m_bottom->setTickAnchor(0.0);
    m_bottom->setMinorTickCount(0);
    m_bottom->setLabelFormat(QStringLiteral("%.0f"));
    m_bottom->setTitleText(vela::TranslateText(QStringLiteral("Samples")));
    m_chart->addAxis(m_left, Qt::AlignLeft);
    m_chart->addAxis(m_bottom, Qt::AlignBottom);
    buildSeries();

    m_depth = new DepthItem(m_chart, &m_model, m_series);
    m_depth->setZValue(kDepthZ);
    m_marks = new ValueMarksItem(m_chart, &m_model, m_series, m_depth);
    m_marks->setZValue(kMarksZ);
    m_legend = new LegendItem(m_chart, &m_model);
    m_legend->setZValue(kMarksZ);
    m_crossV = new QGraphicsLineItem(m_chart);
    m_crossH = new QGraphicsLineItem(m_chart);
    for (QGraphicsLineItem* line : {m_crossV, m_crossH}) {
        line->setZValue(kCrossZ);
        line->setVisible(false);
    }
    connect(m_chart, &QGraphicsWidget::geometryChanged, this, [this] { syncMargins(); });
    connect(m_chart, &QChart::plotAreaChanged, this, [this] {
        forgetCrossHair();
        m_depth->update();
        m_marks->update();
    });
    syncAxes();
}

void TfrmResultsChart::buildSeries()
{
    for (int s = 0; s < kSlotCount; ++s) {
        auto* series = new QLineSeries();
        series->setObjectName(QString::fromLatin1(normalStyle(s).component));
        m_series[size_t(s)] = series;
        m_chart->addSeries(series);
        series->attachAxis(m_left);
        series->attachAxis(m_bottom);
        connect(series, &QLineSeries::clicked, this, [this, series] { ChartClickSeries(series); });
        syncStyle(s);
        syncTitle(s);
    }
    const std::pair<QLineSeries**, const char*> cursors[] = {{&m_c1, "Series2"},
                                                              {&m_c2, "Series6"}};
    for (const auto& [member, name] : cursors) {
        auto* shape = new QLineSeries();
        *member = shape;
        shape->setObjectName(QString::fromLatin1(name));
        shape->setName(member == &m_c1 ? QStringLiteral("C1") : QStringLiteral("C2"));
        shape->setPen(cursorPen());
        shape->setPointLabelsFormat(member == &m_c1 ? QStringLiteral("C 1") : QStringLiteral("C 2"));
        shape->append(0.0, 0.0);
        shape->append(0.0, 0.0);
        m_chart->addSeries(shape);
        shape->attachAxis(m_left);
        shape->attachAxis(m_bottom);
        shape->setPointConfiguration(1, QXYSeries::PointConfiguration::LabelVisibility, true);
        shape->setVisible(false);
        updateLegendMarker(shape, false);
        connect(shape, &QLineSeries::clicked, this, [this, shape] { ChartClickSeries(shape); });
    }
}

QLineSeries* TfrmResultsChart::series(int slot) const
{
    return isValidSlot(slot) ? m_series[size_t(slot)] : nullptr;
}

QLineSeries* TfrmResultsChart::cursorSeries(CursorId which) const
{
    return which == CursorId::C1 ? m_c1 : m_c2;
}

void TfrmResultsChart::updateLegendMarker(QLineSeries* series, bool visible)
{
    for (QLegendMarker* marker : m_chart->legend()->markers(series))
        marker->setVisible(visible);
}

void TfrmResultsChart::setChartTitle(const QString& text)
{
    m_title->setText(text);
    if (m_view)
        m_view->setAccessibleName(text);
    if (m_legend)
        syncMargins();
}

void TfrmResultsChart::syncSlot(int slot)
{
    m_series[size_t(slot)]->replace(m_model.points(slot));
    syncStyle(slot);
    m_depth->update();
    m_marks->update();
}

void TfrmResultsChart::syncStyle(int slot)
{
    QLineSeries* series = m_series[size_t(slot)];
    const SlotStyle style = m_model.style(slot);
    QPen pen(style.colour, style.lineWidth);
    pen.setCosmetic(true);
    series->setPen(pen);
    series->setLightMarker(markerImage(style));
    series->setMarkerSize(markerImageSize(style));
    series->setPointsVisible(true);
    if (m_marks) {
        m_marks->update();
        m_depth->update();
    }
}

void TfrmResultsChart::syncTitle(int slot)
{
    const QString title = m_model.title(slot);
    m_series[size_t(slot)]->setName(title);
    updateLegendMarker(m_series[size_t(slot)], !title.isEmpty());
    if (m_legend)
        syncMargins();
}

void TfrmResultsChart::syncAxes()
{
    const AxisState& left = m_model.leftAxis();
    for (const QString& label : m_left->categoriesLabels())
        m_left->remove(label);
    m_left->setStartValue(left.minimum);
    for (double tick : m_model.leftTicks())
        m_left->append(formatAxisLabel(tick), tick);
    m_left->setRange(left.minimum, left.maximum);

    const AxisState& bottom = m_model.bottomAxis();
    const double lo = bottom.minimum;
    const double hi = bottom.maximum > lo ? bottom.maximum : lo + 1.0;
    m_bottom->setRange(lo, hi);
    m_bottom->setTickInterval(niceIncrement(hi - lo));
    forgetCrossHair();
    m_depth->update();
    m_marks->update();
}

void TfrmResultsChart::syncCursors()
{
    const std::pair<QLineSeries*, CursorId> shapes[] = {{m_c1, CursorId::C1}, {m_c2, CursorId::C2}};
    for (const auto& [shape, id] : shapes) {
        const CursorShape& c = m_model.cursor(id);
        shape->replace(QList<QPointF>{QPointF(c.x, 0.0), QPointF(c.x, c.v)});
        shape->setVisible(m_model.cursorsActive());
        updateLegendMarker(shape, false);
    }
    SelectC1->setChecked(m_model.selection() == CursorSelection::C1);
    SelectC2->setChecked(m_model.selection() == CursorSelection::C2);
    HideC1C2->setChecked(m_model.hideTicked());
    Delta->setText(vela::TranslateText(QStringLiteral("Rate of Change")) + rateSuffix(m_model.rate()));
    Delta->setVisible(m_model.deltaVisible());
}

void TfrmResultsChart::syncMargins()
{
    QMargins margins = kChartMargins;
    const double legendLeft = m_title->boundingRect().width() + 30.0;
    m_legend->setLeft(legendLeft);
    const double legendHeight = m_legend->heightFor(legendLeft, m_chart->size().width() - legendLeft - 12.0);
    margins.setTop(std::max(margins.top(), int(std::ceil(legendHeight)) + 6));
    if (m_depth && m_depth->is3D()) {
        const QSizeF room = m_depth->depthRoom(m_chart->size() * 0.8);
        margins.setRight(margins.right() + int(room.width()));
        margins.setTop(margins.top() + int(room.height()));
    }
    m_chart->setMargins(margins);
}

void TfrmResultsChart::repaintChart()
{
    forgetCrossHair();
    if (m_view)
        m_view->viewport()->update();
}

void TfrmResultsChart::forgetCrossHair()
{
    if (m_crossV) {
        m_crossV->setVisible(false);
        m_crossH->setVisible(false);
    }
}

bool TfrmResultsChart::crossHairShown() const
{
    return m_crossV->isVisible() && m_crossH->isVisible();
}

QLineF TfrmResultsChart::crossHairHorizontal() const
{
    return m_crossH->line();
}

QString TfrmResultsChart::readOut() const
{
    return XYValue->text();
}

QString TfrmResultsChart::deltaText() const
{
    return Delta->text();
}

bool TfrmResultsChart::deltaShown() const
{
    return !Delta->isHidden();
}

bool TfrmResultsChart::PlotSlot(int slot)
{
    if (!m_model.PlotSlot(slot))
        return false;
    syncSlot(slot);
    syncAxes();
    repaintChart();
    return true;
}

bool TfrmResultsChart::PlotReflectance()
{
    if (!m_model.PlotReflectance())
        return false;
    syncSlot(kBlackSlot);
    syncSlot(kWhiteSlot);
    syncAxes();
    repaintChart();
    return true;
}

void TfrmResultsChart::SetGlossScale(double m)
{
    m_model.SetGlossScale(m);
    syncAxes();
}

void TfrmResultsChart::SetSampleAxis(int minimum)
{
    m_model.SetSampleAxis(minimum);
    syncAxes();
}

void TfrmResultsChart::ClearSlot(int slot)
{
    if (!isValidSlot(slot))
        return;
    m_model.ClearSlot(slot);
    syncSlot(slot);
    updateLegendMarker(m_series[size_t(slot)], false);
    syncMargins();
}

void TfrmResultsChart::ClearAllSlots()
{
    for (int s = 0; s < kSlotCount; ++s) {
        SetNormalStyle(s);
        ClearSlot(s);
        SetSlotTitle({}, {}, s);
    }
}

void TfrmResultsChart::SetSlotTitle(const QString& path, const QString& label, int slot)
{
    if (!isValidSlot(slot))
        return;
    m_model.SetSlotTitle(path, label, slot);
    syncTitle(slot);
}

void TfrmResultsChart::SetNormalStyle(int slot)
{
    if (!isValidSlot(slot))
        return;
    m_model.SetNormalStyle(slot);
    syncStyle(slot);
}

void TfrmResultsChart::HighlightSlot(int slot)
{
    if (isValidSlot(slot)) {
        m_model.HighlightSlot(slot);
        for (int s = 0; s < kSlotCount; ++s)
            syncStyle(s);
    }
    repaintChart();
}

void TfrmResultsChart::ChartMouseMove(const QPoint& viewPos)
{
    if (m_printing)
        return;
    forgetCrossHair();
    // The series and the read-out live on the front face of the chart, in 2D and in 3D.
    const QPointF at = m_chart->mapFromScene(m_view->mapToScene(viewPos));
    const QRectF plot = m_chart->plotArea();
    if (!plot.contains(at)) {
        XYValue->clear();
        return;
    }
    const QPointF value = m_chart->mapToValue(at, m_series[0]);
    const ReadOut r = m_model.readOut(value.x(), value.y());
    if (m_model.selection() == CursorSelection::C1) {
        m_model.moveCursor(CursorId::C1, value.x(), r.value);
        syncCursors();
    } else if (m_model.selection() == CursorSelection::C2) {
        m_model.moveCursor(CursorId::C2, value.x(), r.value);
        syncCursors();
    } else {
        const double row = m_chart->mapToPosition(QPointF(value.x(), r.lineY), m_series[0]).y();
        QPen pen(m_crossHairColour, 1, Qt::SolidLine);
        pen.setCosmetic(true);
        m_crossV->setPen(pen);
        m_crossH->setPen(pen);
        m_crossV->setLine(QLineF(at.x(), plot.top(), at.x(), plot.bottom()));
        const double y = std::clamp(row, plot.top(), plot.bottom());
        m_crossH->setLine(QLineF(plot.left(), y, plot.right(), y));
        m_crossV->setVisible(true);
        m_crossH->setVisible(true);
    }
    XYValue->setText(r.text);
}

void TfrmResultsChart::ChartClickSeries(QLineSeries* series)
{
    if (series == m_c1)
        m_model.clickCursor(CursorId::C1);
    else if (series == m_c2)
        m_model.clickCursor(CursorId::C2);
    else
        m_model.clickOtherSeries();
    syncCursors();
}

void TfrmResultsChart::SelectC1Click()
{
    m_model.SelectC1();
    syncCursors();
}

void TfrmResultsChart::SelectC2Click()
{
    m_model.SelectC2();
    syncCursors();
}

void TfrmResultsChart::HideC1C2Click()
{
    m_model.HideC1C2();
    syncCursors();
}

} // namespace vela::charts
