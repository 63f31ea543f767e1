#pragma once
// Formula evaluation: a stack machine over the postfix nodes. Operands may be references so
// that functions such as SUM, ROW or ISBLANK see ranges and cells rather than values.
#include "workbook/engine/Range.h"
#include "workbook/engine/Value.h"

#include <span>
#include <vector>

namespace vela::workbook {

class Formula;
class Sheet;
class Workbook;

/// @brief A value on the evaluation stack, or a reference to a cell or range.
struct Operand {
    enum class Kind : quint8 { Value, Ref, Missing };
    Kind kind = Kind::Value;
    Value value;
    int sheetId = 0;  ///< for Ref: the sheet (resolved, never 0)
    Range range;      ///< for Ref: one cell or an area
    [[nodiscard]] bool isRef() const { return kind == Kind::Ref; }
    [[nodiscard]] bool isMissing() const { return kind == Kind::Missing; }
    static Operand of(Value v) { Operand o; o.value = std::move(v); return o; }
};

/// @brief What a formula sees while it is evaluated: its workbook, sheet and cell.
class EvalContext {
public:
    EvalContext(const Workbook& wb, const Sheet& sheet, CellRef cell) : m_wb(wb), m_sheet(sheet), m_cell(cell) {}
    [[nodiscard]] const Workbook& workbook() const { return m_wb; }
    [[nodiscard]] const Sheet& sheet() const { return m_sheet; }
    [[nodiscard]] CellRef cell() const { return m_cell; }
    [[nodiscard]] const Sheet* sheetById(int id) const;

    /// Value of a cell (Empty for a blank one); #REF! for a missing sheet.
    [[nodiscard]] Value cellValue(int sheetId, int row, int col) const;
    /// Value of an operand in a scalar place: references give the cell value, areas the cell
    /// in the formula's row or column (implicit intersection) or #VALUE!.
    [[nodiscard]] Value scalar(const Operand& o) const;
    /// Calls f for each non-blank cell value of a reference, row by row (f returns false to stop).
    template <typename F>
    void forEachValue(const Operand& ref, F f) const;

private:
    const Workbook& m_wb;
    const Sheet& m_sheet;
    CellRef m_cell;
};

/// Evaluates a formula standing in the context's cell.
[[nodiscard]] Value evaluateFormula(const Formula& f, const EvalContext& ctx);

// Coercions shared by operators and functions; on failure they return false and set err.
bool toNumber(const Value& v, double& out, Value& err);
[[nodiscard]] QString toText(const Value& v);
bool toBoolean(const Value& v, bool& out, Value& err);
/// Spreadsheet ordering: numbers < texts (case-insensitive) < booleans; empty compares as the
/// other side's zero value. Returns <0, 0, >0.
[[nodiscard]] int compareValues(const Value& a, const Value& b);

} // namespace vela::workbook

#include "workbook/engine/EvaluatorImpl.h"
