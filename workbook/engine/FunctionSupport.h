#pragma once
// Helpers for the function implementations (Functions*.cpp).
#include "workbook/engine/Evaluator.h"

#include <span>
#include <vector>

namespace vela::workbook::fn {

using Args = std::span<const Operand>;

/// Numbers of the arguments as aggregates take them: references contribute their numbers only
/// (texts, booleans and blanks skipped), direct arguments convert (text that is no number gives
/// #VALUE!). The first error met is returned in err.
bool collectNumbers(const EvalContext& ctx, Args args, std::vector<double>& out, Value& err);
/// Scalar argument i as a number / text / boolean; false with err set when it does not convert.
bool numberArg(const EvalContext& ctx, Args args, size_t i, double& out, Value& err, double def = 0);
bool textArg(const EvalContext& ctx, Args args, size_t i, QString& out, Value& err);
bool boolArg(const EvalContext& ctx, Args args, size_t i, bool& out, Value& err);

/// Whole number of a double, clamped to +-2e9 so that huge arguments cannot overflow an int.
inline int clampInt(double d)
{
    return d >= 2e9 ? 2000000000 : d <= -2e9 ? -2000000000 : int(d);
}
/// Longest text a cell holds; longer results give #VALUE!.
inline constexpr int kMaxTextLength = 32767;

/// A COUNTIF-style criterion: ">5", "<>x", "=a*", "abc", or a plain value.
class Criterion {
public:
    explicit Criterion(const Value& v);
    [[nodiscard]] bool matches(const Value& cell) const;

private:
    char m_op = '=';
    Value m_value;
    bool m_wild = false;
};

/// Case-insensitive match with '*', '?' and '~' escapes.
bool wildcardMatch(const QString& pattern, const QString& text);

Value sum(EvalContext&, Args);
Value average(EvalContext&, Args);
Value min(EvalContext&, Args);
Value max(EvalContext&, Args);
Value count(EvalContext&, Args);
Value counta(EvalContext&, Args);
Value countblank(EvalContext&, Args);
Value countif(EvalContext&, Args);
Value sumif(EvalContext&, Args);
Value averageif(EvalContext&, Args);
Value stdev(EvalContext&, Args);
Value stdevp(EvalContext&, Args);
Value var(EvalContext&, Args);
Value varp(EvalContext&, Args);
Value median(EvalContext&, Args);

Value if_(EvalContext&, Args);
Value iferror(EvalContext&, Args);
Value and_(EvalContext&, Args);
Value or_(EvalContext&, Args);
Value not_(EvalContext&, Args);
Value true_(EvalContext&, Args);
Value false_(EvalContext&, Args);
Value round(EvalContext&, Args);
Value roundup(EvalContext&, Args);
Value rounddown(EvalContext&, Args);
Value int_(EvalContext&, Args);
Value abs(EvalContext&, Args);
Value sqrt(EvalContext&, Args);
Value mod(EvalContext&, Args);
Value power(EvalContext&, Args);
Value pi(EvalContext&, Args);
Value isnumber(EvalContext&, Args);
Value istext(EvalContext&, Args);
Value isblank(EvalContext&, Args);
Value iserror(EvalContext&, Args);
Value isna(EvalContext&, Args);
Value na(EvalContext&, Args);

Value len(EvalContext&, Args);
Value left(EvalContext&, Args);
Value right(EvalContext&, Args);
Value mid(EvalContext&, Args);
Value upper(EvalContext&, Args);
Value lower(EvalContext&, Args);
Value trim(EvalContext&, Args);
Value concatenate(EvalContext&, Args);
Value text(EvalContext&, Args);
Value value(EvalContext&, Args);
Value now(EvalContext&, Args);
Value today(EvalContext&, Args);
Value date(EvalContext&, Args);
Value row(EvalContext&, Args);
Value column(EvalContext&, Args);
Value index(EvalContext&, Args);
Value match(EvalContext&, Args);
Value vlookup(EvalContext&, Args);
Value hlookup(EvalContext&, Args);

} // namespace vela::workbook::fn
