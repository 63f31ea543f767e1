#pragma once
// Lays a range of a sheet out on pages and paints them onto a printer (or a PDF writer, or the
// print preview). It reads cells through the item model roles, so it prints what the grid
// shows: texts as formatted, fonts, colours and alignment.
#include "GxPageSetup.h"

#include <QRect>
#include <QString>
#include <functional>
#include <vector>

class QAbstractItemModel;
class QModelIndex;
class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace vela::workbook {

/// @brief Paginates and paints one print range.
class GxPrintRenderer {
public:
    /// Width of a column or height of a row (0-based) in screen pixels at 100 % (0: hidden).
    using Extent = std::function<int(int index)>;

    /// range: 0-based columns (x) and rows (y) of the model to print.
    GxPrintRenderer(const QAbstractItemModel& model, const QRect& range, Extent widths,
                    Extent heights, const GxPageSetup& setup);

    void setTitles(const QString& sheetName, const QString& workbookTitle);

    /// Computes the pages for a device's printable area (pixels) and resolution.
    void layout(const QRectF& pageRect, double deviceDpi);
    [[nodiscard]] int pageCount() const { return static_cast<int>(m_pages.size()); }

    /// Prints every page (or pages from..to, 1-based, when set) onto the printer.
    bool print(QPrinter& printer);
    /// Paints one page (0-based) with the painter in device pixels.
    void paintPage(QPainter& painter, int page) const;

private:
    struct Band {
        int first = 0;
        int last = 0;
    };
    struct Page {
        Band columns;
        Band rows;
    };

    [[nodiscard]] std::vector<Band> bands(int first, int last, double available,
                                          const std::function<double(int)>& size) const;
    [[nodiscard]] double headingWidth() const;
    [[nodiscard]] double headingHeight() const;
    void paintCells(QPainter& painter, const Page& page, const QPointF& origin) const;
    void paintCellBackground(QPainter& painter, int row, int column, const QRectF& rect) const;
    void paintCellText(QPainter& painter, const QModelIndex& index, const QRectF& rect,
                       const QRectF& clip) const;
    void paintHeadings(QPainter& painter, const Page& page, const QPointF& origin) const;
    void paintHeaderFooter(QPainter& painter, int page) const;
    [[nodiscard]] QString expand(const QString& text, int page) const;

    const QAbstractItemModel& m_model;
    QRect m_range;
    Extent m_widths;
    Extent m_heights;
    GxPageSetup m_setup;
    QString m_sheetName;
    QString m_title;

    QRectF m_pageRect;    // printable area, device pixels
    double m_scale = 1.0; // device pixels per sheet pixel
    QRectF m_body;        // where cells go, in sheet pixels relative to the page origin
    std::vector<Page> m_pages;
};

} // namespace vela::workbook
