#include "workbook/engine/NumberFormatSection.h"
#include "workbook/engine/NumberFormat.h"
#include "workbook/engine/Value.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vela::workbook {

namespace {

std::optional<QRgb> colorName(const QString& n)
{
    static const struct { const char* name; QRgb rgb; } kColors[] = {
        {"Black", 0xFF000000}, {"Red", 0xFFFF0000}, {"Green", 0xFF00FF00}, {"Blue", 0xFF0000FF},
        {"Yellow", 0xFFFFFF00}, {"Magenta", 0xFFFF00FF}, {"Cyan", 0xFF00FFFF}, {"White", 0xFFFFFFFF},
    };
    for (const auto& c : kColors)
        if (n.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.rgb;
    return std::nullopt;
}

QStringList splitSections(const QString& code)
{
    QStringList out;
    QString cur;
    bool quoted = false;
    for (int i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"')
            quoted = !quoted;
        if (!quoted && c == u'\\' && i + 1 < code.size()) {
            cur += c;
            cur += code[++i];
            continue;
        }
        if (!quoted && c == u';') {
            out.append(cur);
            cur.clear();
            continue;
        }
        cur += c;
    }
    out.append(cur);
    return out;
}

class SectionParser {
public:
    explicit SectionParser(FormatSection& s) : m_s(s) {}
    void run(const QString& t);

private:
    void literal(const QString& text);
    void bracket(const QString& inner);
    void dateLetters(const QString& t, int& i);
    void numberPattern(const QString& t, int& i);
    FormatSection& m_s;
    bool m_afterNumber = false;
};

void SectionParser::literal(const QString& text)
{
    if (m_s.tokens.isEmpty() || m_s.tokens.back().kind != FormatToken::Kind::Literal)
        m_s.tokens.append({FormatToken::Kind::Literal, {}});
    m_s.tokens.back().text += text;
    if (text.contains(u'$') || text.contains(QChar(0x20AC)) || text.contains(QChar(0xA3)))
        m_s.currency = true;
    (m_afterNumber || m_s.hasDigits ? m_s.suffix : m_s.prefix) += text;
}

void SectionParser::bracket(const QString& inner)
{
    if (auto c = colorName(inner)) {
        m_s.color = c;
    } else if (inner.compare(QLatin1String("h"), Qt::CaseInsensitive) == 0 || inner.compare(QLatin1String("hh"), Qt::CaseInsensitive) == 0) {
        m_s.isDate = m_s.elapsedHours = true;
        m_s.tokens.append({FormatToken::Kind::Date, QStringLiteral("[h]")});
    } else if (inner.startsWith(u'$')) {
        const qsizetype dash = inner.indexOf(u'-');
        m_s.currency = true;
        literal(inner.mid(1, dash < 0 ? -1 : dash - 1));
    }
    // conditions such as [>100] are not supported and ignored
}

void SectionParser::dateLetters(const QString& t, int& i)
{
    const QChar c = t[i].toLower();
    int n = 0;
    while (i + n < t.size() && t[i + n].toLower() == c)
        ++n;
    i += n;
    m_s.isDate = true;
    QString code(n, c);
    if (c == u'y')
        m_s.hasYear = true;
    if (c == u'd')
        m_s.hasDay = true;
    if (c == u'm') {
        // minutes when after hours or before seconds
        bool minute = false;
        for (auto it = m_s.tokens.crbegin(); it != m_s.tokens.crend(); ++it)
            if (it->kind == FormatToken::Kind::Date) {
                minute = it->text.startsWith(u'h') || it->text == QLatin1String("[h]");
                break;
            }
        for (int j = i; j < t.size() && !minute; ++j) {
            const QChar d = t[j].toLower();
            if (d == u's')
                minute = true;
            if (d == u'y' || d == u'd' || d == u'h' || d == u'm')
                break;
        }
        if (minute)
            code = QString(n, u'M');
        else
            m_s.hasMonth = true;
    }
    m_s.tokens.append({FormatToken::Kind::Date, code});
}

void SectionParser::numberPattern(const QString& t, int& i)
{
    bool afterPoint = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'0' || c == u'#' || c == u'?') {
            m_s.hasDigits = true;
            if (afterPoint) {
                ++m_s.decTotal;
                m_s.decZeros += c == u'0' ? 1 : 0;
            } else {
                m_s.intZeros += c == u'0' ? 1 : 0;
            }
        } else if (c == u'.' && !afterPoint) {
            afterPoint = true;
        } else if (c == u',') {
            const bool more = i + 1 < t.size() && (t[i + 1] == u'0' || t[i + 1] == u'#' || t[i + 1] == u'?');
            if (more)
                m_s.grouping = true;
            else
                ++m_s.scaleThousands;
        } else if ((c == u'E' || c == u'e') && i + 1 < t.size() && (t[i + 1] == u'+' || t[i + 1] == u'-')) {
            m_s.exponent = true;
            m_s.exponentPlus = t[i + 1] == u'+';
            i += 2;
            while (i < t.size() && (t[i] == u'0' || t[i] == u'#')) {
                ++m_s.expDigits;
                ++i;
            }
            break;
        } else {
            break;
        }
    }
    m_afterNumber = true;
}

void SectionParser::run(const QString& t)
{
    static const QRegularExpression frac(QStringLiteral("^(?:([#0]+)\\s+)?[#0?]+/([#0?]+)$"));
    const QString bare = QString(t).remove(QRegularExpression(QStringLiteral("\\[[^\\]]*\\]"))).trimmed();
    if (const auto m = frac.match(bare); m.hasMatch()) {
        m_s.fraction = true;
        m_s.hasDigits = true;
        m_s.intZeros = m.captured(1).isEmpty() ? -1 : 0; // -1: no integer part
        m_s.fracDigits = int(m.captured(2).size());
        return;
    }
    for (int i = 0; i < t.size();) {
        const QChar c = t[i];
        const QChar l = c.toLower();
        if (c == u'"') {
            const qsizetype end = t.indexOf(u'"', i + 1);
            literal(t.mid(i + 1, (end < 0 ? t.size() : end) - i - 1));
            i = end < 0 ? int(t.size()) : int(end) + 1;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            if (i + 1 < t.size())
                literal(c == u'\\' ? QString(t[i + 1]) : c == u'_' ? QStringLiteral(" ") : QString());
            i += 2;
        } else if (c == u'[') {
            const qsizetype end = t.indexOf(u']', i);
            bracket(t.mid(i + 1, (end < 0 ? t.size() : end) - i - 1));
            i = end < 0 ? int(t.size()) : int(end) + 1;
        } else if (t.mid(i, 7).compare(QLatin1String("General"), Qt::CaseInsensitive) == 0) {
            m_s.isGeneral = true;
            m_afterNumber = true;
            i += 7;
        } else if (t.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
            m_s.tokens.append({FormatToken::Kind::AmPm, QStringLiteral("AM/PM")});
            i += 5;
        } else if (t.mid(i, 3).compare(QLatin1String("A/P"), Qt::CaseInsensitive) == 0) {
            m_s.tokens.append({FormatToken::Kind::AmPm, QStringLiteral("A/P")});
            i += 3;
        } else if (l == u'y' || l == u'm' || l == u'd' || l == u'h' || l == u's') {
            dateLetters(t, i);
        } else if (c == u'@') {
            m_s.isText = true;
            m_s.tokens.append({FormatToken::Kind::TextValue, {}});
            ++i;
        } else if (!m_s.isDate && (c == u'0' || c == u'#' || c == u'?' || (c == u'.' && !m_afterNumber))) {
            numberPattern(t, i);
        } else {
            if (c == u'%')
                ++m_s.percent;
            if (c == u'$')
                m_s.currency = true;
            literal(QString(c));
            ++i;
        }
    }
}

// |v| rounded to dec places as a decimal string, working on its 15 significant digits.
QString fixedDecimal(double v, int dec)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    QByteArray digits;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits.append(*p);
    int exp = std::atoi(p + 1); // value = d.ddd * 10^exp
    if (v == 0)
        exp = 0;
    int keep = exp + 1 + dec;   // digits kept
    if (keep < 0)
        return QStringLiteral("0") + (dec > 0 ? QLatin1Char('.') + QString(dec, u'0') : QString());
    if (keep < digits.size()) {
        const bool up = digits[keep] >= '5';
        digits.truncate(keep);
        if (up) {
            int k = keep - 1;
            for (; k >= 0 && digits[k] == '9'; --k)
                digits[k] = '0';
            if (k >= 0)
                digits[k] = char(digits[k] + 1);
            else {
                digits.prepend('1');
                ++exp;
                ++keep;
            }
        }
    }
    while (digits.size() < keep)
        digits.append('0');
    QByteArray intPart, fracPart;
    const int nInt = exp + 1;
    if (nInt <= 0) {
        intPart = "0";
        fracPart = QByteArray(-nInt, '0') + digits;
    } else {
        intPart = digits.left(nInt);
        fracPart = digits.mid(nInt);
    }
    fracPart = fracPart.left(dec);
    while (fracPart.size() < dec)
        fracPart.append('0');
    if (intPart.isEmpty())
        intPart = "0";
    return QString::fromLatin1(dec > 0 ? intPart + '.' + fracPart : intPart);
}

QString group(const QString& intDigits)
{
    QString out;
    const int n = int(intDigits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u',';
        out += intDigits[i];
    }
    return out;
}

QString plainDigits(const FormatSection& s, double v)
{
    QString fixed = fixedDecimal(v, s.decTotal);
    QString intPart = fixed.section(u'.', 0, 0);
    QString fracPart = fixed.section(u'.', 1);
    while (fracPart.size() > s.decZeros && fracPart.endsWith(u'0'))
        fracPart.chop(1);
    if (intPart == QLatin1String("0") && s.intZeros == 0)
        intPart.clear();
    while (intPart.size() < s.intZeros)
        intPart.prepend(u'0');
    if (s.grouping)
        intPart = group(intPart);
    return fracPart.isEmpty() ? intPart : intPart + u'.' + fracPart;
}

QString scientific(const FormatSection& s, double v)
{
    int exp = v == 0 ? 0 : int(std::floor(std::log10(v)));
    const int intDigits = std::max(1, s.intZeros);
    exp -= intDigits - 1;
    double mant = v / std::pow(10.0, exp);
    QString m = plainDigits(s, mant);
    if (m.section(u'.', 0, 0).size() > intDigits) { // rounding gave 10.0
        ++exp;
        m = plainDigits(s, v / std::pow(10.0, exp));
    }
    QString e = QString::number(std::abs(exp)).rightJustified(std::max(1, s.expDigits), u'0');
    const QString sign = exp < 0 ? QStringLiteral("-") : (s.exponentPlus ? QStringLiteral("+") : QString());
    return m + u'E' + sign + e;
}

QString fractionText(const FormatSection& s, double v)
{
    const int maxDen = s.fracDigits >= 3 ? 999 : s.fracDigits == 2 ? 99 : 9;
    const bool improper = s.intZeros < 0; // no integer part in the code: 7/4 rather than 1 3/4
    double whole = std::floor(v);
    const double f = v - whole;
    int bestN = 0, bestD = 1;
    double bestErr = f;
    for (int d = 1; d <= maxDen; ++d) {
        const int n = int(std::lround(f * d));
        const double err = std::fabs(f - double(n) / d);
        if (err < bestErr - 1e-12) {
            bestErr = err;
            bestN = n;
            bestD = d;
        }
    }
    if (bestN == bestD) {
        whole += 1;
        bestN = 0;
    }
    if (improper) {
        const qint64 num = qint64(whole) * bestD + bestN;
        return num == 0 ? QStringLiteral("0") : QString::number(num) + u'/' + QString::number(bestD);
    }
    QString out = whole != 0 ? QString::number(qint64(whole)) : QString();
    if (bestN != 0)
        out += (out.isEmpty() ? QString() : QStringLiteral(" ")) + QString::number(bestN) + u'/' + QString::number(bestD);
    return out.isEmpty() ? QStringLiteral("0") : out;
}

const char* const kMonths[] = {"January", "February", "March", "April", "May", "June", "July",
                               "August", "September", "October", "November", "December"};
const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

QString dateText(const FormatSection& s, double x)
{
    int y = 0, mo = 0, d = 0;
    double day = std::floor(x);
    qint64 secs = std::llround((x - day) * 86400.0);
    if (secs >= 86400) {
        secs -= 86400;
        day += 1;
    }
    if (!NumberFormat::serialToDate(day, y, mo, d))
        return QString(11, u'#');
    bool ampm = false;
    for (const FormatToken& t : s.tokens)
        ampm = ampm || t.kind == FormatToken::Kind::AmPm;
    const int h = int(secs / 3600), mi = int(secs / 60 % 60), se = int(secs % 60);
    const int weekday = int(std::fmod(day + 6, 7)); // serial 1 (1900-01-01) was a Sunday by convention
    QString out;
    for (const FormatToken& t : s.tokens) {
        if (t.kind == FormatToken::Kind::Literal) { out += t.text; continue; }
        if (t.kind == FormatToken::Kind::AmPm) {
            const bool pm = h >= 12;
            out += t.text == QLatin1String("A/P") ? (pm ? QStringLiteral("P") : QStringLiteral("A"))
                                                   : (pm ? QStringLiteral("PM") : QStringLiteral("AM"));
            continue;
        }
        if (t.kind != FormatToken::Kind::Date)
            continue;
        const QString& c = t.text;
        const int n = int(c.size());
        auto two = [](int v) { return QString::number(v).rightJustified(2, u'0'); };
        if (c == QLatin1String("[h]")) out += QString::number(qint64(day) * 24 + h);
        else if (c[0] == u'y') out += n <= 2 ? two(y % 100) : QString::number(y);
        else if (c[0] == u'm') out += n == 1 ? QString::number(mo) : n == 2 ? two(mo) : n == 3 ? QLatin1String(kMonths[mo - 1]).left(3)
                                        : n == 5 ? QLatin1String(kMonths[mo - 1]).left(1) : QString(QLatin1String(kMonths[mo - 1]));
        else if (c[0] == u'M') out += n == 1 ? QString::number(mi) : two(mi);
        else if (c[0] == u'd') out += n == 1 ? QString::number(d) : n == 2 ? two(d) : n == 3 ? QLatin1String(kDays[weekday]).left(3) : QString(QLatin1String(kDays[weekday]));
        else if (c[0] == u'h') { const int hh = ampm ? (h % 12 == 0 ? 12 : h % 12) : h; out += n == 1 ? QString::number(hh) : two(hh); }
        else if (c[0] == u's') out += n == 1 ? QString::number(se) : two(se);
    }
    return out;
}

} // namespace

QVector<FormatSection> parseFormatCode(const QString& code)
{
    QVector<FormatSection> out;
    for (const QString& part : splitSections(code.isEmpty() ? QStringLiteral("General") : code)) {
        FormatSection s;
        SectionParser(s).run(part);
        if (!s.hasDigits && !s.isDate && !s.isText && !s.isGeneral && part.trimmed().isEmpty())
            s.isGeneral = true;
        out.append(s);
        if (out.size() == 4)
            break;
    }
    return out;
}

const FormatSection& numberSection(const QVector<FormatSection>& secs, double x, bool& dropSign)
{
    dropSign = false;
    if (secs.size() >= 2 && x < 0) {
        dropSign = true;
        return secs[1];
    }
    if (secs.size() >= 3 && x == 0)
        return secs[2];
    return secs[0].isText && secs.size() == 1 ? secs[0] : secs[0];
}

const FormatSection* textSection(const QVector<FormatSection>& secs)
{
    if (secs.size() >= 4)
        return &secs[3];
    for (const FormatSection& s : secs)
        if (s.isText)
            return &s;
    return nullptr;
}

QString formatNumberSection(const FormatSection& s, double x)
{
    if (s.isText)
        return numberToText(x);
    if (s.isDate)
        return x < 0 ? QString(11, u'#') : dateText(s, x);
    if (s.isGeneral)
        return s.prefix + numberToText(x) + s.suffix;
    if (!s.hasDigits)
        return s.prefix + s.suffix;
    double v = x * std::pow(100.0, s.percent) / std::pow(1000.0, s.scaleThousands);
    const bool negative = v < 0;
    v = std::fabs(v);
    QString body = s.fraction ? fractionText(s, v) : s.exponent ? scientific(s, v) : plainDigits(s, v);
    bool allZero = true;
    for (QChar c : body)
        allZero = allZero && !(c >= u'1' && c <= u'9');
    return (negative && !allZero ? QStringLiteral("-") : QString()) + s.prefix + body + s.suffix;
}

QString formatTextSection(const FormatSection& s, const QString& text)
{
    QString out;
    for (const FormatToken& t : s.tokens)
        out += t.kind == FormatToken::Kind::TextValue ? text : t.kind == FormatToken::Kind::Literal ? t.text : QString();
    return out;
}

} // namespace vela::workbook
