#pragma once
// Paints cells as a spreadsheet does (no elision, a little padding, "###" for numbers that do
// not fit) and edits them with a frameless line edit in the cell's font.
#include <QStyledItemDelegate>

namespace vela::workbook {

/// @brief Item delegate of the workbook grid.
class GxCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    /// Grid lines are drawn by the delegate so that texts may run across empty cells.
    void setGridLines(bool on) { m_gridLines = on; }
    [[nodiscard]] bool gridLines() const { return m_gridLines; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    /// Paints into an empty cell the part of a longer text that spills over from the left, as
    /// spreadsheets let texts run across empty neighbours.
    /// Returns where the spilled text ends (viewport x), or -1.
    int paintSpill(QPainter* painter, const QStyleOptionViewItem& option,
                   const QModelIndex& index) const;
    void drawRunningText(QPainter* painter, const QRect& clip, const QModelIndex& source,
                         int start) const;
    void paintGridLines(QPainter* painter, const QRect& rect, const QModelIndex& index,
                        int textEnd) const;

    bool m_gridLines = true;
};

} // namespace vela::workbook
