#pragma once
// The instrument configuration as the set-up window shows it: the model and option bits of the
// configuration word, the serial number, the edit texts of the scaled values, the pot levels.
// Edit-backed values stay text, so "NAN" (skip this value) and the operator's own formatting
// travel unchanged between the window, the preferences dialog, the tester and velactl.
#include <QString>
#include <QtGlobal>
#include <array>

namespace vela::service {

/// @brief Models the configuration word can name (the set-up window's radio buttons).
enum class SetupModel { Single20, Single60, Single45, Single45_0, Dual, Triple };

[[nodiscard]] QString modelKey(SetupModel model);   ///< "single20", "single60", ... "triple"
[[nodiscard]] bool modelFromKey(const QString& key, SetupModel& model);

/// @brief High limit, low limit and maximum difference of one angle ("###0.0" texts).
struct LimitTexts {
    QString high = QStringLiteral("100.0");
    QString low = QStringLiteral("0.0");
    QString difference = QStringLiteral("10.0");
    bool operator==(const LimitTexts&) const = default;
};

/// The instrument languages in item order ("LS" sends the index).
inline constexpr std::array<const char*, 6> kLanguageItems = {
    "English", "Francais", "Espanol", "Deutsch", "Italiano/Italian", "Dutch"};

/// On-time track bar range and step.
inline constexpr int kOnTimeMin = 30;
inline constexpr int kOnTimeMax = 120;
/// Pot track bar range and design level.
inline constexpr int kPotMin = 1;
inline constexpr int kPotMax = 127;
inline constexpr int kPotDesign = 63;

/// @brief Every value of the set-up window that is read from or written to the instrument.
/// Default-constructed, it is the window's design state.
struct SetupValues {
    // Configuration word (model radio buttons and option check boxes).
    SetupModel model = SetupModel::Dual;
    bool partnerBrand = false;        ///< CBBrevantaInstrument
    bool statsInstrument = true;      ///< CBStatsInstrument
    bool passFailLimits = false;      ///< PassFailTestLimits
    bool divideBy10Ranging = true;    ///< cbUseDivideby10Ranging
    bool readOnTimeOps = false;       ///< cbReadontimeops
    bool enableCorrection = false;    ///< cbEnableCorrection
    QString configWord;               ///< DefWord, "%04x" of the word read

    // Identity.
    QString firmwareVersion;          ///< FirmwareVer, "%d.%02d"
    QString serialText;               ///< SerialLabel (12 characters)
    QString prefix, year, month, serialNo, suffix;

    // Scaled values (edit texts).
    QString target20 = QStringLiteral("88.0");   ///< SetupTargetGloss20
    QString target60 = QStringLiteral("93.0");   ///< SetupTargetGloss60
    QString target85 = QStringLiteral("93.0");   ///< SetupTargetGloss85
    QString mirror20 = QStringLiteral("0.000");  ///< MirrorConnection20
    QString mirror60 = QStringLiteral("0.000");  ///< MirrorCorrection60
    QString minSupplyVoltage = QStringLiteral("5.0");
    QString bulbSettlingTime = QStringLiteral("200");
    QString maxGlossCalibChange = QStringLiteral("10.0");
    QString divideBy10Range;          ///< DivideBy10Range, read only ("0.00")
    LimitTexts limits20;              ///< the first angle's limits ("LE" 0)
    LimitTexts limits60;              ///< the second angle's limits ("LE" 1)

    // Settings.
    int onTime = kOnTimeMin;          ///< tbInstrumentOnTime position, seconds
    int language = 0;                 ///< Languages item index (-1: none selected)
    bool autoCalibration = false;     ///< AutoCalibration
    int signalPot = kPotDesign;       ///< SignalPot / TBSignalDiode
    int refPot = kPotDesign;          ///< RefPot / TBRefDiode
};

/// The configuration word for the values: 0xFFFF with one bit cleared per option that is on.
[[nodiscard]] quint16 buildConfigWord(const SetupValues& values);
/// Sets the model and option fields (and the DefWord text) from a configuration word.
void decodeConfigWord(quint16 word, SetupValues& values);
/// Memory base of the angle slots for a configuration word (0 with bit 10 set, else 4096).
[[nodiscard]] int memoryBaseOf(quint16 configWord);
/// Whether the model measures at 20 degrees / at 60 degrees / at 85 degrees.
[[nodiscard]] bool has20Degree(SetupModel model);
[[nodiscard]] bool has60Degree(SetupModel model);
[[nodiscard]] bool has85Degree(SetupModel model);

} // namespace vela::service
