#include "TGxBookProxy.h"

#include "GxCellDelegate.h"
#include "GxFindDialog.h"
#include "GxGridView.h"
#include "GxSheetModel.h"
#include "workbook/engine/Workbook.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QTabBar>
#include <QVBoxLayout>
#include <utility>

namespace vela::workbook {

TGxBookProxy::TGxBookProxy(QWidget* parent)
    : QWidget(parent), m_book(std::make_unique<Workbook>())
{
    setObjectName(QStringLiteral("GxBook"));
    buildUi();
    connectBook();
    showActiveSheet();
}

TGxBookProxy::~TGxBookProxy() = default;

void TGxBookProxy::buildUi()
{
    m_model = new GxSheetModel(m_book.get(), this);
    m_grid = new GxGridView(this);
    m_grid->setModel(m_model);
    m_delegate = new GxCellDelegate(m_grid);
    m_grid->setItemDelegate(m_delegate);
    m_grid->setShowGrid(false);
    m_grid->setAccessibleName(tr("Cells"));
    QPalette pal = m_grid->palette();
    pal.setColor(QPalette::Highlight, QColor(0xCC, 0xE0, 0xF7));
    pal.setColor(QPalette::HighlightedText, Qt::black);
    pal.setColor(QPalette::Inactive, QPalette::Highlight, QColor(0xDD, 0xE6, 0xF0));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
    m_grid->setPalette(pal);

    edCellRef = new QLineEdit;
    edCellRef->setObjectName(QStringLiteral("edCellRef"));
    edCellRef->setAccessibleName(tr("Name box"));
    edCellRef->setFixedWidth(90);
    edCellRef->setAlignment(Qt::AlignCenter);
    auto* fx = new QLabel(QStringLiteral("<i>f</i><sub>x</sub>"));
    fx->setTextFormat(Qt::RichText);
    edFormula = new QLineEdit;
    edFormula->setObjectName(QStringLiteral("edFormula"));
    edFormula->setAccessibleName(tr("Cell contents"));
    fx->setBuddy(edFormula);
    m_editBarRow = new QWidget;
    auto* bar = new QHBoxLayout(m_editBarRow);
    bar->setContentsMargins(2, 2, 2, 2);
    bar->addWidget(edCellRef);
    bar->addWidget(fx);
    bar->addWidget(edFormula, 1);

    m_tabs = new QTabBar;
    m_tabs->setObjectName(QStringLiteral("SheetTabs"));
    m_tabs->setShape(QTabBar::RoundedSouth);
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    m_tabs->setDocumentMode(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_editBarRow);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_tabs);

    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TGxBookProxy::onGridSelectionChanged);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TGxBookProxy::onGridSelectionChanged);
    m_menuTimer.setSingleShot(true);
    connect(&m_menuTimer, &QTimer::timeout, this, [this] { showContextMenu(m_menuPos); });
    connect(m_grid, &GxGridView::cellDoubleClicked, this,
            [this](int row, int col, Qt::MouseButton button) {
                m_menuTimer.stop();
                if (button == Qt::RightButton)
                    emit OnRDblClick(row + 1, col + 1);
                else if (button == Qt::LeftButton)
                    emit OnDblClick(row + 1, col + 1);
            });
    connect(m_grid, &GxGridView::commandRequested, this, &TGxBookProxy::onGridCommand);
    connect(m_model, &GxSheetModel::cellEdited, this, &TGxBookProxy::onCellEdited);
    connect(edFormula, &QLineEdit::returnPressed, this, &TGxBookProxy::commitEditBar);
    connect(edCellRef, &QLineEdit::returnPressed, this, &TGxBookProxy::commitNameBox);
    connect(m_tabs, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0)
            set_Sheet(index + 1);
    });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col, int, int newSize) {
                if (m_syncing || !activeSheet())
                    return;
                const double zoom = ViewScale() / 100.0;
                const double chars = std::max(0.0, (newSize / zoom - 5.0) / 7.0);
                m_syncing = true;
                activeSheet()->setColumnWidth(col + 1, chars);
                m_syncing = false;
            });
}

void TGxBookProxy::connectBook()
{
    connect(m_book.get(), &Workbook::modified, this, [this] {
        if (m_loading)
            return;
        m_modified = true;
        emit OnModified();
    });
    connect(m_book.get(), &Workbook::cellsChanged, this, [this](int sheet, const Range& r) {
        if (sheet != m_book->activeSheet())
            return;
        // A sheet without a set extent grows when something is written beyond what it shows;
        // only then is the used range measured, so ordinary edits stay cheap on long sheets.
        if (!m_extents.contains(activeSheet()->id())
            && (r.row2 > m_model->rowCount() || r.col2 > m_model->columnCount()))
            applyExtent();
        updateEditBar();
    });
    connect(m_book.get(), &Workbook::structureChanged, this, [this](int sheet) {
        if (sheet != m_book->activeSheet())
            return;
        applyExtent();
        m_model->refreshAll();
        applyLayout();
        updateEditBar();
    });
    connect(m_book.get(), &Workbook::layoutChanged, this, [this](int sheet) {
        if (sheet == m_book->activeSheet() && !m_syncing)
            applyLayout();
    });
    connect(m_book.get(), &Workbook::sheetsChanged, this, [this] {
        if (m_model->sheetIndex() != m_book->activeSheet() || !m_model->sheet())
            showActiveSheet();
        else
            rebuildTabs();
    });
    connect(m_book.get(), &Workbook::reset, this, [this] { showActiveSheet(); });
}

vela::workbook::Sheet* TGxBookProxy::activeSheet() const
{
    return m_book->sheet(m_book->activeSheet());
}

QSize TGxBookProxy::extentOf(int sheetIndex) const
{
    const auto* s = m_book->sheet(sheetIndex);
    if (!s)
        return {};
    const auto it = m_extents.constFind(s->id());
    if (it != m_extents.constEnd())
        return *it;
    return {std::max(kDefaultRows, s->maxRow()), std::max(kDefaultCols, s->maxCol())};
}

void TGxBookProxy::applyExtent()
{
    const QSize e = extentOf(m_book->activeSheet());
    m_syncing = true;
    m_model->setExtent(e.width(), e.height());
    m_syncing = false;
}

void TGxBookProxy::rebuildTabs()
{
    const QSignalBlocker block(m_tabs);
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    for (int i = 0; i < m_book->sheetCount(); ++i)
        m_tabs->addTab(m_book->sheet(i)->name());
    m_tabs->setCurrentIndex(m_book->activeSheet());
}

void TGxBookProxy::showActiveSheet()
{
    auto* s = activeSheet();
    if (!s)
        return;
    const QSize e = extentOf(m_book->activeSheet());
    m_syncing = true;
    m_model->setZoom(s->view().viewScale / 100.0);
    m_model->showSheet(m_book->activeSheet(), e.width(), e.height());
    m_hiddenRowsShown.clear();  // a reset model shows every row again
    m_syncing = false;
    applyLayout();
    rebuildTabs();
    const SheetView& v = s->view();
    setActiveCell(v.activeCell.isValid() ? v.activeCell : CellRef{1, 1}, v.selection);
    if (v.topRow > 1 && v.topRow <= m_model->rowCount())
        m_grid->scrollTo(m_model->index(v.topRow - 1, std::max(0, v.leftCol - 1)),
                         QAbstractItemView::PositionAtTop);
}

int TGxBookProxy::columnPixels(int col, double zoom) const
{
    const auto* s = activeSheet();
    if (!s || s->isColumnHidden(col))
        return 0;
    return std::max(1, qRound((s->columnWidth(col) * 7.0 + 5.0) * zoom));
}

int TGxBookProxy::rowPixels(int row, double zoom) const
{
    const auto* s = activeSheet();
    if (!s || s->isRowHidden(row))
        return 0;
    return std::max(1, qRound(s->rowHeight(row) * 96.0 / 72.0 * zoom));
}

void TGxBookProxy::applyLayout()
{
    auto* s = activeSheet();
    if (!s)
        return;
    m_syncing = true;
    const double zoom = s->view().viewScale / 100.0;
    if (!qFuzzyCompare(m_model->zoom(), zoom))
        m_model->setZoom(zoom);
    auto* hh = m_grid->horizontalHeader();
    auto* vh = m_grid->verticalHeader();
    QFont headFont = font();
    headFont.setPointSizeF(std::max(4.0, headFont.pointSizeF() * zoom));
    hh->setFont(headFont);
    vh->setFont(headFont);
    hh->setDefaultSectionSize(qRound((Sheet::kDefaultColumnWidth * 7.0 + 5.0) * zoom));
    vh->setDefaultSectionSize(qRound(Sheet::kDefaultRowHeight * 96.0 / 72.0 * zoom));
    vh->setMinimumSectionSize(1);
    hh->setMinimumSectionSize(1);
    // Only columns and rows that differ from the default are touched, so a long sheet stays
    // quick to show.
    for (int c = 1; c <= m_model->columnCount(); ++c) {
        const bool hidden = s->isColumnHidden(c);
        m_grid->setColumnHidden(c - 1, hidden);
        if (!hidden)
            hh->resizeSection(c - 1, columnPixels(c, zoom));
    }
    for (auto it = s->rowHeights().cbegin(); it != s->rowHeights().cend(); ++it)
        if (it.key() <= m_model->rowCount())
            vh->resizeSection(it.key() - 1, rowPixels(it.key(), zoom));
    for (int r : std::as_const(m_hiddenRowsShown))
        if (r <= m_model->rowCount() && !s->isRowHidden(r))
            m_grid->setRowHidden(r - 1, false);
    m_hiddenRowsShown.clear();
    for (int r : s->hiddenRows()) {
        if (r <= m_model->rowCount()) {
            m_grid->setRowHidden(r - 1, true);
            m_hiddenRowsShown.append(r);
        }
    }
    m_delegate->setGridLines(s->view().showGrid);
    hh->setVisible(s->view().showHeadings);
    vh->setVisible(s->view().showHeadings);
    m_syncing = false;
}

void TGxBookProxy::storeView()
{
    auto* s = activeSheet();
    if (!s)
        return;
    SheetView v = s->view();
    v.activeCell = m_active;
    v.selection = m_selection;
    const QModelIndex top = m_grid->indexAt(QPoint(1, 1));
    if (top.isValid()) {
        v.topRow = top.row() + 1;
        v.leftCol = top.column() + 1;
    }
    // Keeping the view state is not a change of the workbook's contents.
    m_syncing = true;
    const bool loading = std::exchange(m_loading, true);
    const bool wasModified = m_book->isModified();
    s->setView(v);
    m_book->setModified(wasModified);
    m_loading = loading;
    m_syncing = false;
}

// ---- sheets ----

int TGxBookProxy::Sheet() const
{
    return m_book->activeSheet() + 1;
}

void TGxBookProxy::set_Sheet(int sheet)
{
    if (sheet < 1 || sheet > m_book->sheetCount() || sheet - 1 == m_book->activeSheet())
        return;
    storeView();
    m_book->setActiveSheet(sheet - 1);
    if (m_model->sheetIndex() != m_book->activeSheet())
        showActiveSheet();
}

int TGxBookProxy::NumSheets() const
{
    return m_book->sheetCount();
}

void TGxBookProxy::set_NumSheets(int count)
{
    count = std::max(1, count);
    while (m_book->sheetCount() < count)
        m_book->addSheet();
    while (m_book->sheetCount() > count)
        m_book->removeSheet(m_book->sheetCount() - 1);
    rebuildTabs();
}

QString TGxBookProxy::SheetName(int sheet) const
{
    const auto* s = m_book->sheet(sheet - 1);
    return s ? s->name() : QString();
}

void TGxBookProxy::set_SheetName(int sheet, const QString& name)
{
    if (m_book->renameSheet(sheet - 1, name))
        rebuildTabs();
}

// ---- extent ----

int TGxBookProxy::MaxRow() const
{
    return extentOf(m_book->activeSheet()).width();
}

void TGxBookProxy::set_MaxRow(int rows)
{
    const QSize e = extentOf(m_book->activeSheet());
    m_extents.insert(activeSheet()->id(), QSize(std::clamp(rows, 1, kMaxRows), e.height()));
    applyExtent();
    applyLayout();
}

int TGxBookProxy::MaxCol() const
{
    return extentOf(m_book->activeSheet()).height();
}

void TGxBookProxy::set_MaxCol(int columns)
{
    const QSize e = extentOf(m_book->activeSheet());
    m_extents.insert(activeSheet()->id(), QSize(e.width(), std::clamp(columns, 1, kMaxCols)));
    applyExtent();
    applyLayout();
}

// ---- view and locks ----

int TGxBookProxy::ViewScale() const
{
    return activeSheet() ? activeSheet()->view().viewScale : 100;
}

void TGxBookProxy::set_ViewScale(int percent)
{
    activeSheet()->setViewScale(std::clamp(percent, 10, 400));
    applyLayout();
}

void TGxBookProxy::set_Repaint(bool on)
{
    if (on == m_repaint)
        return;
    m_repaint = on;
    if (!on) {
        m_book->beginUpdate();
        m_grid->setUpdatesEnabled(false);
        return;
    }
    m_book->endUpdate();
    m_grid->setUpdatesEnabled(true);
    applyExtent();
    m_model->refreshAll();
    updateEditBar();
}

bool TGxBookProxy::EnableProtection() const
{
    return activeSheet() && activeSheet()->isProtected();
}

void TGxBookProxy::set_EnableProtection(bool on)
{
    activeSheet()->setProtected(on);
    updateEditBar();
}

bool TGxBookProxy::AllowInCellEditing() const
{
    return m_model->inCellEditing();
}

void TGxBookProxy::set_AllowInCellEditing(bool on)
{
    m_model->setInCellEditing(on);
    updateEditBar();
}

bool TGxBookProxy::ShowEditBar() const
{
    return !m_editBarRow->isHidden();
}

void TGxBookProxy::set_ShowEditBar(bool on)
{
    m_editBarRow->setVisible(on);
}

bool TGxBookProxy::ShowTabs() const
{
    return !m_tabs->isHidden();
}

void TGxBookProxy::set_ShowTabs(bool on)
{
    m_tabs->setVisible(on);
}

bool TGxBookProxy::DoDblClick() const
{
    return m_grid->doubleClickEdits();
}

void TGxBookProxy::set_DoDblClick(bool on)
{
    m_grid->setDoubleClickEdits(on);
}

bool TGxBookProxy::Modified() const
{
    return m_modified;
}

void TGxBookProxy::set_Modified(bool on)
{
    m_modified = on;
    m_book->setModified(on);
}

QWidget* TGxBookProxy::hWnd() const
{
    return window();
}

void TGxBookProxy::InitTable()
{
    m_loading = true;
    m_extents.clear();
    m_book->clear();
    m_loading = false;
    m_modified = false;
    m_book->setModified(false);
    showActiveSheet();
}

void TGxBookProxy::Recalc()
{
    m_book->recalculate();
}

} // namespace vela::workbook
