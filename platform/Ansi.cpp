#include "Ansi.h"

#include <array>
#include <cstring>

namespace vela::platform {
namespace {
// 0x80..0x9F of Windows-1252; 0 marks the five unassigned bytes.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
    0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

char16_t decodeByte(unsigned char b)
{
    if (b >= 0x80 && b < 0xA0) {
        const char16_t c = kHigh[b - 0x80];
        return c ? c : char16_t(b);
    }
    return char16_t(b);
}

char encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c)
            return char(0x80 + i);
    if (c >= 0x80 && c < 0xA0)
        return char(c);
    return '?';
}
} // namespace

QString fromAnsi(const char* data, qsizetype maxLen)
{
    QString out;
    out.reserve(maxLen);
    for (qsizetype i = 0; i < maxLen && data[i] != '\0'; ++i)
        out.append(QChar(decodeByte(static_cast<unsigned char>(data[i]))));
    return out;
}

QString fromAnsi(const QByteArray& bytes)
{
    return fromAnsi(bytes.constData(), bytes.size());
}

QByteArray toAnsi(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text)
        out.append(encodeChar(c.unicode()));
    return out;
}

void copyAnsi(const QString& text, char* buffer, qsizetype size)
{
    if (size <= 0)
        return;
    const QByteArray bytes = toAnsi(text);
    const qsizetype n = std::min(bytes.size(), size - 1);
    std::memset(buffer, 0, size_t(size));
    std::memcpy(buffer, bytes.constData(), size_t(n));
}

} // namespace vela::platform
