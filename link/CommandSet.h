#pragma once
// The instrument's command set: mnemonics (case matters: "TT" and "tt" differ), the memory
// map, and the time bases that callers set around particular commands.
#include <array>

namespace vela::link {

/// @brief Two-letter command mnemonics exactly as the instrument expects them.
namespace cmd {
inline constexpr const char* kReadEeprom = "RE";      ///< value: even address; reply: word
inline constexpr const char* kLoadAddress = "LE";     ///< address for the next "WE"; 0/1 chooses the angle for HL/LL/MD
inline constexpr const char* kWriteEeprom = "WE";     ///< word to write; reply passed to "UC"
inline constexpr const char* kUpdateChecksum = "UC";  ///< reply value of the last "WE"
inline constexpr const char* kVersion = "VV";         ///< 0; reply: firmware version x100
inline constexpr const char* kLockBusy = "LB";        ///< 0xA5A5; an answer means memory is busy
inline constexpr const char* kCloseStats = "CS";      ///< 0; sent before each sample upload
inline constexpr const char* kDeleteAll = "DA";       ///< slot 0/1/2 (tester: 16/17/18)
inline constexpr const char* kPrintResults = "PR";    ///< 0; starts the opacity text stream
inline constexpr const char* kOff = "OF";             ///< 0; switches the instrument off
inline constexpr const char* kReadLevel = "RL";       ///< 0 signal pot, 1 reference pot; reply low 7 bits
inline constexpr const char* kDivideRange = "DR";     ///< 1; reply divide-by-10 range x100
inline constexpr const char* kHighLimit = "HL";       ///< high limit x10
inline constexpr const char* kLowLimit = "LL";        ///< low limit x10
inline constexpr const char* kMaxDifference = "MD";   ///< maximum difference x10
inline constexpr const char* kOnTime = "OT";          ///< seconds 30..120
inline constexpr const char* kMinSupply = "MS";       ///< minimum supply voltage x100
inline constexpr const char* kTarget1 = "TT";         ///< first angle target x100 (<= 327.65)
inline constexpr const char* kTarget1High = "tt";     ///< first angle target x10 (> 327.65)
inline constexpr const char* kTarget2 = "TS";         ///< second angle target x100
inline constexpr const char* kTarget2High = "ts";     ///< second angle target x10
inline constexpr const char* kTarget85 = "TE";        ///< 85 degree target x100
inline constexpr const char* kTarget85High = "te";    ///< 85 degree target x10
inline constexpr const char* kCorrection20 = "C0";    ///< 20 degree mirror correction x1000
inline constexpr const char* kCorrection2 = "C1";     ///< second angle mirror correction x1000
inline constexpr const char* kAutoCal = "CT";         ///< 1 automatic calibration on, 0 off
inline constexpr const char* kBulbSettling = "BS";    ///< bulb settling time, ms
inline constexpr const char* kLanguage = "LS";        ///< 0..5 (above 5 sent as 0)
inline constexpr const char* kGlossChange = "GC";     ///< maximum gloss change in calibration x100
inline constexpr const char* kSoakTest = "ST";        ///< 0; starts the soak test
inline constexpr const char* kResetSettings = "RS";   ///< 0; resets all settings
inline constexpr const char* kStayOn = "SO";          ///< 1 never switch off; reply nonzero = always on
inline constexpr const char* kGain = "GA";            ///< 1 divide-by-10; reply resulting state
inline constexpr const char* kNonStats = "NM";        ///< 1 non-statistics mode; reply resulting state
inline constexpr const char* kAngleSetup = "AS";      ///< 1 angle set-up, 2 before a pot adjustment
inline constexpr const char* kPotLevel = "PL";        ///< 1..127 signal, 256+level reference; reply low 7 bits
inline constexpr const char* kLampOutput = "LO";      ///< channel 0x10/0x20 + lamp 1/2/4; reply 0.1 mV
inline constexpr const char* kLiveGloss = "LG";       ///< 0; reply gloss x10
inline constexpr const char* kAngleCode = "AG";       ///< 0; reply angle code
inline constexpr const char* kStoredCount = "NS";     ///< 0; reply number of stored samples
inline constexpr const char* kBattery = "BV";         ///< 0; reply battery voltage x100
inline constexpr const char* kKeyPress = "KP";        ///< key code, 0 = released
inline constexpr const char* kMeasureScreen = "ML";   ///< 0 query, 2 before a remote reading

/// Every mnemonic of the table, in the table's order.
inline constexpr std::array<const char*, 43> kAll = {
    kReadEeprom, kLoadAddress, kWriteEeprom, kUpdateChecksum, kVersion, kLockBusy, kCloseStats,
    kDeleteAll, kPrintResults, kOff, kReadLevel, kDivideRange, kHighLimit, kLowLimit,
    kMaxDifference, kOnTime, kMinSupply, kTarget1, kTarget1High, kTarget2, kTarget2High,
    kTarget85, kTarget85High, kCorrection20, kCorrection2, kAutoCal, kBulbSettling, kLanguage,
    kGlossChange, kSoakTest, kResetSettings, kStayOn, kGain, kNonStats, kAngleSetup, kPotLevel,
    kLampOutput, kLiveGloss, kAngleCode, kStoredCount, kBattery, kKeyPress, kMeasureScreen};
} // namespace cmd

/// Value that "LB" sends: the memory-busy guard.
inline constexpr int kLockBusyValue = 0xA5A5;

/// Key codes of "KP".
namespace key {
inline constexpr int kReleased = 0;
inline constexpr int kRead = 1;
inline constexpr int kAngle = 2;
inline constexpr int kUp = 4;
inline constexpr int kDown = 8;
} // namespace key

/// Angle codes of system data word 0 and of "AG".
namespace angle {
inline constexpr int k20 = 0;
inline constexpr int k45 = 1;
inline constexpr int k45_0 = 2;
inline constexpr int k60 = 3;
inline constexpr int k85 = 5;
inline constexpr int kAll = 6;
} // namespace angle

/// @brief Byte addresses of the instrument memory (EEPROM); one word is 16 bits at an even
/// address, little-endian.
namespace mem {
inline constexpr int kSystemData = 0;          ///< 10 words, addresses 0..18
inline constexpr int kSystemDataWords = 10;
inline constexpr int kSlotSamples[3] = {20, 876, 1732};   ///< + memory base
inline constexpr int kSlotHeaders[3] = {820, 1676, 2532}; ///< + memory base
inline constexpr int kSlotHeaderWords = 28;
inline constexpr int kSlotHeaderBytes = 56;
inline constexpr int kSlotMaxSamples = 200;    ///< float32 values, two words each
inline constexpr int kMirrorCorrection2 = 2022;   ///< signed x0.001
inline constexpr int kMirrorCorrection20 = 2024;  ///< signed x0.001
inline constexpr int kSoakCount = 2030;        ///< 32 bits, low word first
inline constexpr int kConfigWord = 2040;
inline constexpr int kSerialDigits = 2042;
inline constexpr int kSerialMonthSuffix = 2044;
inline constexpr int kSerialPrefixYear = 2046;
inline constexpr int kCalDateText = 2064;      ///< 5 words, 10 characters, low byte first
inline constexpr int kCalDateWords = 5;
inline constexpr int kBaseDual = 0;            ///< memory base when config bit 10 is set
inline constexpr int kBaseOther = 4096;        ///< memory base when config bit 10 is clear
inline constexpr int kSize = 8192;             ///< bytes of instrument memory
} // namespace mem

/// Configuration word bits (active low: a clear bit means the option or model).
namespace config {
inline constexpr unsigned kPartnerBrand = 0x0001;
inline constexpr unsigned kStats = 0x0002;        ///< clear = not a stats instrument
inline constexpr unsigned kSingle60 = 0x0004;
inline constexpr unsigned kSingle20 = 0x0008;
inline constexpr unsigned kPassFailLimits = 0x0010;
inline constexpr unsigned kDivideBy10 = 0x0020;   ///< clear = no divide-by-10 ranging
inline constexpr unsigned kSingle45 = 0x0040;
inline constexpr unsigned kSingle45_0 = 0x0080;
inline constexpr unsigned kReadOnTime = 0x0100;
inline constexpr unsigned kTriple = 0x0400;       ///< clear = triple (with model bits set); also memory base
inline constexpr unsigned kCorrection = 0x0800;   ///< clear = correction not enabled
} // namespace config

/// System data option bits (word 3, low byte).
namespace option {
inline constexpr unsigned kOpacity = 0x02;
inline constexpr unsigned kNonStats = 0x10;
inline constexpr unsigned kBacklightOff = 0x80;
} // namespace option

/// @brief Time bases in milliseconds; a transaction waits twice its time base.
namespace timebase {
inline constexpr int kDefault = 4000;        ///< 8000 ms wait
inline constexpr int kProbe = 600;           ///< "VV" presence probe: 1200 ms wait
inline constexpr int kMemoryBusy = 200;      ///< "LB" guard: 400 ms wait
inline constexpr int kCloseStats = 6000;     ///< "CS": 12000 ms wait
inline constexpr int kAfterUpload = 3000;    ///< left in force after the first sample upload
} // namespace timebase

/// Baud rates the program opens ports at.
inline constexpr int kBaudNormal = 4800;
inline constexpr int kBaudHighSpeed = 115200;
inline constexpr int kBaudWindowDefault = 9600;

} // namespace vela::link
