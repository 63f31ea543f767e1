// Formula text -> postfix nodes. Precedence follows the spreadsheet convention, lowest first:
// comparison, &, + -, * /, ^ (left-associative), %, unary minus, reference range ':'. So
// -2^2 is 4 and 2^3^2 is 64.
#include "workbook/engine/Formula.h"
#include "workbook/engine/FormulaNode.h"
#include "workbook/engine/Functions.h"
#include "workbook/engine/Value.h"
#include "workbook/engine/Workbook.h"

namespace vela::workbook {

namespace {

enum class Tok { Number, String, Error, Word, Ref, SheetPrefix, LParen, RParen, Comma, Colon, Op, End };

struct Token {
    Tok kind = Tok::End;
    int pos = 0;
    QString text;
    double number = 0;
    char op = 0;
};

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$';
}

// "$A$1", "b7" -> coordinate with absolute flags; false when the word is not a cell reference.
bool parseCellWord(const QString& w, int& row, int& col, bool& rowAbs, bool& colAbs)
{
    int i = 0;
    colAbs = i < w.size() && w[i] == u'$';
    if (colAbs)
        ++i;
    const int l0 = i;
    while (i < w.size() && w[i].isLetter() && w[i].unicode() < 128)
        ++i;
    if (i == l0 || i - l0 > 3)
        return false;
    col = columnNumber(w.mid(l0, i - l0));
    rowAbs = i < w.size() && w[i] == u'$';
    if (rowAbs)
        ++i;
    const int d0 = i;
    while (i < w.size() && w[i].isDigit())
        ++i;
    if (i != w.size() || i == d0 || i - d0 > 7)
        return false;
    row = w.mid(d0).toInt();
    return col >= 1 && row >= 1 && row <= kMaxRows;
}

// "$B", "c" -> column with absolute flag; false when the word is not just column letters.
bool parseColumnWord(const QString& w, int& col, bool& abs)
{
    abs = w.startsWith(u'$');
    const QString letters = abs ? w.mid(1) : w;
    for (QChar ch : letters)
        if (!ch.isLetter() || ch.unicode() >= 128)
            return false;
    col = columnNumber(letters);
    return col > 0;
}

class Lexer {
public:
    explicit Lexer(const QString& t) : m_t(t) {}
    bool run(QList<Token>& out, QString& error, int& errPos);

private:
    bool number(Token& tk);
    bool string(Token& tk, QString& error);
    bool errorLiteral(Token& tk);
    bool quotedSheet(Token& tk, QString& error);
    const QString& m_t;
    int m_i = 0;
};

bool Lexer::number(Token& tk)
{
    const int s = m_i;
    while (m_i < m_t.size() && m_t[m_i].isDigit())
        ++m_i;
    if (m_i < m_t.size() && m_t[m_i] == u'.')
        for (++m_i; m_i < m_t.size() && m_t[m_i].isDigit();)
            ++m_i;
    if (m_i < m_t.size() && (m_t[m_i] == u'E' || m_t[m_i] == u'e')) {
        int j = m_i + 1;
        if (j < m_t.size() && (m_t[j] == u'+' || m_t[j] == u'-'))
            ++j;
        if (j < m_t.size() && m_t[j].isDigit()) {
            while (j < m_t.size() && m_t[j].isDigit())
                ++j;
            m_i = j;
        }
    }
    bool ok = false;
    tk.kind = Tok::Number;
    tk.number = m_t.mid(s, m_i - s).toDouble(&ok);
    return ok;
}

bool Lexer::string(Token& tk, QString& error)
{
    ++m_i;
    QString s;
    for (;;) {
        if (m_i >= m_t.size()) {
            error = QStringLiteral("text without closing quote");
            return false;
        }
        if (m_t[m_i] == u'"') {
            if (m_i + 1 < m_t.size() && m_t[m_i + 1] == u'"') {
                s += u'"';
                m_i += 2;
                continue;
            }
            ++m_i;
            break;
        }
        s += m_t[m_i++];
    }
    tk.kind = Tok::String;
    tk.text = s;
    return true;
}

bool Lexer::errorLiteral(Token& tk)
{
    static const char* const kCodes[] = {"#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"};
    for (const char* c : kCodes) {
        const QLatin1String code(c);
        if (m_t.mid(m_i, code.size()).compare(code, Qt::CaseInsensitive) == 0) {
            tk.kind = Tok::Error;
            tk.number = double(errorFromText(code));
            m_i += int(code.size());
            return true;
        }
    }
    return false;
}

bool Lexer::quotedSheet(Token& tk, QString& error)
{
    ++m_i;
    QString s;
    for (;;) {
        if (m_i >= m_t.size()) {
            error = QStringLiteral("sheet name without closing quote");
            return false;
        }
        if (m_t[m_i] == u'\'') {
            if (m_i + 1 < m_t.size() && m_t[m_i + 1] == u'\'') {
                s += u'\'';
                m_i += 2;
                continue;
            }
            ++m_i;
            break;
        }
        s += m_t[m_i++];
    }
    if (m_i >= m_t.size() || m_t[m_i] != u'!') {
        error = QStringLiteral("'!' expected after the sheet name");
        return false;
    }
    ++m_i;
    tk.kind = Tok::SheetPrefix;
    tk.text = s;
    return true;
}

bool Lexer::run(QList<Token>& out, QString& error, int& errPos)
{
    while (true) {
        while (m_i < m_t.size() && m_t[m_i].isSpace())
            ++m_i;
        Token tk;
        tk.pos = m_i;
        errPos = m_i;
        if (m_i >= m_t.size()) {
            out.append(tk);
            return true;
        }
        const QChar c = m_t[m_i];
        if (c.isDigit() || (c == u'.' && m_i + 1 < m_t.size() && m_t[m_i + 1].isDigit())) {
            // A word such as "1A" is not a number; numbers end at a non-word character.
            if (!number(tk)) {
                error = QStringLiteral("malformed number");
                return false;
            }
        } else if (c == u'"') {
            if (!string(tk, error))
                return false;
        } else if (c == u'#') {
            if (!errorLiteral(tk)) {
                error = QStringLiteral("unknown error literal");
                return false;
            }
        } else if (c == u'\'') {
            if (!quotedSheet(tk, error))
                return false;
        } else if (isWordChar(c)) {
            const int s = m_i;
            while (m_i < m_t.size() && isWordChar(m_t[m_i]))
                ++m_i;
            tk.text = m_t.mid(s, m_i - s);
            tk.kind = Tok::Word;
            if (m_i < m_t.size() && m_t[m_i] == u'!') {
                ++m_i;
                tk.kind = Tok::SheetPrefix;
            }
        } else {
            ++m_i;
            switch (c.unicode()) {
            case '(': tk.kind = Tok::LParen; break;
            case ')': tk.kind = Tok::RParen; break;
            case ',': tk.kind = Tok::Comma; break;
            case ':': tk.kind = Tok::Colon; break;
            case '+': case '-': case '*': case '/': case '^': case '&': case '%': case '=':
                tk.kind = Tok::Op;
                tk.op = char(c.unicode());
                break;
            case '<':
                tk.kind = Tok::Op;
                tk.op = '<';
                if (m_i < m_t.size() && m_t[m_i] == u'=') { tk.op = 'L'; ++m_i; }
                else if (m_i < m_t.size() && m_t[m_i] == u'>') { tk.op = 'N'; ++m_i; }
                break;
            case '>':
                tk.kind = Tok::Op;
                tk.op = '>';
                if (m_i < m_t.size() && m_t[m_i] == u'=') { tk.op = 'G'; ++m_i; }
                break;
            default:
                error = QStringLiteral("unexpected character '%1'").arg(c);
                return false;
            }
        }
        out.append(tk);
    }
}

class Parser {
public:
    Parser(const QList<Token>& toks, const FormulaContext& ctx) : m_toks(toks), m_ctx(ctx) {}
    bool parse();
    std::vector<FormulaNode> nodes;
    QString error;
    int errorPos = 0;
    bool isVolatile = false;

private:
    const Token& peek() const { return m_toks[m_p]; }
    bool isOp(char op) const { return peek().kind == Tok::Op && peek().op == op; }
    bool fail(const QString& why) { error = why; errorPos = peek().pos; return false; }
    bool enter() { return ++m_depth <= Formula::kMaxDepth || fail(QStringLiteral("formula nested too deeply")); }
    bool comparison();
    bool concat();
    bool additive();
    bool multiplicative();
    bool power();
    bool percent();
    bool unary();
    bool primary();
    bool word();
    bool reference(int sheetId);
    bool wholeColumns(int sheetId);
    [[nodiscard]] bool atWholeColumns() const;
    bool function(const QString& name);
    void pushNode(NodeKind k, char op = 0) { FormulaNode n; n.kind = k; n.op = op; nodes.push_back(std::move(n)); }

    const QList<Token>& m_toks;
    const FormulaContext& m_ctx;
    int m_p = 0;
    int m_depth = 0;
};

bool Parser::parse()
{
    if (!comparison())
        return false;
    if (peek().kind != Tok::End)
        return fail(peek().kind == Tok::RParen ? QStringLiteral("unbalanced ')'") : QStringLiteral("operator expected"));
    return true;
}

bool Parser::comparison()
{
    if (!concat())
        return false;
    while (peek().kind == Tok::Op && QByteArrayView("=<>LGN").contains(peek().op)) {
        const char op = peek().op;
        ++m_p;
        if (!concat())
            return false;
        pushNode(NodeKind::Binary, op);
    }
    return true;
}

bool Parser::concat()
{
    if (!additive())
        return false;
    while (isOp('&')) {
        ++m_p;
        if (!additive())
            return false;
        pushNode(NodeKind::Binary, '&');
    }
    return true;
}

bool Parser::additive()
{
    if (!multiplicative())
        return false;
    while (isOp('+') || isOp('-')) {
        const char op = peek().op;
        ++m_p;
        if (!multiplicative())
            return false;
        pushNode(NodeKind::Binary, op);
    }
    return true;
}

bool Parser::multiplicative()
{
    if (!power())
        return false;
    while (isOp('*') || isOp('/')) {
        const char op = peek().op;
        ++m_p;
        if (!power())
            return false;
        pushNode(NodeKind::Binary, op);
    }
    return true;
}

bool Parser::power()
{
    if (!percent())
        return false;
    while (isOp('^')) {
        ++m_p;
        if (!percent())
            return false;
        pushNode(NodeKind::Binary, '^');
    }
    return true;
}

bool Parser::percent()
{
    if (!unary())
        return false;
    while (isOp('%')) {
        ++m_p;
        pushNode(NodeKind::Percent);
    }
    return true;
}

bool Parser::unary()
{
    if (isOp('-') || isOp('+')) {
        const char op = peek().op;
        ++m_p;
        if (!enter() || !unary())
            return false;
        --m_depth;
        pushNode(NodeKind::Unary, op);
        return true;
    }
    return primary();
}

bool Parser::primary()
{
    const Token tk = peek();
    switch (tk.kind) {
    case Tok::Number: {
        ++m_p;
        FormulaNode n;
        n.kind = NodeKind::Number;
        n.number = tk.number;
        nodes.push_back(n);
        return true;
    }
    case Tok::String: {
        ++m_p;
        FormulaNode n;
        n.kind = NodeKind::Text;
        n.text = tk.text;
        nodes.push_back(n);
        return true;
    }
    case Tok::Error: {
        ++m_p;
        FormulaNode n;
        n.kind = NodeKind::Error;
        n.number = tk.number;
        nodes.push_back(n);
        return true;
    }
    case Tok::LParen: {
        ++m_p;
        if (!enter() || !comparison())
            return false;
        --m_depth;
        if (peek().kind != Tok::RParen)
            return fail(QStringLiteral("')' expected"));
        ++m_p;
        pushNode(NodeKind::Paren);
        return true;
    }
    case Tok::SheetPrefix: {
        ++m_p;
        const Sheet* s = m_ctx.workbook ? m_ctx.workbook->sheetByName(tk.text) : nullptr;
        if (!s) {
            m_p--;
            return fail(QStringLiteral("unknown sheet '%1'").arg(tk.text));
        }
        if (peek().kind != Tok::Word)
            return fail(QStringLiteral("cell reference expected"));
        return reference(s->id());
    }
    case Tok::Word:
        return word();
    case Tok::End:
        return fail(QStringLiteral("operand expected at the end"));
    default:
        return fail(QStringLiteral("operand expected"));
    }
}

bool Parser::word()
{
    const Token tk = peek();
    if (m_toks[m_p + 1].kind == Tok::LParen) {
        m_p += 2;
        return function(tk.text);
    }
    int r, c;
    bool ra, ca;
    if (parseCellWord(tk.text, r, c, ra, ca) || atWholeColumns())
        return reference(0);
    ++m_p;
    FormulaNode n;
    if (tk.text.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0
        || tk.text.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) {
        n.kind = NodeKind::Boolean;
        n.number = tk.text.size() == 4 ? 1 : 0;
    } else {
        // Unknown names are kept and give #NAME? when evaluated, as spreadsheets do.
        n.kind = NodeKind::Error;
        n.number = double(ErrorCode::Name);
        n.text = tk.text;
    }
    nodes.push_back(n);
    return true;
}

bool Parser::atWholeColumns() const
{
    int c;
    bool abs;
    return peek().kind == Tok::Word && m_toks[m_p + 1].kind == Tok::Colon && m_toks[m_p + 2].kind == Tok::Word
        && parseColumnWord(peek().text, c, abs) && parseColumnWord(m_toks[m_p + 2].text, c, abs);
}

// "A:C": every row of the columns, kept as absolute rows 1 to the last row.
bool Parser::wholeColumns(int sheetId)
{
    FormulaNode n;
    n.kind = NodeKind::Area;
    n.sheetId = sheetId;
    int c1, c2;
    bool a1, a2;
    parseColumnWord(peek().text, c1, a1);
    parseColumnWord(m_toks[m_p + 2].text, c2, a2);
    m_p += 3;
    n.a = {1, a1 ? c1 : c1 - m_ctx.cell.col, true, a1};
    n.b = {kMaxRows, a2 ? c2 : c2 - m_ctx.cell.col, true, a2};
    nodes.push_back(n);
    return true;
}

bool Parser::reference(int sheetId)
{
    if (atWholeColumns())
        return wholeColumns(sheetId);
    FormulaNode n;
    n.sheetId = sheetId;
    int r, c;
    bool ra, ca;
    if (!parseCellWord(peek().text, r, c, ra, ca))
        return fail(QStringLiteral("invalid cell reference '%1'").arg(peek().text));
    ++m_p;
    auto coord = [this](int row, int col, bool rowAbs, bool colAbs) {
        RefCoord k;
        k.rowAbs = rowAbs;
        k.colAbs = colAbs;
        k.row = rowAbs ? row : row - m_ctx.cell.row;
        k.col = colAbs ? col : col - m_ctx.cell.col;
        return k;
    };
    n.a = coord(r, c, ra, ca);
    n.kind = NodeKind::Ref;
    if (peek().kind == Tok::Colon) {
        ++m_p;
        if (peek().kind != Tok::Word || !parseCellWord(peek().text, r, c, ra, ca))
            return fail(QStringLiteral("cell reference expected after ':'"));
        ++m_p;
        n.b = coord(r, c, ra, ca);
        n.kind = NodeKind::Area;
    }
    nodes.push_back(n);
    return true;
}

bool Parser::function(const QString& name)
{
    const int id = functionId(name);
    if (!enter())
        return false;
    int argc = 0;
    if (peek().kind == Tok::RParen) {
        ++m_p;
    } else {
        for (;;) {
            if (peek().kind == Tok::Comma || peek().kind == Tok::RParen)
                pushNode(NodeKind::Missing);
            else if (!comparison())
                return false;
            ++argc;
            if (peek().kind == Tok::Comma) {
                ++m_p;
                continue;
            }
            if (peek().kind != Tok::RParen)
                return fail(QStringLiteral("',' or ')' expected"));
            ++m_p;
            break;
        }
    }
    --m_depth;
    if (argc > 255)
        return fail(QStringLiteral("too many arguments"));
    if (id >= 0) {
        const FunctionInfo& f = functionInfo(id);
        if (argc < f.minArgs || (f.maxArgs >= 0 && argc > f.maxArgs))
            return fail(QStringLiteral("wrong number of arguments for %1").arg(QLatin1String(f.name)));
        isVolatile = isVolatile || f.isVolatile;
    }
    FormulaNode n;
    n.kind = NodeKind::Func;
    n.func = id;
    n.argc = quint16(argc);
    if (id < 0)
        n.text = name.toUpper();
    nodes.push_back(n);
    return true;
}

} // namespace

Formula::Formula(std::vector<FormulaNode> nodes, bool isVolatile) : m_nodes(std::move(nodes)), m_volatile(isVolatile) {}
Formula::~Formula() = default;

ParseResult Formula::parse(const QString& text, const FormulaContext& ctx)
{
    ParseResult res;
    QString body = text;
    if (body.startsWith(QLatin1Char('=')))
        body.remove(0, 1);
    if (body.size() > kMaxLength) {
        res.error = QStringLiteral("formula longer than %1 characters").arg(kMaxLength);
        res.position = kMaxLength;
        return res;
    }
    QList<Token> toks;
    int errPos = 0;
    if (!Lexer(body).run(toks, res.error, errPos)) {
        res.position = errPos;
        return res;
    }
    Parser p(toks, ctx);
    if (!p.parse()) {
        res.error = p.error;
        res.position = p.errorPos;
        return res;
    }
    res.formula = std::make_shared<const Formula>(std::move(p.nodes), p.isVolatile);
    return res;
}

} // namespace vela::workbook
