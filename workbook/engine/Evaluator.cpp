#include "workbook/engine/Evaluator.h"
#include "workbook/engine/Formula.h"
#include "workbook/engine/FormulaNode.h"
#include "workbook/engine/Functions.h"
#include "workbook/engine/Workbook.h"

#include <cmath>

namespace vela::workbook {

const Sheet* EvalContext::sheetById(int id) const
{
    return id == m_sheet.id() ? &m_sheet : m_wb.sheetById(id);
}

Value EvalContext::cellValue(int sheetId, int row, int col) const
{
    const Sheet* s = sheetById(sheetId);
    if (!s)
        return Value::error(ErrorCode::Ref);
    const Cell* c = s->store().get(row, col);
    return c ? c->value : Value();
}

Value EvalContext::scalar(const Operand& o) const
{
    if (o.kind == Operand::Kind::Missing)
        return Value();
    if (o.kind == Operand::Kind::Value)
        return o.value;
    const Range& r = o.range;
    if (r.row1 == r.row2 && r.col1 == r.col2)
        return cellValue(o.sheetId, r.row1, r.col1);
    // Implicit intersection with the formula's own row or column.
    if (r.col1 == r.col2 && m_cell.row >= r.row1 && m_cell.row <= r.row2)
        return cellValue(o.sheetId, m_cell.row, r.col1);
    if (r.row1 == r.row2 && m_cell.col >= r.col1 && m_cell.col <= r.col2)
        return cellValue(o.sheetId, r.row1, m_cell.col);
    return Value::error(ErrorCode::Value);
}

bool toNumber(const Value& v, double& out, Value& err)
{
    switch (v.type()) {
    case Value::Type::Number:
    case Value::Type::Boolean: out = v.asNumber(); return true;
    case Value::Type::Empty: out = 0; return true;
    case Value::Type::Text:
        if (textToNumber(v.asText(), out))
            return true;
        err = Value::error(ErrorCode::Value);
        return false;
    case Value::Type::Error: err = v; return false;
    }
    return false;
}

QString toText(const Value& v)
{
    return v.toString();
}

bool toBoolean(const Value& v, bool& out, Value& err)
{
    switch (v.type()) {
    case Value::Type::Number:
    case Value::Type::Boolean: out = v.asNumber() != 0; return true;
    case Value::Type::Empty: out = false; return true;
    case Value::Type::Text:
        if (v.asText().compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0) { out = true; return true; }
        if (v.asText().compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) { out = false; return true; }
        err = Value::error(ErrorCode::Value);
        return false;
    case Value::Type::Error: err = v; return false;
    }
    return false;
}

namespace {
int typeRank(const Value& v)
{
    switch (v.type()) {
    case Value::Type::Text: return 1;
    case Value::Type::Boolean: return 2;
    default: return 0;
    }
}
} // namespace

int compareValues(const Value& aIn, const Value& bIn)
{
    Value a = aIn, b = bIn;
    if (a.isEmpty())
        a = b.isText() ? Value::text({}) : b.isBoolean() ? Value::boolean(false) : Value::number(0);
    if (b.isEmpty())
        b = a.isText() ? Value::text({}) : a.isBoolean() ? Value::boolean(false) : Value::number(0);
    const int ra = typeRank(a), rb = typeRank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (a.isText())
        return a.asText().compare(b.asText(), Qt::CaseInsensitive);
    const double x = a.asNumber(), y = b.asNumber();
    return x < y ? -1 : x > y ? 1 : 0;
}

namespace {

Value arithmetic(char op, const Value& a, const Value& b)
{
    double x = 0, y = 0;
    Value err;
    if (!toNumber(a, x, err) || !toNumber(b, y, err))
        return err;
    switch (op) {
    case '+': return Value::number(x + y);
    case '-': return Value::number(x - y);
    case '*': return Value::number(x * y);
    case '/':
        if (y == 0)
            return Value::error(ErrorCode::Div0);
        return Value::number(x / y);
    case '^': {
        if (x == 0 && y == 0)
            return Value::error(ErrorCode::Num);
        if (x == 0 && y < 0)
            return Value::error(ErrorCode::Div0);
        const double r = std::pow(x, y);
        return std::isfinite(r) ? Value::number(r) : Value::error(ErrorCode::Num);
    }
    default: return Value::error(ErrorCode::Value);
    }
}

Value binary(char op, const Value& a, const Value& b)
{
    if (a.isError())
        return a;
    if (b.isError())
        return b;
    if (op == '&') {
        QString t = toText(a) + toText(b);
        // Cells hold at most 32,767 characters; doubling chains would otherwise exhaust memory.
        return t.size() > 32767 ? Value::error(ErrorCode::Value) : Value::text(t);
    }
    if (QByteArrayView("=<>LGN").contains(op)) {
        const int c = compareValues(a, b);
        switch (op) {
        case '=': return Value::boolean(c == 0);
        case '<': return Value::boolean(c < 0);
        case '>': return Value::boolean(c > 0);
        case 'L': return Value::boolean(c <= 0);
        case 'G': return Value::boolean(c >= 0);
        default: return Value::boolean(c != 0);
        }
    }
    return arithmetic(op, a, b);
}

Operand refOperand(const FormulaNode& n, const EvalContext& ctx)
{
    if (n.kind == NodeKind::BadRef || n.sheetId < 0)
        return Operand::of(Value::error(ErrorCode::Ref));
    const CellRef at = ctx.cell();
    const int r1 = n.a.rowAt(at.row), c1 = n.a.colAt(at.col);
    const int r2 = n.kind == NodeKind::Area ? n.b.rowAt(at.row) : r1;
    const int c2 = n.kind == NodeKind::Area ? n.b.colAt(at.col) : c1;
    const Range r(r1, c1, r2, c2);
    const int sid = n.sheetId == 0 ? ctx.sheet().id() : n.sheetId;
    if (!r.isValid() || !ctx.sheetById(sid))
        return Operand::of(Value::error(ErrorCode::Ref));
    Operand o;
    o.kind = Operand::Kind::Ref;
    o.sheetId = sid;
    o.range = r;
    return o;
}

Value callFunction(const FormulaNode& n, std::span<const Operand> args, EvalContext& ctx)
{
    if (n.func < 0)
        return Value::error(ErrorCode::Name);
    return functionInfo(n.func).call(ctx, args);
}

} // namespace

Value evaluateFormula(const Formula& f, const EvalContext& ctxIn)
{
    EvalContext ctx = ctxIn;
    // One operand stack per thread, reused: evaluation never re-enters itself.
    thread_local std::vector<Operand> stack;
    std::vector<Operand>& st = stack;
    st.clear();
    for (const FormulaNode& n : f.nodes()) {
        switch (n.kind) {
        case NodeKind::Number: st.push_back(Operand::of(Value::number(n.number))); break;
        case NodeKind::Text: st.push_back(Operand::of(Value::text(n.text))); break;
        case NodeKind::Boolean: st.push_back(Operand::of(Value::boolean(n.number != 0))); break;
        case NodeKind::Error: st.push_back(Operand::of(Value::error(ErrorCode(int(n.number))))); break;
        case NodeKind::Missing: { Operand o; o.kind = Operand::Kind::Missing; st.push_back(o); break; }
        case NodeKind::Ref:
        case NodeKind::Area:
        case NodeKind::BadRef: st.push_back(refOperand(n, ctx)); break;
        case NodeKind::Paren: break;
        case NodeKind::Unary: {
            const Value v = ctx.scalar(st.back());
            st.back() = Operand::of(n.op == '-' ? arithmetic('*', v, Value::number(-1)) : arithmetic('+', v, Value::number(0)));
            if (n.op == '+' && (v.isText() || v.isBoolean()))
                st.back() = Operand::of(v); // unary plus leaves the value as it is
            break;
        }
        case NodeKind::Percent: st.back() = Operand::of(arithmetic('/', ctx.scalar(st.back()), Value::number(100))); break;
        case NodeKind::Binary: {
            const Value b = ctx.scalar(st.back());
            st.pop_back();
            st.back() = Operand::of(binary(n.op, ctx.scalar(st.back()), b));
            break;
        }
        case NodeKind::Func: {
            const size_t first = st.size() - n.argc;
            Value r = callFunction(n, std::span<const Operand>(st.data() + first, n.argc), ctx);
            st.resize(first);
            st.push_back(Operand::of(std::move(r)));
            break;
        }
        }
    }
    if (st.empty())
        return Value::error(ErrorCode::Value);
    Value v = ctx.scalar(st.back());
    st.clear();
    return v.isEmpty() ? Value::number(0) : v;
}

} // namespace vela::workbook
