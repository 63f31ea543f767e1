#include "charts/ChartIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vela::charts {

namespace {

constexpr int kIconSize = 32;

QPixmap canvas()
{
    QPixmap pm(kIconSize, kIconSize);
    pm.fill(Qt::transparent);
    return pm;
}

} // namespace

QIcon printIcon()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 11));                       // paper in
    p.setBrush(QColor(0x9A, 0xA4, 0xB0));
    p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);         // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 19, 14, 10));                      // paper out
    p.setPen(QPen(QColor(0x20, 0x60, 0xC0), 1.2));
    p.drawLine(QPointF(11, 22.5), QPointF(21, 22.5));
    p.drawLine(QPointF(11, 25.5), QPointF(19, 25.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0xC0, 0x30));
    p.drawEllipse(QPointF(25, 16), 1.5, 1.5);
    return QIcon(pm);
}

QIcon exitIcon()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x50, 0x38, 0x20), 1.5));
    p.setBrush(QColor(0xC8, 0x96, 0x5A));
    p.drawRect(QRectF(4, 3, 14, 26));                       // door
    p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13, 16), QPointF(28, 16));           // arrow out
    p.drawLine(QPointF(23, 11), QPointF(28, 16));
    p.drawLine(QPointF(23, 21), QPointF(28, 16));
    return QIcon(pm);
}

QIcon analysisIcon()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(Qt::white);
    p.drawRect(3, 4, 26, 24);
    p.fillRect(4, 5, 25, 5, QColor(0x30, 0x80, 0x30));
    for (int y = 10; y < 28; y += 6)
        p.drawLine(3, y, 29, y);
    for (int x = 11; x < 29; x += 9)
        p.drawLine(x, 4, x, 28);
    p.setPen(QPen(QColor(0x20, 0x40, 0xD0), 2));
    p.drawPolyline(QPolygon{QPoint(6, 25), QPoint(12, 19), QPoint(18, 22), QPoint(27, 12)});
    return QIcon(pm);
}

int markerImageSize(const SlotStyle& style)
{
    return 2 * std::max(1, style.markerHeight) + 1;
}

QImage markerImage(const SlotStyle& style)
{
    const int side = markerImageSize(style);
    QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    const QColor edge = style.colour.lightness() > 230 ? QColor(0x70, 0x70, 0x70) : style.colour;
    if (style.shape == MarkerShape::DownTriangle) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(edge);
        p.drawPolygon(QPolygonF{QPointF(0, 0), QPointF(side, 0), QPointF(side / 2.0, side)});
    } else {
        const int w = std::min(3, side);
        p.fillRect(QRect((side - w) / 2, 0, w, side), edge);
        if (edge != style.colour && side > 2)
            p.fillRect(QRect((side - w) / 2 + 1, 1, std::max(1, w - 2), side - 2), style.colour);
    }
    return img;
}

} // namespace vela::charts
