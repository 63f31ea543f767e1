#pragma once
// Fixed-size NUL-terminated text fields of the results records: reading and writing them as
// QString through the Windows-1252 code page.
#include "platform/Ansi.h"

#include <QString>
#include <cstddef>

namespace vela::results {

/// Text of a fixed buffer up to its first NUL (the whole buffer when it holds none).
template <std::size_t N>
[[nodiscard]] QString ansiField(const char (&buffer)[N])
{
    return platform::fromAnsi(buffer, qsizetype(N));
}

/// Stores a text into a fixed buffer, truncated to N-1 bytes, NUL-terminated, rest zeroed.
template <std::size_t N>
void setAnsiField(char (&buffer)[N], const QString& text)
{
    for (std::size_t i = 0; i < N; ++i)
        buffer[i] = '\0';
    platform::copyAnsi(text, buffer, qsizetype(N));
}

} // namespace vela::results
