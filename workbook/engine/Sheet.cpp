// Cells, typed input and styles of a sheet.
#include "workbook/engine/Sheet.h"
#include "workbook/engine/CellStore.h"
#include "workbook/engine/NumberFormat.h"
#include "workbook/engine/Workbook.h"

#include <cmath>

namespace vela::workbook {

Sheet::Sheet(Workbook* owner, int id, const QString& name)
    : m_owner(owner), m_id(id), m_name(name), m_store(std::make_unique<CellStore>())
{
}

Sheet::~Sheet() = default;

int Sheet::index() const
{
    for (int i = 0; i < m_owner->sheetCount(); ++i)
        if (m_owner->sheet(i) == this)
            return i;
    return -1;
}

void Sheet::setName(const QString& name)
{
    m_name = name;
}

const Cell* Sheet::cell(int row, int col) const
{
    m_owner->ensureCalculated();
    return m_store->get(row, col);
}

Value Sheet::value(int row, int col) const
{
    const Cell* c = cell(row, col);
    return c ? c->value : Value();
}

QString Sheet::displayText(int row, int col) const
{
    const Cell* c = cell(row, col);
    if (!c || c->value.isEmpty())
        return {};
    return NumberFormat::format(c->value, style(row, col).numberFormat).text;
}

std::optional<QRgb> Sheet::displayColor(int row, int col) const
{
    const Cell* c = cell(row, col);
    if (!c || c->value.isEmpty())
        return std::nullopt;
    return NumberFormat::format(c->value, style(row, col).numberFormat).color;
}

QString Sheet::formulaText(int row, int col) const
{
    const Cell* c = m_store->get(row, col);
    if (!c)
        return {};
    if (c->formula)
        return c->formula->text({m_owner, m_id, {row, col}});
    if (c->badFormula)
        return *c->badFormula;
    return {};
}

QString Sheet::formulaError(int row, int col) const
{
    const Cell* c = m_store->get(row, col);
    if (!c || !c->badFormula)
        return {};
    return Formula::parse(*c->badFormula, {m_owner, m_id, {row, col}}).error;
}

QString Sheet::inputText(int row, int col) const
{
    const Cell* c = m_store->get(row, col);
    if (!c)
        return {};
    if (c->hasFormula())
        return formulaText(row, col);
    const Value& v = c->value;
    if (v.isText()) {
        double d;
        const QString& t = v.asText();
        const bool ambiguous = textToNumber(t, d) || t.startsWith(u'=') || t.startsWith(u'\'')
            || t.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0 || errorFromText(t) != ErrorCode::None;
        return ambiguous ? u'\'' + t : t;
    }
    if (v.isNumber()) {
        const QString& code = style(row, col).numberFormat;
        const int cat = NumberFormat::category(code);
        if (cat == 5)
            return numberToText(v.asNumber() * 100) + u'%';
        if (cat == 3 || cat == 4) {
            const bool hasTime = v.asNumber() != std::floor(v.asNumber());
            const QString f = cat == 4 ? QStringLiteral("hh:mm:ss")
                                       : hasTime ? QStringLiteral("dd/mm/yyyy hh:mm:ss") : QStringLiteral("dd/mm/yyyy");
            return NumberFormat::formatNumber(v.asNumber(), f);
        }
    }
    return v.toString();
}

namespace {
// Format that typed input such as "50%" or "31/01/2020" gives a General cell.
QString autoFormat(const QString& t, double v)
{
    if (t.endsWith(u'%'))
        return v * 100 == std::floor(v * 100) ? QStringLiteral("0%") : QStringLiteral("0.00%");
    if (t.contains(u':') && (t.contains(u'/') || t.contains(u'-')))
        return QStringLiteral("dd/mm/yyyy hh:mm");
    if (t.contains(u':'))
        return QStringLiteral("hh:mm");
    if (t.contains(u'/') || (t.count(u'-') == 2 && !t.startsWith(u'-')))
        return QStringLiteral("dd/mm/yyyy");
    return {};
}
} // namespace

InputResult Sheet::setInput(int row, int col, const QString& text)
{
    if (text.isEmpty()) {
        setValue(row, col, Value());
        return {};
    }
    if (text.startsWith(u'=') && text.size() > 1)
        return setFormula(row, col, text);
    if (text.startsWith(u'\'')) {
        setValue(row, col, Value::text(text.mid(1)));
        return {};
    }
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 || t.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) {
        setValue(row, col, Value::boolean(t.size() == 4));
        return {};
    }
    if (const ErrorCode e = errorFromText(t); e != ErrorCode::None && e != ErrorCode::Circular) {
        setValue(row, col, Value::error(e));
        return {};
    }
    double d = 0;
    if (textToNumber(t, d)) {
        const QString fmt = autoFormat(t, d);
        if (!fmt.isEmpty() && NumberFormat::category(style(row, col).numberFormat) == 0) {
            Style s = style(row, col);
            s.numberFormat = fmt;
            setStyle(row, col, s);
        }
        setValue(row, col, Value::number(d));
        return {};
    }
    setValue(row, col, Value::text(text));
    return {};
}

void Sheet::setValue(int row, int col, const Value& v)
{
    if (!CellRef{row, col}.isValid())
        return;
    Cell& c = m_store->at(row, col);
    const bool hadFormula = c.hasFormula();
    c.value = v;
    c.formula.reset();
    c.badFormula.reset();
    m_owner->cellContentChanged(this, row, col, hadFormula);
}

InputResult Sheet::setFormula(int row, int col, const QString& formulaText)
{
    if (!CellRef{row, col}.isValid())
        return {false, QStringLiteral("cell outside the sheet"), -1};
    const ParseResult p = Formula::parse(formulaText, {m_owner, m_id, {row, col}});
    Cell& c = m_store->at(row, col);
    const bool hadFormula = c.hasFormula();
    InputResult res;
    if (p.ok()) {
        c.formula = p.formula;
        c.badFormula.reset();
        c.value = Value();
    } else {
        QString t = formulaText.startsWith(u'=') ? formulaText : u'=' + formulaText;
        c.formula.reset();
        c.badFormula = std::make_shared<const QString>(t);
        c.value = Value::error(ErrorCode::Name);
        res = {false, p.error, p.position};
    }
    m_owner->cellContentChanged(this, row, col, hadFormula);
    return res;
}

void Sheet::clearRange(const Range& r, ClearWhat what)
{
    if (!r.isValid())
        return;
    m_owner->beginUpdate();
    m_store->forEachInRange(r, [&](int row, int col, const Cell&) {
        Cell& c = m_store->at(row, col);
        if (what != ClearWhat::Contents)
            c.styleId = 0;
        if (what != ClearWhat::Formats && !c.isBlank()) {
            const bool had = c.hasFormula();
            c.value = Value();
            c.formula.reset();
            c.badFormula.reset();
            m_owner->cellContentChanged(this, row, col, had);
        }
    });
    m_owner->notifyCells(this, r);
    m_owner->endUpdate();
}

int Sheet::maxRow() const { return m_store->maxRow(); }
int Sheet::maxCol() const { return m_store->maxCol(); }

Range Sheet::usedRange() const
{
    const int r = maxRow(), c = maxCol();
    return r > 0 && c > 0 ? Range(1, 1, r, c) : Range();
}

void Sheet::forEachCell(const Range& r, const std::function<void(int, int, const Cell&)>& f) const
{
    m_owner->ensureCalculated();
    m_store->forEachInRange(r, f);
}

quint32 Sheet::styleId(int row, int col) const
{
    if (const Cell* c = m_store->get(row, col); c && c->styleId != 0)
        return c->styleId;
    if (const auto it = m_rowStyles.constFind(row); it != m_rowStyles.constEnd())
        return *it;
    if (const auto it = m_colStyles.constFind(col); it != m_colStyles.constEnd())
        return *it;
    return 0;
}

const Style& Sheet::style(int row, int col) const
{
    return m_owner->styleAt(styleId(row, col));
}

void Sheet::setStyle(int row, int col, const Style& s)
{
    if (!CellRef{row, col}.isValid())
        return;
    m_store->at(row, col).styleId = m_owner->styleId(s);
    m_owner->notifyCells(this, Range(row, col, row, col));
}

void Sheet::modifyStyle(const Range& r, const std::function<void(Style&)>& f)
{
    if (!r.isValid())
        return;
    QHash<quint32, quint32> mapped;
    auto convert = [&](quint32 id) {
        const auto it = mapped.constFind(id);
        if (it != mapped.constEnd())
            return *it;
        Style s = m_owner->styleAt(id);
        f(s);
        const quint32 n = m_owner->styleId(s);
        mapped.insert(id, n);
        return n;
    };
    if (r.isWholeColumns()) {
        for (int c = r.col1; c <= r.col2; ++c)
            m_colStyles[c] = convert(m_colStyles.value(c, 0));
        m_store->forEachInRange(Range(1, r.col1, std::max(1, m_store->maxRowAny()), r.col2),
                                [&](int row, int col, const Cell& c) { m_store->at(row, col).styleId = convert(c.styleId ? c.styleId : styleId(row, col)); });
    } else if (r.isWholeRows()) {
        for (int row = r.row1; row <= r.row2; ++row)
            m_rowStyles[row] = convert(m_rowStyles.value(row, 0));
        m_store->forEachInRange(Range(r.row1, 1, r.row2, std::max(1, m_store->maxColAny())),
                                [&](int row, int col, const Cell& c) { m_store->at(row, col).styleId = convert(c.styleId ? c.styleId : styleId(row, col)); });
    } else {
        for (int row = r.row1; row <= r.row2; ++row)
            for (int col = r.col1; col <= r.col2; ++col)
                m_store->at(row, col).styleId = convert(styleId(row, col));
    }
    m_owner->notifyCells(this, r);
}

void Sheet::setColumnStyleId(int col, quint32 id)
{
    if (id == 0)
        m_colStyles.remove(col);
    else
        m_colStyles[col] = id;
}

void Sheet::setRowStyleId(int row, quint32 id)
{
    if (id == 0)
        m_rowStyles.remove(row);
    else
        m_rowStyles[row] = id;
}

} // namespace vela::workbook
