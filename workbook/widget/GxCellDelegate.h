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

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace vela::workbook
