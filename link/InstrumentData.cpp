#include "InstrumentData.h"

#include "link/FloatFormat.h"

#include <cstring>

namespace vela::link {

float wordsToFloat(quint16 low, quint16 high)
{
    const quint32 bits = quint32(low) | (quint32(high) << 16);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::array<quint16, 2> floatToWords(float value)
{
    quint32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return {quint16(bits & 0xFFFF), quint16(bits >> 16)};
}

float SystemData::minSupplyVoltage() const
{
    return wordsToFloat(quint16(words[6]), quint16(words[7]));
}

float SlotHeader::floatAt(int byteOffset) const
{
    const size_t w = size_t(byteOffset / 2);
    return wordsToFloat(words[w], words[w + 1]);
}

void SlotHeader::setFloatAt(int byteOffset, float value)
{
    const size_t w = size_t(byteOffset / 2);
    const auto pair = floatToWords(value);
    words[w] = pair[0];
    words[w + 1] = pair[1];
}

int SlotHeader::samplesToRead() const
{
    return std::clamp<int>(count(), 0, mem::kSlotMaxSamples);
}

QString angleText(int angleCode)
{
    switch (angleCode) {
    case angle::k20: return QStringLiteral("20°");
    case angle::k45: return QStringLiteral("45°");
    case angle::k45_0: return QStringLiteral("45/0°");
    case angle::k60: return QStringLiteral("60°");
    case angle::k85: return QStringLiteral("85°");
    case angle::kAll: return QStringLiteral("ALL");
    default: return QStringLiteral("xx°");
    }
}

SystemDataView viewOf(const SystemData& data)
{
    static const char* const kLanguages[] = {"English", "French", "Spanish",
                                             "German",  "Italian", "Dutch"};
    SystemDataView v;
    v.angle = angleText(data.angleCode());
    v.singleAngleInst = data.singleAngle();
    v.opacity = data.opacity();
    v.nonStats = data.nonStats();
    v.backlightOn = data.backlightOn();
    const int language = data.language();
    if (language >= 0 && language < 6) {
        v.language = QString::fromLatin1(kLanguages[language]);
        v.languageTag = language;
    } else {
        v.language = QStringLiteral("english");
        v.languageTag = -1;
    }
    v.calibrationMode = data.calibrationMode() == 1 ? QStringLiteral("Auto Cal")
                                                    : QStringLiteral("Manual Cal");
    v.minSupplyVoltage = FormatFloat(QStringLiteral("0.00"), data.minSupplyVoltage());
    v.onTime = data.onTime();
    v.bulbSettlingTime = QString::number(data.bulbSettling());
    v.soakTestSamples = QString::number(data.soakCount);
    return v;
}

SlotView viewOf(const SlotHeader& header)
{
    const QString oneDecimal = QStringLiteral("###0.0");
    SlotView v;
    v.samples = QString::number(header.count());
    v.sourcePot = QString::number(header.sourcePot());
    v.receiverPot = QString::number(header.receiverPot());
    v.gain = FormatFloat(QStringLiteral("0.000E+00 "), header.gain());
    v.offset = FormatFloat(QStringLiteral("###0.0000"), header.offset());
    v.targetGloss = FormatFloat(oneDecimal, header.targetGloss());
    v.highLimit = FormatFloat(oneDecimal, header.highLimit());
    v.lowLimit = FormatFloat(oneDecimal, header.lowLimit());
    v.maxDifference = FormatFloat(oneDecimal, header.maxDifference());
    return v;
}

} // namespace vela::link
