#include "connect/CalibrationDate.h"

#include "platform/Ansi.h"

#include <cmath>

namespace vela::connect {
namespace {

quint16 crc16(const QByteArray& bytes)
{
    quint16 crc = 0xFFFF;
    for (const char c : bytes) {
        crc ^= quint16(quint8(c)) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

} // namespace

quint16 CalibrationCheckValue(const QString& date, const QString& serial)
{
    const QByteArray text = platform::toAnsi(date.trimmed() + QLatin1Char('|') + serial.trimmed().toUpper());
    const quint16 value = crc16(text) ^ 0x5A5A;
    return value == 0 ? 0x5A5A : value;
}

quint32 keycodeValue(const QString& text)
{
    QString t = text.trimmed();
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        t = t.mid(2);
    bool ok = false;
    const quint32 v = t.toUInt(&ok, 16);
    return ok ? v : 0;
}

std::array<quint16, 5> calibrationDateWords(const QString& date)
{
    QByteArray bytes = platform::toAnsi(date).left(10);
    bytes.append(QByteArray(10 - bytes.size(), '\0'));
    std::array<quint16, 5> words{};
    for (size_t k = 0; k < words.size(); ++k)
        words[k] = quint16(quint8(bytes[qsizetype(2 * k)]) | (quint8(bytes[qsizetype(2 * k + 1)]) << 8));
    return words;
}

int firmwareHundredths(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) && v > 0 && v < 1.0e6 ? int(std::lround(v * 100.0)) : 0;
}

} // namespace vela::connect
