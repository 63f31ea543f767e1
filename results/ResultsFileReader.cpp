#include "results/ResultsFileReader.h"

#include "results/ResultsPaths.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace vela::results {
namespace {

struct LegacyAngle {
    float code;
    const char16_t* angle;
    const char16_t* instrument;
};

const std::array<LegacyAngle, 8> kLegacyAngles = {{
    {20.0f, u"20 \u00B0", u"Vela-Gloss"},
    {40.0f, u"60 \u00B0", u"Vela-Haze"},
    {45.0f, u"45 \u00B0", u"Vela-Gloss"},
    {46.0f, u"45/0 \u00B0", u"Vela-Shade"},
    {47.0f, u"45/0 \u00B0", u"Vela-Shade"},
    {60.0f, u"60 \u00B0", u"Vela-Gloss"},
    {75.0f, u"75 \u00B0", u"Vela-Gloss"},
    {85.0f, u"85 \u00B0", u"Vela-Gloss"},
}};

const LegacyAngle* findLegacyAngle(float code)
{
    for (const LegacyAngle& a : kLegacyAngles)
        if (a.code == code)
            return &a;
    return nullptr;
}

std::int32_t kindOf(const QByteArray& bytes)
{
    std::int32_t kind = 0;
    std::memcpy(&kind, bytes.constData(), sizeof kind);
    return kind;
}

template <typename T>
T imageOf(const QByteArray& bytes)
{
    T image;
    std::memcpy(static_cast<void*>(&image), bytes.constData(), sizeof(T));
    return image;
}

ReadOutcome parseOpacity(const QByteArray& bytes, const QString& path, ResultsFileImage& gloss,
                         OpacityFileImage& opacity)
{
    if (bytes.size() < qsizetype(sizeof(OpacityFileImage)))
        return {ReadStatus::TooShort, path};
    const auto image = imageOf<OpacityFileImage>(bytes);
    if (!hasValidCounts(image.record))
        return {ReadStatus::BadCount, path};
    opacity = image;
    // The gloss image takes the file's first bytes over an empty record, so its kind word
    // tells the caller that an opacity file was loaded, and nothing of the previous gloss
    // record stays mixed in.
    ResultsFileImage head;
    std::memset(static_cast<void*>(&head), 0, sizeof head);
    std::memcpy(static_cast<void*>(&head), bytes.constData(),
                size_t(std::min<qsizetype>(bytes.size(), sizeof head)));
    gloss = head;
    return {ReadStatus::Opacity, path};
}

} // namespace

bool hasValidCounts(const ResultsRecord& record)
{
    return record.sampleCount >= 0 && record.sampleCount <= kMaxSamples;
}

bool hasValidCounts(const OpacityRecord& record)
{
    return record.blackCount >= 0 && record.blackCount <= kMaxReadings &&
           record.whiteCount >= 0 && record.whiteCount <= kMaxReadings;
}

bool isKnownLegacyCode(float code)
{
    return findLegacyAngle(code) != nullptr;
}

ReadStatus convertLegacy(const LegacyResultsRecord& legacy, const QDate& modified,
                         const QString& baseName, ResultsFileImage& gloss)
{
    const LegacyAngle* angle = findLegacyAngle(legacy.angleCode);
    if (!angle)
        return ReadStatus::UnknownLegacyCode;
    const float n = std::trunc(legacy.sampleNumber - 1.0f);
    if (!(n >= 0.0f && n <= float(kMaxSamples)))
        return ReadStatus::BadCount;

    ResultsFileImage image;
    image.kind = kGlossKind;
    ResultsRecord& r = image.record;
    r.instrumentCode = std::int32_t(legacy.angleCode);
    r.setSheet(QStringLiteral("Default Analysis Sheet"));
    r.setAngle(QString::fromUtf16(angle->angle));
    r.setInstrument(QString::fromUtf16(angle->instrument));
    r.setDate(QStringLiteral("%1/%2/%3 %4:%5:%6")
                  .arg(modified.day()).arg(modified.month()).arg(modified.year())
                  .arg(legacy.hour).arg(legacy.minute).arg(legacy.second));
    std::memcpy(r.notes, legacy.notes, sizeof r.notes);
    r.sampleCount = std::int32_t(n);
    // The legacy count runs one past the last sample; that entry is copied too but is not
    // significant.
    const int copied = std::min(r.sampleCount + 1, kMaxSamples);
    std::copy_n(legacy.values, copied, r.values);
    std::copy_n(legacy.tags, copied, r.tags);
    image.trailer.setExtra(0, 100.0f, true);
    image.trailer.setExtra(1, 100.0f, true);
    image.trailer.setExtra(2, 0.0f, true);
    image.trailer.setBase(baseName);
    gloss = image;
    return ReadStatus::Legacy;
}

ReadOutcome parseResultsBytes(const QByteArray& bytes, const QString& path, const QDate& modified,
                              ResultsFileImage& gloss, OpacityFileImage& opacity)
{
    if (bytes.size() < qsizetype(sizeof(std::int32_t)))
        return {ReadStatus::TooShort, path};
    const std::int32_t kind = kindOf(bytes);
    if (kind == kOpacityKind)
        return parseOpacity(bytes, path, gloss, opacity);
    if (kind == kGlossKind) {
        if (bytes.size() < qsizetype(sizeof(ResultsFileImage)))
            return {ReadStatus::TooShort, path};
        const auto image = imageOf<ResultsFileImage>(bytes);
        if (!hasValidCounts(image.record))
            return {ReadStatus::BadCount, path};
        gloss = image;
        return {ReadStatus::Gloss, path};
    }
    if (bytes.size() < qsizetype(sizeof(LegacyResultsRecord)))
        return {ReadStatus::TooShort, path};
    const auto legacy = imageOf<LegacyResultsRecord>(bytes);
    const ReadStatus status = convertLegacy(legacy, modified, resBaseName(path), gloss);
    return {status, status == ReadStatus::Legacy ? convertedLegacyPath(path) : path};
}

namespace {

bool readHead(const QString& path, qint64 maxBytes, QByteArray* bytes, QDate* modified)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.read(maxBytes);
    if (modified)
        *modified = info.lastModified().date();
    return file.error() == QFileDevice::NoError;
}

} // namespace

ReadOutcome readResultsFile(const QString& path, ResultsFileImage& gloss,
                            OpacityFileImage& opacity)
{
    QByteArray bytes;
    QDate modified;
    if (!readHead(path, sizeof(ResultsFileImage), &bytes, &modified))
        return {ReadStatus::OpenFailed, path};
    return parseResultsBytes(bytes, path, modified, gloss, opacity);
}

ReadOutcome readOpacityFile(const QString& path, OpacityFileImage& opacity)
{
    QByteArray bytes;
    if (!readHead(path, sizeof(OpacityFileImage), &bytes, nullptr))
        return {ReadStatus::OpenFailed, path};
    if (bytes.size() < qsizetype(sizeof(OpacityFileImage)))
        return {ReadStatus::TooShort, path};
    const auto image = imageOf<OpacityFileImage>(bytes);
    if (!hasValidCounts(image.record))
        return {ReadStatus::BadCount, path};
    opacity = image;
    return {ReadStatus::Opacity, path};
}

} // namespace vela::results

namespace vela::results {

QString describeReadFailure(const ReadOutcome& outcome)
{
    switch (outcome.status) {
    case ReadStatus::OpenFailed:
        return QStringLiteral("cannot open %1").arg(outcome.path);
    case ReadStatus::TooShort:
        return QStringLiteral("%1 is shorter than a results file of its kind").arg(outcome.path);
    case ReadStatus::BadCount:
        return QStringLiteral("%1 holds a sample count outside the record's capacity")
            .arg(outcome.path);
    case ReadStatus::UnknownLegacyCode:
        return QStringLiteral("%1 is a legacy results file with an unknown angle code")
            .arg(outcome.path);
    default:
        return {};
    }
}

} // namespace vela::results
