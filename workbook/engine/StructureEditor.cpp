#include "workbook/engine/StructureEditor.h"
#include "workbook/engine/CellStore.h"
#include "workbook/engine/FormulaNode.h"
#include "workbook/engine/Workbook.h"

namespace vela::workbook {

namespace {
int limitOf(bool alongRows) { return alongRows ? kMaxRows : kMaxCols; }

bool mapCoord(int& v, const StructureShift& s)
{
    if (s.count > 0) {
        if (v >= s.at)
            v += s.count;
        return v <= limitOf(s.alongRows);
    }
    const int n = -s.count;
    if (v >= s.at && v < s.at + n)
        return false;
    if (v >= s.at + n)
        v -= n;
    return true;
}
} // namespace

bool StructureShift::isWhole() const
{
    return lo <= 1 && hi >= limitOf(!alongRows);
}

bool StructureShift::mapPoint(int& row, int& col) const
{
    const int other = alongRows ? col : row;
    if (other < lo || other > hi)
        return true;
    return mapCoord(alongRows ? row : col, *this);
}

bool StructureShift::mapRange(Range& r) const
{
    const int o1 = alongRows ? r.col1 : r.row1, o2 = alongRows ? r.col2 : r.row2;
    if (o2 < lo || o1 > hi)
        return true;
    int& v1 = alongRows ? r.row1 : r.col1;
    int& v2 = alongRows ? r.row2 : r.col2;
    if (o1 < lo || o2 > hi) { // straddles the band: move corners on their own
        int a1 = r.row1, b1 = r.col1, a2 = r.row2, b2 = r.col2;
        if (!mapPoint(a1, b1) || !mapPoint(a2, b2))
            return false;
        r = Range(a1, b1, a2, b2);
        return true;
    }
    if (count > 0) {
        if (v1 >= at)
            v1 += count;
        if (v2 >= at)
            v2 += count;
        v2 = std::min(v2, limitOf(alongRows));
        return v1 <= v2;
    }
    const int n = -count, end = at + n; // [at, end) deleted
    const int n1 = v1 < at ? v1 : (v1 >= end ? v1 - n : at);
    const int n2 = v2 < at ? v2 : (v2 >= end ? v2 - n : at - 1);
    if (n1 > n2)
        return false;
    v1 = n1;
    v2 = n2;
    return true;
}

void StructureEditor::apply(Workbook& wb, Sheet& sheet, const StructureShift& s)
{
    if (s.count == 0 || s.at < 1 || s.at > limitOf(s.alongRows))
        return;
    wb.beginUpdate();
    adjustFormulas(wb, sheet, s);
    adjustLayout(sheet, s);
    wb.rebuildGraph();
    wb.recalculate();
    wb.notifyStructure(&sheet);
    wb.endUpdate();
}

void StructureEditor::adjustFormulas(Workbook& wb, Sheet& sheet, const StructureShift& s)
{
    struct Update {
        Sheet* sheet;
        int row, col;
        std::shared_ptr<const Formula> formula;
    };
    std::vector<Update> updates;
    const int affected = sheet.id();
    for (int i = 0; i < wb.sheetCount(); ++i) {
        Sheet* t = wb.sheet(i);
        t->store().forEach([&](int row, int col, const Cell& cell) {
            if (!cell.formula)
                return;
            int nr = row, nc = col;
            if (t == &sheet && !s.mapPoint(nr, nc))
                return; // the cell itself goes
            std::vector<FormulaNode> nodes = cell.formula->nodes();
            bool changed = false;
            for (FormulaNode& n : nodes) {
                if ((n.kind != NodeKind::Ref && n.kind != NodeKind::Area) || n.sheetId < 0)
                    continue;
                const int target = n.sheetId == 0 ? t->id() : n.sheetId;
                Range r(n.a.rowAt(row), n.a.colAt(col), n.kind == NodeKind::Area ? n.b.rowAt(row) : n.a.rowAt(row),
                        n.kind == NodeKind::Area ? n.b.colAt(col) : n.a.colAt(col));
                // Keep the corner order of the text (A1:B2 stays first-to-last).
                Range mapped = r;
                // Whole columns (A:A) stay whole when rows come and go.
                const bool wholeColumns = n.kind == NodeKind::Area && n.a.rowAbs && n.b.rowAbs && n.a.row == 1
                    && n.b.row == kMaxRows;
                if (target == affected && r.isValid() && !(wholeColumns && s.alongRows)) {
                    const bool alive = n.kind == NodeKind::Area ? s.mapRange(mapped)
                                                                : s.mapPoint(mapped.row1, mapped.col1);
                    if (!alive) {
                        n.kind = NodeKind::BadRef;
                        changed = true;
                        continue;
                    }
                    if (n.kind == NodeKind::Ref)
                        mapped.row2 = mapped.row1, mapped.col2 = mapped.col1;
                }
                auto encode = [&](RefCoord& k, int absRow, int absCol) {
                    const RefCoord old = k;
                    k.row = k.rowAbs ? absRow : absRow - nr;
                    k.col = k.colAbs ? absCol : absCol - nc;
                    changed = changed || !(old == k);
                };
                if (!r.isValid())
                    continue; // already off the sheet; stays #REF!
                encode(n.a, mapped.row1, mapped.col1);
                if (n.kind == NodeKind::Area)
                    encode(n.b, mapped.row2, mapped.col2);
            }
            if (changed)
                updates.push_back({t, nr, nc, std::make_shared<const Formula>(std::move(nodes), cell.formula->isVolatile())});
        });
    }
    moveCells(sheet, s);
    for (const Update& u : updates)
        u.sheet->store().at(u.row, u.col).formula = u.formula;
}

void StructureEditor::moveCells(Sheet& sheet, const StructureShift& s)
{
    CellStore& st = sheet.store();
    const int from = s.count > 0 ? s.at : s.at - s.count;
    if (s.alongRows)
        st.shiftRows(from, s.count, std::max(1, s.lo), std::min(s.hi, kMaxCols));
    else if (s.isWhole())
        st.shiftColumns(from, s.count);
    else
        st.shiftColumnsInRows(from, s.count, std::max(1, s.lo), std::min(s.hi, std::max(1, st.maxRowAny())));
}

namespace {
template <typename T>
QMap<int, T> shiftedMap(const QMap<int, T>& m, const StructureShift& s)
{
    QMap<int, T> out;
    for (auto it = m.constBegin(); it != m.constEnd(); ++it) {
        int v = it.key();
        if (mapCoord(v, s))
            out.insert(v, it.value());
    }
    return out;
}

QList<int> shiftedList(const QList<int>& l, const StructureShift& s)
{
    QList<int> out;
    for (int v : l)
        if (mapCoord(v, s))
            out.append(v);
    return out;
}
} // namespace

void StructureEditor::adjustLayout(Sheet& sheet, const StructureShift& s)
{
    PrintSetup p = sheet.printSetup();
    if (p.printArea) {
        Range r = *p.printArea;
        if (s.mapRange(r))
            p.printArea = r;
        else
            p.printArea.reset();
    }
    if (!s.isWhole()) {
        sheet.m_print = p;
        return;
    }
    if (s.alongRows) {
        sheet.m_rowHeights = shiftedMap(sheet.m_rowHeights, s);
        sheet.m_rowStyles = shiftedMap(sheet.m_rowStyles, s);
        sheet.m_hiddenRows = shiftedList(sheet.m_hiddenRows, s);
        p.rowBreaks = shiftedList(p.rowBreaks, s);
        if (p.titleRow1 > 0) {
            Range t(p.titleRow1, 1, p.titleRow2, 1);
            const bool alive = s.mapRange(t);
            p.titleRow1 = alive ? t.row1 : 0;
            p.titleRow2 = alive ? t.row2 : 0;
        }
    } else {
        sheet.m_colWidths = shiftedMap(sheet.m_colWidths, s);
        sheet.m_colStyles = shiftedMap(sheet.m_colStyles, s);
        sheet.m_hiddenCols = shiftedList(sheet.m_hiddenCols, s);
        p.colBreaks = shiftedList(p.colBreaks, s);
        if (p.titleCol1 > 0) {
            Range t(1, p.titleCol1, 1, p.titleCol2);
            const bool alive = s.mapRange(t);
            p.titleCol1 = alive ? t.col1 : 0;
            p.titleCol2 = alive ? t.col2 : 0;
        }
    }
    sheet.m_print = p;
}

} // namespace vela::workbook
