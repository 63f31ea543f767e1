#include "GxCellDelegate.h"

#include "GxSheetModel.h"

#include <QLineEdit>
#include <QPainter>

namespace vela::workbook {

QWidget* GxCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex& index) const
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("cellEditor"));
    edit->setFrame(false);
    const QVariant font = index.data(Qt::FontRole);
    if (font.isValid())
        edit->setFont(font.value<QFont>());
    return edit;
}

void GxCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(index.data(Qt::EditRole).toString());
}

void GxCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        model->setData(index, edit->text(), Qt::EditRole);
}

void GxCellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->textElideMode = Qt::ElideNone;
    // A number that does not fit its column shows as "###", never as a cut-off number.
    if (index.data(GxSheetModel::IsNumberRole).toBool() && !option->text.isEmpty()) {
        const int available = option->rect.width() - 8;
        if (option->fontMetrics.horizontalAdvance(option->text) > available
            && option->text.at(0) != QLatin1Char('#')) {
            const int hashes = std::max(1, available / std::max(1, option->fontMetrics.horizontalAdvance(QLatin1Char('#'))));
            option->text = QString(hashes, QLatin1Char('#'));
        }
    }
}

void GxCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    opt.rect.adjust(2, 0, -2, 0);
    // The whole cell gets its fill, not only the padded text rectangle.
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.isValid() && !(option.state & QStyle::State_Selected))
        painter->fillRect(option.rect, background.value<QBrush>());
    QStyledItemDelegate::paint(painter, opt, index);
}

} // namespace vela::workbook
