// workbook-demo: shows the workbook control's windows with sample contents.
//   workbook-demo [formatted|preview|designer|constants|big [rows]]
#include "GxDesignerDialog.h"
#include "TGxBookProxy.h"
#include "TTKVALS1.h"
#include "platform/Dialogs.h"
#include "platform/QtDialogs.h"
#include "workbook/engine/Workbook.h"
#include "workbook/engine/WorkbookFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

using namespace vela::workbook;

namespace {

void styleRange(Sheet& s, const Range& r, const std::function<void(Style&)>& f)
{
    s.modifyStyle(r, f);
}

// A batch report such as the analysis templates hold: title, headers, numbers, formulas.
void fillReport(TGxBookProxy& book)
{
    book.set_NumSheets(3);
    book.set_SheetName(1, QStringLiteral("Results Samples data"));
    book.set_SheetName(2, QStringLiteral("Results Batches"));
    book.set_SheetName(3, QStringLiteral("Batches Stats"));
    book.set_Sheet(2);
    Sheet& s = *book.book().sheet(1);
    s.setText(1, 1, QStringLiteral("Gloss batch results"));
    styleRange(s, Range(1, 1, 1, 1), [](Style& st) { st.bold = true; st.fontSize = 14; st.color = qRgb(0x1F, 0x3A, 0x60); });
    const QStringList heads = {"Date", "File", "Angle", "Samples", "Max", "Min", "Mean", "Std Dev", "C.V.", "Status"};
    for (int c = 0; c < heads.size(); ++c)
        s.setText(3, c + 1, heads[c]);
    styleRange(s, Range(3, 1, 3, 10), [](Style& st) {
        st.bold = true;
        st.background = qRgb(0x1F, 0x3A, 0x60);
        st.color = qRgb(0xFF, 0xFF, 0xFF);
        st.hAlign = HAlign::Center;
    });
    const double means[] = {93.1, 92.4, 95.0, 88.2, 93.8, 91.7, 94.4, 89.9};
    for (int i = 0; i < 8; ++i) {
        const int r = 4 + i;
        s.setInput(r, 1, QStringLiteral("2024-03-%1").arg(11 + i));
        s.setText(r, 2, QStringLiteral("LineA%1").arg(i + 1, 4, 10, QLatin1Char('0')));
        s.setText(r, 3, QStringLiteral("60\u00B0"));
        s.setNumber(r, 4, 10 + i * 3);
        s.setNumber(r, 5, means[i] + 1.2);
        s.setNumber(r, 6, means[i] - 1.1);
        s.setNumber(r, 7, means[i]);
        s.setNumber(r, 8, 0.35 + i * 0.07);
        s.setFormula(r, 9, QStringLiteral("=H%1/G%1*100").arg(r));
        s.setFormula(r, 10, QStringLiteral("=IF(G%1>=90,\"Pass\",\"Fail\")").arg(r));
    }
    styleRange(s, Range(4, 1, 11, 1), [](Style& st) { st.numberFormat = QStringLiteral("dd/mm/yyyy"); });
    styleRange(s, Range(4, 5, 11, 8), [](Style& st) { st.numberFormat = QStringLiteral("0.00"); });
    styleRange(s, Range(4, 9, 11, 9), [](Style& st) { st.numberFormat = QStringLiteral("0.000"); });
    styleRange(s, Range(4, 10, 11, 10), [](Style& st) { st.hAlign = HAlign::Center; st.bold = true; });
    styleRange(s, Range(5, 1, 5, 10), [](Style& st) { st.background = qRgb(0xEE, 0xF3, 0xF9); });
    styleRange(s, Range(7, 1, 7, 10), [](Style& st) { st.background = qRgb(0xEE, 0xF3, 0xF9); });
    styleRange(s, Range(9, 1, 9, 10), [](Style& st) { st.background = qRgb(0xEE, 0xF3, 0xF9); });
    styleRange(s, Range(11, 1, 11, 10), [](Style& st) { st.background = qRgb(0xEE, 0xF3, 0xF9); });
    s.setText(13, 6, QStringLiteral("Average"));
    styleRange(s, Range(13, 6, 13, 7), [](Style& st) { st.bold = true; st.numberFormat = QStringLiteral("0.00"); st.italic = true; });
    s.setFormula(13, 7, QStringLiteral("=AVERAGE(G4:G11)"));
    s.setText(14, 6, QStringLiteral("Passing"));
    s.setFormula(14, 7, QStringLiteral("=COUNTIF(J4:J11,\"Pass\")/COUNTA(J4:J11)"));
    styleRange(s, Range(14, 6, 14, 7), [](Style& st) { st.bold = true; st.italic = true; st.numberFormat = QStringLiteral("0%"); });
    s.setRowHeight(1, 21);
    s.setColumnWidth(1, 11);
    s.setColumnWidth(2, 11);
    s.setColumnWidth(3, 6);
    s.setColumnWidth(10, 9);
    book.set_PrintArea(QStringLiteral("$A$1:$J$14"));
    book.set_PrintLandscape(true);
    book.set_Selection(QStringLiteral("G13"));
    book.set_Title(QStringLiteral("Analysis Sheet.vts"));
}

int showFormatted(bool preview)
{
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Workbook - Analysis Sheet.vts"));
    auto* book = new TGxBookProxy;
    fillReport(*book);
    window.setCentralWidget(book);
    window.resize(980, 520);
    window.show();
    if (preview)
        QTimer::singleShot(0, book, &TGxBookProxy::FilePrintPreview);
    return QApplication::exec();
}

int showDesigner()
{
    TGxBookProxy source;
    fillReport(source);
    source.set_AllowDesigner(true);
    source.LaunchDesigner();
    return 0;
}

int showConstants()
{
    QString dir = QDir::currentPath();
    QTemporaryDir temp;
    if (!QFile::exists(dir + QStringLiteral("/sys/System Constants.VTS"))) {
        dir = temp.path();
        QDir().mkpath(dir + QStringLiteral("/sys"));
        Workbook wb;
        Sheet& s = *wb.sheet(0);
        s.setText(1, 1, QStringLiteral("UK_English"));
        s.setText(1, 2, QStringLiteral("Translation file (base name)"));
        s.modifyStyle(Range(1, 1, 3, 1), [](Style& st) { st.bold = true; });
        s.modifyStyle(Range(1, 2, 3, 2), [](Style& st) { st.color = qRgb(0x50, 0x50, 0x50); });
        s.setColumnWidth(1, 22);
        s.setColumnWidth(2, 34);
        s.setProtected(true);
        WorkbookFile::write(wb, dir + QStringLiteral("/sys/System Constants.VTS"), FileType::VtsCurrent);
    }
    TKVALS1 = new TTKVALS1;
    TKVALS1->ShowSystemConstants(dir, 1);
    const int rc = QApplication::exec();
    delete TKVALS1;
    return rc;
}

int showBig(int rows)
{
    QMainWindow window;
    auto* book = new TGxBookProxy;
    QElapsedTimer t;
    t.start();
    book->set_Repaint(false);
    Sheet& s = *book->book().sheet(0);
    for (int r = 1; r <= rows; ++r) {
        s.setNumber(r, 1, r);
        s.setNumber(r, 2, 90.0 + (r % 100) / 10.0);
        s.setFormula(r, 3, QStringLiteral("=A%1*B%1").arg(r));
    }
    book->set_Repaint(true);
    window.setCentralWidget(book);
    window.statusBar()->showMessage(QStringLiteral("%1 rows filled in %2 ms").arg(rows).arg(t.elapsed()));
    window.resize(900, 600);
    window.show();
    book->set_Selection(QStringLiteral("A%1").arg(rows));
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    vela::platform::setDialogs(std::make_unique<vela::platform::QtDialogs>());
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("formatted");
    if (mode == QLatin1String("preview"))
        return showFormatted(true);
    if (mode == QLatin1String("designer"))
        return showDesigner();
    if (mode == QLatin1String("constants"))
        return showConstants();
    if (mode == QLatin1String("big"))
        return showBig(argc > 2 ? std::max(1, atoi(argv[2])) : 100000);
    return showFormatted(false);
}
