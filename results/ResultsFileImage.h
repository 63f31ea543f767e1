#pragma once
// Whole-file images of the two results file kinds: kind word, record, trailer.
#include "results/OpacityRecord.h"
#include "results/ResultsRecord.h"
#include "results/ResultsTrailer.h"

#include <QDateTime>

namespace vela::results {

inline constexpr std::int32_t kGlossKind = 0;
inline constexpr std::int32_t kOpacityKind = 255;

/// @brief A gloss results file as it lies on disk (43,832 bytes).
struct ResultsFileImage {
    std::int32_t kind = kGlossKind;
    ResultsRecord record;
    ResultsTrailer trailer;
};
static_assert(std::is_standard_layout_v<ResultsFileImage>);
static_assert(std::is_trivially_copyable_v<ResultsFileImage>);
static_assert(sizeof(ResultsFileImage) == 43832);
static_assert(offsetof(ResultsFileImage, record) == 4);
static_assert(offsetof(ResultsFileImage, trailer) == 43448);
static_assert(offsetof(ResultsFileImage, trailer) + offsetof(ResultsTrailer, baseName) == 43469);
static_assert(offsetof(ResultsFileImage, trailer) + offsetof(ResultsTrailer, writeDate) == 43729);

/// @brief An opacity results file as it lies on disk (7,836 bytes).
struct OpacityFileImage {
    std::int32_t kind = kOpacityKind;
    OpacityRecord record;
    ResultsTrailer trailer;
};
static_assert(std::is_standard_layout_v<OpacityFileImage>);
static_assert(std::is_trivially_copyable_v<OpacityFileImage>);
static_assert(sizeof(OpacityFileImage) == 7836);
static_assert(offsetof(OpacityFileImage, record) == 4);
static_assert(offsetof(OpacityFileImage, trailer) == 7452);
static_assert(offsetof(OpacityFileImage, trailer) + offsetof(ResultsTrailer, baseName) == 7473);
static_assert(offsetof(OpacityFileImage, trailer) + offsetof(ResultsTrailer, writeDate) == 7733);

/// The gloss image the program starts with ("Default Analysis Sheet", "60°", maximum 2000 ...).
[[nodiscard]] ResultsFileImage defaultResultsImage(const QDateTime& startTime);
/// The opacity image the program starts with ("Default Opacity Sheet", "45/0°", "Vela-Pac").
[[nodiscard]] OpacityFileImage defaultOpacityImage(const QDateTime& startTime);
/// Date and time as the program writes them into records and trailers.
[[nodiscard]] QString dateTimeText(const QDateTime& when);

} // namespace vela::results
