// Clipboard, clearing, deleting and inserting cells, column widths and the context menu.
#include "TGxBookProxy.h"

#include "GxDesignerDialog.h"
#include "GxGridView.h"
#include "GxSheetModel.h"
#include "workbook/engine/Workbook.h"
#include "workbook/engine/WorkbookFile.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>

namespace vela::workbook {
namespace {

const QString kClipMime = QStringLiteral("application/x-vela-workbook-clip");
// Copies are numbered across every control of the process, so a token names one copy.
quint64 g_clipCounter = 0;

// Marks a copy as ours, so a paste in this control takes formulas and formats from its own copy.
QByteArray clipToken(quint64 serial)
{
    return QByteArray::number(QCoreApplication::applicationPid()) + ':'
           + QByteArray::number(serial);
}

// Tab-separated text of a range as it is shown.
QString rangeText(const Sheet& s, const Range& r)
{
    QStringList lines;
    for (int row = r.row1; row <= r.row2; ++row) {
        QStringList cells;
        for (int col = r.col1; col <= r.col2; ++col)
            cells << s.displayText(row, col);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace

void TGxBookProxy::EditCopy()
{
    auto* s = activeSheet();
    if (!s)
        return;
    const Range r = selectionBounds();
    m_clip = s->copy(r);
    m_clipSerial = ++g_clipCounter;
    auto* mime = new QMimeData;
    mime->setText(rangeText(*s, r));
    mime->setData(kClipMime, clipToken(m_clipSerial));
    QApplication::clipboard()->setMimeData(mime);
}

void TGxBookProxy::EditCut()
{
    if (!operatorMayChange(selectionBounds()))
        return;
    EditCopy();
    EditClear(static_cast<int>(ClearWhat::Contents));
}

void TGxBookProxy::EditPaste()
{
    const Range target = selectionBounds();
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    const bool ours = mime && mime->data(kClipMime) == clipToken(m_clipSerial) && !m_clip.isEmpty();
    Range written = target;
    if (ours) {
        written = Range(target.row1, target.col1, target.row1 + m_clip.source.rowCount() - 1,
                        target.col1 + m_clip.source.colCount() - 1);
    } else if (mime && mime->hasText()) {
        const QStringList lines = mime->text().split(QLatin1Char('\n'));
        int width = 1;
        for (const QString& l : lines)
            width = std::max<int>(width, static_cast<int>(l.count(QLatin1Char('\t'))) + 1);
        written = Range(target.row1, target.col1,
                        target.row1 + std::max<int>(1, static_cast<int>(lines.size())) - 1,
                        target.col1 + width - 1);
    } else {
        return;
    }
    if (!operatorMayChange(written))
        return;
    EditPasteSpecial(static_cast<int>(PasteWhat::All), static_cast<int>(PasteOp::None));
}

void TGxBookProxy::EditPasteSpecial(int what, int operation)
{
    auto* s = activeSheet();
    if (!s)
        return;
    const Range target = selectionBounds();
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    const bool ours = !m_clip.isEmpty()
                      && (!mime || !mime->hasText() || mime->data(kClipMime) == clipToken(m_clipSerial));
    if (ours) {
        const Range written = s->pasteSpecial(m_clip, CellRef{target.row1, target.col1},
                                              static_cast<PasteWhat>(std::clamp(what, 0, 3)),
                                              static_cast<PasteOp>(std::clamp(operation, 0, 4)));
        if (written.isValid())
            setActiveCell(m_active, {written});
        return;
    }
    if (!mime || !mime->hasText() || what == static_cast<int>(PasteWhat::Formats))
        return;
    // Text from another program: one cell per tab-separated field, typed in as input.
    QStringList lines = mime->text().split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    m_book->beginUpdate();
    for (int i = 0; i < lines.size() && target.row1 + i <= kMaxRows; ++i) {
        const QStringList fields = lines[i].split(QLatin1Char('\t'));
        for (int j = 0; j < fields.size() && target.col1 + j <= kMaxCols; ++j) {
            QString field = fields[j];
            field.remove(QLatin1Char('\r'));
            s->setInput(target.row1 + i, target.col1 + j, field);
        }
    }
    m_book->endUpdate();
}

void TGxBookProxy::EditClear(int what)
{
    if (auto* s = activeSheet()) {
        m_book->beginUpdate();
        for (const Range& r : m_selection)
            s->clearRange(r, static_cast<ClearWhat>(std::clamp(what, 1, 3)));
        m_book->endUpdate();
    }
}

void TGxBookProxy::DeleteRange(int row1, int col1, int row2, int col2, int shift)
{
    auto* s = activeSheet();
    const Range r(row1, col1, row2, col2);
    if (!s || !r.isValid())
        return;
    const auto it = m_extents.find(s->id());
    switch (shift) {
    case 3:
        s->deleteRows(r.row1, r.rowCount());
        if (it != m_extents.end())
            it->setWidth(std::max(1, it->width() - r.rowCount()));
        break;
    case 4:
        s->deleteColumns(r.col1, r.colCount());
        if (it != m_extents.end())
            it->setHeight(std::max(1, it->height() - r.colCount()));
        break;
    case 1:
        s->deleteRange(r, ShiftMode::Horizontal);
        break;
    default:
        s->deleteRange(r, ShiftMode::Vertical);
        break;
    }
    applyExtent();
    applyLayout();
}

void TGxBookProxy::InsertRange(int row1, int col1, int row2, int col2, int shift)
{
    auto* s = activeSheet();
    const Range r(row1, col1, row2, col2);
    if (!s || !r.isValid())
        return;
    switch (shift) {
    case 3: s->insertRows(r.row1, r.rowCount()); break;
    case 4: s->insertColumns(r.col1, r.colCount()); break;
    case 1: s->insertRange(r, ShiftMode::Horizontal); break;
    default: s->insertRange(r, ShiftMode::Vertical); break;
    }
    applyExtent();
    applyLayout();
}

void TGxBookProxy::AssignFrom(TGxBookProxy& other)
{
    other.storeView();
    QList<QSize> explicitExtents;
    for (int i = 0; i < other.m_book->sheetCount(); ++i)
        explicitExtents << other.m_extents.value(other.m_book->sheet(i)->id());
    Workbook copy;
    if (!WorkbookFile::fromVts(copy, WorkbookFile::toVts(*other.m_book)))
        return;
    m_loading = true;
    m_book->takeContents(copy);
    m_extents.clear();
    for (int i = 0; i < explicitExtents.size() && i < m_book->sheetCount(); ++i)
        if (explicitExtents[i].isValid())
            m_extents.insert(m_book->sheet(i)->id(), explicitExtents[i]);
    m_pageSetup = other.m_pageSetup;
    m_model->setInCellEditing(other.m_model->inCellEditing());
    m_loading = false;
    showActiveSheet();
}

// ---- column widths ----

int TGxBookProxy::ColWidth(int col) const
{
    const auto* s = activeSheet();
    if (!s || col < 1 || col > kMaxCols || s->isColumnHidden(col))
        return 0;
    return qRound(s->columnWidth(col) * 256.0);
}

void TGxBookProxy::set_ColWidth(int col, int width)
{
    auto* s = activeSheet();
    if (!s || col < 1 || col > kMaxCols)
        return;
    if (width <= 0) {
        s->setColumnHidden(col, true);
    } else {
        s->setColumnWidth(col, width / 256.0);
        s->setColumnHidden(col, false);
    }
    applyLayout();
}

void TGxBookProxy::SetColWidthAuto(int, int col1, int, int col2, bool)
{
    auto* s = activeSheet();
    if (!s)
        return;
    for (int c = std::max(1, std::min(col1, col2)); c <= std::min(kMaxCols, std::max(col1, col2)); ++c) {
        s->setColumnWidth(c, s->fitColumnWidth(c));
        s->setColumnHidden(c, false);
    }
    applyLayout();
}

// ---- operator commands ----

void TGxBookProxy::onGridCommand(GridCommand command)
{
    switch (command) {
    case GridCommand::Copy: EditCopy(); break;
    case GridCommand::Cut: EditCut(); break;
    case GridCommand::Paste: EditPaste(); break;
    case GridCommand::Find: FindDlg(); break;
    case GridCommand::ClearContents:
        if (operatorMayChange(selectionBounds()))
            EditClear(static_cast<int>(ClearWhat::Contents));
        break;
    case GridCommand::SelectAll:
        setActiveCell(m_active, {Range(1, 1, MaxRow(), MaxCol())});
        break;
    }
}

void TGxBookProxy::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (event->reason() != QContextMenuEvent::Mouse) {
        showContextMenu(event->globalPos());
        return;
    }
    // A right double click is an event of its own (OnRDblClick): the menu waits for the
    // double-click interval and is dropped when the second click comes.
    m_menuPos = event->globalPos();
    m_menuTimer.start(QApplication::doubleClickInterval());
}

void TGxBookProxy::showContextMenu(const QPoint& globalPos)
{
    QMenu menu(this);
    menu.addAction(tr("Cu&t"), this, [this] { onGridCommand(GridCommand::Cut); });
    menu.addAction(tr("&Copy"), this, &TGxBookProxy::EditCopy);
    menu.addAction(tr("&Paste"), this, [this] { onGridCommand(GridCommand::Paste); });
    menu.addAction(tr("Clear Co&ntents"), this,
                   [this] { onGridCommand(GridCommand::ClearContents); });
    menu.addSeparator();
    menu.addAction(tr("&Find..."), this, &TGxBookProxy::FindDlg);
    menu.addSeparator();
    menu.addAction(tr("Pa&ge Setup..."), this, &TGxBookProxy::FilePageSetupDlg);
    menu.addAction(tr("Print Pre&view"), this, &TGxBookProxy::FilePrintPreview);
    menu.addAction(tr("&Print..."), this, [this] { FilePrint(true); });
    if (m_allowDesigner) {
        menu.addSeparator();
        menu.addAction(tr("&Workbook Designer..."), this, &TGxBookProxy::LaunchDesigner);
    }
    menu.exec(globalPos);
}

void TGxBookProxy::LaunchDesigner()
{
    if (!m_allowDesigner)
        return;
    GxDesignerDialog designer(m_title, hWnd());
    designer.book()->AssignFrom(*this);
    if (designer.exec() != QDialog::Accepted)
        return;
    AssignFrom(*designer.book());
    set_Modified(true);
    emit OnModified();
}

} // namespace vela::workbook
