#pragma once
// Opacity results as stored in a ".res" file: one batch of black-backing and white-backing
// readings, a plain fixed-layout record whose first 436 bytes match ResultsRecord.
#include "results/ResultsRecord.h"

namespace vela::results {

inline constexpr int kMaxReadings = 50;

/// @brief One opacity batch as the instrument reported it (7,448 bytes).
struct OpacityRecord {
    std::int32_t instrumentCode = 0;
    char sheetName[256] = {};
    char angleText[30] = {};
    char instrumentName[30] = {};
    char dateTime[100] = {};
    std::int32_t batchCount = 0;   // batches the instrument held at upload
    std::int32_t batchNumber = 0;  // 1-based
    float result1 = 0.0f;
    float result2 = 0.0f;
    char textArea1[kTextAreaSize] = {};  // written empty
    float result3 = 0.0f;
    std::int32_t blackCount = 0;  // 0 to kMaxReadings in a sound record
    float black[kMaxReadings] = {};
    std::uint8_t blackTags[kMaxReadings] = {};
    char blackComments[kMaxReadings][kCommentSize] = {};
    std::int32_t whiteCount = 0;  // 0 to kMaxReadings in a sound record
    float white[kMaxReadings] = {};
    std::uint8_t whiteTags[kMaxReadings] = {};
    char whiteComments[kMaxReadings][kCommentSize] = {};
    char textArea2[kTextAreaSize] = {};  // written empty
    char textArea3[kTextAreaSize] = {};  // written empty

    [[nodiscard]] static int clampCount(std::int32_t n)
    {
        return n < 0 ? 0 : (n > kMaxReadings ? kMaxReadings : n);
    }
    [[nodiscard]] int blackReadings() const { return clampCount(blackCount); }
    [[nodiscard]] int whiteReadings() const { return clampCount(whiteCount); }
    [[nodiscard]] QString sheet() const { return ansiField(sheetName); }
    [[nodiscard]] QString angle() const { return ansiField(angleText); }
    [[nodiscard]] QString instrument() const { return ansiField(instrumentName); }
    [[nodiscard]] QString date() const { return ansiField(dateTime); }
    [[nodiscard]] QString blackComment(int i) const { return ansiField(blackComments[i]); }
    [[nodiscard]] QString whiteComment(int i) const { return ansiField(whiteComments[i]); }
    void setSheet(const QString& t) { setAnsiField(sheetName, t); }
    void setAngle(const QString& t) { setAnsiField(angleText, t); }
    void setInstrument(const QString& t) { setAnsiField(instrumentName, t); }
    void setDate(const QString& t) { setAnsiField(dateTime, t); }
    void setBlackComment(int i, const QString& t) { setAnsiField(blackComments[i], t); }
    void setWhiteComment(int i, const QString& t) { setAnsiField(whiteComments[i], t); }
};

static_assert(std::is_standard_layout_v<OpacityRecord>);
static_assert(std::is_trivially_copyable_v<OpacityRecord>);
static_assert(sizeof(OpacityRecord) == 7448);
static_assert(offsetof(OpacityRecord, instrumentCode) == 0);
static_assert(offsetof(OpacityRecord, sheetName) == 4);
static_assert(offsetof(OpacityRecord, angleText) == 260);
static_assert(offsetof(OpacityRecord, instrumentName) == 290);
static_assert(offsetof(OpacityRecord, dateTime) == 320);
static_assert(offsetof(OpacityRecord, batchCount) == 420);
static_assert(offsetof(OpacityRecord, batchNumber) == 424);
static_assert(offsetof(OpacityRecord, result1) == 428);
static_assert(offsetof(OpacityRecord, result2) == 432);
static_assert(offsetof(OpacityRecord, textArea1) == 436);
static_assert(offsetof(OpacityRecord, result3) == 1436);
static_assert(offsetof(OpacityRecord, blackCount) == 1440);
static_assert(offsetof(OpacityRecord, black) == 1444);
static_assert(offsetof(OpacityRecord, blackTags) == 1644);
static_assert(offsetof(OpacityRecord, blackComments) == 1694);
static_assert(offsetof(OpacityRecord, whiteCount) == 3444);
static_assert(offsetof(OpacityRecord, white) == 3448);
static_assert(offsetof(OpacityRecord, whiteTags) == 3648);
static_assert(offsetof(OpacityRecord, whiteComments) == 3698);
static_assert(offsetof(OpacityRecord, textArea2) == 5448);
static_assert(offsetof(OpacityRecord, textArea3) == 6448);

// The shared head of both records.
static_assert(offsetof(OpacityRecord, sheetName) == offsetof(ResultsRecord, sheetName));
static_assert(offsetof(OpacityRecord, dateTime) == offsetof(ResultsRecord, dateTime));

} // namespace vela::results
