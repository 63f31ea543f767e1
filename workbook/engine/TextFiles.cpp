#include "workbook/engine/TextFiles.h"
#include "workbook/engine/CellStore.h"
#include "workbook/engine/Workbook.h"
#include "workbook/engine/WorkbookFile.h"
#include "platform/Ansi.h"

#include <QStringDecoder>

namespace vela::workbook {

namespace {

QString decode(const QByteArray& bytes)
{
    QByteArray b = bytes;
    if (b.startsWith("\xEF\xBB\xBF"))
        b.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString s = utf8.decode(b);
    if (!utf8.hasError())
        return s;
    return platform::fromAnsi(b);
}

// Splits delimited text into rows of fields. Quoted fields may hold separators, quotes ("")
// and line breaks.
bool splitRecords(const QString& text, QChar sep, QList<QStringList>& rows, QString* error)
{
    QStringList row;
    QString field;
    bool quoted = false, wasQuoted = false;
    qint64 cells = 0;
    auto endField = [&]() {
        row.append(field);
        field.clear();
        wasQuoted = false;
        ++cells;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"' && field.isEmpty()) {
            quoted = wasQuoted = true;
        } else if (c == sep) {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            endField();
            rows.append(row);
            row.clear();
        } else {
            field += c;
        }
        if (rows.size() > kMaxRows || row.size() > kMaxCols || cells > WorkbookFile::kMaxCells) {
            if (error)
                *error = QStringLiteral("more rows, columns or cells than a sheet holds");
            return false;
        }
    }
    if (quoted) {
        if (error)
            *error = QStringLiteral("quoted field without closing quote");
        return false;
    }
    if (!field.isEmpty() || wasQuoted || !row.isEmpty()) {
        endField();
        rows.append(row);
    }
    return true;
}

QString quoteField(const QString& s, QChar sep)
{
    if (!s.contains(sep) && !s.contains(u'"') && !s.contains(u'\n') && !s.contains(u'\r'))
        return s;
    QString q = s;
    q.replace(QLatin1String("\""), QLatin1String("\"\""));
    return u'"' + q + u'"';
}

QString htmlEscape(const QString& s)
{
    return s.toHtmlEscaped();
}

QString cssOf(const Style& s, const Style& def)
{
    QString css;
    if (s.bold)
        css += QStringLiteral("font-weight:bold;");
    if (s.italic)
        css += QStringLiteral("font-style:italic;");
    if (s.underline)
        css += QStringLiteral("text-decoration:underline;");
    if (s.fontName != def.fontName)
        css += QStringLiteral("font-family:'%1';").arg(s.fontName);
    if (s.fontSize != def.fontSize)
        css += QStringLiteral("font-size:%1pt;").arg(s.fontSize);
    if ((s.color & 0xFFFFFF) != 0)
        css += QStringLiteral("color:#%1;").arg(s.color & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    if (s.hasBackground())
        css += QStringLiteral("background:#%1;").arg(s.background & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    switch (s.hAlign) {
    case HAlign::Left: css += QStringLiteral("text-align:left;"); break;
    case HAlign::Center:
    case HAlign::CenterAcross: css += QStringLiteral("text-align:center;"); break;
    case HAlign::Right: css += QStringLiteral("text-align:right;"); break;
    default: break;
    }
    return css;
}

} // namespace

bool TextFiles::readDelimited(Workbook& wb, const QByteArray& bytes, QChar sep, QString* error)
{
    QList<QStringList> rows;
    if (!splitRecords(decode(bytes), sep, rows, error))
        return false;
    Sheet* s = wb.sheet(0);
    wb.beginUpdate(); // formulas may refer to cells further down: calculate once at the end
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            if (!rows[r][c].isEmpty())
                s->setInput(r + 1, c + 1, rows[r][c]);
        }
    wb.endUpdate();
    wb.setModified(false);
    return true;
}

QByteArray TextFiles::writeDelimited(const Workbook& wb, FileType type)
{
    const QChar sep = (type == FileType::Csv || type == FileType::CsvValues) ? u',' : u'\t';
    const bool values = type == FileType::TextValues || type == FileType::CsvValues;
    const Sheet* s = wb.sheet(wb.activeSheet());
    QString out;
    for (int r = 1; r <= s->maxRow(); ++r) {
        QStringList fields;
        for (int c = 1; c <= s->maxCol(); ++c)
            fields.append(quoteField(values ? s->displayText(r, c) : s->inputText(r, c), sep));
        out += fields.join(sep) + QLatin1String("\r\n");
    }
    return out.toUtf8();
}

QByteArray TextFiles::writeHtml(const Workbook& wb, bool allSheets)
{
    QString out = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Workbook</title></head>\n<body>\n");
    const Style& def = wb.defaultStyle();
    for (int i = 0; i < wb.sheetCount(); ++i) {
        if (!allSheets && i != wb.activeSheet())
            continue;
        const Sheet* s = wb.sheet(i);
        out += QStringLiteral("<h2>%1</h2>\n<table border=\"1\" cellspacing=\"0\" style=\"font-family:'%2';font-size:%3pt\">\n")
                   .arg(htmlEscape(s->name()), def.fontName).arg(def.fontSize);
        for (int r = 1; r <= s->maxRow(); ++r) {
            if (s->isRowHidden(r))
                continue;
            out += QStringLiteral("<tr>");
            for (int c = 1; c <= s->maxCol(); ++c) {
                if (s->isColumnHidden(c))
                    continue;
                const Style& st = s->style(r, c);
                QString css = cssOf(st, def);
                if (st.hAlign == HAlign::General && (s->value(r, c).isNumber()))
                    css += QStringLiteral("text-align:right;");
                out += css.isEmpty() ? QStringLiteral("<td>") : QStringLiteral("<td style=\"%1\">").arg(css);
                out += htmlEscape(s->displayText(r, c)) + QStringLiteral("</td>");
            }
            out += QStringLiteral("</tr>\n");
        }
        out += QStringLiteral("</table>\n");
    }
    out += QStringLiteral("</body></html>\n");
    return out.toUtf8();
}

} // namespace vela::workbook
