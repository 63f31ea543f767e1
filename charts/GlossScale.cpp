#include "charts/GlossScale.h"

#include <cmath>
#include <limits>

namespace vela::charts {

namespace {

struct Band {
    double upTo;      // inclusive upper bound of the band
    double maximum;
    double increment;
};

// m from 1 upwards; the eight Scale menu values are the upper bounds.
constexpr Band kBands[] = {
    {10.0, 10.0, 1.0},     {20.0, 20.0, 2.0},       {50.0, 50.0, 5.0},
    {100.0, 100.0, 10.0},  {200.0, 200.0, 10.0},    {500.0, 500.0, 50.0},
    {1000.0, 1000.0, 100.0}, {1500.0, 1500.0, 100.0}, {2000.0, 2000.0, 100.0},
};

} // namespace

GlossScale glossScaleFor(double m)
{
    if (m < 1.0)
        return {float((std::trunc(m * 10.0) + 1.0) * 0.1), 0.1};
    for (const Band& b : kBands) {
        if (m <= b.upTo)
            return {float(b.maximum), b.increment};
    }
    const float maximum = float(std::trunc(m + 0.5));
    return {maximum, double(maximum) / 10.0};
}

GlossScale safeGlossScaleFor(double m)
{
    constexpr double kLargest = double(std::numeric_limits<float>::max()) / 2.0;
    if (!std::isfinite(m))
        m = std::isinf(m) && m > 0 ? kLargest : 0.0;
    if (m > kLargest)
        m = kLargest;
    GlossScale s = glossScaleFor(m);
    if (!(s.maximum > 0.0f))
        s = glossScaleFor(0.0);
    return s;
}

double niceIncrement(double span, int target)
{
    if (!std::isfinite(span) || span <= 0.0 || target < 1)
        return 1.0;
    const double raw = span / target;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / magnitude;
    const double nice = f <= 1.0 ? 1.0 : (f <= 2.0 ? 2.0 : (f <= 5.0 ? 5.0 : 10.0));
    return nice * magnitude;
}

QList<double> axisTicks(double minimum, double maximum, double increment, int maxTicks)
{
    QList<double> ticks;
    if (!std::isfinite(minimum) || !std::isfinite(maximum) || !std::isfinite(increment)
        || increment <= 0.0 || maximum < minimum)
        return ticks;
    const double tolerance = increment * 1e-6;
    for (int k = 0; k < maxTicks; ++k) {
        const double v = minimum + k * increment;
        if (v > maximum + tolerance)
            break;
        ticks.append(v);
    }
    return ticks;
}

} // namespace vela::charts
