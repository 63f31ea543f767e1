#pragma once
// The texts the results chart computes: the read-out under the mouse, axis labels and value
// marks, the rate of change, the cursor line of the printout and the series titles.
#include <QString>

namespace vela::charts {

/// @brief Picture "####": rounded to a whole number, no leading zeros, nothing for zero.
[[nodiscard]] QString formatWhole(double v);
/// @brief Picture "####.0": exactly one decimal, no zero before the point (0.5 gives ".5").
[[nodiscard]] QString formatOneDecimal(double v);
/// @brief Picture "###0.0" of the value marks: one decimal, at least one integer digit.
[[nodiscard]] QString formatValueMark(double v);
/// @brief Picture "###0.0#" of the left-axis labels: one or two decimals.
[[nodiscard]] QString formatAxisLabel(double v);

/// @brief The read-out: X units, x as "####", " , ", v as "####.0", Y units
/// ("Samples 12 , 85.3 GU").
[[nodiscard]] QString readOutText(const QString& xUnits, double x, double v,
                                  const QString& yUnits);

/// @brief The rate appended to the "Rate of Change" label (" %3.02lf").
[[nodiscard]] QString rateSuffix(double rate);
/// @brief A cursor's position and height on the printout ("%2.3lf s , %2.2lf ").
[[nodiscard]] QString printCursorText(double position, double height);
/// @brief The rate on the printout (": %3.02lf ").
[[nodiscard]] QString printRateText(double rate);

/// @brief File name of a path without folder and extension; both '\' and '/' separate folders.
[[nodiscard]] QString baseNameOf(const QString& path);
/// @brief A series title: the label followed directly by the path's base name.
[[nodiscard]] QString slotTitle(const QString& path, const QString& label);

} // namespace vela::charts
