#include "workbook/engine/CellStore.h"
#include "workbook/engine/Functions.h"
#include "workbook/engine/VtsCodec.h"
#include "workbook/engine/Workbook.h"

namespace vela::workbook {

qint32 VtsWriter::str(const QString& s)
{
    const auto it = m_stringIndex.constFind(s);
    if (it != m_stringIndex.constEnd())
        return *it;
    const qint32 i = qint32(m_strings.size());
    m_strings.append(s);
    m_stringIndex.insert(s, i);
    return i;
}

void VtsWriter::collect()
{
    // Strings and formulas are gathered first so the tables can precede the cells.
    for (int i = 0; i < m_wb.sheetCount(); ++i)
        m_wb.sheet(i)->store().forEach([this](int, int, const Cell& c) {
            if (c.value.isText())
                str(c.value.asText());
            if (c.badFormula)
                str(*c.badFormula);
            if (c.formula && !m_formulaIndex.contains(c.formula.get())) {
                m_formulaIndex.insert(c.formula.get(), quint32(m_formulas.size()));
                m_formulas.push_back(c.formula.get());
                for (const FormulaNode& n : c.formula->nodes()) {
                    if (!n.text.isEmpty())
                        str(n.text);
                    if (n.kind == NodeKind::Func && n.func >= 0)
                        str(QLatin1String(functionInfo(n.func).name));
                }
            }
        });
}

void VtsWriter::write()
{
    collect();
    m_out.writeRawData(kVtsMagic, 4);
    m_out << kVtsVersion << quint16(0);
    m_out << quint32(m_strings.size());
    for (const QString& s : m_strings)
        m_out << s;
    writeStyles();
    m_out << quint32(m_wb.sheetCount()) << quint32(m_wb.activeSheet());
    for (int i = 0; i < m_wb.sheetCount(); ++i)
        m_out << m_wb.sheet(i)->name();
    m_out << quint32(m_formulas.size());
    for (const Formula* f : m_formulas)
        writeFormula(*f);
    for (int i = 0; i < m_wb.sheetCount(); ++i)
        writeSheet(*m_wb.sheet(i));
}

void VtsWriter::writeStyles()
{
    m_out << quint32(m_wb.styleCount());
    for (int i = 0; i < m_wb.styleCount(); ++i) {
        const Style& s = m_wb.styleAt(quint32(i));
        const quint8 bits = quint8((s.bold ? 1 : 0) | (s.italic ? 2 : 0) | (s.underline ? 4 : 0) | (s.wrap ? 8 : 0)
                                   | (s.locked ? 16 : 0) | (s.hiddenFormula ? 32 : 0));
        m_out << s.fontName << s.fontSize << bits << quint32(s.color) << quint32(s.background) << quint8(s.hAlign)
              << quint8(s.vAlign) << s.numberFormat;
    }
}

void VtsWriter::writeFormula(const Formula& f)
{
    auto coord = [this](const RefCoord& c) {
        m_out << qint32(c.row) << qint32(c.col) << quint8((c.rowAbs ? 1 : 0) | (c.colAbs ? 2 : 0));
    };
    m_out << quint8(f.isVolatile() ? 1 : 0) << quint32(f.nodes().size());
    for (const FormulaNode& n : f.nodes()) {
        qint32 func = -1;
        if (n.kind == NodeKind::Func)
            func = str(n.func >= 0 ? QLatin1String(functionInfo(n.func).name) : n.text);
        qint32 sheet = 0;
        if (n.sheetId < 0)
            sheet = -1;
        else if (n.sheetId > 0) {
            const Sheet* s = m_wb.sheetById(n.sheetId);
            sheet = s ? s->index() + 1 : -1;
        }
        m_out << quint8(n.kind) << qint8(n.op) << quint16(n.argc) << func << sheet;
        coord(n.a);
        coord(n.b);
        m_out << n.number << qint32(n.text.isEmpty() ? -1 : str(n.text));
    }
}

void VtsWriter::writeValue(const Value& v)
{
    switch (v.type()) {
    case Value::Type::Empty: m_out << quint8(0); break;
    case Value::Type::Number: m_out << quint8(1) << v.asNumber(); break;
    case Value::Type::Text: m_out << quint8(2) << str(v.asText()); break;
    case Value::Type::Boolean: m_out << quint8(3) << quint8(v.asBoolean() ? 1 : 0); break;
    case Value::Type::Error: m_out << quint8(4) << quint8(v.errorCode()); break;
    }
}

void VtsWriter::writeSheet(const Sheet& s)
{
    const SheetView& v = s.view();
    m_out << quint8(s.isProtected() ? 1 : 0);
    m_out << qint32(v.frozenRows) << qint32(v.frozenCols) << qint32(v.topRow) << qint32(v.leftCol) << qint32(v.viewScale)
          << qint32(v.extentRows) << qint32(v.extentCols) << qint32(v.activeCell.row) << qint32(v.activeCell.col)
          << quint8(v.showGrid) << quint8(v.showHeadings);
    auto range = [this](const Range& r) { m_out << qint32(r.row1) << qint32(r.col1) << qint32(r.row2) << qint32(r.col2); };
    auto ints = [this](const QList<int>& l) {
        m_out << quint32(l.size());
        for (int x : l)
            m_out << qint32(x);
    };
    m_out << quint32(v.selection.size());
    for (const Range& r : v.selection)
        range(r);
    const PrintSetup& p = s.printSetup();
    m_out << quint8(p.printArea ? 1 : 0);
    range(p.printArea.value_or(Range(1, 1, 1, 1)));
    m_out << qint32(p.titleRow1) << qint32(p.titleRow2) << qint32(p.titleCol1) << qint32(p.titleCol2) << quint8(p.landscape)
          << quint8(p.gridLines);
    ints(p.rowBreaks);
    ints(p.colBreaks);
    for (const QMap<int, double>* m : {&s.columnWidths(), &s.rowHeights()}) {
        m_out << quint32(m->size());
        for (auto it = m->constBegin(); it != m->constEnd(); ++it)
            m_out << qint32(it.key()) << it.value();
    }
    ints(s.hiddenColumns());
    ints(s.hiddenRows());
    for (const QMap<int, quint32>* m : {&s.columnStyleIds(), &s.rowStyleIds()}) {
        m_out << quint32(m->size());
        for (auto it = m->constBegin(); it != m->constEnd(); ++it)
            m_out << qint32(it.key()) << it.value();
    }
    quint32 n = 0;
    s.store().forEach([&n](int, int, const Cell&) { ++n; });
    m_out << n;
    s.store().forEach([this](int row, int col, const Cell& c) {
        m_out << qint32(row) << qint32(col) << c.styleId;
        if (c.formula) {
            m_out << quint8(5) << m_formulaIndex.value(c.formula.get());
            writeValue(c.value);
        } else if (c.badFormula) {
            m_out << quint8(6) << str(*c.badFormula);
        } else {
            writeValue(c.value);
        }
    });
}

} // namespace vela::workbook
