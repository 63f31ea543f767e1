#pragma once
// Cell coordinates of the workbook engine. Rows and columns are 1-based (A1 is row 1, column 1);
// sheets are numbered from 0 in the engine (the facade adds 1).
#include <QMetaType>
#include <QString>
#include <QtGlobal>

namespace vela::workbook {

inline constexpr int kMaxRows = 1048576; ///< rows per sheet (same as xlsx)
inline constexpr int kMaxCols = 16384;   ///< columns per sheet (XFD, same as xlsx)

/// @brief One cell position, 1-based.
struct CellRef {
    int row = 0;
    int col = 0;
    [[nodiscard]] bool isValid() const { return row >= 1 && row <= kMaxRows && col >= 1 && col <= kMaxCols; }
    friend bool operator==(const CellRef&, const CellRef&) = default;
};

/// @brief An inclusive rectangle of cells, 1-based; normalised so that row1 <= row2, col1 <= col2.
struct Range {
    int row1 = 0;
    int col1 = 0;
    int row2 = 0;
    int col2 = 0;

    Range() = default;
    Range(int r1, int c1, int r2, int c2);
    explicit Range(CellRef c) : Range(c.row, c.col, c.row, c.col) {}

    [[nodiscard]] bool isValid() const;
    [[nodiscard]] bool contains(int row, int col) const { return row >= row1 && row <= row2 && col >= col1 && col <= col2; }
    [[nodiscard]] bool contains(CellRef c) const { return contains(c.row, c.col); }
    [[nodiscard]] bool intersects(const Range& o) const;
    [[nodiscard]] int rowCount() const { return row2 - row1 + 1; }
    [[nodiscard]] int colCount() const { return col2 - col1 + 1; }
    [[nodiscard]] bool isWholeRows() const { return col1 == 1 && col2 == kMaxCols; }
    [[nodiscard]] bool isWholeColumns() const { return row1 == 1 && row2 == kMaxRows; }
    /// Smallest range holding both (an invalid range counts as empty).
    [[nodiscard]] Range united(const Range& o) const;
    friend bool operator==(const Range&, const Range&) = default;
};

/// "A", "B", ... "Z", "AA" ... for column 1, 2, ...; empty for an invalid column.
[[nodiscard]] QString columnName(int col);
/// Column number of letters ("A" = 1, "aa" = 27); 0 when not letters or out of range.
[[nodiscard]] int columnNumber(const QString& letters);
/// "B3", or "$B$3" with absolute = true.
[[nodiscard]] QString cellName(CellRef c, bool absolute = false);
/// "A1:B2" (a single cell gives "A1"), or with '$' signs.
[[nodiscard]] QString rangeName(const Range& r, bool absolute = false);
/// Parses "B3", "$B$3", "A1:C4", "$A$1:$L$50" (no sheet name); invalid range when it is not one.
[[nodiscard]] Range parseRangeName(const QString& text);

} // namespace vela::workbook

Q_DECLARE_METATYPE(vela::workbook::Range)
Q_DECLARE_METATYPE(vela::workbook::CellRef)
