#include "workbook/engine/NumberFormat.h"
#include "workbook/engine/NumberFormatSection.h"

#include <QDate>
#include <QHash>
#include <cmath>

namespace vela::workbook {

namespace {
const QDate kEpoch(1899, 12, 30); // serial 0 for dates after the fictitious 1900-02-29

const QVector<FormatSection>& sectionsOf(const QString& code)
{
    static QHash<QString, QVector<FormatSection>> cache;
    auto it = cache.find(code);
    if (it == cache.end()) {
        if (cache.size() > 4096)
            cache.clear();
        it = cache.insert(code, parseFormatCode(code));
    }
    return *it;
}
} // namespace

double NumberFormat::dateSerial(int year, int month, int day)
{
    if (year == 1900 && month == 2 && day == 29)
        return 60;
    const QDate d(year, month, day);
    if (!d.isValid() || year < 1900)
        return -1;
    double s = double(kEpoch.daysTo(d));
    if (s < 61) // before March 1900 the 1900 system is one day behind (no 1900-02-29 exists)
        s -= 1;
    return s;
}

bool NumberFormat::serialToDate(double serial, int& year, int& month, int& day)
{
    if (serial < 0 || serial >= 2958466)
        return false;
    const qint64 whole = qint64(std::floor(serial));
    if (whole == 60) {
        year = 1900;
        month = 2;
        day = 29;
        return true;
    }
    if (whole == 0) {
        year = 1900;
        month = 1;
        day = 0;
        return true;
    }
    const QDate d = kEpoch.addDays(whole < 60 ? whole + 1 : whole);
    year = d.year();
    month = d.month();
    day = d.day();
    return true;
}

FormattedValue NumberFormat::format(const Value& v, const QString& code)
{
    FormattedValue out;
    if (v.isEmpty())
        return out;
    if (v.isError() || v.isBoolean()) {
        out.text = v.toString();
        return out;
    }
    const QVector<FormatSection>& secs = sectionsOf(code);
    if (v.isText()) {
        const FormatSection* s = textSection(secs);
        if (!s) {
            out.text = v.asText();
            return out;
        }
        out.text = formatTextSection(*s, v.asText());
        out.color = s->color;
        return out;
    }
    const double x = v.asNumber();
    bool dropSign = false;
    const FormatSection& s = numberSection(secs, x, dropSign);
    out.text = formatNumberSection(s, dropSign ? std::fabs(x) : x);
    out.color = s.color;
    return out;
}

QString NumberFormat::formatNumber(double v, const QString& code)
{
    return format(Value::number(v), code).text;
}

int NumberFormat::category(const QString& code)
{
    if (code.isEmpty() || code.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
        return 0;
    const QVector<FormatSection>& secs = sectionsOf(code);
    const FormatSection& s = secs.front();
    if (s.isText)
        return 8;
    if (s.isDate)
        return s.hasDay || s.hasYear || s.hasMonth ? 3 : 4;
    if (s.percent > 0)
        return 5;
    if (s.fraction)
        return 6;
    if (s.exponent)
        return 7;
    if (s.currency)
        return 2;
    return 1;
}

const QStringList& NumberFormat::builtInCodes()
{
    static const QStringList codes = {
        QStringLiteral("General"), QStringLiteral("0"), QStringLiteral("0.00"), QStringLiteral("#,##0"),
        QStringLiteral("#,##0.00"), QStringLiteral("0.0"), QStringLiteral("0.000"),
        QStringLiteral("\"$\"#,##0_);(\"$\"#,##0)"), QStringLiteral("\"$\"#,##0.00_);[Red](\"$\"#,##0.00)"),
        QStringLiteral("0%"), QStringLiteral("0.00%"), QStringLiteral("0.00E+00"), QStringLiteral("# ?/?"),
        QStringLiteral("# ?" "?/?" "?"), QStringLiteral("d/m/yyyy"), QStringLiteral("d-mmm-yy"), QStringLiteral("d-mmm"),
        QStringLiteral("mmm-yy"), QStringLiteral("dd/mm/yyyy hh:mm"), QStringLiteral("h:mm AM/PM"),
        QStringLiteral("h:mm:ss AM/PM"), QStringLiteral("hh:mm"), QStringLiteral("hh:mm:ss"), QStringLiteral("[h]:mm:ss"),
        QStringLiteral("@"),
    };
    return codes;
}

} // namespace vela::workbook
