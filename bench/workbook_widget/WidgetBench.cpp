// Times the workbook control's operator paths on a sheet of many rows and prints one line per
// step. Targets: every step that the operator waits for stays below 100 ms on 100,000 rows.
#include "workbook/engine/Workbook.h"
#include "workbook/widget/GxGridView.h"
#include "workbook/widget/GxSheetModel.h"
#include "workbook/widget/TGxBookProxy.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QScrollBar>
#include <cstdio>

using namespace vela::workbook;

namespace {

void report(const char* step, qint64 ns, qint64 targetMs = -1)
{
    const double ms = static_cast<double>(ns) / 1e6;
    if (targetMs < 0)
        std::printf("%-44s %10.1f ms\n", step, ms);
    else
        std::printf("%-44s %10.1f ms  (target < %lld ms: %s)\n", step, ms,
                    static_cast<long long>(targetMs), ms < static_cast<double>(targetMs) ? "met" : "MISSED");
}

template <typename F>
qint64 timed(F&& f)
{
    QElapsedTimer t;
    t.start();
    f();
    QApplication::processEvents();
    return t.nsecsElapsed();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(10, std::atoi(argv[1])) : 100000;
    std::printf("workbook control, %d rows x 3 columns (values, values, formula)\n", rows);

    TGxBookProxy book;
    book.resize(1000, 700);
    report("fill through the facade, painting off", timed([&] {
        book.set_Repaint(false);
        for (int r = 1; r <= rows; ++r) {
            book.set_NumberRC(r, 1, r);
            book.set_NumberRC(r, 2, 90.0 + (r % 100) / 10.0);
            book.book().sheet(0)->setFormula(r, 3, QStringLiteral("=A%1*B%1").arg(r));
        }
        book.set_Repaint(true);
    }));
    report("show and first paint", timed([&] { book.show(); book.grid()->viewport()->repaint(); }), 100);
    report("jump to the last row (set_Selection)", timed([&] {
        book.set_Selection(QStringLiteral("C%1").arg(rows));
        book.grid()->viewport()->repaint();
    }), 100);
    report("scroll to the top and paint", timed([&] {
        book.grid()->verticalScrollBar()->setValue(0);
        book.grid()->viewport()->repaint();
    }), 100);
    report("type into A1 (recalc of its dependant)", timed([&] {
        book.model()->setData(book.model()->index(0, 0), QStringLiteral("2"), Qt::EditRole);
        book.grid()->viewport()->repaint();
    }), 100);
    report("select all and copy", timed([&] {
        book.set_Selection(QStringLiteral("A1:C%1").arg(rows));
        book.EditCopy();
    }));
    report("paste 1000 x 3 at E1", timed([&] {
        book.set_Selection(QStringLiteral("A1:C1000"));
        book.EditCopy();
        book.set_Selection(QStringLiteral("E1"));
        book.EditPaste();
        book.grid()->viewport()->repaint();
    }));
    report("zoom to 50 % and paint", timed([&] {
        book.set_ViewScale(50);
        book.grid()->viewport()->repaint();
    }), 100);
    report("switch sheet and back", timed([&] {
        book.set_NumSheets(2);
        book.set_Sheet(2);
        book.set_Sheet(1);
        book.grid()->viewport()->repaint();
    }), 100);
    int pages = 0;
    report("paginate the whole sheet for printing", timed([&] {
        book.printer()->setOutputFormat(QPrinter::PdfFormat);
        pages = book.PrintPageCount();
    }));
    std::printf("pages: %d\n", pages);
    return 0;
}
