// Text, date and lookup functions.
#include "workbook/engine/FunctionSupport.h"
#include "workbook/engine/NumberFormat.h"

#include <QDateTime>
#include <cmath>

namespace vela::workbook::fn {

Value len(EvalContext& ctx, Args a)
{
    QString t;
    Value err;
    if (!textArg(ctx, a, 0, t, err))
        return err;
    return Value::number(t.size());
}

namespace {
Value leftOrRight(EvalContext& ctx, Args a, bool left)
{
    QString t;
    double n = 1;
    Value err;
    if (!textArg(ctx, a, 0, t, err) || !numberArg(ctx, a, 1, n, err, 1))
        return err;
    if (n < 0)
        return Value::error(ErrorCode::Value);
    const qsizetype k = qsizetype(std::min(std::trunc(n), 1e9));
    return Value::text(left ? t.left(k) : t.right(k));
}
} // namespace

Value left(EvalContext& ctx, Args a) { return leftOrRight(ctx, a, true); }
Value right(EvalContext& ctx, Args a) { return leftOrRight(ctx, a, false); }

Value mid(EvalContext& ctx, Args a)
{
    QString t;
    double start = 0, n = 0;
    Value err;
    if (!textArg(ctx, a, 0, t, err) || !numberArg(ctx, a, 1, start, err) || !numberArg(ctx, a, 2, n, err))
        return err;
    if (start < 1 || n < 0)
        return Value::error(ErrorCode::Value);
    const double s = std::trunc(start) - 1;
    if (s >= double(t.size()))
        return Value::text({});
    return Value::text(t.mid(qsizetype(s), qsizetype(std::min(std::trunc(n), 1e9))));
}

namespace {
template <typename F>
Value textMap(EvalContext& ctx, Args a, F f)
{
    QString t;
    Value err;
    if (!textArg(ctx, a, 0, t, err))
        return err;
    return Value::text(f(t));
}
} // namespace

Value upper(EvalContext& ctx, Args a) { return textMap(ctx, a, [](const QString& t) { return t.toUpper(); }); }
Value lower(EvalContext& ctx, Args a) { return textMap(ctx, a, [](const QString& t) { return t.toLower(); }); }

Value trim(EvalContext& ctx, Args a)
{
    // Spaces only (not tabs): leading and trailing removed, inner runs reduced to one.
    return textMap(ctx, a, [](const QString& t) {
        QString out;
        bool pendingSpace = false;
        for (QChar c : t) {
            if (c == u' ') {
                pendingSpace = !out.isEmpty();
                continue;
            }
            if (pendingSpace)
                out += u' ';
            pendingSpace = false;
            out += c;
        }
        return out;
    });
}

Value concatenate(EvalContext& ctx, Args a)
{
    QString out;
    for (size_t i = 0; i < a.size(); ++i) {
        QString t;
        Value err;
        if (!textArg(ctx, a, i, t, err))
            return err;
        out += t;
        if (out.size() > kMaxTextLength)
            return Value::error(ErrorCode::Value);
    }
    return Value::text(out);
}

Value text(EvalContext& ctx, Args a)
{
    Value v = ctx.scalar(a[0]);
    QString code;
    Value err;
    if (v.isError())
        return v;
    if (!textArg(ctx, a, 1, code, err))
        return err;
    double d = 0;
    if (v.isText() && textToNumber(v.asText(), d))
        v = Value::number(d);
    if (v.isEmpty())
        v = Value::number(0);
    return Value::text(NumberFormat::format(v, code).text);
}

Value value(EvalContext& ctx, Args a)
{
    const Value v = ctx.scalar(a[0]);
    if (v.isError() || v.isNumber())
        return v;
    if (v.isEmpty())
        return Value::number(0);
    double d = 0;
    if (v.isText() && textToNumber(v.asText(), d))
        return Value::number(d);
    return Value::error(ErrorCode::Value);
}

Value now(EvalContext&, Args)
{
    const QDateTime t = QDateTime::currentDateTime();
    const QDate d = t.date();
    const double day = NumberFormat::dateSerial(d.year(), d.month(), d.day());
    return Value::number(day + t.time().msecsSinceStartOfDay() / 86400000.0);
}

Value today(EvalContext&, Args)
{
    const QDate d = QDate::currentDate();
    return Value::number(NumberFormat::dateSerial(d.year(), d.month(), d.day()));
}

Value date(EvalContext& ctx, Args a)
{
    double y = 0, m = 0, d = 0;
    Value err;
    if (!numberArg(ctx, a, 0, y, err) || !numberArg(ctx, a, 1, m, err) || !numberArg(ctx, a, 2, d, err))
        return err;
    int year = clampInt(std::trunc(y));
    if (year >= 0 && year < 1900)
        year += 1900;
    if (year < 1900 || year > 9999 || std::fabs(m) > 1e6 || std::fabs(d) > 1e8)
        return Value::error(ErrorCode::Num);
    const int months = clampInt(std::trunc(m)) - 1;
    year += int(std::floor(months / 12.0));
    const int month = months - int(std::floor(months / 12.0)) * 12 + 1;
    const double first = NumberFormat::dateSerial(year, month, 1);
    if (first < 0)
        return Value::error(ErrorCode::Num);
    const double serial = first + std::trunc(d) - 1;
    return serial < 0 || serial > 2958465 ? Value::error(ErrorCode::Num) : Value::number(serial);
}

Value row(EvalContext& ctx, Args a)
{
    if (a.empty() || a[0].isMissing())
        return Value::number(ctx.cell().row);
    if (!a[0].isRef())
        return a[0].value.isError() ? a[0].value : Value::error(ErrorCode::Value);
    return Value::number(a[0].range.row1);
}

Value column(EvalContext& ctx, Args a)
{
    if (a.empty() || a[0].isMissing())
        return Value::number(ctx.cell().col);
    if (!a[0].isRef())
        return a[0].value.isError() ? a[0].value : Value::error(ErrorCode::Value);
    return Value::number(a[0].range.col1);
}

Value index(EvalContext& ctx, Args a)
{
    if (!a[0].isRef())
        return a[0].value.isError() ? a[0].value : Value::error(ErrorCode::Value);
    const Range& r = a[0].range;
    double rowArg = 0, colArg = 0;
    Value err;
    if (!numberArg(ctx, a, 1, rowArg, err) || !numberArg(ctx, a, 2, colArg, err))
        return err;
    int row = clampInt(rowArg), col = clampInt(colArg);
    if (a.size() < 3 && r.rowCount() == 1) // one index into a single row counts columns
        std::swap(row, col);
    if (row == 0 && r.rowCount() == 1)
        row = 1;
    if (col == 0 && r.colCount() == 1)
        col = 1;
    if (row < 1 || col < 1 || row > r.rowCount() || col > r.colCount())
        return Value::error(ErrorCode::Ref);
    return ctx.cellValue(a[0].sheetId, r.row1 + row - 1, r.col1 + col - 1);
}

namespace {

// Position (0-based) of the lookup value among the cells of a one-dimensional reference.
int lookupPosition(const EvalContext& ctx, const Operand& ref, bool alongRows, const Value& key, int type)
{
    const Range& r = ref.range;
    const int n = alongRows ? r.rowCount() : r.colCount();
    const bool wild = type == 0 && key.isText()
        && (key.asText().contains(u'*') || key.asText().contains(u'?') || key.asText().contains(u'~'));
    int found = -1;
    for (int i = 0; i < n; ++i) {
        const Value v = ctx.cellValue(ref.sheetId, alongRows ? r.row1 + i : r.row1, alongRows ? r.col1 : r.col1 + i);
        if (type == 0) {
            if (wild ? (v.isText() && wildcardMatch(key.asText(), v.asText()))
                     : (!v.isEmpty() && v.type() == key.type() && compareValues(v, key) == 0))
                return i;
            continue;
        }
        if (v.isEmpty() || v.isError() || (v.isText() != key.isText()))
            continue;
        const int c = compareValues(v, key);
        if (type > 0 ? c <= 0 : c >= 0)
            found = i;
        else
            break;
    }
    return found;
}

Value lookup(EvalContext& ctx, Args a, bool vertical)
{
    const Value key = ctx.scalar(a[0]);
    if (key.isError())
        return key;
    if (!a[1].isRef())
        return Value::error(ErrorCode::NA);
    double idx = 0;
    bool approx = true;
    Value err;
    if (!numberArg(ctx, a, 2, idx, err))
        return err;
    if (a.size() > 3 && !a[3].isMissing() && !boolArg(ctx, a, 3, approx, err))
        return err;
    const Range& r = a[1].range;
    const int k = clampInt(idx);
    if (k < 1)
        return Value::error(ErrorCode::Value);
    if (k > (vertical ? r.colCount() : r.rowCount()))
        return Value::error(ErrorCode::Ref);
    Operand first = a[1];
    first.range = vertical ? Range(r.row1, r.col1, r.row2, r.col1) : Range(r.row1, r.col1, r.row1, r.col2);
    const int pos = lookupPosition(ctx, first, vertical, key, approx ? 1 : 0);
    if (pos < 0)
        return Value::error(ErrorCode::NA);
    return vertical ? ctx.cellValue(a[1].sheetId, r.row1 + pos, r.col1 + k - 1)
                    : ctx.cellValue(a[1].sheetId, r.row1 + k - 1, r.col1 + pos);
}

} // namespace

Value match(EvalContext& ctx, Args a)
{
    const Value key = ctx.scalar(a[0]);
    if (key.isError())
        return key;
    if (!a[1].isRef())
        return Value::error(ErrorCode::NA);
    double type = 1;
    Value err;
    if (!numberArg(ctx, a, 2, type, err, 1))
        return err;
    const Range& r = a[1].range;
    if (r.rowCount() > 1 && r.colCount() > 1)
        return Value::error(ErrorCode::NA);
    const int t = type > 0 ? 1 : type < 0 ? -1 : 0;
    const int pos = lookupPosition(ctx, a[1], r.colCount() == 1, key, t);
    return pos < 0 ? Value::error(ErrorCode::NA) : Value::number(pos + 1);
}

Value vlookup(EvalContext& ctx, Args a) { return lookup(ctx, a, true); }
Value hlookup(EvalContext& ctx, Args a) { return lookup(ctx, a, false); }

} // namespace vela::workbook::fn
