#pragma once
// Who depends on whom. Each formula cell registers the cells and ranges it reads; a change of a
// cell then finds the formulas to recompute without scanning the workbook. Ranges are indexed
// per column, so a lookup touches only the ranges that cover that column.
#include "workbook/engine/Range.h"

#include <QtGlobal>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vela::workbook {

class Formula;

/// Workbook-wide cell key: sheet id, row and column packed in 64 bits.
using CellKey = quint64;
inline CellKey cellKey(int sheetId, int row, int col)
{
    return (quint64(quint32(sheetId)) << 40) | (quint64(quint32(row)) << 16) | quint64(quint32(col));
}
inline int keySheet(CellKey k) { return int(k >> 40); }
inline int keyRow(CellKey k) { return int((k >> 16) & 0xFFFFFF); }
inline int keyCol(CellKey k) { return int(k & 0xFFFF); }

/// @brief Dependency index of the formulas of a workbook.
class DependencyGraph {
public:
    /// Registers what the formula at (sheetId,row,col) reads; replaces an earlier registration.
    void addFormula(int sheetId, int row, int col, const Formula& f);
    void removeFormula(CellKey k);
    void clear();
    /// Expected number of formulas (avoids rehashing while a workbook is loaded).
    void reserve(size_t formulas);

    /// Calls f for every formula cell that reads cell k.
    void forEachDependent(CellKey k, const std::function<void(CellKey)>& f) const;
    [[nodiscard]] bool hasFormula(CellKey k) const { return m_precedents.count(k) != 0; }
    [[nodiscard]] size_t formulaCount() const { return m_precedents.size(); }
    [[nodiscard]] const std::unordered_set<CellKey>& volatileCells() const { return m_volatile; }
    void forEachFormula(const std::function<void(CellKey)>& f) const;

private:
    struct Area {
        int sheetId;
        Range range;
        CellKey dependent;
    };
    static constexpr int kWideColumns = 16; ///< ranges wider than this go to a per-sheet list
    static quint64 bucketKey(int sheetId, int col) { return (quint64(quint32(sheetId)) << 32) | quint32(col); }
    void addArea(const Area& a);
    void removeArea(const Area& a);

    /// Dependents of one cell; most cells have one, kept without a heap block.
    struct Dependents {
        CellKey one = 0; // 0: none (sheet ids start at 1)
        std::vector<CellKey> more;
    };
    std::unordered_map<CellKey, Dependents> m_cellDependents;
    std::unordered_map<quint64, std::vector<Area>> m_columnAreas;
    std::unordered_map<int, std::vector<Area>> m_wideAreas;
    struct Precedents {
        std::vector<CellKey> cells;
        std::vector<Area> areas;
    };
    std::unordered_map<CellKey, Precedents> m_precedents;
    std::unordered_set<CellKey> m_volatile;
};

} // namespace vela::workbook
