#include "charts/ChartText.h"

#include <cmath>

namespace vela::charts {

namespace {

// Fixed-point text without a minus sign on a value that rounds to zero.
QString fixed(double v, int decimals)
{
    QString s = QString::number(v, 'f', decimals);
    if (s.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (QChar c : s.mid(1))
            allZero = allZero && (c == QLatin1Char('0') || c == QLatin1Char('.'));
        if (allZero)
            s.remove(0, 1);
    }
    return s;
}

// Non-finite numbers print as the C library does, so nothing looks like a real reading.
QString nonFinite(double v)
{
    if (std::isnan(v))
        return QStringLiteral("nan");
    return v > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
}

} // namespace

QString formatWhole(double v)
{
    if (!std::isfinite(v))
        return nonFinite(v);
    const double r = std::round(v);
    if (r == 0.0)
        return {};
    return fixed(r, 0);
}

QString formatOneDecimal(double v)
{
    if (!std::isfinite(v))
        return nonFinite(v);
    QString s = fixed(v, 1);
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    return s;
}

QString formatValueMark(double v)
{
    if (!std::isfinite(v))
        return nonFinite(v);
    return fixed(v, 1);
}

QString formatAxisLabel(double v)
{
    if (!std::isfinite(v))
        return nonFinite(v);
    QString s = fixed(v, 2);
    if (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    return s;
}

QString readOutText(const QString& xUnits, double x, double v, const QString& yUnits)
{
    return xUnits + QLatin1Char(' ') + formatWhole(x) + QLatin1String(" , ")
        + formatOneDecimal(v) + QLatin1Char(' ') + yUnits;
}

QString rateSuffix(double rate)
{
    return QString::asprintf(" %3.02lf", rate);
}

QString printCursorText(double position, double height)
{
    return QString::asprintf("%2.3lf s , %2.2lf ", position, height);
}

QString printRateText(double rate)
{
    return QString::asprintf(": %3.02lf ", rate);
}

QString baseNameOf(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('\\')),
                                     path.lastIndexOf(QLatin1Char('/')));
    QString name = path.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    return name;
}

QString slotTitle(const QString& path, const QString& label)
{
    return label + baseNameOf(path);
}

} // namespace vela::charts
