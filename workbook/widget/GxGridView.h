#pragma once
// The cell grid of the workbook control: a table view that reports left and right double
// clicks with their cell, moves down after Enter, and turns the usual spreadsheet keys into
// commands for the control.
#include <QTableView>

namespace vela::workbook {

/// @brief Keyboard commands the grid hands to its control.
enum class GridCommand { Copy, Cut, Paste, ClearContents, Find, SelectAll };

/// @brief Table view of one sheet with spreadsheet keyboard and mouse behaviour.
class GxGridView : public QTableView {
    Q_OBJECT
public:
    explicit GxGridView(QWidget* parent = nullptr);

    /// When false a left double click only reports the cell and never opens the editor.
    void setDoubleClickEdits(bool on) { m_doubleClickEdits = on; }
    [[nodiscard]] bool doubleClickEdits() const { return m_doubleClickEdits; }

    /// Starts the in-cell editor on the current cell, if the model allows it there.
    bool editCurrent();

Q_SIGNALS:
    /// A double click on a cell (0-based row and column).
    void cellDoubleClicked(int row, int column, Qt::MouseButton button);
    void commandRequested(vela::workbook::GridCommand command);
    /// Emitted after the in-cell editor closed (committed or not).
    void editorClosed(bool committed);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void commitData(QWidget* editor) override;

private:
    bool commandForKey(QKeyEvent* event);
    void moveCurrent(int dRow, int dCol);

    bool m_doubleClickEdits = true;
    bool m_committed = false;
};

} // namespace vela::workbook
