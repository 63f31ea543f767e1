// The active cell, the selection, the cell contents of the facade and the edit bar.
#include "TGxBookProxy.h"

#include "GxFindDialog.h"
#include "GxGridView.h"
#include "GxSheetModel.h"
#include "platform/Dialogs.h"
#include "workbook/engine/Workbook.h"

#include <QItemSelection>
#include <QLineEdit>

namespace vela::workbook {
namespace {

Range clampRange(const Range& r)
{
    return Range(std::clamp(r.row1, 1, kMaxRows), std::clamp(r.col1, 1, kMaxCols),
                 std::clamp(r.row2, 1, kMaxRows), std::clamp(r.col2, 1, kMaxCols));
}

} // namespace

void TGxBookProxy::setActiveCell(CellRef cell, const QList<Range>& selection)
{
    if (!cell.isValid())
        return;
    m_active = cell;
    m_selection.clear();
    for (const Range& r : selection)
        if (r.isValid())
            m_selection.append(clampRange(r));
    if (m_selection.isEmpty())
        m_selection.append(Range(cell));
    syncGridSelection();
    updateEditBar();
}

void TGxBookProxy::syncGridSelection()
{
    m_syncing = true;
    auto* sm = m_grid->selectionModel();
    const int rows = m_model->rowCount();
    const int cols = m_model->columnCount();
    QItemSelection sel;
    for (const Range& r : m_selection) {
        if (r.row1 > rows || r.col1 > cols)
            continue;
        sel.select(m_model->index(r.row1 - 1, r.col1 - 1),
                   m_model->index(std::min(r.row2, rows) - 1, std::min(r.col2, cols) - 1));
    }
    if (m_active.row <= rows && m_active.col <= cols) {
        const QModelIndex cur = m_model->index(m_active.row - 1, m_active.col - 1);
        sm->setCurrentIndex(cur, QItemSelectionModel::NoUpdate);
        if (m_repaint && m_grid->isVisible())
            m_grid->scrollTo(cur);
    } else {
        sm->clearCurrentIndex();
    }
    sm->select(sel, QItemSelectionModel::ClearAndSelect);
    m_syncing = false;
}

void TGxBookProxy::onGridSelectionChanged()
{
    if (m_syncing)
        return;
    const QModelIndex cur = m_grid->selectionModel()->currentIndex();
    if (cur.isValid())
        m_active = CellRef{cur.row() + 1, cur.column() + 1};
    m_selection.clear();
    const QItemSelection sel = m_grid->selectionModel()->selection();
    for (const QItemSelectionRange& r : sel)
        m_selection.append(Range(r.top() + 1, r.left() + 1, r.bottom() + 1, r.right() + 1));
    if (m_selection.isEmpty())
        m_selection.append(Range(m_active));
    updateEditBar();
}

Range TGxBookProxy::selectionBounds() const
{
    return m_selection.isEmpty() ? Range(m_active) : m_selection.first();
}

QString TGxBookProxy::Selection() const
{
    QStringList parts;
    for (const Range& r : m_selection)
        parts << rangeName(r, true);
    return parts.join(QLatin1Char(','));
}

void TGxBookProxy::set_Selection(const QString& reference)
{
    QList<Range> ranges;
    for (const QString& part : reference.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const Range r = parseRangeName(part.trimmed());
        if (r.isValid())
            ranges.append(r);
    }
    if (ranges.isEmpty())
        return;
    setActiveCell(CellRef{ranges.first().row1, ranges.first().col1}, ranges);
}

void TGxBookProxy::set_Col(int col)
{
    if (col >= 1 && col <= kMaxCols)
        setActiveCell(CellRef{m_active.row, col}, {});
}

void TGxBookProxy::set_Row(int row)
{
    if (row >= 1 && row <= kMaxRows)
        setActiveCell(CellRef{row, m_active.col}, {});
}

int TGxBookProxy::SelStartCol() const { return selectionBounds().col1; }
int TGxBookProxy::SelStartRow() const { return selectionBounds().row1; }
int TGxBookProxy::SelEndCol() const { return selectionBounds().col2; }
int TGxBookProxy::SelEndRow() const { return selectionBounds().row2; }

// ---- contents ----

QString TGxBookProxy::TextRC(int row, int col) const
{
    const auto* s = activeSheet();
    return s && CellRef{row, col}.isValid() ? s->displayText(row, col) : QString();
}

void TGxBookProxy::set_TextRC(int row, int col, const QString& text)
{
    auto* s = activeSheet();
    if (!s || !CellRef{row, col}.isValid())
        return;
    if (text.isEmpty())
        s->clearRange(Range(row, col, row, col), ClearWhat::Contents);
    else
        s->setText(row, col, text);
}

double TGxBookProxy::NumberRC(int row, int col) const
{
    const auto* s = activeSheet();
    if (!s || !CellRef{row, col}.isValid())
        return 0.0;
    const Value v = s->value(row, col);
    return v.isNumber() || v.isBoolean() ? v.asNumber() : 0.0;
}

void TGxBookProxy::set_NumberRC(int row, int col, double value)
{
    auto* s = activeSheet();
    if (s && CellRef{row, col}.isValid())
        s->setNumber(row, col, value);
}

QString TGxBookProxy::Text() const { return TextRC(m_active.row, m_active.col); }
void TGxBookProxy::set_Text(const QString& text) { set_TextRC(m_active.row, m_active.col, text); }
double TGxBookProxy::Number() const { return NumberRC(m_active.row, m_active.col); }
void TGxBookProxy::set_Number(double value) { set_NumberRC(m_active.row, m_active.col, value); }

QString TGxBookProxy::Formula() const
{
    const auto* s = activeSheet();
    return s ? s->formulaText(m_active.row, m_active.col) : QString();
}

void TGxBookProxy::set_Formula(const QString& formula)
{
    if (auto* s = activeSheet())
        s->setFormula(m_active.row, m_active.col, formula);
}

// ---- edit bar ----

void TGxBookProxy::updateEditBar()
{
    if (!m_repaint)
        return;
    const Range b = selectionBounds();
    edCellRef->setText(b.rowCount() * b.colCount() > 1 && m_selection.size() == 1
                           ? rangeName(b) : cellName(m_active));
    const auto* s = activeSheet();
    if (!s)
        return;
    const bool hideFormula = s->isProtected() && s->style(m_active.row, m_active.col).hiddenFormula;
    edFormula->setText(hideFormula ? s->displayText(m_active.row, m_active.col)
                                   : s->inputText(m_active.row, m_active.col));
    edFormula->setReadOnly(!m_model->isCellEditable(m_active.row - 1, m_active.col - 1));
}

void TGxBookProxy::commitEditBar()
{
    auto* s = activeSheet();
    if (!s || edFormula->isReadOnly()
        || !m_model->isCellEditable(m_active.row - 1, m_active.col - 1))
        return;
    const CellRef cell = m_active;
    const InputResult result = s->setInput(cell.row, cell.col, edFormula->text());
    onCellEdited(cell.row - 1, cell.col - 1, result.ok, result.error);
    m_grid->setFocus();
}

void TGxBookProxy::commitNameBox()
{
    const Range r = parseRangeName(edCellRef->text().trimmed());
    if (r.isValid())
        setActiveCell(CellRef{r.row1, r.col1}, {r});
    else
        updateEditBar();
    m_grid->setFocus();
}

void TGxBookProxy::onCellEdited(int row, int column, bool ok, const QString& error)
{
    updateEditBar();
    emit OnEndEdit(row + 1, column + 1);
    if (!ok)
        platform::dialogs().messageBox(tr("The formula contains an error: %1").arg(error),
                                       m_title.isEmpty() ? tr("Workbook") : m_title,
                                       platform::MB_OK | platform::MB_ICONWARNING);
}

bool TGxBookProxy::operatorMayChange(const Range& range)
{
    const auto* s = activeSheet();
    if (!s)
        return false;
    // With in-cell editing off the operator changes nothing; with protection on, only cells
    // that are not locked.
    bool allowed = m_model->inCellEditing();
    if (allowed && s->isProtected()) {
        for (int r = range.row1; r <= range.row2 && allowed; ++r)
            for (int c = range.col1; c <= range.col2 && allowed; ++c)
                allowed = s->isEditable(r, c);
    }
    if (!allowed)
        platform::dialogs().messageBox(tr("Locked cells cannot be changed."),
                                       m_title.isEmpty() ? tr("Workbook") : m_title,
                                       platform::MB_OK | platform::MB_ICONWARNING);
    return allowed;
}

// ---- find ----

bool TGxBookProxy::Find(const QString& text, bool matchCase, bool wholeCell)
{
    const auto* s = activeSheet();
    if (!s || text.isEmpty())
        return false;
    const auto found = s->find(text, m_active, matchCase, wholeCell);
    if (!found)
        return false;
    setActiveCell(*found, {});
    return true;
}

void TGxBookProxy::FindDlg()
{
    if (!m_findDialog) {
        m_findDialog = new GxFindDialog(this);
        connect(m_findDialog, &GxFindDialog::findNext, this,
                [this](const QString& text, bool matchCase, bool wholeCell) {
                    if (!Find(text, matchCase, wholeCell))
                        platform::dialogs().messageBox(
                            tr("Cannot find \"%1\".").arg(text),
                            m_title.isEmpty() ? tr("Find") : m_title,
                            platform::MB_OK | platform::MB_ICONINFORMATION);
                });
    }
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
}

} // namespace vela::workbook
