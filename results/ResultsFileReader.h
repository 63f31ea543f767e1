#pragma once
// Reading results files into the in-memory images, converting legacy files. No dialogs: the
// outcome carries the reason that the caller shows.
#include "results/LegacyResultsRecord.h"
#include "results/ResultsFileImage.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace vela::results {

/// @brief What a read found.
enum class ReadStatus {
    Gloss,              // a gloss file
    Opacity,            // an opacity file (ReadResultsFile also fills the gloss image)
    Legacy,             // a legacy file, converted to gloss results
    OpenFailed,         // missing, a folder, unreadable
    TooShort,           // shorter than its layout
    BadCount,           // a sample or reading count outside the record's capacity
    UnknownLegacyCode,  // a legacy file with an angle code the program does not know
};

/// @brief Outcome of a read; on a failure the images are unchanged.
struct ReadOutcome {
    ReadStatus status = ReadStatus::OpenFailed;
    QString path;  // the path read, or the "_CN" path of a converted legacy file
    [[nodiscard]] bool ok() const
    {
        return status == ReadStatus::Gloss || status == ReadStatus::Opacity ||
               status == ReadStatus::Legacy;
    }
};

/// Reads a results file of any kind. Gloss: fills gloss. Opacity: fills opacity, and gloss
/// receives the file's first bytes over an empty record (so its kind word is 255). Legacy:
/// converts into gloss. The path's extension must already be ".res".
[[nodiscard]] ReadOutcome readResultsFile(const QString& path, ResultsFileImage& gloss,
                                          OpacityFileImage& opacity);
/// Reads the first 7,836 bytes of a file into the opacity image, whatever its kind word.
[[nodiscard]] ReadOutcome readOpacityFile(const QString& path, OpacityFileImage& opacity);

/// Same as readResultsFile on bytes already read (modified: the file's last-modified date,
/// used for legacy files; path: used for the legacy base name and "_CN" path).
[[nodiscard]] ReadOutcome parseResultsBytes(const QByteArray& bytes, const QString& path,
                                            const QDate& modified, ResultsFileImage& gloss,
                                            OpacityFileImage& opacity);

/// True for the eight angle codes that legacy files carry.
[[nodiscard]] bool isKnownLegacyCode(float code);
/// Converts a legacy record; false (gloss unchanged) for an unknown code or a bad count.
[[nodiscard]] ReadStatus convertLegacy(const LegacyResultsRecord& legacy, const QDate& modified,
                                       const QString& baseName, ResultsFileImage& gloss);

/// Whether a record's counts lie within its capacity.
[[nodiscard]] bool hasValidCounts(const ResultsRecord& record);
[[nodiscard]] bool hasValidCounts(const OpacityRecord& record);

} // namespace vela::results

namespace vela::results {
/// A one-line English reason for a failed read, for logs and command-line tools.
[[nodiscard]] QString describeReadFailure(const ReadOutcome& outcome);
} // namespace vela::results
