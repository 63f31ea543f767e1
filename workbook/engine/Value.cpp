#include "workbook/engine/Value.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vela::workbook {

namespace {
const char* const kErrorTexts[] = {"", "#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A", "#CIRC!"};
}

QString errorText(ErrorCode e)
{
    const int i = int(e);
    return (i >= 0 && i <= int(ErrorCode::Circular)) ? QString::fromLatin1(kErrorTexts[i]) : QString();
}

ErrorCode errorFromText(const QString& text)
{
    for (int i = 1; i <= int(ErrorCode::Circular); ++i)
        if (text.compare(QLatin1String(kErrorTexts[i]), Qt::CaseInsensitive) == 0)
            return ErrorCode(i);
    return ErrorCode::None;
}

Value Value::number(double v)
{
    Value r;
    if (!std::isfinite(v)) {
        r.m_type = Type::Error;
        r.m_error = ErrorCode::Num;
        return r;
    }
    r.m_type = Type::Number;
    r.m_number = v == 0 ? 0.0 : v; // no negative zero
    return r;
}

Value Value::text(const QString& s)
{
    Value r;
    r.m_type = Type::Text;
    r.m_text = s;
    return r;
}

Value Value::boolean(bool b)
{
    Value r;
    r.m_type = Type::Boolean;
    r.m_number = b ? 1 : 0;
    return r;
}

Value Value::error(ErrorCode e)
{
    Value r;
    r.m_type = Type::Error;
    r.m_error = e;
    return r;
}

QString Value::toString() const
{
    switch (m_type) {
    case Type::Empty: return {};
    case Type::Number: return numberToText(m_number);
    case Type::Text: return m_text;
    case Type::Boolean: return m_number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Type::Error: return errorText(m_error);
    }
    return {};
}

bool operator==(const Value& a, const Value& b)
{
    if (a.m_type != b.m_type)
        return false;
    switch (a.m_type) {
    case Value::Type::Empty: return true;
    case Value::Type::Text: return a.m_text == b.m_text;
    case Value::Type::Error: return a.m_error == b.m_error;
    default: return a.m_number == b.m_number;
    }
}

QString numberToText(double v)
{
    if (!std::isfinite(v))
        return errorText(ErrorCode::Num);
    if (v == 0)
        return QStringLiteral("0");
    // 15 significant digits: d.dddddddddddddd e±x
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", v);
    const bool negative = buf[0] == '-';
    const char* p = buf + (negative ? 1 : 0);
    QByteArray digits;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits.append(*p);
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);
    QByteArray out;
    if (exponent >= 15 || exponent < -9) {
        out = digits.left(1);
        if (digits.size() > 1)
            out += '.' + digits.mid(1);
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += e;
    } else if (exponent < 0) {
        out = "0." + QByteArray(-exponent - 1, '0') + digits;
    } else if (digits.size() <= exponent + 1) {
        out = digits + QByteArray(exponent + 1 - int(digits.size()), '0');
    } else {
        out = digits.left(exponent + 1) + '.' + digits.mid(exponent + 1);
    }
    if (negative)
        out.prepend('-');
    return QString::fromLatin1(out);
}

} // namespace vela::workbook
