// Sheet entry points of structural edits.
#include "workbook/engine/Sheet.h"
#include "workbook/engine/StructureEditor.h"
#include "workbook/engine/Workbook.h"

namespace vela::workbook {

namespace {
StructureShift shift(bool alongRows, int at, int count, int lo, int hi)
{
    StructureShift s;
    s.alongRows = alongRows;
    s.at = at;
    s.count = count;
    s.lo = lo;
    s.hi = hi;
    return s;
}
} // namespace

void Sheet::insertRows(int row, int count)
{
    if (count > 0)
        StructureEditor::apply(*m_owner, *this, shift(true, row, count, 1, kMaxCols));
}

void Sheet::deleteRows(int row, int count)
{
    if (count > 0)
        StructureEditor::apply(*m_owner, *this, shift(true, row, -count, 1, kMaxCols));
}

void Sheet::insertColumns(int col, int count)
{
    if (count > 0)
        StructureEditor::apply(*m_owner, *this, shift(false, col, count, 1, kMaxRows));
}

void Sheet::deleteColumns(int col, int count)
{
    if (count > 0)
        StructureEditor::apply(*m_owner, *this, shift(false, col, -count, 1, kMaxRows));
}

void Sheet::insertRange(const Range& r, ShiftMode mode)
{
    if (!r.isValid())
        return;
    switch (mode) {
    case ShiftMode::Rows: insertRows(r.row1, r.rowCount()); break;
    case ShiftMode::Columns: insertColumns(r.col1, r.colCount()); break;
    case ShiftMode::Vertical: StructureEditor::apply(*m_owner, *this, shift(true, r.row1, r.rowCount(), r.col1, r.col2)); break;
    case ShiftMode::Horizontal: StructureEditor::apply(*m_owner, *this, shift(false, r.col1, r.colCount(), r.row1, r.row2)); break;
    }
}

void Sheet::deleteRange(const Range& r, ShiftMode mode)
{
    if (!r.isValid())
        return;
    switch (mode) {
    case ShiftMode::Rows: deleteRows(r.row1, r.rowCount()); break;
    case ShiftMode::Columns: deleteColumns(r.col1, r.colCount()); break;
    case ShiftMode::Vertical: StructureEditor::apply(*m_owner, *this, shift(true, r.row1, -r.rowCount(), r.col1, r.col2)); break;
    case ShiftMode::Horizontal: StructureEditor::apply(*m_owner, *this, shift(false, r.col1, -r.colCount(), r.row1, r.row2)); break;
    }
}

} // namespace vela::workbook
