#pragma once
// The workbook control: grid, edit bar and sheet tabs over an engine workbook, and the stateful
// facade that the program's sheet windows drive (active sheet, active cell, selection, texts
// and numbers, files, printing, clipboard and editing locks).
#include "GxPageSetup.h"
#include "workbook/engine/CellClip.h"
#include "workbook/engine/Range.h"

#include <QHash>
#include <QList>
#include <QSize>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>

class QLineEdit;
class QPrinter;
class QTabBar;

namespace vela::workbook {

class GxCellDelegate;
class GxFindDialog;
class GxGridView;
class GxSheetModel;
class Sheet;
class Workbook;
enum class GridCommand;

/// @brief The workbook control. Sheets, rows and columns are numbered from 1 in this facade.
///
/// Properties follow the control's names: a getter `Name()` and a setter `set_Name(...)`.
/// Writes made through the facade are the program's and are not stopped by protection; the
/// operator's edits (in-cell editor, edit bar, paste, clear) are.
class TGxBookProxy : public QWidget {
    Q_OBJECT
public:
    /// File type the program passes when it names the path itself.
    static constexpr int kFileTypeVts = 5;
    /// Rows and columns the grid shows on a sheet whose extent was never set (at least).
    static constexpr int kDefaultRows = 1000;
    static constexpr int kDefaultCols = 52;

    explicit TGxBookProxy(QWidget* parent = nullptr);
    ~TGxBookProxy() override;

    // ---- sheets and the active cell ----
    [[nodiscard]] int Sheet() const;
    void set_Sheet(int sheet);
    [[nodiscard]] int NumSheets() const;
    void set_NumSheets(int count);
    [[nodiscard]] int Col() const { return m_active.col; }
    void set_Col(int col);
    [[nodiscard]] int Row() const { return m_active.row; }
    void set_Row(int row);
    /// Reference of the selection: "$B$3", "$A$1:$C$4", ranges joined by ",".
    [[nodiscard]] QString Selection() const;
    /// Selects by reference text ("A1", "B2:C9", "$A$1"); the first cell becomes active.
    void set_Selection(const QString& reference);
    /// The selected ranges themselves.
    [[nodiscard]] const QList<Range>& SelectionRanges() const { return m_selection; }
    [[nodiscard]] int SelStartCol() const;
    [[nodiscard]] int SelStartRow() const;
    [[nodiscard]] int SelEndCol() const;
    [[nodiscard]] int SelEndRow() const;

    // ---- the active cell's contents ----
    /// Text of the active cell as shown (number format applied).
    [[nodiscard]] QString Text() const;
    /// Puts text into the active cell as a literal text ("" empties it).
    void set_Text(const QString& text);
    /// Number of the active cell; 0 for texts and empty cells.
    [[nodiscard]] double Number() const;
    void set_Number(double value);
    /// Formula of the active cell ("=..."), empty when it holds none.
    [[nodiscard]] QString Formula() const;
    void set_Formula(const QString& formula);
    /// Text or number of any cell (1-based), without moving the active cell.
    [[nodiscard]] QString TextRC(int row, int col) const;
    void set_TextRC(int row, int col, const QString& text);
    [[nodiscard]] double NumberRC(int row, int col) const;
    void set_NumberRC(int row, int col, double value);

    // ---- extent and layout ----
    [[nodiscard]] int MaxRow() const;
    void set_MaxRow(int rows);
    [[nodiscard]] int MaxCol() const;
    void set_MaxCol(int columns);
    /// Width in 1/256 of a character of the default font; 0 when hidden.
    [[nodiscard]] int ColWidth(int col) const;
    /// Width in 1/256 of a character; 0 hides the column, any other width shows it.
    void set_ColWidth(int col, int width);
    /// Fits columns col1..col2 to their contents (the whole column is measured; the row
    /// arguments are kept for callers that pass them).
    void SetColWidthAuto(int row1, int col1, int row2, int col2, bool setDefaults);
    [[nodiscard]] QString SheetName(int sheet) const;
    void set_SheetName(int sheet, const QString& name);

    // ---- view, print, locks ----
    [[nodiscard]] QString PrintArea() const;
    void set_PrintArea(const QString& reference);
    [[nodiscard]] bool PrintLandscape() const;
    void set_PrintLandscape(bool landscape);
    [[nodiscard]] int ViewScale() const;
    void set_ViewScale(int percent);
    [[nodiscard]] bool Repaint() const { return m_repaint; }
    /// False stops painting (and collects change notices) during bulk writes.
    void set_Repaint(bool on);
    [[nodiscard]] bool EnableProtection() const;
    void set_EnableProtection(bool on);
    [[nodiscard]] bool AllowInCellEditing() const;
    void set_AllowInCellEditing(bool on);
    [[nodiscard]] bool AllowDesigner() const { return m_allowDesigner; }
    void set_AllowDesigner(bool on) { m_allowDesigner = on; }
    [[nodiscard]] bool ShowEditBar() const;
    void set_ShowEditBar(bool on);
    [[nodiscard]] bool ShowTabs() const;
    void set_ShowTabs(bool on);
    /// When false a double click only raises OnDblClick and never opens the cell editor.
    [[nodiscard]] bool DoDblClick() const;
    void set_DoDblClick(bool on);
    [[nodiscard]] bool Modified() const;
    void set_Modified(bool on);
    [[nodiscard]] QString FileName() const { return m_fileName; }
    void set_FileName(const QString& path) { m_fileName = path; }
    [[nodiscard]] QString Title() const { return m_title; }
    void set_Title(const QString& title) { m_title = title; }
    /// Owner window of the control's dialogs.
    [[nodiscard]] QWidget* hWnd() const;

    // ---- files ----
    /// Replaces the workbook by a file; fileType receives the type read, 0 on failure (the
    /// workbook is then unchanged). Returns fileType != 0.
    bool Read(const QString& path, int& fileType);
    /// Writes the workbook (type 5: native); false when the file could not be written.
    bool Write(const QString& path, int fileType);
    /// Open dialog for workbooks; path is empty when cancelled.
    void OpenFileDlg(const QString& title, QWidget* owner, QString& path);
    /// Save dialog; fileType is 0 when cancelled, else the type of the chosen extension.
    void SaveFileDlg(const QString& title, QString& path, int& fileType);
    /// Keeps the grid's view state (selection, scroll, zoom) in the workbook for the next write.
    void SaveWindowInfo();
    /// Empties the workbook to one sheet (a new document).
    void InitTable();
    /// Reason of the last failed Read or Write.
    [[nodiscard]] QString LastError() const { return m_lastError; }

    // ---- printing ----
    /// Prints the print area (or the used range) of the active sheet; with showDialog the print
    /// dialog comes first. False when cancelled or nothing could be printed.
    bool FilePrint(bool showDialog);
    void FilePrintPreview();
    void FilePageSetupDlg();
    /// The printer the control prints to (page set-up and tests configure it).
    [[nodiscard]] QPrinter* printer();
    [[nodiscard]] const GxPageSetup& PageSetup() const { return m_pageSetup; }
    void set_PageSetup(const GxPageSetup& setup);
    /// Prints the active sheet's print range onto a printer without any dialog.
    bool PrintTo(QPrinter& printer);
    /// Pages the active sheet's print range takes on the control's printer.
    [[nodiscard]] int PrintPageCount();

    // ---- find ----
    void FindDlg();
    /// Finds the next cell after the active one whose shown text contains text (wrapping);
    /// selects it and returns true, or returns false when there is none.
    bool Find(const QString& text, bool matchCase = false, bool wholeCell = false);

    // ---- clipboard and editing ----
    /// Copies the selection (to the system clipboard as text, and to the control's own copy).
    void EditCopy();
    void EditCut();
    /// Pastes everything the last copy holds (or the clipboard's text) at the selection.
    void EditPaste();
    /// Pastes part of the last copy: what 0 all, 1 formulas, 2 values, 3 formats; operation 0
    /// none, 1 add, 2 subtract, 3 multiply, 4 divide.
    void EditPasteSpecial(int what, int operation);
    /// Clears the selection: 1 all, 2 formats, 3 contents.
    void EditClear(int what);
    /// Deletes cells; shift 1 moves cells left, 2 up, 3 deletes whole rows, 4 whole columns.
    void DeleteRange(int row1, int col1, int row2, int col2, int shift);
    /// Inserts cells; shift 1 moves cells right, 2 down, 3 inserts whole rows, 4 whole columns.
    void InsertRange(int row1, int col1, int row2, int col2, int shift);
    void Recalc();

    // ---- designer ----
    /// Runs the control's workbook designer (modal) when AllowDesigner is on.
    void LaunchDesigner();
    /// Makes this control show a copy of another one's workbook, extents and page set-up.
    void AssignFrom(TGxBookProxy& other);

    /// The engine workbook shown (for the designer program and tests).
    [[nodiscard]] Workbook& book() const { return *m_book; }
    [[nodiscard]] GxGridView* grid() const { return m_grid; }
    [[nodiscard]] GxSheetModel* model() const { return m_model; }
    [[nodiscard]] QLineEdit* editBar() const { return edFormula; }
    [[nodiscard]] QTabBar* tabBar() const { return m_tabs; }

Q_SIGNALS:
    /// Double click with the left button on a cell (1-based row and column).
    void OnDblClick(int row, int col);
    /// Double click with the right button.
    void OnRDblClick(int row, int col);
    /// Anything in the workbook changed.
    void OnModified();
    /// The operator finished entering a cell (1-based).
    void OnEndEdit(int row, int col);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // construction and sheet display (TGxBookProxy.cpp)
    void buildUi();
    void connectBook();
    void showActiveSheet();
    void rebuildTabs();
    void applyLayout();
    void applyExtent();
    void storeView();
    [[nodiscard]] QSize extentOf(int sheetIndex) const;
    [[nodiscard]] vela::workbook::Sheet* activeSheet() const;
    // selection (TGxBookProxySelection.cpp)
    void setActiveCell(CellRef cell, const QList<Range>& selection);
    void syncGridSelection();
    void onGridSelectionChanged();
    void updateEditBar();
    void commitEditBar();
    void commitNameBox();
    void onGridCommand(GridCommand command);
    void showContextMenu(const QPoint& globalPos);
    void onCellEdited(int row, int column, bool ok, const QString& error);
    [[nodiscard]] Range selectionBounds() const;
    [[nodiscard]] bool operatorMayChange(const Range& range);
    // printing (TGxBookProxyPrint.cpp)
    [[nodiscard]] Range printRange() const;
    [[nodiscard]] int columnPixels(int col, double zoom) const;
    [[nodiscard]] int rowPixels(int row, double zoom) const;
    void preparePrinter(QPrinter& printer) const;

    std::unique_ptr<Workbook> m_book;
    GxSheetModel* m_model = nullptr;
    GxGridView* m_grid = nullptr;
    GxCellDelegate* m_delegate = nullptr;
    QWidget* m_editBarRow = nullptr;
    QLineEdit* edCellRef = nullptr;
    QLineEdit* edFormula = nullptr;
    QTabBar* m_tabs = nullptr;
    GxFindDialog* m_findDialog = nullptr;
    std::unique_ptr<QPrinter> m_printer;

    QTimer m_menuTimer;
    QPoint m_menuPos;
    QList<int> m_hiddenRowsShown;  // rows the grid hides for the sheet shown
    CellRef m_active{1, 1};
    QList<Range> m_selection{Range(1, 1, 1, 1)};
    QHash<int, QSize> m_extents;   // sheet id -> explicit extent (rows, columns)
    CellClip m_clip;
    quint64 m_clipSerial = 0;
    GxPageSetup m_pageSetup;
    QString m_fileName;
    QString m_title;
    QString m_lastError;
    bool m_repaint = true;
    bool m_allowDesigner = false;
    bool m_syncing = false;
    bool m_loading = false;
    bool m_modified = false;
};

} // namespace vela::workbook
