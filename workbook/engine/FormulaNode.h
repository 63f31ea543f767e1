#pragma once
// Nodes of a parsed formula, stored in postfix order (operands before their operator), so the
// evaluator and the printer walk them with a stack and never recurse.
#include <QString>
#include <QtGlobal>

namespace vela::workbook {

enum class NodeKind : quint8 {
    Number, Text, Boolean, Error, // literals
    Ref,        ///< one cell: a
    Area,       ///< a range: a to b
    BadRef,     ///< a reference whose target was deleted (#REF!)
    Unary,      ///< op: '-' or '+'
    Percent,    ///< postfix %
    Binary,     ///< op: + - * / ^ & = < > L(<=) G(>=) N(<>)
    Paren,      ///< parentheses kept for printing
    Func,       ///< function id, argc arguments
    Missing,    ///< an omitted argument, as in IF(A1,,1)
};

/// @brief One coordinate of a reference: an absolute row/column, or an offset from the cell
/// that holds the formula.
struct RefCoord {
    int row = 0;
    int col = 0;
    bool rowAbs = false;
    bool colAbs = false;
    [[nodiscard]] int rowAt(int anchorRow) const { return rowAbs ? row : anchorRow + row; }
    [[nodiscard]] int colAt(int anchorCol) const { return colAbs ? col : anchorCol + col; }
    friend bool operator==(const RefCoord&, const RefCoord&) = default;
};

struct FormulaNode {
    NodeKind kind = NodeKind::Number;
    char op = 0;
    quint16 argc = 0;
    int func = -1;        ///< function id (Functions.h)
    int sheetId = 0;      ///< 0: the formula's own sheet; else a sheet id; -1: a deleted sheet
    RefCoord a, b;
    double number = 0;    ///< number literal, boolean (0/1), error code
    QString text;         ///< text literal; function name as typed when unknown
    friend bool operator==(const FormulaNode&, const FormulaNode&) = default;
};

} // namespace vela::workbook
