#pragma once
// Automatic numbering of results files: stem + four-digit number + ".res" in a folder, with
// the last number used kept in a ".trl" counter file named after the stem's first eight
// characters.
#include <QString>

namespace vela::results {

inline constexpr int kLastResultsNumber = 9998;  // after it numbering starts again at 1
inline constexpr int kNumberingTests = 10000;

/// Path of the counter file for a stem in a folder (the folder ends with a separator).
[[nodiscard]] QString counterFilePath(const QString& folder, const QString& stem);
/// Candidate file name for number n ("%s%s%04d.res"), or its " L" twin.
[[nodiscard]] QString numberedPath(const QString& folder, const QString& stem, int n,
                                   bool lSuffix = false);

/// Finds the next free numbered file name for a stem in an existing folder, records the
/// number in the counter file and returns it (1 to 9998) with the full path in *path.
/// Returns 0 with *path empty when the folder is missing, the counter is invalid (it is then
/// set to 0, and stays invalid until removed or corrected), the counter cannot be made or
/// written, or every number is taken.
int AutoNumberResultsFile(const QString& folder, const QString& stem, QString* path);

} // namespace vela::results
