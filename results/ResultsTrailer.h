#pragma once
// The 384-byte trailer that follows the record in every results file: three optional extra
// values with their show flags, the file's base name and the date of its last write.
#include "results/AnsiField.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace vela::results {

inline constexpr int kExtraValues = 3;

/// @brief The trailer of a results file (384 bytes): three extra values with their show flags
/// (stored as 0 or 1; the third has no padding after its flag), the base name, the write date.
struct ResultsTrailer {
    float extra1 = 100.0f;
    std::uint8_t show1 = 1;
    std::uint8_t padding1[3] = {};
    float extra2 = 0.0f;
    std::uint8_t show2 = 1;
    std::uint8_t padding2[3] = {};
    float extra3 = 0.0f;
    std::uint8_t show3 = 1;
    char baseName[260] = {};   // file base name, set when the file is written
    char writeDate[103] = {};  // date and time of the last write

    /// Extra value i (0 to 2).
    [[nodiscard]] float extra(int i) const { return i == 0 ? extra1 : (i == 1 ? extra2 : extra3); }
    [[nodiscard]] bool shown(int i) const
    {
        return (i == 0 ? show1 : (i == 1 ? show2 : show3)) != 0;
    }
    void setExtra(int i, float value, bool show)
    {
        (i == 0 ? extra1 : (i == 1 ? extra2 : extra3)) = value;
        (i == 0 ? show1 : (i == 1 ? show2 : show3)) = show ? 1 : 0;
    }
    [[nodiscard]] QString base() const { return ansiField(baseName); }
    [[nodiscard]] QString written() const { return ansiField(writeDate); }
    void setBase(const QString& t) { setAnsiField(baseName, t); }
    void setWritten(const QString& t) { setAnsiField(writeDate, t); }
};

static_assert(std::is_standard_layout_v<ResultsTrailer>);
static_assert(std::is_trivially_copyable_v<ResultsTrailer>);
static_assert(sizeof(ResultsTrailer) == 384);
static_assert(offsetof(ResultsTrailer, extra1) == 0);
static_assert(offsetof(ResultsTrailer, show1) == 4);
static_assert(offsetof(ResultsTrailer, padding1) == 5);
static_assert(offsetof(ResultsTrailer, extra2) == 8);
static_assert(offsetof(ResultsTrailer, show2) == 12);
static_assert(offsetof(ResultsTrailer, padding2) == 13);
static_assert(offsetof(ResultsTrailer, extra3) == 16);
static_assert(offsetof(ResultsTrailer, show3) == 20);
static_assert(offsetof(ResultsTrailer, baseName) == 21);
static_assert(offsetof(ResultsTrailer, writeDate) == 281);

} // namespace vela::results
