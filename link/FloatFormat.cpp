#include "FloatFormat.h"

#include <QStringList>
#include <cmath>
#include <cstdio>

namespace vela::link {
namespace {

constexpr int kSignificant = 15;

/// A value as decimal digits: value = 0.d1d2d3... x 10^exponent (digits empty for zero).
struct Decimal {
    QByteArray digits;
    int exponent = 0;
};

Decimal toDecimal(double magnitude)
{
    Decimal d;
    if (magnitude == 0)
        return d;
    char text[40];
    std::snprintf(text, sizeof text, "%.*e", kSignificant - 1, magnitude);
    const QByteArray s(text);
    const qsizetype e = s.indexOf('e');
    d.digits = s.left(e).replace(".", "");
    d.exponent = s.mid(e + 1).toInt() + 1;
    while (d.digits.endsWith('0'))
        d.digits.chop(1);
    return d;
}

/// Rounds half away from zero, keeping `keep` digits (may carry into a new leading digit).
void roundTo(Decimal& d, int keep)
{
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (d.digits.size() <= keep)
        return;
    const bool up = d.digits[keep] >= '5';
    d.digits.truncate(keep);
    if (up) {
        int i = keep - 1;
        for (; i >= 0 && d.digits[i] == '9'; --i)
            d.digits[i] = '0';
        if (i >= 0) {
            d.digits[i] = char(d.digits[i] + 1);
        } else {
            d.digits.prepend('1');
            ++d.exponent;
        }
    }
    while (d.digits.endsWith('0'))
        d.digits.chop(1);
}

/// Digit i (0-based after the point of 0.d1d2...) of d, '0' past the end.
char digitAt(const Decimal& d, int i)
{
    return i >= 0 && i < d.digits.size() ? d.digits[i] : '0';
}

struct Picture {
    QString prefix, suffix;
    int intPlaces = 0;      // placeholders before the point
    int minInt = 0;         // from the first '0' before the point
    int maxDec = 0;         // placeholders after the point
    int minDec = 0;         // up to the last '0' after the point
    bool thousands = false;
    bool scientific = false;
    bool expAlwaysSign = false;
    QChar expChar = QLatin1Char('E');
    int expDigits = 0;
};

Picture parse(const QString& section)
{
    Picture p;
    bool seenPlaceholder = false, afterPoint = false, done = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        QString& literal = seenPlaceholder ? p.suffix : p.prefix;
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype end = section.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? section.size() : end;
            literal += section.mid(i + 1, stop - i - 1);
            i = stop;
        } else if (!done && (c == QLatin1Char('0') || c == QLatin1Char('#'))) {
            seenPlaceholder = true;
            if (afterPoint) {
                ++p.maxDec;
                if (c == QLatin1Char('0'))
                    p.minDec = p.maxDec;
            } else {
                ++p.intPlaces;
                if (c == QLatin1Char('0') && p.minInt == 0)
                    p.minInt = 1;
                else if (p.minInt > 0)
                    ++p.minInt;
            }
        } else if (!done && c == QLatin1Char('.') && !afterPoint) {
            afterPoint = true;
            seenPlaceholder = true;
        } else if (!done && c == QLatin1Char(',') && seenPlaceholder) {
            p.thousands = true;
        } else if (!done && seenPlaceholder && (c == QLatin1Char('E') || c == QLatin1Char('e'))
                   && i + 1 < section.size()
                   && (section[i + 1] == QLatin1Char('+') || section[i + 1] == QLatin1Char('-'))) {
            p.scientific = true;
            p.expChar = c;
            p.expAlwaysSign = section[i + 1] == QLatin1Char('+');
            i += 2;
            while (i < section.size() && section[i] == QLatin1Char('0') && p.expDigits < 4) {
                ++p.expDigits;
                ++i;
            }
            --i;
            done = true;
        } else {
            literal += c;
        }
    }
    return p;
}

QString groupThousands(const QString& digits)
{
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits[i];
    }
    return out;
}

QString joinNumber(const Picture& p, QString intPart, QString frac)
{
    while (frac.size() > p.minDec && frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    while (intPart.size() > p.minInt && intPart.startsWith(QLatin1Char('0')))
        intPart.remove(0, 1);
    while (intPart.size() < p.minInt)
        intPart.prepend(QLatin1Char('0'));
    if (p.thousands)
        intPart = groupThousands(intPart);
    return frac.isEmpty() ? intPart : intPart + QLatin1Char('.') + frac;
}

QString fixed(const Picture& p, double magnitude, bool& isZero)
{
    Decimal d = toDecimal(magnitude);
    roundTo(d, d.exponent + p.maxDec);
    isZero = d.digits.isEmpty();
    QString intPart, frac;
    for (int i = 0; i < d.exponent; ++i)
        intPart += QLatin1Char(digitAt(d, i));
    for (int i = 0; i < p.maxDec; ++i)
        frac += QLatin1Char(digitAt(d, d.exponent + i));
    return joinNumber(p, intPart, frac);
}

QString scientific(const Picture& p, double magnitude, bool& isZero)
{
    Decimal d = toDecimal(magnitude);
    const int intDigits = std::max(1, p.intPlaces);
    roundTo(d, intDigits + p.maxDec);
    isZero = d.digits.isEmpty();
    const int exponent = isZero ? 0 : d.exponent - intDigits;
    QString intPart, frac;
    for (int i = 0; i < intDigits; ++i)
        intPart += QLatin1Char(digitAt(d, i));
    for (int i = 0; i < p.maxDec; ++i)
        frac += QLatin1Char(digitAt(d, intDigits + i));
    Picture q = p;
    q.minInt = std::max(1, p.minInt);
    QString text = joinNumber(q, intPart, frac) + p.expChar;
    if (exponent < 0)
        text += QLatin1Char('-');
    else if (p.expAlwaysSign)
        text += QLatin1Char('+');
    return text + QString::number(std::abs(exponent)).rightJustified(p.expDigits, QLatin1Char('0'));
}

QString formatSection(const QString& section, double magnitude, bool withSign)
{
    const Picture p = parse(section);
    bool isZero = false;
    const QString number = p.scientific ? scientific(p, magnitude, isZero) : fixed(p, magnitude, isZero);
    const QString sign = withSign && !isZero ? QStringLiteral("-") : QString();
    return p.prefix + sign + number + p.suffix;
}

QStringList sections(const QString& picture)
{
    QStringList out{QString()};
    QChar quote;
    for (const QChar c : picture) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            out << QString();
            continue;
        }
        out.last() += c;
    }
    return out;
}

} // namespace

QString FormatFloat(const QString& picture, double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const QStringList parts = sections(picture);
    if (value == 0 && parts.size() > 2 && !parts[2].isEmpty())
        return formatSection(parts[2], 0, false);
    if (value < 0 && parts.size() > 1 && !parts[1].isEmpty())
        return formatSection(parts[1], -value, false);
    return formatSection(parts[0], std::fabs(value), value < 0);
}

} // namespace vela::link
