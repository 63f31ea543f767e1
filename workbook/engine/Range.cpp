#include "workbook/engine/Range.h"

#include <algorithm>

namespace vela::workbook {

Range::Range(int r1, int c1, int r2, int c2)
    : row1(std::min(r1, r2)), col1(std::min(c1, c2)), row2(std::max(r1, r2)), col2(std::max(c1, c2))
{
}

bool Range::isValid() const
{
    return row1 >= 1 && col1 >= 1 && row2 <= kMaxRows && col2 <= kMaxCols && row1 <= row2 && col1 <= col2;
}

bool Range::intersects(const Range& o) const
{
    return row1 <= o.row2 && o.row1 <= row2 && col1 <= o.col2 && o.col1 <= col2;
}

Range Range::united(const Range& o) const
{
    if (!isValid())
        return o;
    if (!o.isValid())
        return *this;
    return Range(std::min(row1, o.row1), std::min(col1, o.col1), std::max(row2, o.row2), std::max(col2, o.col2));
}

QString columnName(int col)
{
    if (col < 1 || col > kMaxCols)
        return {};
    QString s;
    while (col > 0) {
        const int rem = (col - 1) % 26;
        s.prepend(QChar('A' + rem));
        col = (col - 1) / 26;
    }
    return s;
}

int columnNumber(const QString& letters)
{
    if (letters.isEmpty() || letters.size() > 3)
        return 0;
    int n = 0;
    for (QChar ch : letters) {
        const char16_t u = ch.toUpper().unicode();
        if (u < 'A' || u > 'Z')
            return 0;
        n = n * 26 + (u - 'A' + 1);
    }
    return n <= kMaxCols ? n : 0;
}

QString cellName(CellRef c, bool absolute)
{
    const QString d = absolute ? QStringLiteral("$") : QString();
    return d + columnName(c.col) + d + QString::number(c.row);
}

QString rangeName(const Range& r, bool absolute)
{
    const QString a = cellName({r.row1, r.col1}, absolute);
    if (r.row1 == r.row2 && r.col1 == r.col2)
        return a;
    return a + QLatin1Char(':') + cellName({r.row2, r.col2}, absolute);
}

static CellRef parseCellName(QStringView t)
{
    int i = 0;
    if (i < t.size() && t[i] == u'$')
        ++i;
    const int l0 = i;
    while (i < t.size() && t[i].isLetter())
        ++i;
    const int col = columnNumber(t.mid(l0, i - l0).toString());
    if (i < t.size() && t[i] == u'$')
        ++i;
    const int d0 = i;
    while (i < t.size() && t[i].isDigit())
        ++i;
    if (i != t.size() || d0 == i || i - d0 > 7)
        return {};
    const CellRef c{t.mid(d0).toInt(), col};
    return c.isValid() ? c : CellRef{};
}

Range parseRangeName(const QString& text)
{
    const QString t = text.trimmed();
    const qsizetype colon = t.indexOf(QLatin1Char(':'));
    const CellRef a = parseCellName(QStringView(t).left(colon < 0 ? t.size() : colon));
    const CellRef b = colon < 0 ? a : parseCellName(QStringView(t).mid(colon + 1));
    if (!a.isValid() || !b.isValid())
        return {};
    return Range(a.row, a.col, b.row, b.col);
}

} // namespace vela::workbook
