#pragma once
#include "workbook/engine/Cell.h"
#include "workbook/engine/Style.h"

#include <vector>

namespace vela::workbook {

/// What a paste special takes from the copy; the numbers are the component's codes.
enum class PasteWhat { All = 0, Formulas = 1, Values = 2, Formats = 3 };
/// Arithmetic of a paste special between copied and existing numbers; the component's codes.
enum class PasteOp { None = 0, Add = 1, Subtract = 2, Multiply = 3, Divide = 4 };

/// @brief A rectangular copy of cells (values, formulas, styles by value), made by Sheet::copy
/// and pasted by Sheet::pasteSpecial. Formulas keep their relative references, so a paste
/// moves them with the target.
struct CellClip {
    struct Item {
        Cell cell;       ///< styleId is not used here; see style
        Style style;
        bool present = false; ///< false: the source cell was blank and unstyled
    };
    Range source;              ///< where it was copied from
    int sourceSheetId = 0;
    std::vector<Item> items;   ///< row-major, source.rowCount() * source.colCount()

    [[nodiscard]] bool isEmpty() const { return items.empty(); }
    [[nodiscard]] const Item& at(int dr, int dc) const { return items[size_t(dr) * size_t(source.colCount()) + size_t(dc)]; }
};

} // namespace vela::workbook
