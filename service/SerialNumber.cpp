#include "SerialNumber.h"

namespace vela::service {
namespace {

QString hex(quint32 value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0'));
}

bool hexField(const QString& text, int from, int length, quint32& value)
{
    bool ok = false;
    const QString field = text.mid(from, length);
    for (QChar c : field)
        if (!isxdigit(c.toLatin1()))
            return false;
    value = field.toUInt(&ok, 16);
    return ok;
}

bool prefixCodeOf(const QString& letters, int& code)
{
    if (letters == QLatin1String("00")) {
        code = 0;
        return true;
    }
    const QString upper = letters.toUpper();
    code = 0;
    for (QChar c : upper) {
        if (c < QLatin1Char('G') || c > QLatin1Char('V'))
            return false;
        code = code * 16 + (c.unicode() - 'G');
    }
    return true;
}

} // namespace

QString prefixLetters(int prefixCode)
{
    if (prefixCode == 0)
        return QStringLiteral("00");
    return QString(QChar('G' + ((prefixCode >> 4) & 0xF))) + QChar('G' + (prefixCode & 0xF));
}

SerialParts serialParts(const SerialWords& words)
{
    const quint32 v = words.combined();
    SerialParts p;
    p.prefix = prefixLetters(words.prefixCode());
    p.text = p.prefix + hex((v >> 8) & 0xFFFF, 4) + hex(words.digits, 4) + hex(v & 0xFF, 2);
    p.year = hex((v >> 16) & 0xFF, 2);
    p.month = hex((v >> 8) & 0xFF, 2);
    p.suffix = hex(v & 0xFF, 2);
    p.serialNo = hex(words.digits, 4);
    return p;
}

bool parseSerialText(const QString& input, SerialWords& words, QString* reason)
{
    const QString text = input.trimmed();
    const auto refuse = [reason](const char* why) {
        if (reason)
            *reason = QString::fromLatin1(why);
        return false;
    };
    if (text.size() != 12)
        return refuse("A serial number has 12 characters.");
    int prefix = 0;
    if (!prefixCodeOf(text.left(2), prefix))
        return refuse("The serial number prefix is two letters from G to V, or 00.");
    quint32 year = 0, month = 0, digits = 0, suffix = 0;
    if (!hexField(text, 2, 2, year) || !hexField(text, 4, 2, month) ||
        !hexField(text, 6, 4, digits) || !hexField(text, 10, 2, suffix))
        return refuse("After its prefix a serial number holds ten hexadecimal digits.");
    const quint32 v = (quint32(prefix) << 24) | (year << 16) | (month << 8) | suffix;
    words.digits = quint16(digits);
    words.monthSuffix = quint16(v & 0xFFFF);
    words.prefixYear = quint16(v >> 16);
    return true;
}

} // namespace vela::service
