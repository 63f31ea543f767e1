#pragma once
// What the link reads from instrument memory, and the texts the interface window shows for it.
#include "link/CommandSet.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace vela::link {

/// @brief The system data block (words 0..9) and the soak test count.
struct SystemData {
    std::array<qint16, mem::kSystemDataWords> words{};
    quint32 soakCount = 0;

    [[nodiscard]] int angleCode() const { return words[0]; }
    [[nodiscard]] bool singleAngle() const { return words[2] == 0; }
    [[nodiscard]] unsigned options() const { return unsigned(words[3]) & 0xFFu; }
    [[nodiscard]] bool opacity() const { return options() & option::kOpacity; }
    [[nodiscard]] bool nonStats() const { return options() & option::kNonStats; }
    [[nodiscard]] bool backlightOn() const { return !(options() & option::kBacklightOff); }
    [[nodiscard]] int language() const { return words[4]; }
    [[nodiscard]] int calibrationMode() const { return words[5]; }
    [[nodiscard]] float minSupplyVoltage() const;
    [[nodiscard]] int onTime() const { return words[8]; }
    [[nodiscard]] int bulbSettling() const { return words[9]; }
};

/// @brief A 28-word slot header (little-endian layout of the instrument).
struct SlotHeader {
    std::array<quint16, mem::kSlotHeaderWords> words{};

    [[nodiscard]] qint16 count() const { return qint16(words[0]); }
    [[nodiscard]] int sourcePot() const { return words[1] & 0xFF; }
    [[nodiscard]] int receiverPot() const { return words[1] >> 8; }
    [[nodiscard]] float cvRatio() const { return floatAt(4); }
    [[nodiscard]] float stdDev() const { return floatAt(8); }
    [[nodiscard]] float maximum() const { return floatAt(12); }
    [[nodiscard]] float minimum() const { return floatAt(16); }
    [[nodiscard]] float mean() const { return floatAt(20); }
    [[nodiscard]] float targetGloss() const { return floatAt(24); }
    [[nodiscard]] float gain() const { return floatAt(32); }
    [[nodiscard]] float offset() const { return floatAt(36); }
    [[nodiscard]] float highLimit() const { return floatAt(44); }
    [[nodiscard]] float lowLimit() const { return floatAt(48); }
    [[nodiscard]] float maxDifference() const { return floatAt(52); }
    /// Samples to read: the count, 0 when negative, at most the slot's 200 values.
    [[nodiscard]] int samplesToRead() const;
    /// Float32 at a byte offset (even) of the header.
    [[nodiscard]] float floatAt(int byteOffset) const;
    void setFloatAt(int byteOffset, float value);
};

/// @brief One angle slot as last read: header, whether its count is valid, sample values.
struct SlotData {
    SlotHeader header;
    bool countValid = false;           ///< the count field's tag: 1 after a successful header read
    std::vector<float> samples;        ///< values read by the last sample read
};

/// Float from two words, low word first.
[[nodiscard]] float wordsToFloat(quint16 low, quint16 high);
/// Two words (low first) of a float.
[[nodiscard]] std::array<quint16, 2> floatToWords(float value);

/// @brief Texts and states of the system data fields as the interface window shows them.
struct SystemDataView {
    QString angle;               ///< "20°", "45°", "45/0°", "60°", "85°", "ALL" or "xx°"
    bool singleAngleInst = false;
    bool opacity = false;
    bool nonStats = false;
    bool backlightOn = false;
    QString language;            ///< "English" ... "Dutch", else "english"
    int languageTag = -1;
    QString calibrationMode;     ///< "Auto Cal" / "Manual Cal"
    QString minSupplyVoltage;    ///< "0.00"
    int onTime = 0;              ///< track bar position 30..120
    QString bulbSettlingTime;
    QString soakTestSamples;
};
[[nodiscard]] SystemDataView viewOf(const SystemData& data);
[[nodiscard]] QString angleText(int angleCode);

/// @brief Texts of one slot's fields as the interface window shows them.
struct SlotView {
    QString samples;             ///< count as an integer
    QString sourcePot;
    QString receiverPot;
    QString gain;                ///< "0.000E+00 "
    QString offset;              ///< "###0.0000"
    QString targetGloss;         ///< "###0.0"
    QString highLimit;           ///< "###0.0"
    QString lowLimit;
    QString maxDifference;
};
[[nodiscard]] SlotView viewOf(const SlotHeader& header);

} // namespace vela::link
