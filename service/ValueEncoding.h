#pragma once
// How edit texts become command values: converted to a number, scaled by a fixed factor,
// truncated toward zero, checked against the 16-bit range of the command. "NAN" skips a value.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace vela::service {

/// @brief The text that marks an edit whose value is not to be sent.
inline constexpr const char* kSkipText = "NAN";

/// @brief How one edit value travels.
struct FieldRule {
    const char* label;     ///< name used in a refusal ("Target 20 degree gloss")
    double factor;         ///< 10, 100, 1000, or 1 for integers
    qint32 min, max;       ///< range of the scaled value
    bool integerOnly;      ///< the text must be a whole number (bulb settling time)
};

namespace rule {
inline constexpr FieldRule kLimit{"limit", 10, -32768, 32767, false};
inline constexpr FieldRule kMinSupply{"Min Supply Voltage", 100, 0, 0xFFFF, false};
inline constexpr FieldRule kMirror{"mirror correction", 1000, -32768, 32767, false};
inline constexpr FieldRule kBulbTime{"Bulb Setting Time", 1, 0, 0xFFFF, true};
inline constexpr FieldRule kGlossChange{"Max Gloss Calib Change", 100, 0, 0xFFFF, false};
inline constexpr FieldRule kTarget{"target gloss", 100, 0, 0xFFFF, false};
} // namespace rule

/// @brief The outcome of encoding one edit.
struct EncodedValue {
    enum class Status { Value, Skip, Invalid };
    Status status = Status::Invalid;
    quint32 value = 0;     ///< the word sent (16-bit two's complement for negative values)
    QString reason;        ///< for Invalid: the refusal, in the user's language when one is loaded
    [[nodiscard]] bool skip() const { return status == Status::Skip; }
    [[nodiscard]] bool valid() const { return status != Status::Invalid; }
};

/// True when text (blanks around it ignored) is a finite decimal number; value receives it.
bool parseEditNumber(const QString& text, double& value);
/// value x factor truncated toward zero; a tiny nudge away from zero keeps decimal texts such
/// as 327.65 x 100 exact (the binary double is a hair below 32765).
[[nodiscard]] qint64 scaleTruncated(double value, double factor);
/// Encodes one edit text by its rule.
[[nodiscard]] EncodedValue encodeEdit(const QString& text, const FieldRule& rule);

/// @brief A target gloss command: "TT"/"TS"/"TE" with value x100 up to 327.65, else the
/// lower-case mnemonic with value x10.
struct TargetCommand {
    QByteArray mnemonic;
    EncodedValue encoded;
};
/// angleIndex 0 = first angle ("TT"), 1 = second ("TS"), 2 = 85 degrees ("TE").
[[nodiscard]] TargetCommand encodeTarget(const QString& text, int angleIndex);
/// Language index as "LS" sends it: 0..5, anything else 0.
[[nodiscard]] int languageValue(int index);
/// A reply word read as a signed 16-bit value x 0.001, formatted "0.000".
[[nodiscard]] QString mirrorText(quint32 word);

} // namespace vela::service
