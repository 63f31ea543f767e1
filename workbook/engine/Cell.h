#pragma once
#include "workbook/engine/Formula.h"
#include "workbook/engine/Value.h"

#include <memory>

namespace vela::workbook {

/// @brief What one cell holds: a literal value, or a formula with its last computed value.
/// A formula that failed to parse keeps its text in badFormula and shows #NAME?.
struct Cell {
    Value value;                              ///< literal, or the formula's last result
    std::shared_ptr<const Formula> formula;   ///< null for literals
    std::shared_ptr<const QString> badFormula; ///< text of a formula that did not parse
    quint32 styleId = 0;                      ///< index into the workbook's style table; 0 = default

    [[nodiscard]] bool hasFormula() const { return formula != nullptr || badFormula != nullptr; }
    [[nodiscard]] bool isBlank() const { return value.isEmpty() && !hasFormula(); }
};

} // namespace vela::workbook
