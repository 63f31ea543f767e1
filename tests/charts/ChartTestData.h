#pragma once
// Records for the chart tests.
#include "results/OpacityRecord.h"
#include "results/ResultsRecord.h"

#include <initializer_list>

namespace vela::test {

/// A gloss record holding these values, its count set to match.
[[nodiscard]] results::ResultsRecord glossRecord(std::initializer_list<float> values);
/// A gloss record of n samples rising from start by step.
[[nodiscard]] results::ResultsRecord rampRecord(int n, float start, float step);
/// An opacity record with these black and white readings.
[[nodiscard]] results::OpacityRecord opacityRecord(std::initializer_list<float> black,
                                                   std::initializer_list<float> white);

} // namespace vela::test
