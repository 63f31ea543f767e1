#pragma once
#include "workbook/engine/FileType.h"

#include <QString>

namespace vela::workbook {

class Workbook;

/// @brief Reads and writes workbooks in every supported file type.
/// Reads go into a fresh workbook that replaces the target only on success, so a refused
/// file leaves the target unchanged. Writes go to a temporary file renamed over the target.
class WorkbookFile {
public:
    static constexpr qint64 kMaxFileSize = 128LL * 1024 * 1024; ///< larger files are refused
    static constexpr qint64 kMaxCells = 10'000'000;              ///< cells per workbook on read

    /// Reads path into wb; the type is found from the contents (native) or the extension
    /// (text files). Returns the type read, or None with *error set.
    static FileType read(Workbook& wb, const QString& path, QString* error = nullptr);
    /// Writes wb to path in the given type (None: by extension). False with *error on failure;
    /// the previous file is then untouched.
    static bool write(const Workbook& wb, const QString& path, FileType type, QString* error = nullptr);

    /// Native format to and from bytes (also used by the clipboard and tests).
    [[nodiscard]] static QByteArray toVts(const Workbook& wb);
    static bool fromVts(Workbook& wb, const QByteArray& bytes, QString* error = nullptr);
};

} // namespace vela::workbook
