#pragma once
// The virtual instrument's whole state in one struct: memory image, model, live settings.
// Command handlers read and change it; the scenario file loads and saves it.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace vela::sim {

/// @brief Instrument models the simulator can play.
enum class Model { Single20, Single45, Single45_0, Single60, Dual, Triple, Opacity };

[[nodiscard]] QString modelName(Model model);            ///< "single20", "dual", ...
[[nodiscard]] bool modelFromName(const QString& name, Model& model);

inline constexpr int kMemorySize = 8192;

/// @brief Potentiometer and lamp state of one measuring angle (set-up side).
struct AngleChannel {
    int signalPot = 64;       ///< 1..127
    int referencePot = 64;    ///< 1..127
    double tileGloss = 93.0;  ///< gloss of the tile under the instrument
};

/// @brief Everything the instrument knows.
struct InstrumentState {
    Model model = Model::Dual;
    int firmwareVersion = 325;              ///< reply of "VV": version x 100
    std::array<std::uint8_t, kMemorySize> memory{};

    // Command-side registers.
    int loadAddress = 0;                    ///< last "LE" value
    quint32 lastWrite = 0;                  ///< last "WE" reply value
    quint32 checksum = 0;                   ///< last "UC" value
    bool memoryBusy = false;                ///< answers the "LB" guard
    bool poweredOn = true;
    int offHoldMs = 5000;                   ///< after "OF": silent this long, then on again
    bool gainDiv10 = false;
    bool stayOn = false;
    bool measureScreen = true;
    int keys = 0;                           ///< last "KP" code
    int angleSetup = 0;                     ///< last "AS" value
    int batteryCentivolts = 900;
    int divideRange = 1000;                 ///< "DR" reply: divide-by-10 range x100
    int glossChange = 200;                  ///< "GC" value
    int soakRuns = 0;                       ///< "ST" count
    std::array<AngleChannel, 3> channels{}; ///< 20, middle, 85 degree
    int currentAngle = 0;                   ///< channel the readings come from
    QByteArray printout;                    ///< what "PR" prints (empty: demo opacity batches)
    QByteArray pendingOutput;               ///< sent by the line after the reply (TextStream)

    // Words and helpers of the memory image.
    [[nodiscard]] quint16 word(int address) const;
    void setWord(int address, quint16 value);
    [[nodiscard]] float floatAt(int address) const;
    void setFloat(int address, float value);
    [[nodiscard]] int memoryBase() const;   ///< 0 when config bit 10 is set, else 4096
    [[nodiscard]] int angleCode() const;    ///< system data word 0
};

/// Resets memory and registers for a model: configuration word, system data, empty slots.
void applyModel(InstrumentState& state, Model model);
/// Stores sample values in a slot with a header consistent with them (count, C.V., SD, max,
/// min, mean); keeps the calibration fields of the header. At most 200 values are stored.
void storeSamples(InstrumentState& state, int slot, const std::vector<float>& values);
/// Sample values currently stored in a slot (count from its header, clamped to 0..200).
[[nodiscard]] std::vector<float> storedSamples(const InstrumentState& state, int slot);
/// Calibration fields of a slot header.
struct SlotCalibration {
    int sourcePot = 64, receiverPot = 64;
    float target = 93.0f, gain = 1.0e-3f, offset = 0.0f;
    float high = 100.0f, low = 0.0f, difference = 10.0f;
};
void setSlotCalibration(InstrumentState& state, int slot, const SlotCalibration& cal);
/// The ten-character calibration date text "DD/MM/YYYY" (words 2064..2072).
void setCalibrationDate(InstrumentState& state, const QByteArray& text);
[[nodiscard]] QByteArray calibrationDate(const InstrumentState& state);
/// Serial words 2042 (digits), 2044 (month, suffix), 2046 (prefix, year).
void setSerialWords(InstrumentState& state, quint16 digits, quint16 monthSuffix, quint16 prefixYear);
/// Slots the model uses (0 = 20, 1 = middle, 2 = 85 degree).
[[nodiscard]] std::vector<int> slotsOf(Model model);

} // namespace vela::sim
