#pragma once
// The program's one float formatter: picture strings such as "###0.0", "0.000E+00 ", "####".
#include <QString>

namespace vela::link {

/// @brief Formats a value by a picture string: '0' a digit always shown, '#' a digit shown
/// when significant, '.' the decimal point, ',' thousands grouping, "E+00"/"E-00" (or 'e')
/// scientific notation with at least that many exponent digits, text in quotes and any
/// other character copied as is, up to three sections "positive;negative;zero". Rounds half
/// away from zero. A picture without '0' before the point shows no integer digit for a value
/// below one ("####" of 0 is empty, "####.0" of 0.5 is ".5").
[[nodiscard]] QString FormatFloat(const QString& picture, double value);

} // namespace vela::link
