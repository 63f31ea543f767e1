#pragma once
// Template part of the evaluator (range walking), kept out of Evaluator.h for readability.
#include "workbook/engine/CellStore.h"
#include "workbook/engine/Sheet.h"

#include <algorithm>

namespace vela::workbook {

template <typename F>
void EvalContext::forEachValue(const Operand& ref, F f) const
{
    const Sheet* s = sheetById(ref.sheetId);
    if (!s)
        return;
    const CellStore& store = s->store();
    const Range& r = ref.range;
    const int c2 = std::min(r.col2, store.columnCount());
    for (int row = r.row1; row <= r.row2; ++row) {
        bool more = false;
        for (int col = r.col1; col <= c2; ++col) {
            if (row > store.columnRows(col))
                continue;
            more = true;
            const Cell* cell = store.get(row, col);
            if (cell && !cell->value.isEmpty() && !f(cell->value, row, col))
                return;
        }
        if (!more)
            return;
    }
}

} // namespace vela::workbook
