#pragma once
// Left-axis scale of the results chart: the fixed table that turns the highest plotted value
// into an axis maximum and a label increment, and the tick values an axis carries.
#include <QList>

namespace vela::charts {

/// @brief Maximum (held in single precision, as the axis stores it) and label increment of a
/// left axis that starts at 0.
struct GlossScale {
    float maximum = 0.0f;
    double increment = 0.0;
};

/// @brief The scale for a highest value m: 0 to 0.1 for m = 0, 0 to 10 for m up to 10,
/// 0 to 20 above 10, ... 0 to 2000, and above 2000 the rounded m in tenths.
[[nodiscard]] GlossScale glossScaleFor(double m);

/// @brief The scale the chart applies for m: the table's, except that a highest value that
/// would leave no room above 0 (negative, NaN, nothing plotted) gives the scale of 0.
[[nodiscard]] GlossScale safeGlossScaleFor(double m);

/// @brief A "nice" label increment (1, 2 or 5 times a power of ten) giving about `target`
/// intervals over span; 1 for an empty or invalid span.
[[nodiscard]] double niceIncrement(double span, int target = 10);

/// @brief Tick values from minimum in steps of increment, not beyond maximum (a small
/// tolerance keeps the last tick when rounding lands just above it); at most maxTicks values.
[[nodiscard]] QList<double> axisTicks(double minimum, double maximum, double increment,
                                      int maxTicks = 200);

} // namespace vela::charts
