#include "workbook/engine/Workbook.h"
#include "workbook/engine/CellStore.h"
#include "workbook/engine/DependencyGraph.h"
#include "workbook/engine/Evaluator.h"

#include <QMap>
#include <QSet>

namespace vela::workbook {

struct Workbook::Pending {
    QMap<int, Range> cells; // sheet index -> changed area
    QSet<int> layout;
    QSet<int> structure;
    bool sheets = false;
    bool modified = false;
};


Workbook::Workbook(QObject* parent)
    : QObject(parent), m_graph(std::make_unique<DependencyGraph>()), m_pending(std::make_unique<Pending>())
{
    m_styles.push_back(Style());
    m_styleIndex.insert(m_styles.front(), 0);
    addSheet();
}

Workbook::~Workbook() = default;

void Workbook::clear()
{
    m_sheets.clear();
    m_graph->clear();
    m_dirty.clear();
    m_styles.assign(1, Style());
    m_styleIndex.clear();
    m_styleIndex.insert(m_styles.front(), 0);
    m_active = 0;
    addSheet();
    m_modified = false;
    *m_pending = Pending();
    emit reset();
}

void Workbook::takeContents(Workbook& other)
{
    m_sheets = std::move(other.m_sheets);
    for (auto& s : m_sheets)
        s->m_owner = this;
    m_styles = std::move(other.m_styles);
    m_styleIndex = std::move(other.m_styleIndex);
    m_graph = std::move(other.m_graph);
    m_dirty = std::move(other.m_dirty);
    m_active = other.m_active;
    m_lastSheetId = other.m_lastSheetId;
    m_autoRecalc = other.m_autoRecalc;
    m_modified = false;
    *m_pending = Pending();
    other.m_graph = std::make_unique<DependencyGraph>();
    other.m_styles.assign(1, Style());
    other.m_styleIndex.clear();
    other.m_styleIndex.insert(other.m_styles.front(), 0);
    other.m_dirty.clear();
    other.addSheet();
    emit reset();
}

Sheet* Workbook::sheet(int index) const
{
    return index >= 0 && index < sheetCount() ? m_sheets[size_t(index)].get() : nullptr;
}

Sheet* Workbook::sheetById(int id) const
{
    for (const auto& s : m_sheets)
        if (s->id() == id)
            return s.get();
    return nullptr;
}

Sheet* Workbook::sheetByName(const QString& name) const
{
    for (const auto& s : m_sheets)
        if (s->name().compare(name, Qt::CaseInsensitive) == 0)
            return s.get();
    return nullptr;
}

Sheet* Workbook::addSheet(const QString& name)
{
    return insertSheet(sheetCount(), name);
}

Sheet* Workbook::insertSheet(int index, const QString& name)
{
    QString n = name;
    for (int k = sheetCount() + 1; n.isEmpty() || sheetByName(n); ++k)
        n = QStringLiteral("Sheet%1").arg(k);
    index = std::clamp(index, 0, sheetCount());
    auto s = std::make_unique<Sheet>(this, nextSheetId(), n);
    Sheet* raw = s.get();
    m_sheets.insert(m_sheets.begin() + index, std::move(s));
    if (index <= m_active && sheetCount() > 1)
        ++m_active;
    m_pending->sheets = true;
    emitPending();
    return raw;
}

bool Workbook::removeSheet(int index)
{
    if (index < 0 || index >= sheetCount() || sheetCount() == 1)
        return false;
    m_sheets.erase(m_sheets.begin() + index);
    if (m_active >= sheetCount() || m_active > index)
        m_active = std::max(0, m_active - 1);
    rebuildGraph(); // formulas that read the sheet now give #REF!
    recalculate();
    m_pending->sheets = true;
    m_pending->modified = true;
    emitPending();
    return true;
}

bool Workbook::renameSheet(int index, const QString& name)
{
    Sheet* s = sheet(index);
    const QString n = name.trimmed();
    static const QString kBad = QStringLiteral("[]:*?/\\");
    if (!s || n.isEmpty() || n.size() > 31)
        return false;
    for (QChar c : n)
        if (kBad.contains(c))
            return false;
    if (Sheet* other = sheetByName(n); other && other != s)
        return false;
    s->setName(n);
    m_pending->sheets = true;
    m_pending->modified = true;
    emitPending();
    return true;
}

void Workbook::moveSheet(int from, int to)
{
    if (!sheet(from) || to < 0 || to >= sheetCount() || from == to)
        return;
    Sheet* activeSheetPtr = sheet(m_active);
    auto s = std::move(m_sheets[size_t(from)]);
    m_sheets.erase(m_sheets.begin() + from);
    m_sheets.insert(m_sheets.begin() + to, std::move(s));
    m_active = activeSheetPtr->index();
    m_pending->sheets = true;
    emitPending();
}

void Workbook::setActiveSheet(int index)
{
    if (!sheet(index) || index == m_active)
        return;
    m_active = index;
    m_pending->sheets = true;
    emitPending();
}

const Style& Workbook::styleAt(quint32 id) const
{
    return id < m_styles.size() ? m_styles[id] : m_styles.front();
}

quint32 Workbook::styleId(const Style& s)
{
    const auto it = m_styleIndex.constFind(s);
    if (it != m_styleIndex.constEnd())
        return *it;
    m_styles.push_back(s);
    const quint32 id = quint32(m_styles.size() - 1);
    m_styleIndex.insert(s, id);
    return id;
}

void Workbook::setDefaultStyle(const Style& s)
{
    m_styleIndex.remove(m_styles.front());
    m_styles.front() = s;
    m_styleIndex.insert(s, 0);
    for (int i = 0; i < sheetCount(); ++i)
        m_pending->structure.insert(i);
    emitPending();
}

void Workbook::beginUpdate() { ++m_updateDepth; }

void Workbook::endUpdate()
{
    if (m_updateDepth > 0 && --m_updateDepth == 0) {
        if (m_autoRecalc)
            recalculateDirty();
        emitPending();
    }
}

void Workbook::pendingCells(int sheetIndex, const Range& r)
{
    auto it = m_pending->cells.find(sheetIndex);
    if (it == m_pending->cells.end())
        m_pending->cells.insert(sheetIndex, r);
    else
        *it = it->united(r);
}

void Workbook::cellContentChanged(Sheet* s, int row, int col, bool hadFormula)
{
    const CellKey k = cellKey(s->id(), row, col);
    const Cell* c = s->store().get(row, col);
    if (c && c->formula)
        m_graph->addFormula(s->id(), row, col, *c->formula);
    else if (hadFormula)
        m_graph->removeFormula(k);
    m_dirty.push_back(k);
    pendingCells(s->index(), Range(row, col, row, col));
    m_pending->modified = true;
    m_modified = true;
    if (m_updateDepth == 0) {
        if (m_autoRecalc)
            recalculateDirty();
        emitPending();
    }
}

void Workbook::notifyLayout(Sheet* s)
{
    m_pending->layout.insert(s->index());
    m_pending->modified = true;
    m_modified = true;
    emitPending();
}

void Workbook::notifyCells(Sheet* s, const Range& r)
{
    pendingCells(s->index(), r);
    m_pending->modified = true;
    m_modified = true;
    emitPending();
}

void Workbook::notifyStructure(Sheet* s)
{
    m_pending->structure.insert(s->index());
    m_pending->modified = true;
    m_modified = true;
    emitPending();
}

void Workbook::emitPending()
{
    if (m_updateDepth > 0 || m_calculating)
        return;
    Pending p = std::move(*m_pending);
    *m_pending = Pending();
    if (p.sheets)
        emit sheetsChanged();
    for (int s : p.structure)
        emit structureChanged(s);
    for (int s : p.layout)
        emit layoutChanged(s);
    for (auto it = p.cells.constBegin(); it != p.cells.constEnd(); ++it)
        if (!p.structure.contains(it.key()))
            emit cellsChanged(it.key(), it.value());
    if (p.modified)
        emit modified();
}

void Workbook::rebuildGraph()
{
    m_graph->clear();
    size_t formulas = 0;
    for (const auto& s : m_sheets)
        s->store().forEach([&formulas](int, int, const Cell& c) { formulas += c.formula ? 1 : 0; });
    m_graph->reserve(formulas);
    for (const auto& s : m_sheets) {
        const int id = s->id();
        s->store().forEach([&](int row, int col, const Cell& c) {
            if (c.formula)
                m_graph->addFormula(id, row, col, *c.formula);
        });
    }
}

void Workbook::setAutoRecalc(bool on)
{
    m_autoRecalc = on;
    if (on)
        recalculateDirty();
}

void Workbook::ensureCalculated() const
{
    if (!m_dirty.empty() && m_autoRecalc && !m_calculating)
        const_cast<Workbook*>(this)->recalculateDirty();
}

void Workbook::recalculateDirty()
{
    if (m_dirty.empty() && m_graph->volatileCells().empty())
        return;
    std::vector<CellKey> starts = std::move(m_dirty);
    m_dirty.clear();
    recalcFrom(starts, false);
    emitPending();
}

void Workbook::recalculate()
{
    m_dirty.clear();
    recalcFrom({}, true);
    emitPending();
}

Value Workbook::evaluate(const QString& formulaText, int sheetIndex, CellRef at)
{
    ensureCalculated();
    Sheet* s = sheet(sheetIndex);
    if (!s)
        return Value::error(ErrorCode::Ref);
    const ParseResult p = Formula::parse(formulaText, {this, s->id(), at});
    if (!p.ok())
        return Value::error(ErrorCode::Name);
    const Value v = evaluateFormula(*p.formula, EvalContext(*this, *s, at));
    return v;
}

} // namespace vela::workbook
