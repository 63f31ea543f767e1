#include "GxGridView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace vela::workbook {

GxGridView::GxGridView(QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("grid"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    setCornerButtonEnabled(true);
    // Fixed sections keep a sheet of many rows fast: the header never measures contents.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(true);
    verticalHeader()->setHighlightSections(true);
}

bool GxGridView::editCurrent()
{
    const QModelIndex index = currentIndex();
    if (!index.isValid() || !(model()->flags(index) & Qt::ItemIsEditable))
        return false;
    return edit(index, QAbstractItemView::AllEditTriggers, nullptr);
}

void GxGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) {
        QTableView::mouseDoubleClickEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton)
        setCurrentIndex(index);
    emit cellDoubleClicked(index.row(), index.column(), event->button());
    // The handler may have changed the locks; look at the flags only now.
    if (event->button() == Qt::LeftButton && m_doubleClickEdits && index == currentIndex())
        editCurrent();
    event->accept();
}

bool GxGridView::commandForKey(QKeyEvent* event)
{
    struct Binding {
        QKeySequence::StandardKey key;
        GridCommand command;
    };
    static const Binding kBindings[] = {
        {QKeySequence::Copy, GridCommand::Copy},   {QKeySequence::Cut, GridCommand::Cut},
        {QKeySequence::Paste, GridCommand::Paste}, {QKeySequence::Find, GridCommand::Find},
        {QKeySequence::SelectAll, GridCommand::SelectAll},
    };
    for (const Binding& b : kBindings) {
        if (event->matches(b.key)) {
            emit commandRequested(b.command);
            return true;
        }
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        emit commandRequested(GridCommand::ClearContents);
        return true;
    }
    return false;
}

void GxGridView::keyPressEvent(QKeyEvent* event)
{
    if (state() != QAbstractItemView::EditingState && commandForKey(event)) {
        event->accept();
        return;
    }
    if (state() != QAbstractItemView::EditingState
        && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        moveCurrent(event->modifiers() & Qt::ShiftModifier ? -1 : 1, 0);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void GxGridView::commitData(QWidget* editor)
{
    m_committed = true;
    QTableView::commitData(editor);
}

void GxGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool committed = m_committed;
    m_committed = false;
    // Enter confirms and moves down, as in every spreadsheet.
    if (hint == QAbstractItemDelegate::SubmitModelCache) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        moveCurrent(1, 0);
    } else {
        QTableView::closeEditor(editor, hint);
    }
    emit editorClosed(committed);
}

void GxGridView::moveCurrent(int dRow, int dCol)
{
    const QModelIndex cur = currentIndex();
    if (!cur.isValid())
        return;
    const int row = std::clamp(cur.row() + dRow, 0, model()->rowCount() - 1);
    const int col = std::clamp(cur.column() + dCol, 0, model()->columnCount() - 1);
    setCurrentIndex(model()->index(row, col));
}

} // namespace vela::workbook
