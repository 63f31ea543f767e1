#pragma once
// Insert and delete of rows, columns and cell ranges: moves the cells and rewrites every
// reference in the workbook that pointed into the moved part (#REF! where it was deleted).
#include "workbook/engine/Range.h"

namespace vela::workbook {

class Sheet;
class Workbook;

/// @brief One structural edit: along rows (cells move up/down) or columns (left/right).
struct StructureShift {
    bool alongRows = true; ///< true: row numbers change; false: column numbers change
    int at = 1;            ///< first row/column inserted or deleted
    int count = 0;         ///< > 0 inserted, < 0 deleted
    int lo = 1;            ///< band of the other coordinate that moves (whole sheet: 1..max)
    int hi = 0;

    /// New coordinate of a point; false when it was deleted or pushed off the sheet.
    [[nodiscard]] bool mapPoint(int& row, int& col) const;
    /// New extent of a range; false when all of it was deleted.
    [[nodiscard]] bool mapRange(Range& r) const;
    [[nodiscard]] bool isWhole() const;
};

/// @brief Applies structural edits to a sheet of a workbook.
class StructureEditor {
public:
    static void apply(Workbook& wb, Sheet& sheet, const StructureShift& s);

private:
    static void adjustFormulas(Workbook& wb, Sheet& sheet, const StructureShift& s);
    static void moveCells(Sheet& sheet, const StructureShift& s);
    static void adjustLayout(Sheet& sheet, const StructureShift& s);
};

} // namespace vela::workbook
