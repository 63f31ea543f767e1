// Numbers, dates and times typed as text.
#include "workbook/engine/NumberFormat.h"
#include "workbook/engine/Value.h"

#include <QRegularExpression>
#include <cmath>

namespace vela::workbook {

namespace {

bool plainNumber(QString t, double& out)
{
    static const QRegularExpression grouped(QStringLiteral("^[+-]?\\d{1,3}(,\\d{3})+(\\.\\d*)?$"));
    if (t.contains(u',')) {
        if (!grouped.match(t).hasMatch())
            return false;
        t.remove(u',');
    }
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!number.match(t).hasMatch())
        return false;
    bool ok = false;
    out = t.toDouble(&ok);
    return ok && std::isfinite(out);
}

bool timeOfDay(const QString& t, double& out)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}(?:\\.\\d+)?))?\\s*([AaPp][Mm])?$"));
    const auto m = re.match(t);
    if (!m.hasMatch())
        return false;
    int h = m.captured(1).toInt();
    const int mi = m.captured(2).toInt();
    const double s = m.captured(3).isEmpty() ? 0 : m.captured(3).toDouble();
    if (!m.captured(4).isEmpty()) {
        if (h < 1 || h > 12)
            return false;
        h = (h % 12) + (m.captured(4).toUpper() == QLatin1String("PM") ? 12 : 0);
    }
    if (h > 23 || mi > 59 || s >= 60)
        return false;
    out = (h * 3600 + mi * 60 + s) / 86400.0;
    return true;
}

bool calendarDate(const QString& t, double& out)
{
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    static const QRegularExpression dmy(QStringLiteral("^(\\d{1,2})[/.](\\d{1,2})[/.](\\d{2}|\\d{4})$"));
    int y = 0, m = 0, d = 0;
    if (const auto a = iso.match(t); a.hasMatch()) {
        y = a.captured(1).toInt();
        m = a.captured(2).toInt();
        d = a.captured(3).toInt();
    } else if (const auto b = dmy.match(t); b.hasMatch()) {
        d = b.captured(1).toInt();
        m = b.captured(2).toInt();
        y = b.captured(3).toInt();
        if (b.captured(3).size() == 2)
            y += y < 30 ? 2000 : 1900;
    } else {
        return false;
    }
    const double s = NumberFormat::dateSerial(y, m, d);
    if (s < 0)
        return false;
    int yy, mm, dd;
    if (!NumberFormat::serialToDate(s, yy, mm, dd) || yy != y || mm != m || dd != d)
        return false; // 31/02 and the like
    out = s;
    return true;
}

} // namespace

bool textToNumber(const QString& text, double& out)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool negate = false;
    if (t.startsWith(u'(') && t.endsWith(u')')) {
        negate = true;
        t = t.mid(1, t.size() - 2).trimmed();
    }
    double scale = 1;
    if (t.endsWith(u'%')) {
        scale = 0.01;
        t.chop(1);
        t = t.trimmed();
    }
    if (plainNumber(t, out)) {
        out *= negate ? -scale : scale;
        return true;
    }
    if (negate || scale != 1)
        return false;
    if (timeOfDay(t, out) || calendarDate(t, out))
        return true;
    const qsizetype space = t.indexOf(u' ');
    double d = 0, tm = 0;
    if (space > 0 && calendarDate(t.left(space), d) && timeOfDay(t.mid(space + 1).trimmed(), tm)) {
        out = d + tm;
        return true;
    }
    return false;
}

} // namespace vela::workbook
