#pragma once
// The serial number: three memory words and the 12-character text the operator sees and types.
#include <QString>
#include <QtGlobal>

namespace vela::service {

/// @brief The serial number words: 2042 digits, 2044 month (high) and suffix (low),
/// 2046 prefix code (high) and year (low).
struct SerialWords {
    quint16 digits = 0;
    quint16 monthSuffix = 0;
    quint16 prefixYear = 0;
    bool operator==(const SerialWords&) const = default;

    /// The combined value: prefix code, year, month, suffix from the top byte down.
    [[nodiscard]] quint32 combined() const { return (quint32(prefixYear) << 16) | monthSuffix; }
    [[nodiscard]] int prefixCode() const { return prefixYear >> 8; }
};

/// @brief The parts of a serial number as the set-up window shows them.
struct SerialParts {
    QString text;      ///< "KN0805123412"
    QString prefix;    ///< "KN", or "00" for no prefix
    QString year, month, suffix;   ///< two hex digits each
    QString serialNo;  ///< four hex digits
};

/// The two prefix letters of a prefix code ('G' + nibble each); "00" for code 0.
[[nodiscard]] QString prefixLetters(int prefixCode);
/// The text and parts of serial words.
[[nodiscard]] SerialParts serialParts(const SerialWords& words);
/// Parses a serial text (blanks around it ignored): two prefix letters G..V (or "00"), then
/// ten hex digits (year, month, serial digits, suffix). False with an English reason otherwise.
bool parseSerialText(const QString& text, SerialWords& words, QString* reason = nullptr);

} // namespace vela::service
