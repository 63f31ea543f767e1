#pragma once
// The formula function table: names, argument counts and the implementations (Functions.cpp).
#include <QString>
#include <span>

namespace vela::workbook {

class EvalContext;
struct Operand;
class Value;

struct FunctionInfo {
    const char* name;
    int minArgs;
    int maxArgs;      ///< -1: any number (up to 255)
    bool isVolatile;
    Value (*call)(EvalContext& ctx, std::span<const Operand> args);
};

/// Function id of a name (case-insensitive), or -1.
[[nodiscard]] int functionId(const QString& name);
[[nodiscard]] const FunctionInfo& functionInfo(int id);

} // namespace vela::workbook
