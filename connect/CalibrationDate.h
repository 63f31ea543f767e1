#pragma once
// The calibration-date keycode: the check value that a keycode must match for a date and a
// serial number, and the instrument words that hold the date text.
#include <QString>
#include <array>

namespace vela::connect {

/// Firmware (version x 100) from which the calibration date can be written.
inline constexpr int kCalibrationDateFirmware = 322;

/// @brief The check value of a date and a serial number: the CRC-16 (polynomial 0x1021, start
/// 0xFFFF) of the date text, a "|" and the serial text (both trimmed, the serial in upper case,
/// Windows-1252 bytes), exclusive-or 0x5A5A; never 0, so an empty or invalid keycode (read as
/// 0) never matches. The service desk issues the keycode as this value in hexadecimal.
[[nodiscard]] quint16 CalibrationCheckValue(const QString& date, const QString& serial);

/// A keycode as the operator typed it, read as hexadecimal ("0x" allowed); invalid text is 0.
[[nodiscard]] quint32 keycodeValue(const QString& text);

/// The five words of the text field for a date: its first ten characters, NUL-padded, two per
/// word with the first of each pair in the low byte.
[[nodiscard]] std::array<quint16, 5> calibrationDateWords(const QString& date);

/// Firmware version text ("3.22") as version x 100; text that is not a number gives 0.
[[nodiscard]] int firmwareHundredths(const QString& text);

} // namespace vela::connect
