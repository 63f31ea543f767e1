#pragma once
// The older results file kind, read and converted to gloss results but never written.
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace vela::results {

/// @brief Head and arrays of a legacy results file (6,020 bytes).
struct LegacyResultsRecord {
    float angleCode = 0.0f;     // 20, 40, 45, 46, 47, 60, 75 or 85
    float sampleNumber = 0.0f;  // one more than the number of samples
    std::uint8_t minute = 0;
    std::uint8_t hour = 0;
    std::uint8_t hundredths = 0;  // not used
    std::uint8_t second = 0;
    std::uint8_t unused[8] = {};
    float values[1000] = {};
    std::uint8_t tags[1000] = {};
    char notes[1000] = {};
};
static_assert(std::is_standard_layout_v<LegacyResultsRecord>);
static_assert(std::is_trivially_copyable_v<LegacyResultsRecord>);
static_assert(sizeof(LegacyResultsRecord) == 6020);
static_assert(offsetof(LegacyResultsRecord, sampleNumber) == 4);
static_assert(offsetof(LegacyResultsRecord, minute) == 8);
static_assert(offsetof(LegacyResultsRecord, hour) == 9);
static_assert(offsetof(LegacyResultsRecord, hundredths) == 10);
static_assert(offsetof(LegacyResultsRecord, second) == 11);
static_assert(offsetof(LegacyResultsRecord, values) == 20);
static_assert(offsetof(LegacyResultsRecord, tags) == 4020);
static_assert(offsetof(LegacyResultsRecord, notes) == 5020);

} // namespace vela::results
