#pragma once
#include <QString>

namespace vela::workbook {

/// File types of the workbook component. The numbers are the component's file-type codes (the
/// designer and the sheets store them); Read returns one of them, None means failure.
enum class FileType : int {
    None = 0,
    Vts = 1,         ///< native workbook, as read from an older file (written as VtsCurrent)
    Excel5 = 2,      ///< spreadsheet exchange: written as .xlsx (same as Excel)
    Text = 3,        ///< tab-separated text, formulas as "=..."
    Excel = 4,       ///< .xlsx with cached values (write only)
    VtsCurrent = 5,  ///< native workbook, current version
    TextValues = 6,  ///< tab-separated text, values as displayed
    Html = 9,        ///< HTML tables, every sheet
    HtmlSheet = 10,  ///< HTML table of the active sheet
    Csv = 11,        ///< comma-separated text, formulas as "=..."
    CsvValues = 12,  ///< comma-separated text, values as displayed
};

/// Type for a file name by its extension: .vts 5, .xlsx/.xls 4, .txt 3, .csv 11, .htm/.html 9.
[[nodiscard]] FileType fileTypeForPath(const QString& path);
/// Extension (with dot) used when saving that type: ".vts", ".xls"/".xlsx", ".txt", ".csv", ".htm".
[[nodiscard]] QString extensionForType(FileType t);

} // namespace vela::workbook
