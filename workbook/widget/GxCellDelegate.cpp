#include "GxCellDelegate.h"

#include "GxSheetModel.h"

#include <QLineEdit>
#include <QPainter>
#include <QTableView>

namespace vela::workbook {
namespace {

constexpr int kPadding = 2;
constexpr int kTextMargin = 3;  // the style's own margin inside the padded text rectangle
constexpr int kMaxSpillColumns = 16;  // how far left an empty cell looks for a spilling text
const QColor kGridLine(0xD4, 0xD8, 0xDE);
const QColor kSelectionTint(0x21, 0x73, 0xD9, 0x38);
const QColor kCurrentFrame(0x1E, 0x5A, 0xA8);

bool spills(const QModelIndex& index)
{
    if (index.data(GxSheetModel::IsNumberRole).toBool())
        return false;
    const int align = index.data(Qt::TextAlignmentRole).toInt();
    return (align & Qt::AlignHorizontal_Mask) == Qt::AlignLeft
           || (align & Qt::AlignHorizontal_Mask) == 0;
}

} // namespace

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
    const auto* view = qobject_cast<const QTableView*>(parent());
    const bool selected = option.state & QStyle::State_Selected;
    const bool current = view && view->currentIndex() == index;
    // The whole cell gets its fill and the selection tint; the text keeps a small margin.
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.isValid())
        painter->fillRect(option.rect, background.value<QBrush>());
    if (selected && !current)
        painter->fillRect(option.rect, kSelectionTint);
    QStyleOptionViewItem opt = option;
    opt.rect.adjust(kPadding, 1, -kPadding, -2);
    opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_MouseOver);
    const QString text = index.data(Qt::DisplayRole).toString();
    int textEnd = -1;
    if (!text.isEmpty() && spills(index)) {
        const QFont font = index.data(Qt::FontRole).value<QFont>();
        textEnd = option.rect.left() + kPadding + kTextMargin + QFontMetrics(font).horizontalAdvance(text);
        if (textEnd > option.rect.right()) {
            // A long text is drawn here exactly as its neighbours continue it.
            opt.text.clear();
            QStyledItemDelegate::paint(painter, opt, index);
            drawRunningText(painter, option.rect, index, option.rect.left() + kPadding + kTextMargin);
        } else {
            QStyledItemDelegate::paint(painter, opt, index);
        }
    } else {
        QStyledItemDelegate::paint(painter, opt, index);
        if (text.isEmpty())
            textEnd = paintSpill(painter, option, index);
    }
    if (m_gridLines)
        paintGridLines(painter, option.rect, index, textEnd);
    if (current && view->selectionModel()->isSelected(index)) {
        painter->save();
        painter->setPen(QPen(kCurrentFrame, 2));
        painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        painter->restore();
    }
}

void GxCellDelegate::paintGridLines(QPainter* painter, const QRect& rect, const QModelIndex& index,
                                    int textEnd) const
{
    painter->save();
    painter->setPen(kGridLine);
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    // A text running on into an empty neighbour is not cut by the line between them.
    const QModelIndex next = index.sibling(index.row(), index.column() + 1);
    const bool runsOn = textEnd > rect.right() && next.isValid()
                        && next.data(Qt::DisplayRole).toString().isEmpty();
    if (!runsOn)
        painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->restore();
}

int GxCellDelegate::paintSpill(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    const auto* view = qobject_cast<const QTableView*>(parent());
    if (!view)
        return -1;
    const QAbstractItemModel* model = index.model();
    QModelIndex source;
    for (int c = index.column() - 1; c >= 0 && c >= index.column() - kMaxSpillColumns; --c) {
        const QModelIndex left = model->index(index.row(), c);
        if (view->isColumnHidden(c))
            continue;
        if (!left.data(Qt::DisplayRole).toString().isEmpty()) {
            source = left;
            break;
        }
    }
    if (!source.isValid() || !spills(source))
        return -1;
    const QString text = source.data(Qt::DisplayRole).toString();
    const QFont font = source.data(Qt::FontRole).value<QFont>();
    const QFontMetrics fm(font);
    const int start = view->columnViewportPosition(source.column()) + kPadding + kTextMargin;
    const int end = start + fm.horizontalAdvance(text);
    if (end <= option.rect.left())
        return -1;
    drawRunningText(painter, option.rect, source, start);
    return end;
}

void GxCellDelegate::drawRunningText(QPainter* painter, const QRect& clip,
                                     const QModelIndex& source, int start) const
{
    const QString text = source.data(Qt::DisplayRole).toString();
    const QFont font = source.data(Qt::FontRole).value<QFont>();
    const int width = QFontMetrics(font).horizontalAdvance(text);
    const int align = source.data(Qt::TextAlignmentRole).toInt() & Qt::AlignVertical_Mask;
    painter->save();
    painter->setClipRect(clip);
    painter->setFont(font);
    const QVariant fg = source.data(Qt::ForegroundRole);
    painter->setPen(fg.isValid() ? fg.value<QBrush>().color() : QColor(Qt::black));
    const QRect textRect(start, clip.top() + 1, width + 4, clip.height() - 3);
    painter->drawText(textRect, Qt::AlignLeft | (align ? align : int(Qt::AlignVCenter)), text);
    painter->restore();
}

} // namespace vela::workbook
