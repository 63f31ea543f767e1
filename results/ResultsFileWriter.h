#pragma once
// Writing results file images. A write goes to a temporary file beside the target that is
// renamed over it only when complete, so a failed write never destroys the previous file.
#include "results/ResultsFileImage.h"

#include <QByteArray>
#include <QString>

namespace vela::results {

/// The bytes of an image as they lie on disk.
[[nodiscard]] QByteArray imageBytes(const ResultsFileImage& image);
[[nodiscard]] QByteArray imageBytes(const OpacityFileImage& image);

/// Writes bytes as the whole file at path, atomically; false when the file cannot be made or
/// an existing file at path is read-only.
[[nodiscard]] bool writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace vela::results
