// Aggregates and criteria. References contribute numbers only; direct arguments convert.
#include "workbook/engine/FunctionSupport.h"
#include "workbook/engine/Workbook.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace vela::workbook::fn {

bool collectNumbers(const EvalContext& ctx, Args args, std::vector<double>& out, Value& err)
{
    for (const Operand& a : args) {
        if (a.isMissing()) {
            out.push_back(0);
            continue;
        }
        if (a.isRef()) {
            bool failed = false;
            ctx.forEachValue(a, [&](const Value& v, int, int) {
                if (v.isNumber())
                    out.push_back(v.asNumber());
                else if (v.isError()) {
                    err = v;
                    failed = true;
                    return false;
                }
                return true;
            });
            if (failed)
                return false;
            continue;
        }
        double d = 0;
        if (!toNumber(a.value, d, err))
            return false;
        out.push_back(d);
    }
    return true;
}

bool numberArg(const EvalContext& ctx, Args args, size_t i, double& out, Value& err, double def)
{
    if (i >= args.size() || args[i].isMissing()) {
        out = def;
        return true;
    }
    return toNumber(ctx.scalar(args[i]), out, err);
}

bool textArg(const EvalContext& ctx, Args args, size_t i, QString& out, Value& err)
{
    const Value v = i < args.size() ? ctx.scalar(args[i]) : Value();
    if (v.isError()) {
        err = v;
        return false;
    }
    out = toText(v);
    return true;
}

bool boolArg(const EvalContext& ctx, Args args, size_t i, bool& out, Value& err)
{
    return toBoolean(i < args.size() ? ctx.scalar(args[i]) : Value(), out, err);
}

namespace {

template <typename F>
Value overNumbers(EvalContext& ctx, Args args, F f)
{
    std::vector<double> xs;
    Value err;
    if (!collectNumbers(ctx, args, xs, err))
        return err;
    return f(xs);
}

double mean(const std::vector<double>& xs)
{
    double s = 0;
    for (double x : xs)
        s += x;
    return s / double(xs.size());
}

Value variance(const std::vector<double>& xs, bool sample)
{
    const size_t n = xs.size();
    if (n == 0 || (sample && n < 2))
        return Value::error(ErrorCode::Div0);
    const double m = mean(xs);
    double ss = 0;
    for (double x : xs)
        ss += (x - m) * (x - m);
    return Value::number(ss / double(sample ? n - 1 : n));
}

Value sqrtOf(const Value& v)
{
    return v.isError() ? v : Value::number(std::sqrt(v.asNumber()));
}

// Visits every cell position of a reference (blanks too, up to the used extent), row by row.
template <typename F>
void forEachPosition(const EvalContext& ctx, const Operand& ref, F f)
{
    const Sheet* s = ctx.sheetById(ref.sheetId);
    if (!s)
        return;
    const int lastRow = std::min(ref.range.row2, s->store().maxRowAny());
    for (int r = ref.range.row1; r <= lastRow; ++r)
        for (int c = ref.range.col1; c <= ref.range.col2; ++c) {
            const Cell* cell = s->store().get(r, c);
            f(cell ? cell->value : Value(), r - ref.range.row1, c - ref.range.col1);
        }
}

Value conditional(EvalContext& ctx, Args args, bool average)
{
    if (!args[0].isRef())
        return Value::error(ErrorCode::Value);
    const Criterion crit(ctx.scalar(args[1]));
    Operand target = args[0];
    if (args.size() > 2 && !args[2].isMissing()) {
        if (!args[2].isRef())
            return Value::error(ErrorCode::Value);
        target = args[2];
        target.range = Range(target.range.row1, target.range.col1, target.range.row1 + args[0].range.rowCount() - 1,
                             target.range.col1 + args[0].range.colCount() - 1);
    }
    double sum = 0;
    int n = 0;
    Value err;
    forEachPosition(ctx, args[0], [&](const Value& v, int dr, int dc) {
        if (!err.isEmpty() || !crit.matches(v))
            return;
        const Value t = ctx.cellValue(target.sheetId, target.range.row1 + dr, target.range.col1 + dc);
        if (t.isError())
            err = t;
        else if (t.isNumber()) {
            sum += t.asNumber();
            ++n;
        }
    });
    if (!err.isEmpty())
        return err;
    if (average)
        return n == 0 ? Value::error(ErrorCode::Div0) : Value::number(sum / n);
    return Value::number(sum);
}

} // namespace

Criterion::Criterion(const Value& v)
{
    if (!v.isText()) {
        m_value = v.isEmpty() ? Value::number(0) : v;
        return;
    }
    QString t = v.asText();
    static const char* const kOps[] = {"<=", ">=", "<>", "<", ">", "="};
    static const char kCodes[] = {'L', 'G', 'N', '<', '>', '='};
    for (int i = 0; i < 6; ++i)
        if (t.startsWith(QLatin1String(kOps[i]))) {
            m_op = kCodes[i];
            t.remove(0, int(qstrlen(kOps[i])));
            break;
        }
    double d = 0;
    if (!t.isEmpty() && textToNumber(t, d))
        m_value = Value::number(d);
    else if (t.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 || t.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0)
        m_value = Value::boolean(t.size() == 4);
    else if (ErrorCode e = errorFromText(t); e != ErrorCode::None)
        m_value = Value::error(e);
    else {
        m_value = Value::text(t);
        m_wild = (m_op == '=' || m_op == 'N') && (t.contains(u'*') || t.contains(u'?') || t.contains(u'~'));
    }
}

bool Criterion::matches(const Value& cellIn) const
{
    Value cell = cellIn;
    if (m_value.isNumber() && cell.isText()) {
        double d = 0;
        if (m_op == '=' && textToNumber(cell.asText(), d))
            cell = Value::number(d);
    }
    bool equal = false;
    if (m_value.isText() && m_value.asText().isEmpty())
        equal = cell.isEmpty() || (cell.isText() && cell.asText().isEmpty());
    else if (m_wild)
        equal = !cell.isEmpty() && !cell.isError() && wildcardMatch(m_value.asText(), toText(cell));
    else
        equal = cell.type() == m_value.type() && compareValues(cell, m_value) == 0;
    if (m_op == '=')
        return equal;
    if (m_op == 'N')
        return !equal;
    if (cell.type() != m_value.type() || cell.isEmpty())
        return false;
    const int c = compareValues(cell, m_value);
    switch (m_op) {
    case '<': return c < 0;
    case '>': return c > 0;
    case 'L': return c <= 0;
    default: return c >= 0;
    }
}

bool wildcardMatch(const QString& pattern, const QString& text)
{
    QString rx;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'~' && i + 1 < pattern.size())
            rx += QRegularExpression::escape(QString(pattern[++i]));
        else if (c == u'*')
            rx += QLatin1String(".*");
        else if (c == u'?')
            rx += QLatin1Char('.');
        else
            rx += QRegularExpression::escape(QString(c));
    }
    const QRegularExpression re(QRegularExpression::anchoredPattern(rx),
                                QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return re.match(text).hasMatch();
}

Value sum(EvalContext& ctx, Args a)
{
    return overNumbers(ctx, a, [](const std::vector<double>& xs) {
        double s = 0;
        for (double x : xs)
            s += x;
        return Value::number(s);
    });
}

Value average(EvalContext& ctx, Args a)
{
    return overNumbers(ctx, a, [](const std::vector<double>& xs) {
        return xs.empty() ? Value::error(ErrorCode::Div0) : Value::number(mean(xs));
    });
}

Value min(EvalContext& ctx, Args a)
{
    return overNumbers(ctx, a, [](const std::vector<double>& xs) {
        return Value::number(xs.empty() ? 0 : *std::min_element(xs.begin(), xs.end()));
    });
}

Value max(EvalContext& ctx, Args a)
{
    return overNumbers(ctx, a, [](const std::vector<double>& xs) {
        return Value::number(xs.empty() ? 0 : *std::max_element(xs.begin(), xs.end()));
    });
}

Value stdev(EvalContext& ctx, Args a) { return overNumbers(ctx, a, [](const auto& xs) { return sqrtOf(variance(xs, true)); }); }
Value stdevp(EvalContext& ctx, Args a) { return overNumbers(ctx, a, [](const auto& xs) { return sqrtOf(variance(xs, false)); }); }
Value var(EvalContext& ctx, Args a) { return overNumbers(ctx, a, [](const auto& xs) { return variance(xs, true); }); }
Value varp(EvalContext& ctx, Args a) { return overNumbers(ctx, a, [](const auto& xs) { return variance(xs, false); }); }

Value median(EvalContext& ctx, Args a)
{
    return overNumbers(ctx, a, [](std::vector<double> xs) {
        if (xs.empty())
            return Value::error(ErrorCode::Num);
        std::sort(xs.begin(), xs.end());
        const size_t n = xs.size();
        return Value::number(n % 2 ? xs[n / 2] : (xs[n / 2 - 1] + xs[n / 2]) / 2);
    });
}

Value count(EvalContext& ctx, Args args)
{
    double n = 0;
    for (const Operand& a : args) {
        if (a.isRef()) {
            ctx.forEachValue(a, [&n](const Value& v, int, int) { n += v.isNumber() ? 1 : 0; return true; });
            continue;
        }
        double d;
        Value err;
        if (!a.isMissing() && (a.value.isNumber() || a.value.isBoolean() || (a.value.isText() && toNumber(a.value, d, err))))
            ++n;
    }
    return Value::number(n);
}

Value counta(EvalContext& ctx, Args args)
{
    double n = 0;
    for (const Operand& a : args) {
        if (a.isRef())
            ctx.forEachValue(a, [&n](const Value&, int, int) { ++n; return true; });
        else if (!a.isMissing())
            ++n;
    }
    return Value::number(n);
}

Value countblank(EvalContext& ctx, Args args)
{
    if (!args[0].isRef())
        return Value::error(ErrorCode::Value);
    double filled = 0;
    ctx.forEachValue(args[0], [&filled](const Value& v, int, int) {
        filled += (v.isText() && v.asText().isEmpty()) ? 0 : 1;
        return true;
    });
    const Range& r = args[0].range;
    return Value::number(double(r.rowCount()) * double(r.colCount()) - filled);
}

Value countif(EvalContext& ctx, Args args)
{
    if (!args[0].isRef())
        return Value::error(ErrorCode::Value);
    const Criterion crit(ctx.scalar(args[1]));
    double n = 0, seen = 0;
    ctx.forEachValue(args[0], [&](const Value& v, int, int) {
        ++seen;
        n += crit.matches(v) ? 1 : 0;
        return true;
    });
    const Range& r = args[0].range;
    if (crit.matches(Value()))
        n += double(r.rowCount()) * double(r.colCount()) - seen;
    return Value::number(n);
}

Value sumif(EvalContext& ctx, Args args) { return conditional(ctx, args, false); }
Value averageif(EvalContext& ctx, Args args) { return conditional(ctx, args, true); }

} // namespace vela::workbook::fn
