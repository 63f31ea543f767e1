#pragma once
// The view under the results chart: reports mouse moves for the read-out, zooms the sample
// axis with a horizontal drag (animated in four steps; a drag to the left undoes the zoom),
// pans it with the right button, and asks for the pop-up menu on a right click.
#include <QChartView>
#include <QPoint>
#include <QTimer>

class QRubberBand;

namespace vela::charts {

/// @brief Chart view with the results chart's mouse behaviour.
class ResultsChartView : public QChartView {
    Q_OBJECT
public:
    explicit ResultsChartView(QChart* chart, QWidget* parent = nullptr);

    /// Stops mouse handling (zoom, pan, moves) while the chart is being printed.
    void setPrinting(bool printing) { m_printing = printing; }

Q_SIGNALS:
    void mouseMoved(const QPoint& viewPos);
    void mouseLeft();
    void popupRequested(const QPoint& globalPos);
    /// A drag to the left: give the sample axis back its full range.
    void zoomUndoRequested();
    /// The zoom or pan changed the visible part of the chart.
    void viewChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void zoomTo(double fromX, double toX);
    void zoomStep();

    bool m_printing = false;
    QRubberBand* m_band = nullptr;
    QPoint m_leftStart{-1, -1};
    QPoint m_rightStart{-1, -1};
    QPoint m_lastPan;
    bool m_panned = false;
    QTimer m_zoomTimer;
    int m_zoomStepsLeft = 0;
    double m_zoomFrom[2] = {0, 0};
    double m_zoomTo[2] = {0, 0};
};

} // namespace vela::charts
