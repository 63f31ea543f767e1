#pragma once
// Conversion between Qt strings and the 8-bit Windows-1252 texts that the instrument,
// the results files and the translation files use (the degree sign is the byte 0xB0).
#include <QByteArray>
#include <QString>

namespace vela::platform {

/// @brief Decodes Windows-1252 bytes; a NUL ends the text.
[[nodiscard]] QString fromAnsi(const char* data, qsizetype maxLen);
[[nodiscard]] QString fromAnsi(const QByteArray& bytes);
/// @brief Encodes as Windows-1252; characters outside the code page become '?'.
[[nodiscard]] QByteArray toAnsi(const QString& text);
/// @brief Copies a text into a fixed NUL-terminated buffer, truncating to size-1 bytes.
void copyAnsi(const QString& text, char* buffer, qsizetype size);

} // namespace vela::platform
