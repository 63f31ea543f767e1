#pragma once
#include "workbook/engine/Cell.h"
#include "workbook/engine/CellClip.h"
#include "workbook/engine/Style.h"

#include <QList>
#include <QMap>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace vela::workbook {

class Workbook;
class CellStore;

/// How DeleteRange / InsertRange move the remaining cells; the numbers are the component's codes.
enum class ShiftMode { Horizontal = 1, Vertical = 2, Rows = 3, Columns = 4 };
/// What ClearRange removes; the component's codes (EditClear).
enum class ClearWhat { All = 1, Formats = 2, Contents = 3 };

/// @brief Result of entering text into a cell: ok, or why a formula was refused (the cell then
/// holds the text as a bad formula showing #NAME?).
struct InputResult {
    bool ok = true;
    QString error;
    int position = -1; ///< character position of the fault in the formula text
};

/// @brief The view and print state of a sheet that files keep.
struct SheetView {
    int frozenRows = 0;          ///< rows fixed at the top (FixedRows)
    int frozenCols = 0;          ///< columns fixed at the left (FixedCols)
    int topRow = 1;              ///< first scrolled row below the frozen part
    int leftCol = 1;
    int viewScale = 100;         ///< zoom in percent, 10..400
    bool showGrid = true;
    bool showHeadings = true;
    QList<Range> selection{Range(1, 1, 1, 1)};
    CellRef activeCell{1, 1};
    int extentRows = 0;          ///< MaxRow set by the program; 0 follows the used range
    int extentCols = 0;          ///< MaxCol set by the program; 0 follows the used range
    friend bool operator==(const SheetView&, const SheetView&) = default;
};

/// @brief Page set-up of a sheet.
struct PrintSetup {
    std::optional<Range> printArea;
    int titleRow1 = 0, titleRow2 = 0;   ///< rows repeated on each page; 0 = none
    int titleCol1 = 0, titleCol2 = 0;   ///< columns repeated on each page; 0 = none
    bool landscape = false;
    bool gridLines = false;
    QList<int> rowBreaks;               ///< page break above these rows
    QList<int> colBreaks;               ///< page break left of these columns
    friend bool operator==(const PrintSetup&, const PrintSetup&) = default;
};

/// @brief One worksheet: cells, column and row layout, view, print and protection state.
/// Owned by a Workbook; every change goes through it so dependents are recalculated and the
/// workbook signals the change.
class Sheet {
public:
    static constexpr double kDefaultColumnWidth = 8.43; ///< characters of the default font
    static constexpr double kDefaultRowHeight = 12.75;  ///< points

    Sheet(Workbook* owner, int id, const QString& name);
    ~Sheet();
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    [[nodiscard]] Workbook* workbook() const { return m_owner; }
    [[nodiscard]] int id() const { return m_id; }      ///< stable for the sheet's life
    [[nodiscard]] int index() const;                   ///< position in the workbook, 0-based
    [[nodiscard]] QString name() const { return m_name; }
    void setName(const QString& name);                 ///< prefer Workbook::renameSheet (checks)

    // ---- cells ----
    [[nodiscard]] const Cell* cell(int row, int col) const; ///< null for a never-touched cell
    [[nodiscard]] Value value(int row, int col) const;
    /// Value formatted with the cell's number format, as the grid shows it.
    [[nodiscard]] QString displayText(int row, int col) const;
    /// Colour that a format section such as "[Red]" asks for, if any.
    [[nodiscard]] std::optional<QRgb> displayColor(int row, int col) const;
    /// Text for the edit bar: "=..." for a formula, else the literal as it would be typed back.
    [[nodiscard]] QString inputText(int row, int col) const;
    /// The formula text ("=...") or empty when the cell holds no formula.
    [[nodiscard]] QString formulaText(int row, int col) const;
    /// Parse message of a bad formula, empty otherwise.
    [[nodiscard]] QString formulaError(int row, int col) const;

    /// Typed input: "=..." formula, number ("1,234.5", "50%", "1E3"), TRUE/FALSE, a date
    /// ("2020-01-31", "31/01/2020"), "'..." forced text, empty clears the contents (style kept).
    InputResult setInput(int row, int col, const QString& text);
    void setValue(int row, int col, const Value& v);
    void setNumber(int row, int col, double v) { setValue(row, col, Value::number(v)); }
    void setText(int row, int col, const QString& s) { setValue(row, col, Value::text(s)); }
    InputResult setFormula(int row, int col, const QString& formulaText);
    void clearRange(const Range& r, ClearWhat what = ClearWhat::Contents);

    /// Last row and column holding a value, formula or style (0 when empty).
    [[nodiscard]] int maxRow() const;
    [[nodiscard]] int maxCol() const;
    [[nodiscard]] Range usedRange() const; ///< A1:(maxRow,maxCol); invalid when empty
    /// Visits every non-blank cell of the range, row by row.
    void forEachCell(const Range& r, const std::function<void(int row, int col, const Cell&)>& f) const;

    // ---- styles ----
    [[nodiscard]] const Style& style(int row, int col) const; ///< effective style
    [[nodiscard]] quint32 styleId(int row, int col) const;
    void setStyle(int row, int col, const Style& s);
    /// Changes the style of every cell in r through f (e.g. [](Style& s){ s.bold = true; });
    /// whole rows or columns also change the row or column default style.
    void modifyStyle(const Range& r, const std::function<void(Style&)>& f);

    // ---- columns and rows ----
    [[nodiscard]] double columnWidth(int col) const;       ///< characters
    void setColumnWidth(int col, double width);
    [[nodiscard]] bool isColumnHidden(int col) const;
    void setColumnHidden(int col, bool hidden);
    [[nodiscard]] double rowHeight(int row) const;          ///< points
    void setRowHeight(int row, double points);
    [[nodiscard]] bool isRowHidden(int row) const;
    void setRowHidden(int row, bool hidden);
    /// Width in characters that fits the display texts of the column's cells (min. default/2).
    [[nodiscard]] double fitColumnWidth(int col) const;
    [[nodiscard]] const QMap<int, double>& columnWidths() const { return m_colWidths; }
    [[nodiscard]] const QMap<int, double>& rowHeights() const { return m_rowHeights; }
    [[nodiscard]] const QList<int>& hiddenColumns() const { return m_hiddenCols; }
    [[nodiscard]] const QList<int>& hiddenRows() const { return m_hiddenRows; }

    // ---- structure (references in every sheet are adjusted; deleted targets give #REF!) ----
    void insertRows(int row, int count);
    void deleteRows(int row, int count);
    void insertColumns(int col, int count);
    void deleteColumns(int col, int count);
    void insertRange(const Range& r, ShiftMode mode);   ///< Horizontal: cells move right; Vertical: down
    void deleteRange(const Range& r, ShiftMode mode);   ///< Horizontal: cells move left; Vertical: up

    // ---- copy and paste ----
    [[nodiscard]] CellClip copy(const Range& r) const;
    /// Pastes at target (top-left); returns the range written.
    Range pasteSpecial(const CellClip& clip, CellRef target, PasteWhat what,
                       PasteOp op = PasteOp::None, bool skipBlanks = false);
    /// Fills r from its first row (down) or first column (right), as Ctrl+D / Ctrl+R do.
    void fillDown(const Range& r);
    void fillRight(const Range& r);
    /// Sorts the rows of r by the values in column keyCol (blanks last; texts ignore case).
    void sortRows(const Range& r, int keyCol, bool ascending = true);

    /// First cell after `from` (row by row, wrapping) whose display text contains `text`.
    [[nodiscard]] std::optional<CellRef> find(const QString& text, CellRef from, bool matchCase = false,
                                              bool wholeCell = false) const;

    // ---- view, print, protection ----
    [[nodiscard]] const SheetView& view() const { return m_view; }
    void setView(const SheetView& v);
    void setFrozen(int rows, int cols);
    void setViewScale(int percent);
    void setSelection(const QList<Range>& ranges, CellRef active);
    [[nodiscard]] const PrintSetup& printSetup() const { return m_print; }
    void setPrintSetup(const PrintSetup& p);
    void setPrintArea(const std::optional<Range>& area);
    void setPrintTitles(int row1, int row2, int col1, int col2);
    void setLandscape(bool landscape);
    [[nodiscard]] bool isProtected() const { return m_protected; }
    void setProtected(bool on);
    /// True when the cell may be edited: the sheet is not protected or the cell is not locked.
    [[nodiscard]] bool isEditable(int row, int col) const;

    // ---- engine internals (evaluator, files) ----
    [[nodiscard]] CellStore& store() { return *m_store; }
    [[nodiscard]] const CellStore& store() const { return *m_store; }
    void setColumnStyleId(int col, quint32 id);
    void setRowStyleId(int row, quint32 id);
    [[nodiscard]] const QMap<int, quint32>& columnStyleIds() const { return m_colStyles; }
    [[nodiscard]] const QMap<int, quint32>& rowStyleIds() const { return m_rowStyles; }

private:
    friend class Workbook;
    friend class StructureEditor;
    Workbook* m_owner;
    int m_id;
    QString m_name;
    std::unique_ptr<CellStore> m_store;
    QMap<int, double> m_colWidths;
    QMap<int, double> m_rowHeights;
    QList<int> m_hiddenCols;
    QList<int> m_hiddenRows;
    QMap<int, quint32> m_colStyles;
    QMap<int, quint32> m_rowStyles;
    SheetView m_view;
    PrintSetup m_print;
    bool m_protected = false;
};

} // namespace vela::workbook
