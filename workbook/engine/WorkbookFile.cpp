#include "workbook/engine/WorkbookFile.h"
#include "workbook/engine/TextFiles.h"
#include "workbook/engine/VtsCodec.h"
#include "workbook/engine/Workbook.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vela::workbook {

FileType fileTypeForPath(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("vts"))
        return FileType::VtsCurrent;
    if (ext == QLatin1String("xlsx") || ext == QLatin1String("xls"))
        return FileType::Excel;
    if (ext == QLatin1String("txt") || ext == QLatin1String("tab"))
        return FileType::Text;
    if (ext == QLatin1String("csv"))
        return FileType::Csv;
    if (ext == QLatin1String("htm") || ext == QLatin1String("html"))
        return FileType::Html;
    return FileType::None;
}

QString extensionForType(FileType t)
{
    switch (t) {
    case FileType::Vts:
    case FileType::VtsCurrent: return QStringLiteral(".vts");
    case FileType::Excel5:
    case FileType::Excel: return QStringLiteral(".xlsx");
    case FileType::Text:
    case FileType::TextValues: return QStringLiteral(".txt");
    case FileType::Csv:
    case FileType::CsvValues: return QStringLiteral(".csv");
    case FileType::Html:
    case FileType::HtmlSheet: return QStringLiteral(".htm");
    default: return {};
    }
}

namespace {
FileType failWith(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return FileType::None;
}
} // namespace

FileType WorkbookFile::read(Workbook& wb, const QString& path, QString* error)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return failWith(error, QStringLiteral("%1 does not exist").arg(path));
    if (info.size() > kMaxFileSize)
        return failWith(error, QStringLiteral("%1 is too large (%2 bytes, at most %3)").arg(path).arg(info.size()).arg(kMaxFileSize));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return failWith(error, QStringLiteral("cannot open %1: %2").arg(path, f.errorString()));
    const QByteArray bytes = f.readAll();
    f.close();
    QString why;
    if (bytes.startsWith(QByteArray(kVtsMagic, 4))) {
        if (!fromVts(wb, bytes, &why))
            return failWith(error, QStringLiteral("%1: %2").arg(path, why));
        return FileType::VtsCurrent;
    }
    if (bytes.startsWith("PK\x03\x04"))
        return failWith(error, QStringLiteral("%1: spreadsheet exchange files can be written but not read").arg(path));
    FileType t = fileTypeForPath(path);
    if (t == FileType::VtsCurrent)
        return failWith(error, QStringLiteral("%1: not a workbook file").arg(path));
    if (t != FileType::Text && t != FileType::Csv)
        return failWith(error, QStringLiteral("%1: unknown file type").arg(path));
    Workbook fresh;
    if (!TextFiles::readDelimited(fresh, bytes, t == FileType::Csv ? u',' : u'\t', &why))
        return failWith(error, QStringLiteral("%1: %2").arg(path, why));
    fresh.renameSheet(0, info.completeBaseName().left(31));
    wb.takeContents(fresh);
    return t;
}

bool WorkbookFile::write(const Workbook& wb, const QString& path, FileType type, QString* error)
{
    if (type == FileType::None)
        type = fileTypeForPath(path);
    QByteArray bytes;
    QString why;
    switch (type) {
    case FileType::Vts:
    case FileType::VtsCurrent: bytes = toVts(wb); break;
    case FileType::Text:
    case FileType::TextValues:
    case FileType::Csv:
    case FileType::CsvValues: bytes = TextFiles::writeDelimited(wb, type); break;
    case FileType::Html:
    case FileType::HtmlSheet: bytes = TextFiles::writeHtml(wb, type == FileType::Html); break;
    case FileType::Excel:
    case FileType::Excel5:
        if (!TextFiles::writeXlsx(wb, path, bytes, &why)) {
            if (error)
                *error = why;
            return false;
        }
        break;
    default:
        if (error)
            *error = QStringLiteral("no file type for %1").arg(path);
        return false;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, out.errorString());
        return false;
    }
    return true;
}

} // namespace vela::workbook
