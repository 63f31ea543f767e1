// Logical, mathematical and information functions.
#include "workbook/engine/FunctionSupport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace vela::workbook::fn {

namespace {

// Rounds to 15 significant digits first, so that 2.675 (stored as 2.67499999...) rounds as
// the decimal number that it shows.
double round15(double x)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", x);
    return std::strtod(buf, nullptr);
}

enum class RoundMode { Nearest, Up, Down };

Value roundImpl(EvalContext& ctx, Args args, RoundMode mode)
{
    double x = 0, digits = 0;
    Value err;
    if (!numberArg(ctx, args, 0, x, err) || !numberArg(ctx, args, 1, digits, err))
        return err;
    const int n = clampInt(std::trunc(digits));
    if (std::abs(n) > 300)
        return Value::number(n > 0 ? x : 0);
    const double f = std::pow(10.0, std::abs(n));
    const double scaled = round15(n >= 0 ? x * f : x / f);
    double r = 0;
    switch (mode) {
    case RoundMode::Nearest: r = std::round(scaled); break;
    case RoundMode::Up: r = scaled < 0 ? -std::ceil(-scaled) : std::ceil(scaled); break;
    case RoundMode::Down: r = std::trunc(scaled); break;
    }
    return Value::number(n >= 0 ? r / f : r * f);
}

template <typename F>
Value unaryMath(EvalContext& ctx, Args args, F f)
{
    double x = 0;
    Value err;
    if (!numberArg(ctx, args, 0, x, err))
        return err;
    return f(x);
}

} // namespace

Value if_(EvalContext& ctx, Args args)
{
    bool cond = false;
    Value err;
    if (!boolArg(ctx, args, 0, cond, err))
        return err;
    if (cond)
        return args[1].isMissing() ? Value::number(0) : ctx.scalar(args[1]);
    if (args.size() < 3)
        return Value::boolean(false);
    return args[2].isMissing() ? Value::number(0) : ctx.scalar(args[2]);
}

Value iferror(EvalContext& ctx, Args args)
{
    const Value v = ctx.scalar(args[0]);
    return v.isError() ? ctx.scalar(args[1]) : v;
}

namespace {
Value logical(EvalContext& ctx, Args args, bool isAnd)
{
    bool result = isAnd, any = false;
    for (const Operand& a : args) {
        if (a.isRef()) {
            Value err;
            ctx.forEachValue(a, [&](const Value& v, int, int) {
                if (v.isError()) {
                    err = v;
                    return false;
                }
                if (v.isNumber() || v.isBoolean()) {
                    any = true;
                    result = isAnd ? (result && v.asNumber() != 0) : (result || v.asNumber() != 0);
                }
                return true;
            });
            if (!err.isEmpty())
                return err;
            continue;
        }
        bool b = false;
        Value err;
        if (!toBoolean(a.isMissing() ? Value::boolean(false) : a.value, b, err))
            return err;
        any = true;
        result = isAnd ? (result && b) : (result || b);
    }
    return any ? Value::boolean(result) : Value::error(ErrorCode::Value);
}
} // namespace

Value and_(EvalContext& ctx, Args args) { return logical(ctx, args, true); }
Value or_(EvalContext& ctx, Args args) { return logical(ctx, args, false); }

Value not_(EvalContext& ctx, Args args)
{
    bool b = false;
    Value err;
    if (!boolArg(ctx, args, 0, b, err))
        return err;
    return Value::boolean(!b);
}

Value true_(EvalContext&, Args) { return Value::boolean(true); }
Value false_(EvalContext&, Args) { return Value::boolean(false); }
Value round(EvalContext& ctx, Args a) { return roundImpl(ctx, a, RoundMode::Nearest); }
Value roundup(EvalContext& ctx, Args a) { return roundImpl(ctx, a, RoundMode::Up); }
Value rounddown(EvalContext& ctx, Args a) { return roundImpl(ctx, a, RoundMode::Down); }
Value int_(EvalContext& ctx, Args a) { return unaryMath(ctx, a, [](double x) { return Value::number(std::floor(x)); }); }
Value abs(EvalContext& ctx, Args a) { return unaryMath(ctx, a, [](double x) { return Value::number(std::fabs(x)); }); }

Value sqrt(EvalContext& ctx, Args a)
{
    return unaryMath(ctx, a, [](double x) { return x < 0 ? Value::error(ErrorCode::Num) : Value::number(std::sqrt(x)); });
}

Value mod(EvalContext& ctx, Args args)
{
    double n = 0, d = 0;
    Value err;
    if (!numberArg(ctx, args, 0, n, err) || !numberArg(ctx, args, 1, d, err))
        return err;
    if (d == 0)
        return Value::error(ErrorCode::Div0);
    return Value::number(n - d * std::floor(n / d));
}

Value power(EvalContext& ctx, Args args)
{
    double x = 0, y = 0;
    Value err;
    if (!numberArg(ctx, args, 0, x, err) || !numberArg(ctx, args, 1, y, err))
        return err;
    if (x == 0 && y == 0)
        return Value::error(ErrorCode::Num);
    if (x == 0 && y < 0)
        return Value::error(ErrorCode::Div0);
    const double r = std::pow(x, y);
    return std::isfinite(r) ? Value::number(r) : Value::error(ErrorCode::Num);
}

Value pi(EvalContext&, Args) { return Value::number(std::numbers::pi); }
Value isnumber(EvalContext& ctx, Args a) { return Value::boolean(ctx.scalar(a[0]).isNumber()); }
Value istext(EvalContext& ctx, Args a) { return Value::boolean(ctx.scalar(a[0]).isText()); }
Value iserror(EvalContext& ctx, Args a) { return Value::boolean(ctx.scalar(a[0]).isError()); }
Value na(EvalContext&, Args) { return Value::error(ErrorCode::NA); }

Value isna(EvalContext& ctx, Args a)
{
    const Value v = ctx.scalar(a[0]);
    return Value::boolean(v.isError() && v.errorCode() == ErrorCode::NA);
}

Value isblank(EvalContext& ctx, Args a)
{
    return Value::boolean(a[0].isRef() && ctx.scalar(a[0]).isEmpty());
}

} // namespace vela::workbook::fn
