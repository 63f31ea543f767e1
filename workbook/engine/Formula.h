#pragma once
// A parsed formula. Its references are stored as offsets from the cell that holds the formula
// (or as absolute positions where the text has '$'), so one Formula is shared by every cell that
// a copy or paste filled with it.
#include "workbook/engine/Range.h"

#include <QString>
#include <memory>
#include <vector>

namespace vela::workbook {

class Workbook;
struct FormulaNode;

/// @brief Where a formula is parsed or printed: the cell that holds it and the workbook whose
/// sheet names it may use.
struct FormulaContext {
    const Workbook* workbook = nullptr; ///< resolves sheet names; may be null (no sheet refs)
    int sheetId = 0;                    ///< stable id of the sheet holding the formula
    CellRef cell{1, 1};
};

/// @brief Result of parsing: a formula, or a reason and the character position (0-based,
/// in the text after '=') where the parser gave up.
struct ParseResult {
    std::shared_ptr<const class Formula> formula;
    QString error;
    int position = -1;
    [[nodiscard]] bool ok() const { return formula != nullptr; }
};

/// @brief An immutable formula AST (flat vector of nodes, root last).
class Formula {
public:
    static constexpr int kMaxLength = 8192;  ///< characters of formula text
    static constexpr int kMaxDepth = 256;    ///< nesting of the AST; deeper formulas are refused

    /// Parses formula text with or without the leading '='.
    [[nodiscard]] static ParseResult parse(const QString& text, const FormulaContext& ctx);

    /// Formula text with a leading '=' as it reads in the cell given by ctx.
    [[nodiscard]] QString text(const FormulaContext& ctx) const;
    /// True when NOW() or TODAY() occurs, so every recalculation recomputes the cell.
    [[nodiscard]] bool isVolatile() const { return m_volatile; }

    [[nodiscard]] const std::vector<FormulaNode>& nodes() const { return m_nodes; }
    explicit Formula(std::vector<FormulaNode> nodes, bool isVolatile);
    ~Formula();

private:
    std::vector<FormulaNode> m_nodes;
    bool m_volatile = false;
};

} // namespace vela::workbook
