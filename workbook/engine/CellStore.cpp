#include "workbook/engine/CellStore.h"

#include <algorithm>

namespace vela::workbook {

namespace {
bool hasContent(const Cell& c) { return !c.value.isEmpty() || c.hasFormula(); }
bool hasAnything(const Cell& c) { return hasContent(c) || c.styleId != 0; }
} // namespace

Cell& CellStore::at(int row, int col)
{
    if (size_t(col) > m_cols.size())
        m_cols.resize(size_t(col));
    auto& blocks = m_cols[size_t(col - 1)];
    const size_t b = size_t(row - 1) >> kBlockShift;
    if (b >= blocks.size())
        blocks.resize(b + 1);
    if (!blocks[b])
        blocks[b] = std::make_unique<Block>();
    invalidate();
    return (*blocks[b])[size_t(row - 1) & (kBlockSize - 1)];
}

void CellStore::erase(int row, int col)
{
    if (get(row, col)) {
        at(row, col) = Cell();
        invalidate();
    }
}

void CellStore::clear()
{
    m_cols.clear();
    invalidate();
}

void CellStore::computeExtent() const
{
    m_maxRow = m_maxCol = m_maxRowAny = m_maxColAny = 0;
    for (size_t c = 0; c < m_cols.size(); ++c) {
        const auto& blocks = m_cols[c];
        for (size_t b = blocks.size(); b-- > 0;) {
            if (!blocks[b])
                continue;
            for (int i = kBlockSize; i-- > 0;) {
                const Cell& cell = (*blocks[b])[size_t(i)];
                const int row = int(b) * kBlockSize + i + 1;
                if (hasContent(cell) && row > m_maxRow)
                    m_maxRow = row;
                if (hasContent(cell))
                    m_maxCol = std::max(m_maxCol, int(c) + 1);
                if (hasAnything(cell)) {
                    m_maxRowAny = std::max(m_maxRowAny, row);
                    m_maxColAny = std::max(m_maxColAny, int(c) + 1);
                }
            }
        }
    }
}

int CellStore::maxRow() const
{
    if (m_maxRow < 0)
        computeExtent();
    return m_maxRow;
}

int CellStore::maxCol() const
{
    if (m_maxCol < 0)
        computeExtent();
    return m_maxCol;
}

int CellStore::maxRowAny() const
{
    if (m_maxRowAny < 0)
        computeExtent();
    return m_maxRowAny;
}

int CellStore::maxColAny() const
{
    if (m_maxColAny < 0)
        computeExtent();
    return m_maxColAny;
}

int CellStore::columnRows(int col) const
{
    if (col < 1 || col > int(m_cols.size()))
        return 0;
    return int(m_cols[size_t(col - 1)].size()) * kBlockSize;
}

void CellStore::forEach(const std::function<void(int, int, const Cell&)>& f) const
{
    for (size_t c = 0; c < m_cols.size(); ++c) {
        const auto& blocks = m_cols[c];
        for (size_t b = 0; b < blocks.size(); ++b) {
            if (!blocks[b])
                continue;
            for (int i = 0; i < kBlockSize; ++i) {
                const Cell& cell = (*blocks[b])[size_t(i)];
                if (hasAnything(cell))
                    f(int(b) * kBlockSize + i + 1, int(c) + 1, cell);
            }
        }
    }
}

void CellStore::forEachInRange(const Range& r, const std::function<void(int, int, const Cell&)>& f) const
{
    const int c2 = std::min(r.col2, int(m_cols.size()));
    for (int row = r.row1; row <= r.row2; ++row) {
        bool any = false;
        for (int col = r.col1; col <= c2; ++col) {
            if (row <= columnRows(col))
                any = true;
            if (const Cell* cell = get(row, col); cell && hasAnything(*cell))
                f(row, col, *cell);
        }
        if (!any && row > maxRowAny())
            break;
    }
}

void CellStore::shiftColumns(int col, int delta)
{
    if (col > int(m_cols.size())) {
        if (delta < 0 && col - 1 + delta < int(m_cols.size()))
            m_cols.resize(size_t(std::max(0, col - 1 + delta)));
        invalidate();
        return;
    }
    const auto first = m_cols.begin() + (col - 1);
    if (delta > 0) {
        std::vector<Column> fresh(static_cast<size_t>(delta));
        m_cols.insert(first, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    } else if (delta < 0) {
        // Columns [col + delta, col) are dropped; the rest moves left.
        const auto dropFrom = m_cols.begin() + std::max(0, col - 1 + delta);
        m_cols.erase(dropFrom, first);
    }
    invalidate();
}

void CellStore::shiftRows(int row, int delta, int c1, int c2)
{
    c2 = std::min(c2, int(m_cols.size()));
    for (int col = c1; col <= c2; ++col) {
        const int rows = columnRows(col);
        if (delta > 0) {
            for (int r = rows; r >= row; --r) {
                const Cell* src = get(r, col);
                if (!src || !hasAnything(*src))
                    continue;
                if (r + delta <= kMaxRows)
                    at(r + delta, col) = std::move(at(r, col));
                at(r, col) = Cell();
            }
        } else if (delta < 0) {
            for (int r = row + delta; r < row; ++r)
                if (get(r, col))
                    at(r, col) = Cell();
            for (int r = row; r <= rows; ++r) {
                const Cell* src = get(r, col);
                if (!src || !hasAnything(*src))
                    continue;
                at(r + delta, col) = std::move(at(r, col));
                at(r, col) = Cell();
            }
        }
    }
    invalidate();
}

void CellStore::shiftColumnsInRows(int col, int delta, int r1, int r2)
{
    const int last = int(m_cols.size());
    for (int r = r1; r <= r2; ++r) {
        if (delta > 0) {
            for (int c = last; c >= col; --c) {
                const Cell* src = get(r, c);
                if (!src || !hasAnything(*src))
                    continue;
                if (c + delta <= kMaxCols)
                    at(r, c + delta) = std::move(at(r, c));
                at(r, c) = Cell();
            }
        } else if (delta < 0) {
            for (int c = std::max(1, col + delta); c < col; ++c)
                if (get(r, c))
                    at(r, c) = Cell();
            for (int c = col; c <= last; ++c) {
                const Cell* src = get(r, c);
                if (!src || !hasAnything(*src))
                    continue;
                at(r, c + delta) = std::move(at(r, c));
                at(r, c) = Cell();
            }
        }
    }
    invalidate();
}

} // namespace vela::workbook
