#include "GxPrintRenderer.h"

#include "GxSheetModel.h"
#include "workbook/engine/Range.h"

#include <QAbstractItemModel>
#include <QDate>
#include <QFont>
#include <QPainter>
#include <QPrinter>

namespace vela::workbook {
namespace {

constexpr double kScreenDpi = 96.0;
constexpr double kHeaderHeight = 26.0;  // sheet pixels reserved for a header or footer line
constexpr double kCellPadding = 3.0;
constexpr double kHeadingHeight = 17.0;
const QColor kGridColour(0xB0, 0xB0, 0xB0);
const QColor kHeadingFill(0xEE, 0xEE, 0xEE);

// Fonts are drawn with a painter scaled to sheet pixels, so they are sized in pixels too.
QFont sheetFont(QFont font)
{
    if (font.pointSizeF() > 0)
        font.setPixelSize(std::max(1, qRound(font.pointSizeF() * kScreenDpi / 72.0)));
    return font;
}

} // namespace

GxPrintRenderer::GxPrintRenderer(const QAbstractItemModel& model, const QRect& range,
                                 Extent widths, Extent heights, const GxPageSetup& setup)
    : m_model(model), m_range(range), m_widths(std::move(widths)), m_heights(std::move(heights)),
      m_setup(setup)
{
}

void GxPrintRenderer::setTitles(const QString& sheetName, const QString& workbookTitle)
{
    m_sheetName = sheetName;
    m_title = workbookTitle;
}

double GxPrintRenderer::headingWidth() const
{
    return m_setup.headings ? 44.0 : 0.0;
}

double GxPrintRenderer::headingHeight() const
{
    return m_setup.headings ? kHeadingHeight : 0.0;
}

std::vector<GxPrintRenderer::Band> GxPrintRenderer::bands(
    int first, int last, double available, const std::function<double(int)>& size) const
{
    std::vector<Band> out;
    int start = first;
    double used = 0.0;
    for (int i = first; i <= last; ++i) {
        const double s = size(i);
        if (used > 0.0 && used + s > available) {
            out.push_back({start, i - 1});
            start = i;
            used = 0.0;
        }
        used += s;
    }
    if (start <= last)
        out.push_back({start, last});
    return out;
}

void GxPrintRenderer::layout(const QRectF& pageRect, double deviceDpi)
{
    m_pageRect = pageRect;
    m_scale = deviceDpi / kScreenDpi * std::clamp(m_setup.scalePercent, 10, 400) / 100.0;
    const auto width = [this](int c) { return static_cast<double>(std::max(0, m_widths(c))); };
    if (m_setup.fitToPageWidth) {
        double total = headingWidth();
        for (int c = m_range.left(); c <= m_range.right(); ++c)
            total += width(c);
        const double available = pageRect.width() / m_scale;
        if (total > available && total > 0)
            m_scale *= available / total;
    }
    const double top = m_setup.header.isEmpty() ? 0.0 : kHeaderHeight;
    const double bottom = m_setup.footer.isEmpty() ? 0.0 : kHeaderHeight;
    m_body = QRectF(0, top, pageRect.width() / m_scale,
                    pageRect.height() / m_scale - top - bottom);

    const auto colBands = bands(m_range.left(), m_range.right(),
                                m_body.width() - headingWidth(), width);
    const auto rowBands = bands(m_range.top(), m_range.bottom(),
                                m_body.height() - headingHeight(),
                                [this](int r) { return static_cast<double>(std::max(0, m_heights(r))); });
    m_pages.clear();
    if (m_setup.acrossThenDown) {
        for (const Band& r : rowBands)
            for (const Band& c : colBands)
                m_pages.push_back({c, r});
    } else {
        for (const Band& c : colBands)
            for (const Band& r : rowBands)
                m_pages.push_back({c, r});
    }
}

bool GxPrintRenderer::print(QPrinter& printer)
{
    layout(printer.pageRect(QPrinter::DevicePixel), printer.resolution());
    if (m_pages.empty())
        return false;
    int from = 1;
    int to = pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::max(1, printer.fromPage());
        to = std::min(pageCount(), printer.toPage() > 0 ? printer.toPage() : pageCount());
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (int p = from; p <= to; ++p) {
        if (p > from)
            printer.newPage();
        paintPage(painter, p - 1);
    }
    return painter.end();
}

void GxPrintRenderer::paintPage(QPainter& painter, int page) const
{
    if (page < 0 || page >= pageCount())
        return;
    const Page& pg = m_pages[static_cast<size_t>(page)];
    painter.save();
    painter.scale(m_scale, m_scale);
    QPointF origin(0, m_body.top());
    if (m_setup.centreHorizontally) {
        double w = headingWidth();
        for (int c = pg.columns.first; c <= pg.columns.last; ++c)
            w += std::max(0, m_widths(c));
        origin.setX(std::max(0.0, (m_body.width() - w) / 2.0));
    }
    paintHeadings(painter, pg, origin);
    paintCells(painter, pg, origin + QPointF(headingWidth(), headingHeight()));
    paintHeaderFooter(painter, page);
    painter.restore();
}

void GxPrintRenderer::paintCells(QPainter& painter, const Page& page, const QPointF& origin) const
{
    double y = origin.y();
    for (int r = page.rows.first; r <= page.rows.last; ++r) {
        const int h = m_heights(r);
        if (h <= 0)
            continue;
        // Fills and lines first, texts afterwards, so a text may run across empty neighbours.
        std::vector<std::pair<int, QRectF>> cells;
        double x = origin.x();
        for (int c = page.columns.first; c <= page.columns.last; ++c) {
            const int w = m_widths(c);
            if (w <= 0)
                continue;
            const QRectF rect(x, y, w, h);
            paintCellBackground(painter, r, c, rect);
            cells.emplace_back(c, rect);
            x += w;
        }
        for (size_t i = 0; i < cells.size(); ++i) {
            QRectF clip = cells[i].second;
            const QModelIndex index = m_model.index(r, cells[i].first);
            const int align = m_model.data(index, Qt::TextAlignmentRole).toInt();
            const bool leftText = !m_model.data(index, GxSheetModel::IsNumberRole).toBool()
                                  && (align & Qt::AlignHorizontal_Mask) == Qt::AlignLeft;
            for (size_t j = i + 1; leftText && j < cells.size(); ++j) {
                if (!m_model.data(m_model.index(r, cells[j].first), Qt::DisplayRole).toString().isEmpty())
                    break;
                clip.setRight(cells[j].second.right());
            }
            paintCellText(painter, index, cells[i].second, clip);
        }
        y += h;
    }
}

void GxPrintRenderer::paintCellBackground(QPainter& painter, int row, int column,
                                          const QRectF& rect) const
{
    const QModelIndex index = m_model.index(row, column);
    const QVariant background = m_model.data(index, Qt::BackgroundRole);
    if (background.isValid())
        painter.fillRect(rect, background.value<QBrush>());
    if (m_setup.gridLines) {
        painter.setPen(QPen(kGridColour, 0));
        painter.drawRect(rect);
    }
}

void GxPrintRenderer::paintCellText(QPainter& painter, const QModelIndex& index, const QRectF& rect,
                                    const QRectF& clip) const
{
    const QString text = m_model.data(index, Qt::DisplayRole).toString();
    if (text.isEmpty())
        return;
    const QVariant font = m_model.data(index, Qt::FontRole);
    painter.setFont(sheetFont(font.isValid() ? font.value<QFont>() : QFont()));
    const QVariant fg = m_model.data(index, Qt::ForegroundRole);
    painter.setPen(fg.isValid() ? fg.value<QBrush>().color() : QColor(Qt::black));
    const QVariant align = m_model.data(index, Qt::TextAlignmentRole);
    const int flags = align.isValid() ? align.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter);
    painter.save();
    painter.setClipRect(clip);
    QRectF textRect = rect.adjusted(kCellPadding, 0, -kCellPadding, 0);
    if (clip.right() > rect.right())
        textRect.setRight(clip.right() - kCellPadding);
    painter.drawText(textRect, flags, text);
    painter.restore();
}

void GxPrintRenderer::paintHeadings(QPainter& painter, const Page& page,
                                    const QPointF& origin) const
{
    if (!m_setup.headings)
        return;
    QFont font;
    font.setPixelSize(11);
    painter.setFont(font);
    const double hw = headingWidth();
    const double hh = headingHeight();
    double x = origin.x() + hw;
    for (int c = page.columns.first; c <= page.columns.last; ++c) {
        const int w = m_widths(c);
        if (w <= 0)
            continue;
        const QRectF rect(x, origin.y(), w, hh);
        painter.fillRect(rect, kHeadingFill);
        painter.setPen(QPen(kGridColour, 0));
        painter.drawRect(rect);
        painter.setPen(Qt::black);
        painter.drawText(rect, Qt::AlignCenter, columnName(c + 1));
        x += w;
    }
    double y = origin.y() + hh;
    for (int r = page.rows.first; r <= page.rows.last; ++r) {
        const int h = m_heights(r);
        if (h <= 0)
            continue;
        const QRectF rect(origin.x(), y, hw, h);
        painter.fillRect(rect, kHeadingFill);
        painter.setPen(QPen(kGridColour, 0));
        painter.drawRect(rect);
        painter.setPen(Qt::black);
        painter.drawText(rect, Qt::AlignCenter, QString::number(r + 1));
        y += h;
    }
}

QString GxPrintRenderer::expand(const QString& text, int page) const
{
    QString out = text;
    out.replace(QLatin1String("&A"), m_sheetName);
    out.replace(QLatin1String("&F"), m_title);
    out.replace(QLatin1String("&P"), QString::number(page + 1));
    out.replace(QLatin1String("&N"), QString::number(pageCount()));
    out.replace(QLatin1String("&D"), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    return out;
}

void GxPrintRenderer::paintHeaderFooter(QPainter& painter, int page) const
{
    QFont font;
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const double width = m_body.width();
    if (!m_setup.header.isEmpty())
        painter.drawText(QRectF(0, 0, width, kHeaderHeight - 6), Qt::AlignHCenter | Qt::AlignTop,
                         expand(m_setup.header, page));
    if (!m_setup.footer.isEmpty())
        painter.drawText(QRectF(0, m_body.bottom() + 6, width, kHeaderHeight - 6),
                         Qt::AlignHCenter | Qt::AlignBottom, expand(m_setup.footer, page));
}

} // namespace vela::workbook
