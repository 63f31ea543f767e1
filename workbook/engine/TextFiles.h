#pragma once
// Text, HTML and spreadsheet-exchange (xlsx) conversions of workbooks.
#include "workbook/engine/FileType.h"

#include <QByteArray>
#include <QString>

namespace vela::workbook {

class Workbook;

/// @brief Delimited text in and out, HTML out, xlsx out (cached values included).
class TextFiles {
public:
    /// Fills an empty workbook from tab- or comma-separated text (quotes as in RFC 4180;
    /// UTF-8, else Windows-1252). Each field is read as typed input: "=..." is a formula.
    static bool readDelimited(Workbook& wb, const QByteArray& bytes, QChar sep, QString* error);
    /// The active sheet as text; Text/Csv write formulas ("=..."), the *Values types what the
    /// cells show. UTF-8, CRLF line ends.
    [[nodiscard]] static QByteArray writeDelimited(const Workbook& wb, FileType type);
    /// HTML tables (every sheet, or the active one).
    [[nodiscard]] static QByteArray writeHtml(const Workbook& wb, bool allSheets);
    /// xlsx bytes (built through a temporary file beside path).
    static bool writeXlsx(const Workbook& wb, const QString& path, QByteArray& bytes, QString* error);
};

} // namespace vela::workbook
