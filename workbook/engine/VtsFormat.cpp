// The native workbook file (.vts), version 1. All numbers big-endian (QDataStream, Qt 6.0
// encoding); QString is a quint32 byte length (0xFFFFFFFF = null) followed by UTF-16.
//
//   magic      4 bytes "VTSB"
//   version    quint16 (1)        files of a newer version are refused
//   flags      quint16 (0)
//   strings    quint32 n, n x QString                  shared texts (cell texts, names)
//   styles     quint32 n, n x Style                    index 0 is the default style
//     Style:   QString font, double size, quint8 bits (1 bold, 2 italic, 4 underline,
//              8 wrap, 16 locked, 32 hidden formula), quint32 colour, quint32 background,
//              quint8 hAlign, quint8 vAlign, QString number format
//   sheets     quint32 n (1..256), quint32 active index, n x QString name
//   formulas   quint32 n, n x Formula                  each distinct formula once
//     Formula: quint8 volatile, quint32 node count, nodes in postfix order:
//              quint8 kind, qint8 op, quint16 argc, qint32 function name string (-1: none),
//              qint32 sheet (-1 deleted, 0 own sheet, k = sheet index k-1), Coord a, Coord b,
//              double number, qint32 text string (-1: none)
//     Coord:   qint32 row, qint32 col, quint8 bits (1 row absolute, 2 column absolute);
//              relative coordinates are offsets from the cell holding the formula
//   per sheet: quint8 protected,
//              view: 9 x qint32 (frozen rows, frozen cols, top row, left col, scale,
//                    extent rows, extent cols, active row, active col), quint8 grid,
//                    quint8 headings, quint32 n, n x Range (4 x qint32) selection
//              print: quint8 has area, Range, 4 x qint32 titles, quint8 landscape,
//                    quint8 grid lines, quint32 n + n x qint32 row breaks, same for columns
//              quint32 n + n x (qint32 col, double width)      column widths
//              quint32 n + n x (qint32 row, double points)     row heights
//              quint32 n + n x qint32                          hidden columns
//              quint32 n + n x qint32                          hidden rows
//              quint32 n + n x (qint32, quint32 style)         column styles, then row styles
//              quint32 n cells, each: qint32 row, qint32 col, quint32 style, Value
//                Value: quint8 kind (0 empty, 1 number, 2 text, 3 boolean, 4 error,
//                       5 formula, 6 unparsable formula) then: double | qint32 string |
//                       quint8 | quint8 code | quint32 formula + Value (cached, kinds 0-4)
//                       | qint32 string (formula text)
#include "workbook/engine/CellStore.h"
#include "workbook/engine/DependencyGraph.h"
#include "workbook/engine/FormulaNode.h"
#include "workbook/engine/Functions.h"
#include "workbook/engine/VtsCodec.h"
#include "workbook/engine/Workbook.h"
#include "workbook/engine/WorkbookFile.h"

#include <QBuffer>
#include <QDataStream>

namespace vela::workbook {

QByteArray WorkbookFile::toVts(const Workbook& wb)
{
    wb.ensureCalculated();
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    QDataStream out(&buf);
    out.setVersion(QDataStream::Qt_6_0);
    VtsWriter(wb, out).write();
    return bytes;
}

bool WorkbookFile::fromVts(Workbook& wb, const QByteArray& bytes, QString* error)
{
    Workbook fresh;
    QString why;
    if (!VtsReader(fresh, bytes).read(why)) {
        if (error)
            *error = why;
        return false;
    }
    wb.takeContents(fresh);
    return true;
}

} // namespace vela::workbook
