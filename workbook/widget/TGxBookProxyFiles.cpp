// Reading and writing workbooks, the file dialogs, printing, print preview and page set-up.
#include "TGxBookProxy.h"

#include "GxGridView.h"
#include "GxPageSetupDialog.h"
#include "GxPrintRenderer.h"
#include "GxSheetModel.h"
#include "platform/Dialogs.h"
#include "workbook/engine/FileType.h"
#include "workbook/engine/Workbook.h"
#include "workbook/engine/WorkbookFile.h"

#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace vela::workbook {
namespace {

QStringList workbookFilters()
{
    return {QStringLiteral("Workbook (*.vts)"), QStringLiteral("Excel Workbook (*.xlsx *.xls)"),
            QStringLiteral("Tab Delimited Text (*.txt)"),
            QStringLiteral("Comma Separated Text (*.csv)"), QStringLiteral("HTML (*.htm *.html)"),
            QStringLiteral("All Files (*)")};
}

} // namespace

bool TGxBookProxy::Read(const QString& path, int& fileType)
{
    QString error;
    m_loading = true;
    const FileType type = WorkbookFile::read(*m_book, path, &error);
    m_loading = false;
    fileType = static_cast<int>(type);
    if (type == FileType::None) {
        m_lastError = error;
        return false;
    }
    m_lastError.clear();
    m_extents.clear();
    m_fileName = path;
    m_modified = false;
    m_book->setModified(false);
    showActiveSheet();
    return true;
}

bool TGxBookProxy::Write(const QString& path, int fileType)
{
    QString error;
    if (!WorkbookFile::write(*m_book, path, static_cast<FileType>(fileType), &error)) {
        m_lastError = error;
        return false;
    }
    m_lastError.clear();
    m_modified = false;
    m_book->setModified(false);
    return true;
}

void TGxBookProxy::OpenFileDlg(const QString& title, QWidget* owner, QString& path)
{
    platform::FileDialogRequest request;
    request.caption = title;
    request.directory = QDir::currentPath();
    request.filters = workbookFilters();
    // The dialogs seam keeps the program's own parent window; the owner is not swapped in, so
    // a control that goes away can never leave the seam pointing at a deleted window.
    Q_UNUSED(owner);
    path = platform::openFile(request);
}

void TGxBookProxy::SaveFileDlg(const QString& title, QString& path, int& fileType)
{
    platform::FileDialogRequest request;
    request.caption = title;
    request.directory = QDir::currentPath();
    request.fileName = path;
    request.filters = workbookFilters();
    request.defaultSuffix = QStringLiteral("vts");
    const QString chosen = platform::dialogs().saveFile(request);
    if (chosen.isEmpty()) {
        fileType = 0;
        return;
    }
    path = chosen;
    const FileType type = fileTypeForPath(chosen);
    fileType = static_cast<int>(type == FileType::None ? FileType::VtsCurrent : type);
}

void TGxBookProxy::SaveWindowInfo()
{
    storeView();
}

// ---- printing ----

QPrinter* TGxBookProxy::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

Range TGxBookProxy::printRange() const
{
    const auto* s = activeSheet();
    if (!s)
        return {};
    if (s->printSetup().printArea && s->printSetup().printArea->isValid())
        return *s->printSetup().printArea;
    const Range used = s->usedRange();
    return used.isValid() ? used : Range(1, 1, 1, 1);
}

QString TGxBookProxy::PrintArea() const
{
    const auto* s = activeSheet();
    return s && s->printSetup().printArea ? rangeName(*s->printSetup().printArea, true) : QString();
}

void TGxBookProxy::set_PrintArea(const QString& reference)
{
    auto* s = activeSheet();
    if (!s)
        return;
    const Range r = parseRangeName(reference.trimmed());
    s->setPrintArea(r.isValid() ? std::optional<Range>(r) : std::nullopt);
}

bool TGxBookProxy::PrintLandscape() const
{
    return activeSheet() && activeSheet()->printSetup().landscape;
}

void TGxBookProxy::set_PrintLandscape(bool landscape)
{
    if (auto* s = activeSheet())
        s->setLandscape(landscape);
}

void TGxBookProxy::set_PageSetup(const GxPageSetup& setup)
{
    m_pageSetup = setup;
    if (auto* s = activeSheet()) {
        PrintSetup p = s->printSetup();
        p.landscape = setup.landscape;
        p.gridLines = setup.gridLines;
        s->setPrintSetup(p);
    }
}

void TGxBookProxy::preparePrinter(QPrinter& printer) const
{
    const bool landscape = PrintLandscape();
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setPageMargins(m_pageSetup.marginsMm, QPageLayout::Millimeter);
    printer.setDocName(m_title.isEmpty() ? SheetName(Sheet()) : m_title);
}

bool TGxBookProxy::PrintTo(QPrinter& printer)
{
    const auto* s = activeSheet();
    if (!s)
        return false;
    preparePrinter(printer);
    const Range r = printRange();
    // A model of its own covers the whole print range, whatever extent the grid shows.
    GxSheetModel model(m_book.get());
    model.showSheet(m_book->activeSheet(), r.row2, r.col2);
    GxPageSetup setup = m_pageSetup;
    setup.landscape = s->printSetup().landscape;
    setup.gridLines = s->printSetup().gridLines;
    GxPrintRenderer renderer(
        model, QRect(QPoint(r.col1 - 1, r.row1 - 1), QPoint(r.col2 - 1, r.row2 - 1)),
        [this](int c) { return columnPixels(c + 1, 1.0); },
        [this](int row) { return rowPixels(row + 1, 1.0); }, setup);
    renderer.setTitles(s->name(), m_title);
    return renderer.print(printer);
}

int TGxBookProxy::PrintPageCount()
{
    const auto* s = activeSheet();
    if (!s)
        return 0;
    QPrinter& p = *printer();
    preparePrinter(p);
    const Range r = printRange();
    GxSheetModel model(m_book.get());
    model.showSheet(m_book->activeSheet(), r.row2, r.col2);
    GxPageSetup setup = m_pageSetup;
    setup.landscape = s->printSetup().landscape;
    GxPrintRenderer renderer(
        model, QRect(QPoint(r.col1 - 1, r.row1 - 1), QPoint(r.col2 - 1, r.row2 - 1)),
        [this](int c) { return columnPixels(c + 1, 1.0); },
        [this](int row) { return rowPixels(row + 1, 1.0); }, setup);
    renderer.layout(p.pageRect(QPrinter::DevicePixel), p.resolution());
    return renderer.pageCount();
}

bool TGxBookProxy::FilePrint(bool showDialog)
{
    QPrinter& p = *printer();
    preparePrinter(p);
    if (showDialog && !platform::dialogs().printDialog(&p))
        return false;
    return PrintTo(p);
}

void TGxBookProxy::FilePrintPreview()
{
    QPrinter& p = *printer();
    preparePrinter(p);
    QPrintPreviewDialog preview(&p, hWnd());
    preview.setObjectName(QStringLiteral("PrintPreview"));
    preview.setWindowTitle(tr("Print Preview") + (m_title.isEmpty() ? QString() : " - " + m_title));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintTo(*target); });
    preview.resize(900, 700);
    preview.exec();
}

void TGxBookProxy::FilePageSetupDlg()
{
    GxPageSetup current = m_pageSetup;
    current.landscape = PrintLandscape();
    if (const auto* s = activeSheet())
        current.gridLines = s->printSetup().gridLines;
    GxPageSetupDialog dialog(current, printer(), hWnd());
    if (dialog.exec() == QDialog::Accepted)
        set_PageSetup(dialog.setup());
}

} // namespace vela::workbook
