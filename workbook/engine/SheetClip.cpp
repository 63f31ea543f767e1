// Copy, paste special, fill, sort and find.
#include "workbook/engine/CellStore.h"
#include "workbook/engine/Sheet.h"
#include "workbook/engine/Workbook.h"

#include <algorithm>

namespace vela::workbook {

CellClip Sheet::copy(const Range& r) const
{
    CellClip clip;
    if (!r.isValid())
        return clip;
    m_owner->ensureCalculated();
    clip.source = r;
    clip.sourceSheetId = m_id;
    clip.items.resize(size_t(r.rowCount()) * size_t(r.colCount()));
    for (int row = r.row1; row <= r.row2; ++row)
        for (int col = r.col1; col <= r.col2; ++col) {
            CellClip::Item& it = clip.items[size_t(row - r.row1) * size_t(r.colCount()) + size_t(col - r.col1)];
            const quint32 sid = styleId(row, col);
            it.style = m_owner->styleAt(sid);
            if (const Cell* c = m_store->get(row, col))
                it.cell = *c;
            it.cell.styleId = 0;
            it.present = !it.cell.isBlank() || sid != 0;
        }
    return clip;
}

namespace {
Value combine(const Value& existing, const Value& pasted, PasteOp op)
{
    if (op == PasteOp::None || !pasted.isNumber() || !(existing.isNumber() || existing.isEmpty()))
        return pasted;
    const double a = existing.asNumber(), b = pasted.asNumber();
    switch (op) {
    case PasteOp::Add: return Value::number(a + b);
    case PasteOp::Subtract: return Value::number(a - b);
    case PasteOp::Multiply: return Value::number(a * b);
    case PasteOp::Divide: return b == 0 ? Value::error(ErrorCode::Div0) : Value::number(a / b);
    default: return pasted;
    }
}
} // namespace

Range Sheet::pasteSpecial(const CellClip& clip, CellRef target, PasteWhat what, PasteOp op, bool skipBlanks)
{
    if (clip.isEmpty() || !target.isValid())
        return {};
    const int rows = std::min(clip.source.rowCount(), kMaxRows - target.row + 1);
    const int cols = std::min(clip.source.colCount(), kMaxCols - target.col + 1);
    const Range dest(target.row, target.col, target.row + rows - 1, target.col + cols - 1);
    m_owner->beginUpdate();
    for (int dr = 0; dr < rows; ++dr)
        for (int dc = 0; dc < cols; ++dc) {
            const CellClip::Item& it = clip.at(dr, dc);
            if (skipBlanks && it.cell.isBlank())
                continue;
            const int row = target.row + dr, col = target.col + dc;
            if (what == PasteWhat::All || what == PasteWhat::Formats)
                m_store->at(row, col).styleId = m_owner->styleId(it.style);
            if (what == PasteWhat::Formats)
                continue;
            Cell& c = m_store->at(row, col);
            const bool hadFormula = c.hasFormula();
            if (what == PasteWhat::Values || (op != PasteOp::None && !it.cell.hasFormula())) {
                c.value = combine(c.value, it.cell.value, op);
                c.formula.reset();
                c.badFormula.reset();
            } else {
                c.value = it.cell.value;
                c.formula = it.cell.formula;       // shared: references are relative
                c.badFormula = it.cell.badFormula;
            }
            m_owner->cellContentChanged(this, row, col, hadFormula);
        }
    m_owner->notifyCells(this, dest);
    m_owner->endUpdate();
    return dest;
}

void Sheet::fillDown(const Range& r)
{
    if (!r.isValid() || r.rowCount() < 2)
        return;
    const CellClip first = copy(Range(r.row1, r.col1, r.row1, r.col2));
    m_owner->beginUpdate();
    for (int row = r.row1 + 1; row <= r.row2; ++row)
        pasteSpecial(first, {row, r.col1}, PasteWhat::All);
    m_owner->endUpdate();
}

void Sheet::fillRight(const Range& r)
{
    if (!r.isValid() || r.colCount() < 2)
        return;
    const CellClip first = copy(Range(r.row1, r.col1, r.row2, r.col1));
    m_owner->beginUpdate();
    for (int col = r.col1 + 1; col <= r.col2; ++col)
        pasteSpecial(first, {r.row1, col}, PasteWhat::All);
    m_owner->endUpdate();
}

void Sheet::sortRows(const Range& r, int keyCol, bool ascending)
{
    if (!r.isValid() || keyCol < r.col1 || keyCol > r.col2)
        return;
    m_owner->ensureCalculated();
    std::vector<int> order(size_t(r.rowCount()));
    for (int i = 0; i < r.rowCount(); ++i)
        order[size_t(i)] = r.row1 + i;
    auto key = [&](int row) { return value(row, keyCol); };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const Value va = key(a), vb = key(b);
        if (va.isEmpty() || vb.isEmpty())
            return !va.isEmpty() && vb.isEmpty(); // blanks last either way
        int c = 0;
        const int ra = va.isNumber() ? 0 : va.isText() ? 1 : va.isBoolean() ? 2 : 3;
        const int rb = vb.isNumber() ? 0 : vb.isText() ? 1 : vb.isBoolean() ? 2 : 3;
        if (ra != rb)
            c = ra < rb ? -1 : 1;
        else if (va.isText())
            c = va.asText().compare(vb.asText(), Qt::CaseInsensitive);
        else
            c = va.asNumber() < vb.asNumber() ? -1 : va.asNumber() > vb.asNumber() ? 1 : 0;
        return ascending ? c < 0 : c > 0;
    });
    // Rows are copied as blocks so that formulas keep reading relative to their new row.
    std::vector<CellClip> rows;
    for (int row : order)
        rows.push_back(copy(Range(row, r.col1, row, r.col2)));
    m_owner->beginUpdate();
    for (int i = 0; i < r.rowCount(); ++i)
        pasteSpecial(rows[size_t(i)], {r.row1 + i, r.col1}, PasteWhat::All);
    m_owner->endUpdate();
}

std::optional<CellRef> Sheet::find(const QString& text, CellRef from, bool matchCase, bool wholeCell) const
{
    const int maxR = maxRow(), maxC = maxCol();
    if (text.isEmpty() || maxR == 0)
        return std::nullopt;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const qint64 total = qint64(maxR) * maxC;
    qint64 start = from.isValid() ? qint64(std::min(from.row, maxR) - 1) * maxC + std::min(from.col, maxC) - 1 : -1;
    for (qint64 i = 1; i <= total; ++i) {
        const qint64 pos = (start + i) % total;
        const int row = int(pos / maxC) + 1, col = int(pos % maxC) + 1;
        const Cell* c = m_store->get(row, col);
        if (!c || c->value.isEmpty())
            continue;
        const QString shown = displayText(row, col);
        if (wholeCell ? shown.compare(text, cs) == 0 : shown.contains(text, cs))
            return CellRef{row, col};
    }
    return std::nullopt;
}

} // namespace vela::workbook
