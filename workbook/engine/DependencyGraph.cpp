#include "workbook/engine/DependencyGraph.h"
#include "workbook/engine/Formula.h"
#include "workbook/engine/FormulaNode.h"

#include <algorithm>

namespace vela::workbook {

namespace {
template <typename V, typename P>
void eraseOne(V& v, P pred)
{
    const auto it = std::find_if(v.begin(), v.end(), pred);
    if (it != v.end()) {
        *it = std::move(v.back());
        v.pop_back();
    }
}
} // namespace

void DependencyGraph::addFormula(int sheetId, int row, int col, const Formula& f)
{
    const CellKey me = cellKey(sheetId, row, col);
    removeFormula(me);
    Precedents& p = m_precedents[me];
    for (const FormulaNode& n : f.nodes()) {
        if (n.kind != NodeKind::Ref && n.kind != NodeKind::Area)
            continue;
        if (n.sheetId < 0)
            continue;
        const int sid = n.sheetId == 0 ? sheetId : n.sheetId;
        const int r1 = n.a.rowAt(row), c1 = n.a.colAt(col);
        if (n.kind == NodeKind::Ref) {
            if (r1 < 1 || c1 < 1 || r1 > kMaxRows || c1 > kMaxCols)
                continue;
            const CellKey k = cellKey(sid, r1, c1);
            if (std::find(p.cells.begin(), p.cells.end(), k) != p.cells.end())
                continue;
            p.cells.push_back(k);
            Dependents& d = m_cellDependents[k];
            if (d.one == 0)
                d.one = me;
            else
                d.more.push_back(me);
        } else {
            const Range r(r1, c1, n.b.rowAt(row), n.b.colAt(col));
            if (!r.isValid())
                continue;
            const Area a{sid, r, me};
            p.areas.push_back(a);
            addArea(a);
        }
    }
    if (f.isVolatile())
        m_volatile.insert(me);
}

void DependencyGraph::addArea(const Area& a)
{
    if (a.range.colCount() > kWideColumns) {
        m_wideAreas[a.sheetId].push_back(a);
        return;
    }
    for (int c = a.range.col1; c <= a.range.col2; ++c)
        m_columnAreas[bucketKey(a.sheetId, c)].push_back(a);
}

void DependencyGraph::removeArea(const Area& a)
{
    auto same = [&a](const Area& x) { return x.dependent == a.dependent && x.range == a.range; };
    if (a.range.colCount() > kWideColumns) {
        eraseOne(m_wideAreas[a.sheetId], same);
        return;
    }
    for (int c = a.range.col1; c <= a.range.col2; ++c) {
        const auto it = m_columnAreas.find(bucketKey(a.sheetId, c));
        if (it != m_columnAreas.end()) {
            eraseOne(it->second, same);
            if (it->second.empty())
                m_columnAreas.erase(it);
        }
    }
}

void DependencyGraph::removeFormula(CellKey k)
{
    const auto it = m_precedents.find(k);
    if (it == m_precedents.end())
        return;
    for (CellKey c : it->second.cells) {
        const auto d = m_cellDependents.find(c);
        if (d == m_cellDependents.end())
            continue;
        Dependents& deps = d->second;
        if (deps.one == k) {
            deps.one = deps.more.empty() ? 0 : deps.more.back();
            if (!deps.more.empty())
                deps.more.pop_back();
        } else {
            eraseOne(deps.more, [k](CellKey x) { return x == k; });
        }
        if (deps.one == 0)
            m_cellDependents.erase(d);
    }
    for (const Area& a : it->second.areas)
        removeArea(a);
    m_precedents.erase(it);
    m_volatile.erase(k);
}

void DependencyGraph::reserve(size_t formulas)
{
    m_precedents.reserve(formulas);
    m_cellDependents.reserve(formulas * 2);
}

void DependencyGraph::clear()
{
    m_cellDependents.clear();
    m_columnAreas.clear();
    m_wideAreas.clear();
    m_precedents.clear();
    m_volatile.clear();
}

void DependencyGraph::forEachDependent(CellKey k, const std::function<void(CellKey)>& f) const
{
    if (const auto it = m_cellDependents.find(k); it != m_cellDependents.end()) {
        f(it->second.one);
        for (CellKey d : it->second.more)
            f(d);
    }
    const int sid = keySheet(k), row = keyRow(k), col = keyCol(k);
    if (const auto it = m_columnAreas.find(bucketKey(sid, col)); it != m_columnAreas.end())
        for (const Area& a : it->second)
            if (row >= a.range.row1 && row <= a.range.row2)
                f(a.dependent);
    if (const auto it = m_wideAreas.find(sid); it != m_wideAreas.end())
        for (const Area& a : it->second)
            if (a.range.contains(row, col))
                f(a.dependent);
}

void DependencyGraph::forEachFormula(const std::function<void(CellKey)>& f) const
{
    for (const auto& [k, p] : m_precedents)
        f(k);
}

} // namespace vela::workbook
