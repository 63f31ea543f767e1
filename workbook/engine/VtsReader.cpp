#include "workbook/engine/CellStore.h"
#include "workbook/engine/Functions.h"
#include "workbook/engine/VtsCodec.h"
#include "workbook/engine/Workbook.h"
#include "workbook/engine/WorkbookFile.h"

#include <QBuffer>

namespace vela::workbook {

bool VtsReader::fail(const QString& why)
{
    if (m_error.isEmpty())
        m_error = why;
    return false;
}

bool VtsReader::count(quint32& n, int minBytesEach)
{
    *m_in >> n;
    if (m_in->status() != QDataStream::Ok)
        return fail(QStringLiteral("file is truncated"));
    const qint64 left = m_in->device()->bytesAvailable();
    if (qint64(n) * minBytesEach > left)
        return fail(QStringLiteral("a count of %1 does not fit the file").arg(n));
    return true;
}

bool VtsReader::stringAt(qint32 i, QString& out)
{
    if (i < 0 || i >= m_strings.size())
        return fail(QStringLiteral("text index %1 out of range").arg(i));
    out = m_strings[i];
    return true;
}

bool VtsReader::read(QString& error)
{
    QBuffer buf(const_cast<QByteArray*>(&m_bytes));
    buf.open(QIODevice::ReadOnly);
    QDataStream in(&buf);
    in.setVersion(QDataStream::Qt_6_0);
    m_in = &in;
    char magic[4] = {};
    quint16 version = 0, flags = 0;
    if (in.readRawData(magic, 4) != 4 || memcmp(magic, kVtsMagic, 4) != 0)
        fail(QStringLiteral("not a workbook file"));
    else {
        in >> version >> flags;
        if (!ok())
            fail(QStringLiteral("file is truncated"));
        else if (version == 0 || version > kVtsVersion)
            fail(QStringLiteral("workbook file version %1 is not supported").arg(version));
    }
    const bool good = ok() && readStrings() && readStyles() && readSheets() && readFormulas();
    for (int i = 0; good && ok() && i < m_wb.sheetCount(); ++i)
        readSheetBody(*m_wb.sheet(i));
    if (ok() && !in.atEnd())
        fail(QStringLiteral("unexpected data after the last sheet"));
    if (!ok()) {
        error = m_error.isEmpty() ? QStringLiteral("file is truncated or damaged") : m_error;
        return false;
    }
    m_wb.rebuildGraph();
    m_wb.setModified(false);
    return true;
}

bool VtsReader::readStrings()
{
    quint32 n = 0;
    if (!count(n, 4))
        return false;
    m_strings.reserve(qsizetype(n));
    for (quint32 i = 0; i < n && ok(); ++i) {
        QString s;
        *m_in >> s;
        m_strings.append(s);
    }
    return ok() || fail(QStringLiteral("texts are damaged"));
}

bool VtsReader::readStyles()
{
    quint32 n = 0;
    if (!count(n, 20))
        return false;
    if (n == 0)
        return fail(QStringLiteral("no default style"));
    for (quint32 i = 0; i < n && ok(); ++i) {
        Style s;
        quint8 bits = 0, h = 0, v = 0;
        quint32 color = 0, bg = 0;
        *m_in >> s.fontName >> s.fontSize >> bits >> color >> bg >> h >> v >> s.numberFormat;
        s.bold = bits & 1;
        s.italic = bits & 2;
        s.underline = bits & 4;
        s.wrap = bits & 8;
        s.locked = bits & 16;
        s.hiddenFormula = bits & 32;
        s.color = color;
        s.background = bg;
        if (h < 1 || h > 7 || v < 1 || v > 3 || !(s.fontSize > 0 && s.fontSize < 1000))
            return fail(QStringLiteral("style %1 is damaged").arg(i));
        s.hAlign = HAlign(h);
        s.vAlign = VAlign(v);
        if (i == 0)
            m_wb.setDefaultStyle(s);
        else if (m_wb.styleId(s) != i)
            return fail(QStringLiteral("style %1 repeats an earlier one").arg(i));
    }
    return ok();
}

bool VtsReader::readSheets()
{
    quint32 n = 0, active = 0;
    if (!count(n, 4))
        return false;
    *m_in >> active;
    if (n < 1 || n > 256 || active >= n)
        return fail(QStringLiteral("bad sheet count"));
    for (quint32 i = 0; i < n && ok(); ++i) {
        QString name;
        *m_in >> name;
        if (i == 0 ? !m_wb.renameSheet(0, name) : (m_wb.sheetByName(name) || !m_wb.addSheet(name) || m_wb.sheet(int(i))->name() != name))
            return fail(QStringLiteral("bad sheet name '%1'").arg(name));
    }
    m_wb.setActiveSheet(int(active));
    return ok();
}

bool VtsReader::readCoord(RefCoord& c)
{
    qint32 r = 0, k = 0;
    quint8 bits = 0;
    *m_in >> r >> k >> bits;
    c.row = r;
    c.col = k;
    c.rowAbs = bits & 1;
    c.colAbs = bits & 2;
    if (std::abs(r) > kMaxRows || std::abs(k) > kMaxCols || bits > 3)
        return fail(QStringLiteral("reference out of range"));
    return true;
}

bool VtsReader::readFormulas()
{
    quint32 n = 0;
    if (!count(n, 5))
        return false;
    m_formulas.reserve(n);
    for (quint32 i = 0; i < n && ok(); ++i) {
        std::shared_ptr<const Formula> f;
        if (!readFormula(f))
            return fail(QStringLiteral("formula %1 is damaged").arg(i));
        m_formulas.push_back(std::move(f));
    }
    return ok();
}

bool VtsReader::readFormula(std::shared_ptr<const Formula>& f)
{
    quint8 isVolatile = 0;
    quint32 n = 0;
    *m_in >> isVolatile;
    if (!count(n, 40) || n == 0 || n > quint32(Formula::kMaxLength))
        return fail(QStringLiteral("bad formula size"));
    std::vector<FormulaNode> nodes(n);
    qint64 depth = 0;
    for (FormulaNode& node : nodes) {
        quint8 kind = 0;
        qint8 op = 0;
        quint16 argc = 0;
        qint32 func = -1, sheet = 0, text = -1;
        *m_in >> kind >> op >> argc >> func >> sheet;
        if (!readCoord(node.a) || !readCoord(node.b))
            return false;
        *m_in >> node.number >> text;
        if (!ok() || kind > quint8(NodeKind::Missing) || sheet < -1 || sheet > m_wb.sheetCount())
            return false;
        node.kind = NodeKind(kind);
        node.op = char(op);
        node.argc = argc;
        node.sheetId = sheet <= 0 ? sheet : m_wb.sheet(sheet - 1)->id();
        if (text >= 0 && !stringAt(text, node.text))
            return false;
        // Postfix check: operators need their operands on the stack.
        const int pops = node.kind == NodeKind::Binary ? 2 : node.kind == NodeKind::Func ? argc
            : (node.kind == NodeKind::Unary || node.kind == NodeKind::Percent || node.kind == NodeKind::Paren) ? 1 : 0;
        if (depth < pops)
            return false;
        depth = depth - pops + 1;
        if (node.kind == NodeKind::Func) {
            QString name;
            if (!stringAt(func, name))
                return false;
            node.func = functionId(name);
            if (node.func < 0)
                node.text = name;
            else if (argc < functionInfo(node.func).minArgs || (functionInfo(node.func).maxArgs >= 0 && argc > functionInfo(node.func).maxArgs))
                return false;
        }
    }
    if (depth != 1)
        return false;
    f = std::make_shared<const Formula>(std::move(nodes), isVolatile != 0);
    return true;
}

bool VtsReader::readSheetBody(Sheet& s)
{
    quint8 prot = 0;
    *m_in >> prot;
    s.setProtected(prot != 0);
    return readView(s) && readPrint(s) && readLayout(s) && readCells(s);
}

bool VtsReader::readView(Sheet& s)
{
    SheetView v;
    qint32 f[9];
    for (qint32& x : f)
        *m_in >> x;
    quint8 grid = 1, headings = 1;
    *m_in >> grid >> headings;
    v.frozenRows = f[0]; v.frozenCols = f[1]; v.topRow = f[2]; v.leftCol = f[3]; v.viewScale = f[4];
    v.extentRows = f[5]; v.extentCols = f[6];
    v.activeCell = {f[7], f[8]};
    v.showGrid = grid;
    v.showHeadings = headings;
    if (f[0] < 0 || f[1] < 0 || f[5] < 0 || f[5] > kMaxRows || f[6] < 0 || f[6] > kMaxCols || !v.activeCell.isValid())
        return fail(QStringLiteral("view of sheet '%1' is damaged").arg(s.name()));
    quint32 n = 0;
    if (!count(n, 16))
        return false;
    v.selection.clear();
    for (quint32 i = 0; i < n && ok(); ++i) {
        qint32 a, b, c, d;
        *m_in >> a >> b >> c >> d;
        if (Range(a, b, c, d).isValid())
            v.selection.append(Range(a, b, c, d));
    }
    if (v.selection.isEmpty())
        v.selection.append(Range(v.activeCell));
    s.setView(v);
    return ok();
}

bool VtsReader::readPrint(Sheet& s)
{
    PrintSetup p;
    quint8 has = 0, land = 0, grid = 0;
    qint32 a, b, c, d;
    *m_in >> has >> a >> b >> c >> d;
    if (has)
        p.printArea = Range(a, b, c, d);
    *m_in >> p.titleRow1 >> p.titleRow2 >> p.titleCol1 >> p.titleCol2 >> land >> grid;
    p.landscape = land;
    p.gridLines = grid;
    for (QList<int>* l : {&p.rowBreaks, &p.colBreaks}) {
        quint32 n = 0;
        if (!count(n, 4))
            return false;
        for (quint32 i = 0; i < n && ok(); ++i) {
            qint32 x;
            *m_in >> x;
            l->append(x);
        }
    }
    if (p.printArea && !p.printArea->isValid())
        return fail(QStringLiteral("print area of sheet '%1' is damaged").arg(s.name()));
    s.setPrintSetup(p);
    return ok();
}

bool VtsReader::readLayout(Sheet& s)
{
    for (int pass = 0; pass < 2 && ok(); ++pass) {
        quint32 n = 0;
        if (!count(n, 12))
            return false;
        for (quint32 i = 0; i < n && ok(); ++i) {
            qint32 k;
            double w;
            *m_in >> k >> w;
            pass == 0 ? s.setColumnWidth(k, w) : s.setRowHeight(k, w);
        }
    }
    for (int pass = 0; pass < 2 && ok(); ++pass) {
        quint32 n = 0;
        if (!count(n, 4))
            return false;
        for (quint32 i = 0; i < n && ok(); ++i) {
            qint32 k;
            *m_in >> k;
            pass == 0 ? s.setColumnHidden(k, true) : s.setRowHidden(k, true);
        }
    }
    for (int pass = 0; pass < 2 && ok(); ++pass) {
        quint32 n = 0;
        if (!count(n, 8))
            return false;
        for (quint32 i = 0; i < n && ok(); ++i) {
            qint32 k;
            quint32 id;
            *m_in >> k >> id;
            if (id >= quint32(m_wb.styleCount()) || k < 1 || k > (pass == 0 ? kMaxCols : kMaxRows))
                return fail(QStringLiteral("row or column style out of range"));
            pass == 0 ? s.setColumnStyleId(k, id) : s.setRowStyleId(k, id);
        }
    }
    return ok();
}

bool VtsReader::readValue(Value& v, bool allowFormula, Cell* cell)
{
    quint8 kind = 0;
    *m_in >> kind;
    switch (kind) {
    case 0: v = Value(); return ok();
    case 1: { double d; *m_in >> d; v = Value::number(d); return ok(); }
    case 2: { qint32 i; QString t; *m_in >> i; if (!stringAt(i, t)) return false; v = Value::text(t); return ok(); }
    case 3: { quint8 b; *m_in >> b; v = Value::boolean(b != 0); return ok(); }
    case 4: {
        quint8 e;
        *m_in >> e;
        if (e < 1 || e > quint8(ErrorCode::Circular))
            return fail(QStringLiteral("bad error code"));
        v = Value::error(ErrorCode(e));
        return ok();
    }
    case 5: {
        quint32 i;
        *m_in >> i;
        if (!allowFormula || i >= m_formulas.size())
            return fail(QStringLiteral("formula index out of range"));
        cell->formula = m_formulas[i];
        return readValue(v, false, nullptr);
    }
    case 6: {
        qint32 i;
        QString t;
        *m_in >> i;
        if (!allowFormula || !stringAt(i, t))
            return false;
        cell->badFormula = std::make_shared<const QString>(t);
        v = Value::error(ErrorCode::Name);
        return ok();
    }
    default: return fail(QStringLiteral("bad cell kind %1").arg(kind));
    }
}

bool VtsReader::readCells(Sheet& s)
{
    quint32 n = 0;
    if (!count(n, 13))
        return false;
    m_cellsRead += n;
    if (m_cellsRead > WorkbookFile::kMaxCells)
        return fail(QStringLiteral("more than %1 cells").arg(WorkbookFile::kMaxCells));
    CellStore& store = s.store();
    for (quint32 i = 0; i < n && ok(); ++i) {
        qint32 row, col;
        quint32 style;
        *m_in >> row >> col >> style;
        if (!CellRef{row, col}.isValid() || style >= quint32(m_wb.styleCount()))
            return fail(QStringLiteral("cell %1 of sheet '%2' is out of range").arg(i).arg(s.name()));
        Cell& c = store.at(row, col);
        c.styleId = style;
        if (!readValue(c.value, true, &c))
            return false;
    }
    return ok();
}

} // namespace vela::workbook
