// Column widths, row heights, view, print set-up and protection of a sheet.
#include "workbook/engine/CellStore.h"
#include "workbook/engine/Sheet.h"
#include "workbook/engine/Workbook.h"

#include <QFont>
#include <QFontMetricsF>
#include <algorithm>

namespace vela::workbook {

namespace {
void setFlag(QList<int>& list, int v, bool on)
{
    const bool has = list.contains(v);
    if (on && !has) {
        list.insert(std::lower_bound(list.begin(), list.end(), v), v);
    } else if (!on && has) {
        list.removeAll(v);
    }
}
} // namespace

double Sheet::columnWidth(int col) const { return m_colWidths.value(col, kDefaultColumnWidth); }

void Sheet::setColumnWidth(int col, double width)
{
    if (col < 1 || col > kMaxCols)
        return;
    width = std::clamp(width, 0.0, 255.0);
    if (width == kDefaultColumnWidth)
        m_colWidths.remove(col);
    else
        m_colWidths[col] = width;
    m_owner->notifyLayout(this);
}

bool Sheet::isColumnHidden(int col) const { return m_hiddenCols.contains(col); }

void Sheet::setColumnHidden(int col, bool hidden)
{
    if (col < 1 || col > kMaxCols)
        return;
    setFlag(m_hiddenCols, col, hidden);
    m_owner->notifyLayout(this);
}

double Sheet::rowHeight(int row) const { return m_rowHeights.value(row, kDefaultRowHeight); }

void Sheet::setRowHeight(int row, double points)
{
    if (row < 1 || row > kMaxRows)
        return;
    points = std::clamp(points, 0.0, 409.0);
    if (points == kDefaultRowHeight)
        m_rowHeights.remove(row);
    else
        m_rowHeights[row] = points;
    m_owner->notifyLayout(this);
}

bool Sheet::isRowHidden(int row) const { return m_hiddenRows.contains(row); }

void Sheet::setRowHidden(int row, bool hidden)
{
    if (row < 1 || row > kMaxRows)
        return;
    setFlag(m_hiddenRows, row, hidden);
    m_owner->notifyLayout(this);
}

double Sheet::fitColumnWidth(int col) const
{
    // Width in characters of the default font's digit '0', as column widths are measured.
    const Style& def = m_owner->defaultStyle();
    QFont defFont(def.fontName);
    defFont.setPointSizeF(def.fontSize);
    const double zero = std::max(1.0, QFontMetricsF(defFont).horizontalAdvance(u'0'));
    double widest = 0;
    m_owner->ensureCalculated();
    m_store->forEachInRange(Range(1, col, std::max(1, m_store->maxRowAny()), col), [&](int row, int c, const Cell& cell) {
        if (cell.value.isEmpty())
            return;
        const Style& s = style(row, c);
        QFont f(s.fontName);
        f.setPointSizeF(s.fontSize);
        f.setBold(s.bold);
        f.setItalic(s.italic);
        widest = std::max(widest, QFontMetricsF(f).horizontalAdvance(displayText(row, c)));
    });
    return widest <= 0 ? kDefaultColumnWidth : std::min(255.0, widest / zero + 1);
}

void Sheet::setView(const SheetView& v)
{
    m_view = v;
    m_view.viewScale = std::clamp(v.viewScale, 10, 400);
    m_view.frozenRows = std::clamp(v.frozenRows, 0, kMaxRows - 1);
    m_view.frozenCols = std::clamp(v.frozenCols, 0, kMaxCols - 1);
    m_view.topRow = std::clamp(v.topRow, 1, kMaxRows);
    m_view.leftCol = std::clamp(v.leftCol, 1, kMaxCols);
    m_view.extentRows = std::clamp(v.extentRows, 0, kMaxRows);
    m_view.extentCols = std::clamp(v.extentCols, 0, kMaxCols);
    m_owner->notifyLayout(this);
}

void Sheet::setFrozen(int rows, int cols)
{
    SheetView v = m_view;
    v.frozenRows = rows;
    v.frozenCols = cols;
    setView(v);
}

void Sheet::setViewScale(int percent)
{
    SheetView v = m_view;
    v.viewScale = percent;
    setView(v);
}

void Sheet::setSelection(const QList<Range>& ranges, CellRef active)
{
    SheetView v = m_view;
    v.selection.clear();
    for (const Range& r : ranges)
        if (r.isValid())
            v.selection.append(r);
    if (v.selection.isEmpty())
        v.selection.append(Range(active.isValid() ? active : CellRef{1, 1}));
    v.activeCell = active.isValid() ? active : CellRef{v.selection.front().row1, v.selection.front().col1};
    setView(v);
}

void Sheet::setPrintSetup(const PrintSetup& p)
{
    m_print = p;
    if (m_print.printArea && !m_print.printArea->isValid())
        m_print.printArea.reset();
    m_owner->notifyLayout(this);
}

void Sheet::setPrintArea(const std::optional<Range>& area)
{
    PrintSetup p = m_print;
    p.printArea = area;
    setPrintSetup(p);
}

void Sheet::setPrintTitles(int row1, int row2, int col1, int col2)
{
    PrintSetup p = m_print;
    p.titleRow1 = std::max(0, std::min(row1, row2));
    p.titleRow2 = std::max(0, std::max(row1, row2));
    p.titleCol1 = std::max(0, std::min(col1, col2));
    p.titleCol2 = std::max(0, std::max(col1, col2));
    setPrintSetup(p);
}

void Sheet::setLandscape(bool landscape)
{
    PrintSetup p = m_print;
    p.landscape = landscape;
    setPrintSetup(p);
}

void Sheet::setProtected(bool on)
{
    m_protected = on;
    m_owner->notifyLayout(this);
}

bool Sheet::isEditable(int row, int col) const
{
    return !m_protected || !style(row, col).locked;
}

} // namespace vela::workbook
