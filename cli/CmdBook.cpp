// velactl book: evaluate a workbook to CSV, or convert it between file types.
#include "Command.h"

#include "workbook/engine/Workbook.h"
#include "workbook/engine/WorkbookFile.h"

#include <cstdio>

namespace vela::cli {
namespace {

using namespace vela::workbook;

QString csvField(const Value& v)
{
    QString t = v.toString();
    if (v.isText() && (t.contains(u',') || t.contains(u'"') || t.contains(u'\n') || t.contains(u'\r'))) {
        t.replace(QLatin1String("\""), QLatin1String("\"\""));
        t = u'"' + t + u'"';
    }
    return t;
}

/// Every sheet: "# sheet N: NAME", then its used range as CSV of the computed values.
QString evaluate(const Workbook& wb)
{
    QString out;
    for (int i = 0; i < wb.sheetCount(); ++i) {
        const Sheet* s = wb.sheet(i);
        out += QStringLiteral("# sheet %1: %2\n").arg(i + 1).arg(s->name());
        for (int r = 1; r <= s->maxRow(); ++r) {
            QStringList fields;
            for (int c = 1; c <= s->maxCol(); ++c)
                fields.append(csvField(s->value(r, c)));
            out += fields.join(u',') + u'\n';
        }
    }
    return out;
}

int load(Workbook& wb, const QString& path)
{
    QString error;
    if (WorkbookFile::read(wb, path, &error) == FileType::None)
        return fail(error);
    return 0;
}

int eval(const QString& path)
{
    Workbook wb;
    if (const int rc = load(wb, path))
        return rc;
    wb.recalculate();
    const QByteArray text = evaluate(wb).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
    return 0;
}

int convert(const QString& in, const QString& outPath, const QString& typeCode)
{
    FileType type = fileTypeForPath(outPath);
    if (!typeCode.isEmpty()) {
        bool ok = false;
        type = FileType(typeCode.toInt(&ok));
        if (!ok || extensionForType(type).isEmpty())
            return fail(QStringLiteral("unknown file type code %1").arg(typeCode), 2);
    }
    if (type == FileType::None)
        return fail(QStringLiteral("no file type for %1 (use .vts .xlsx .csv .txt .htm)").arg(outPath), 2);
    Workbook wb;
    if (const int rc = load(wb, in))
        return rc;
    wb.recalculate();
    QString error;
    if (!WorkbookFile::write(wb, outPath, type, &error))
        return fail(error);
    return 0;
}

int book(const QStringList& args)
{
    const QStringList words = positional(args);
    const QString verb = words.value(1);
    if (verb == QLatin1String("eval") && words.size() == 3)
        return eval(words[2]);
    if (verb == QLatin1String("convert") && (words.size() == 4 || words.size() == 5))
        return convert(words[2], words[3], words.value(4));
    return fail(QStringLiteral("usage: velactl book eval FILE | book convert IN OUT [TYPE]"), 2);
}

const Registration kBook("book",
                         "book eval FILE | book convert IN OUT [TYPE]  (workbooks; OUT type by extension "
                         ".vts .xlsx .csv .txt .htm, or a file type code: 3/11 text with formulas, 6/12 values)",
                         book);

} // namespace
} // namespace vela::cli
