#pragma once
// Cell storage of one sheet: per column, blocks of 256 rows allocated on first use, so lookups
// are two index operations and a sparse sheet costs little.
#include "workbook/engine/Cell.h"
#include "workbook/engine/Range.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace vela::workbook {

/// @brief Blocked column storage of the cells of a sheet.
class CellStore {
public:
    static constexpr int kBlockShift = 8;
    static constexpr int kBlockSize = 1 << kBlockShift;

    [[nodiscard]] const Cell* get(int row, int col) const
    {
        if (col < 1 || col > int(m_cols.size()) || row < 1)
            return nullptr;
        const auto& blocks = m_cols[size_t(col - 1)];
        const size_t b = size_t(row - 1) >> kBlockShift;
        if (b >= blocks.size() || !blocks[b])
            return nullptr;
        return &(*blocks[b])[size_t(row - 1) & (kBlockSize - 1)];
    }
    /// Writable access to an existing cell without touching the extent cache (recalculation).
    [[nodiscard]] Cell* getMutable(int row, int col) { return const_cast<Cell*>(get(row, col)); }
    /// Cells [col, end) of rows r1..r2 move by delta columns (cells pushed past the last
    /// column are dropped; with delta < 0 the cells [col + delta, col) are overwritten).
    void shiftColumnsInRows(int col, int delta, int r1, int r2);
    /// The cell, created blank when missing.
    Cell& at(int row, int col);
    /// Makes the cell blank (keeps the block).
    void erase(int row, int col);
    void clear();

    /// Last row / column holding a value or formula (styles ignored); 0 when none.
    [[nodiscard]] int maxRow() const;
    [[nodiscard]] int maxCol() const;
    /// Last row / column holding anything, styles included.
    [[nodiscard]] int maxRowAny() const;
    [[nodiscard]] int maxColAny() const;

    /// Every stored cell that is not completely blank, column by column.
    void forEach(const std::function<void(int row, int col, const Cell&)>& f) const;
    void forEachInRange(const Range& r, const std::function<void(int row, int col, const Cell&)>& f) const;
    [[nodiscard]] int columnCount() const { return int(m_cols.size()); }
    [[nodiscard]] int columnRows(int col) const; ///< allocated rows of a column

    /// Moves cells; used by structural edits. Columns [col, end) move by delta columns.
    void shiftColumns(int col, int delta);
    /// Rows [row, end) of columns c1..c2 move by delta rows.
    void shiftRows(int row, int delta, int c1, int c2);

private:
    using Block = std::array<Cell, kBlockSize>;
    using Column = std::vector<std::unique_ptr<Block>>;
    std::vector<Column> m_cols;
    mutable int m_maxRow = -1, m_maxCol = -1, m_maxRowAny = -1, m_maxColAny = -1; // -1: unknown
    void invalidate() { m_maxRow = m_maxCol = m_maxRowAny = m_maxColAny = -1; }
    void computeExtent() const;
};

} // namespace vela::workbook
