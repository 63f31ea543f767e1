#include "charts/ResultsChartView.h"

#include <QMouseEvent>
#include <QRubberBand>
#include <QValueAxis>

namespace vela::charts {

namespace {

constexpr int kZoomSteps = 4;
constexpr int kZoomStepMs = 25;
constexpr int kDragThreshold = 4;

QValueAxis* bottomAxis(QChart* chart)
{
    const auto axes = chart->axes(Qt::Horizontal);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.first());
}

} // namespace

ResultsChartView::ResultsChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent)
{
    setMouseTracking(true);
    setRubberBand(QChartView::NoRubberBand);
    setRenderHint(QPainter::Antialiasing, true);
    m_zoomTimer.setInterval(kZoomStepMs);
    connect(&m_zoomTimer, &QTimer::timeout, this, &ResultsChartView::zoomStep);
}

void ResultsChartView::mousePressEvent(QMouseEvent* event)
{
    if (m_printing)
        return;
    if (event->button() == Qt::LeftButton) {
        m_leftStart = event->position().toPoint();
    } else if (event->button() == Qt::RightButton) {
        m_rightStart = m_lastPan = event->position().toPoint();
        m_panned = false;
        event->accept();
        return;
    }
    // Series items in the scene see the press too (clicks on the cursor shapes).
    QGraphicsView::mousePressEvent(event);
}

void ResultsChartView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_printing)
        return;
    const QPoint pos = event->position().toPoint();
    if ((event->buttons() & Qt::LeftButton) && m_leftStart.x() >= 0
        && std::abs(pos.x() - m_leftStart.x()) > kDragThreshold) {
        if (!m_band)
            m_band = new QRubberBand(QRubberBand::Rectangle, viewport());
        const QRectF area = chart()->mapToScene(chart()->plotArea()).boundingRect();
        const QRect plot = mapFromScene(area).boundingRect();
        m_band->setGeometry(QRect(QPoint(std::min(pos.x(), m_leftStart.x()), plot.top()),
                                  QPoint(std::max(pos.x(), m_leftStart.x()), plot.bottom())));
        m_band->show();
    }
    if ((event->buttons() & Qt::RightButton) && m_rightStart.x() >= 0) {
        const int dx = pos.x() - m_lastPan.x();
        if (m_panned || std::abs(pos.x() - m_rightStart.x()) > kDragThreshold) {
            m_panned = true;
            chart()->scroll(-dx, 0);  // horizontal panning only
            m_lastPan = pos;
            emit viewChanged();
        }
    }
    emit mouseMoved(pos);
    QGraphicsView::mouseMoveEvent(event);
}

void ResultsChartView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_printing)
        return;
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_leftStart.x() >= 0) {
        const int dx = pos.x() - m_leftStart.x();
        if (m_band)
            m_band->hide();
        if (dx > kDragThreshold) {
            const QPointF a = chart()->mapToValue(mapToScene(m_leftStart));
            const QPointF b = chart()->mapToValue(mapToScene(pos));
            zoomTo(a.x(), b.x());
        } else if (dx < -kDragThreshold) {
            emit zoomUndoRequested();
        }
        m_leftStart = {-1, -1};
    } else if (event->button() == Qt::RightButton) {
        if (!m_panned)
            emit popupRequested(event->globalPosition().toPoint());
        m_rightStart = {-1, -1};
        event->accept();
        return;
    }
    QGraphicsView::mouseReleaseEvent(event);
}

void ResultsChartView::leaveEvent(QEvent* event)
{
    emit mouseLeft();
    QChartView::leaveEvent(event);
}

void ResultsChartView::wheelEvent(QWheelEvent* event)
{
    event->ignore();  // no wheel zoom: the left axis keeps its chosen scale
}

void ResultsChartView::zoomTo(double fromX, double toX)
{
    QValueAxis* axis = bottomAxis(chart());
    if (!axis || !(toX > fromX))
        return;
    m_zoomFrom[0] = axis->min();
    m_zoomFrom[1] = axis->max();
    m_zoomTo[0] = fromX;
    m_zoomTo[1] = toX;
    m_zoomStepsLeft = kZoomSteps;
    m_zoomTimer.start();
}

void ResultsChartView::zoomStep()
{
    QValueAxis* axis = bottomAxis(chart());
    if (!axis || m_zoomStepsLeft <= 0) {
        m_zoomTimer.stop();
        return;
    }
    --m_zoomStepsLeft;
    const double t = double(kZoomSteps - m_zoomStepsLeft) / kZoomSteps;
    axis->setRange(m_zoomFrom[0] + (m_zoomTo[0] - m_zoomFrom[0]) * t,
                   m_zoomFrom[1] + (m_zoomTo[1] - m_zoomFrom[1]) * t);
    emit viewChanged();
    if (m_zoomStepsLeft == 0)
        m_zoomTimer.stop();
}

} // namespace vela::charts
