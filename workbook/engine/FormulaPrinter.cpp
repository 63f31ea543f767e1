// Postfix nodes -> formula text as it reads in a given cell. Iterative, so no nesting depth can
// exhaust the stack.
#include "workbook/engine/Formula.h"
#include "workbook/engine/FormulaNode.h"
#include "workbook/engine/Functions.h"
#include "workbook/engine/Workbook.h"

namespace vela::workbook {

namespace {

QString quotedSheetName(const QString& name)
{
    bool plain = !name.isEmpty() && !name[0].isDigit();
    for (QChar c : name)
        plain = plain && (c.isLetterOrNumber() || c == u'_');
    plain = plain && !parseRangeName(name).isValid();
    if (plain)
        return name;
    QString q = name;
    q.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

QString coordText(const RefCoord& k, CellRef at, bool& valid)
{
    const int row = k.rowAt(at.row);
    const int col = k.colAt(at.col);
    if (row < 1 || row > kMaxRows || col < 1 || col > kMaxCols) {
        valid = false;
        return {};
    }
    return (k.colAbs ? QStringLiteral("$") : QString()) + columnName(col) + (k.rowAbs ? QStringLiteral("$") : QString())
        + QString::number(row);
}

QString refText(const FormulaNode& n, const FormulaContext& ctx)
{
    if (n.kind == NodeKind::BadRef || n.sheetId < 0)
        return QStringLiteral("#REF!");
    QString prefix;
    if (n.sheetId != 0) {
        const Sheet* s = ctx.workbook ? ctx.workbook->sheetById(n.sheetId) : nullptr;
        if (!s)
            return QStringLiteral("#REF!");
        prefix = quotedSheetName(s->name()) + QLatin1Char('!');
    }
    bool valid = true;
    if (n.kind == NodeKind::Area && n.a.rowAbs && n.b.rowAbs && n.a.row == 1 && n.b.row == kMaxRows) {
        const int c1 = n.a.colAt(ctx.cell.col), c2 = n.b.colAt(ctx.cell.col);
        if (c1 < 1 || c2 < 1 || c1 > kMaxCols || c2 > kMaxCols)
            return QStringLiteral("#REF!");
        return prefix + (n.a.colAbs ? QStringLiteral("$") : QString()) + columnName(c1) + QLatin1Char(':')
            + (n.b.colAbs ? QStringLiteral("$") : QString()) + columnName(c2);
    }
    QString t = coordText(n.a, ctx.cell, valid);
    if (n.kind == NodeKind::Area)
        t += QLatin1Char(':') + coordText(n.b, ctx.cell, valid);
    return valid ? prefix + t : QStringLiteral("#REF!");
}

QString literalText(const FormulaNode& n)
{
    switch (n.kind) {
    case NodeKind::Number: return numberToText(n.number);
    case NodeKind::Boolean: return n.number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case NodeKind::Error: return n.text.isEmpty() ? errorText(ErrorCode(int(n.number))) : n.text;
    case NodeKind::Text: {
        QString t = n.text;
        t.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + t + QLatin1Char('"');
    }
    default: return {};
    }
}

QString opText(char op)
{
    switch (op) {
    case 'L': return QStringLiteral("<=");
    case 'G': return QStringLiteral(">=");
    case 'N': return QStringLiteral("<>");
    default: return QString(QLatin1Char(op));
    }
}

} // namespace

QString Formula::text(const FormulaContext& ctx) const
{
    std::vector<QString> st;
    for (const FormulaNode& n : m_nodes) {
        switch (n.kind) {
        case NodeKind::Ref:
        case NodeKind::Area:
        case NodeKind::BadRef: st.push_back(refText(n, ctx)); break;
        case NodeKind::Missing: st.emplace_back(); break;
        case NodeKind::Unary: st.back().prepend(QLatin1Char(n.op)); break;
        case NodeKind::Percent: st.back().append(QLatin1Char('%')); break;
        case NodeKind::Paren: st.back() = QLatin1Char('(') + st.back() + QLatin1Char(')'); break;
        case NodeKind::Binary: {
            QString rhs = std::move(st.back());
            st.pop_back();
            st.back() += opText(n.op) + rhs;
            break;
        }
        case NodeKind::Func: {
            const QString name = n.func >= 0 ? QLatin1String(functionInfo(n.func).name) : n.text;
            QString args;
            const size_t first = st.size() - n.argc;
            for (size_t i = first; i < st.size(); ++i)
                args += (i > first ? QStringLiteral(",") : QString()) + st[i];
            st.resize(first);
            st.push_back(name + QLatin1Char('(') + args + QLatin1Char(')'));
            break;
        }
        default: st.push_back(literalText(n)); break;
        }
    }
    return QLatin1Char('=') + (st.empty() ? QString() : st.back());
}

} // namespace vela::workbook
