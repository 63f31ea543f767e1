#pragma once
// Gloss results as stored in a ".res" file: a plain fixed-layout record written to and read
// from disk byte for byte (little-endian, Windows-1252 texts).
#include "results/AnsiField.h"

#include <QString>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace vela::results {

static_assert(std::endian::native == std::endian::little,
              "results records are stored as little-endian memory images");
static_assert(std::numeric_limits<float>::is_iec559, "results records hold IEEE 754 singles");

inline constexpr int kMaxSamples = 1000;
inline constexpr int kCommentSize = 35;  // 34 characters and the NUL
inline constexpr int kTextAreaSize = 1000;

/// @brief One set of gloss samples with the statistics the instrument reported, the
/// operator's tags and comments (43,444 bytes).
struct ResultsRecord {
    std::int32_t instrumentCode = 0;
    char sheetName[256] = {};
    char angleText[30] = {};
    char instrumentName[30] = {};
    char dateTime[100] = {};
    float maxGloss = 0.0f;
    float minGloss = 0.0f;
    float meanGloss = 0.0f;
    float stdDev = 0.0f;
    float cvRatio = 0.0f;
    char textArea1[kTextAreaSize] = {};       // written empty
    std::int32_t sampleCount = 0;             // 0 to kMaxSamples in a sound record
    float values[kMaxSamples] = {};
    std::uint8_t tags[kMaxSamples] = {};      // nonzero: excluded from the analysis
    char comments[kMaxSamples][kCommentSize] = {};
    char notes[kTextAreaSize] = {};           // filled only from legacy files
    char textArea2[kTextAreaSize] = {};       // written empty

    /// Number of samples clamped to the capacity, safe to use as a loop bound.
    [[nodiscard]] int count() const
    {
        return sampleCount < 0 ? 0 : (sampleCount > kMaxSamples ? kMaxSamples : sampleCount);
    }
    [[nodiscard]] bool isTagged(int i) const { return tags[i] != 0; }
    [[nodiscard]] QString sheet() const { return ansiField(sheetName); }
    [[nodiscard]] QString angle() const { return ansiField(angleText); }
    [[nodiscard]] QString instrument() const { return ansiField(instrumentName); }
    [[nodiscard]] QString date() const { return ansiField(dateTime); }
    [[nodiscard]] QString comment(int i) const { return ansiField(comments[i]); }
    [[nodiscard]] QString notesText() const { return ansiField(notes); }
    void setSheet(const QString& t) { setAnsiField(sheetName, t); }
    void setAngle(const QString& t) { setAnsiField(angleText, t); }
    void setInstrument(const QString& t) { setAnsiField(instrumentName, t); }
    void setDate(const QString& t) { setAnsiField(dateTime, t); }
    void setComment(int i, const QString& t) { setAnsiField(comments[i], t); }
    void setNotes(const QString& t) { setAnsiField(notes, t); }
};

static_assert(std::is_standard_layout_v<ResultsRecord>);
static_assert(std::is_trivially_copyable_v<ResultsRecord>);
static_assert(sizeof(ResultsRecord) == 43444);
static_assert(offsetof(ResultsRecord, instrumentCode) == 0);
static_assert(offsetof(ResultsRecord, sheetName) == 4);
static_assert(offsetof(ResultsRecord, angleText) == 260);
static_assert(offsetof(ResultsRecord, instrumentName) == 290);
static_assert(offsetof(ResultsRecord, dateTime) == 320);
static_assert(offsetof(ResultsRecord, maxGloss) == 420);
static_assert(offsetof(ResultsRecord, minGloss) == 424);
static_assert(offsetof(ResultsRecord, meanGloss) == 428);
static_assert(offsetof(ResultsRecord, stdDev) == 432);
static_assert(offsetof(ResultsRecord, cvRatio) == 436);
static_assert(offsetof(ResultsRecord, textArea1) == 440);
static_assert(offsetof(ResultsRecord, sampleCount) == 1440);
static_assert(offsetof(ResultsRecord, values) == 1444);
static_assert(offsetof(ResultsRecord, tags) == 5444);
static_assert(offsetof(ResultsRecord, comments) == 6444);
static_assert(offsetof(ResultsRecord, notes) == 41444);
static_assert(offsetof(ResultsRecord, textArea2) == 42444);

} // namespace vela::results
