// Workbook -> xlsx through libxlsxwriter: values, formulas with their cached results, styles,
// column widths, hidden columns, row heights, frozen panes, print set-up and protection.
#include "workbook/engine/CellStore.h"
#include "workbook/engine/TextFiles.h"
#include "workbook/engine/Workbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#ifdef VELA_HAVE_XLSXWRITER
#include <xlsxwriter.h>
#endif

namespace vela::workbook {

#ifdef VELA_HAVE_XLSXWRITER
namespace {

uint8_t alignOf(HAlign a)
{
    switch (a) {
    case HAlign::Left: return LXW_ALIGN_LEFT;
    case HAlign::Center: return LXW_ALIGN_CENTER;
    case HAlign::Right: return LXW_ALIGN_RIGHT;
    case HAlign::Fill: return LXW_ALIGN_FILL;
    case HAlign::Justify: return LXW_ALIGN_JUSTIFY;
    case HAlign::CenterAcross: return LXW_ALIGN_CENTER_ACROSS;
    default: return LXW_ALIGN_NONE;
    }
}

class XlsxBuilder {
public:
    XlsxBuilder(const Workbook& wb, lxw_workbook* book) : m_wb(wb), m_book(book) {}
    void build();

private:
    lxw_format* format(quint32 styleId);
    void sheet(const Sheet& s);
    void cell(lxw_worksheet* ws, const Sheet& s, int row, int col, const Cell& c);
    const Workbook& m_wb;
    lxw_workbook* m_book;
    QHash<quint32, lxw_format*> m_formats;
};

lxw_format* XlsxBuilder::format(quint32 id)
{
    if (id == 0)
        return nullptr;
    if (auto it = m_formats.constFind(id); it != m_formats.constEnd())
        return *it;
    const Style& s = m_wb.styleAt(id);
    lxw_format* f = workbook_add_format(m_book);
    format_set_font_name(f, s.fontName.toUtf8().constData());
    format_set_font_size(f, s.fontSize);
    if (s.bold)
        format_set_bold(f);
    if (s.italic)
        format_set_italic(f);
    if (s.underline)
        format_set_underline(f, LXW_UNDERLINE_SINGLE);
    if ((s.color & 0xFFFFFF) != 0)
        format_set_font_color(f, s.color & 0xFFFFFF);
    if (s.hasBackground()) {
        format_set_pattern(f, LXW_PATTERN_SOLID);
        format_set_bg_color(f, s.background & 0xFFFFFF);
    }
    if (const uint8_t a = alignOf(s.hAlign); a != LXW_ALIGN_NONE)
        format_set_align(f, a);
    format_set_align(f, s.vAlign == VAlign::Top ? LXW_ALIGN_VERTICAL_TOP : s.vAlign == VAlign::Center ? LXW_ALIGN_VERTICAL_CENTER : LXW_ALIGN_VERTICAL_BOTTOM);
    if (s.wrap)
        format_set_text_wrap(f);
    if (s.numberFormat != QLatin1String("General"))
        format_set_num_format(f, s.numberFormat.toUtf8().constData());
    if (!s.locked)
        format_set_unlocked(f);
    if (s.hiddenFormula)
        format_set_hidden(f);
    m_formats.insert(id, f);
    return f;
}

void XlsxBuilder::cell(lxw_worksheet* ws, const Sheet& s, int row, int col, const Cell& c)
{
    const lxw_row_t r = lxw_row_t(row - 1);
    const lxw_col_t k = lxw_col_t(col - 1);
    lxw_format* f = format(c.styleId);
    const Value& v = c.value;
    if (c.hasFormula()) {
        const QByteArray text = s.formulaText(row, col).toUtf8();
        // Logical results are cached as their text: the library writes numeric caches only.
        if (v.isNumber())
            worksheet_write_formula_num(ws, r, k, text.constData(), f, v.asNumber());
        else
            worksheet_write_formula_str(ws, r, k, text.constData(), f, v.toString().toUtf8().constData());
        return;
    }
    switch (v.type()) {
    case Value::Type::Number: worksheet_write_number(ws, r, k, v.asNumber(), f); break;
    case Value::Type::Text: worksheet_write_string(ws, r, k, v.asText().toUtf8().constData(), f); break;
    case Value::Type::Boolean: worksheet_write_boolean(ws, r, k, v.asBoolean() ? 1 : 0, f); break;
    case Value::Type::Error:
        worksheet_write_formula_str(ws, r, k, (u'=' + v.toString()).toUtf8().constData(), f, v.toString().toUtf8().constData());
        break;
    case Value::Type::Empty:
        if (f)
            worksheet_write_blank(ws, r, k, f);
        break;
    }
}

void XlsxBuilder::sheet(const Sheet& s)
{
    lxw_worksheet* ws = workbook_add_worksheet(m_book, s.name().toUtf8().constData());
    QList<int> cols = s.columnWidths().keys();
    for (int c : s.hiddenColumns())
        if (!cols.contains(c))
            cols.append(c);
    for (int c : cols) {
        lxw_row_col_options opt{};
        opt.hidden = s.isColumnHidden(c) ? 1 : 0;
        worksheet_set_column_opt(ws, lxw_col_t(c - 1), lxw_col_t(c - 1), s.columnWidth(c), nullptr, &opt);
    }
    QList<int> rows = s.rowHeights().keys();
    for (int r : s.hiddenRows())
        if (!rows.contains(r))
            rows.append(r);
    for (int r : rows) {
        lxw_row_col_options opt{};
        opt.hidden = s.isRowHidden(r) ? 1 : 0;
        worksheet_set_row_opt(ws, lxw_row_t(r - 1), s.rowHeight(r), nullptr, &opt);
    }
    s.store().forEach([&](int row, int col, const Cell& c) { cell(ws, s, row, col, c); });
    const SheetView& v = s.view();
    if (v.frozenRows > 0 || v.frozenCols > 0)
        worksheet_freeze_panes(ws, lxw_row_t(v.frozenRows), lxw_col_t(v.frozenCols));
    if (v.viewScale != 100)
        worksheet_set_zoom(ws, uint16_t(v.viewScale));
    const PrintSetup& p = s.printSetup();
    if (p.landscape)
        worksheet_set_landscape(ws);
    if (p.printArea)
        worksheet_print_area(ws, lxw_row_t(p.printArea->row1 - 1), lxw_col_t(p.printArea->col1 - 1),
                             lxw_row_t(p.printArea->row2 - 1), lxw_col_t(p.printArea->col2 - 1));
    if (p.titleRow1 > 0)
        worksheet_repeat_rows(ws, lxw_row_t(p.titleRow1 - 1), lxw_row_t(p.titleRow2 - 1));
    if (p.titleCol1 > 0)
        worksheet_repeat_columns(ws, lxw_col_t(p.titleCol1 - 1), lxw_col_t(p.titleCol2 - 1));
    if (p.gridLines)
        worksheet_gridlines(ws, LXW_SHOW_PRINT_GRIDLINES);
    if (s.isProtected())
        worksheet_protect(ws, nullptr, nullptr);
    if (s.index() == m_wb.activeSheet())
        worksheet_activate(ws);
}

void XlsxBuilder::build()
{
    for (int i = 0; i < m_wb.sheetCount(); ++i)
        sheet(*m_wb.sheet(i));
}

} // namespace
#endif

bool TextFiles::writeXlsx(const Workbook& wb, const QString& path, QByteArray& bytes, QString* error)
{
#ifdef VELA_HAVE_XLSXWRITER
    wb.ensureCalculated();
    // The library needs a file name; it is built in a private folder and read back, so the
    // caller can replace the target atomically.
    Q_UNUSED(path);
    QTemporaryDir tmp;
    if (!tmp.isValid()) {
        if (error)
            *error = QStringLiteral("no temporary folder for the export");
        return false;
    }
    const QString file = tmp.filePath(QStringLiteral("book.xlsx"));
    const QByteArray tmpDir = QFile::encodeName(tmp.path());
    lxw_workbook_options options{};
    options.tmpdir = const_cast<char*>(tmpDir.constData());
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(file).constData(), &options);
    if (!book) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(path);
        return false;
    }
    XlsxBuilder(wb, book).build();
    const lxw_error rc = workbook_close(book);
    QFile f(file);
    if (rc != LXW_NO_ERROR || !f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, QString::fromUtf8(lxw_strerror(rc)));
        return false;
    }
    bytes = f.readAll();
    return true;
#else
    Q_UNUSED(wb);
    Q_UNUSED(path);
    Q_UNUSED(bytes);
    if (error)
        *error = QStringLiteral("xlsx export is not available in this build");
    return false;
#endif
}

} // namespace vela::workbook
