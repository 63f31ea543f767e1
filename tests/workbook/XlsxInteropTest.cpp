// An exported xlsx opened by LibreOffice shows the engine's values. Skipped when LibreOffice
// (soffice) is not installed.
#include "TestSupport.h"
#include "workbook/engine/Workbook.h"
#include "workbook/engine/WorkbookFile.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vela::workbook;

namespace {

TEST(XlsxExport, LibreOfficeShowsTheSameValues)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    Workbook wb;
    Sheet* s = wb.sheet(0);
    wb.renameSheet(0, QStringLiteral("Results Samples data"));
    const double samples[] = {61.2, 60.8, 59.9, 62.4, 60.0};
    for (int i = 0; i < 5; ++i) {
        s->setNumber(9 + i, 1, samples[i]);
        s->setText(9 + i, 2, i == 2 ? QStringLiteral("Yes") : QStringLiteral("No"));
        s->setFormula(9 + i, 4, QStringLiteral("=IF(B%1=\"No\",A%1,\"\")").arg(9 + i));
    }
    s->setText(1, 1, QStringLiteral("Sample, \"quoted\""));
    s->setFormula(3, 1, QStringLiteral("=COUNT(D9:D13)"));
    s->setFormula(4, 1, QStringLiteral("=MAX(D9:D13)"));
    s->setFormula(5, 1, QStringLiteral("=AVERAGE(D9:D13)"));
    s->setFormula(6, 1, QStringLiteral("=STDEV(D9:D13)"));
    s->setFormula(7, 1, QStringLiteral("=IF(A5>60,\"PASS\",\"FAIL\")"));
    s->setFormula(3, 2, QStringLiteral("=1/0"));
    s->setFormula(4, 2, QStringLiteral("=A3>3"));
    s->setFormula(5, 2, QStringLiteral("=ROUND(A6,3)"));
    s->setFormula(6, 2, QStringLiteral("=TEXT(A5,\"0.00\")&\" GU\""));
    Style fixed;
    fixed.numberFormat = QStringLiteral("0.00");
    s->setStyle(5, 1, fixed);
    s->setColumnHidden(3, true);

    QTemporaryDir dir;
    const QString xlsx = dir.filePath(QStringLiteral("book.xlsx"));
    QString error;
    ASSERT_TRUE(WorkbookFile::write(wb, xlsx, FileType::Excel, &error)) << error.toStdString();
    QProcess p;
    p.start(soffice, {// A profile kept between runs: creating one takes most of the time.
                      QStringLiteral("-env:UserInstallation=file://") + QDir::temp().filePath(QStringLiteral("vela-lo-profile")),
                      QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                      // comma, double quote, UTF-8, from line 1, cell contents as shown
                      QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true"),
                      QStringLiteral("--outdir"), dir.path(), xlsx});
    ASSERT_TRUE(p.waitForFinished(180000));
    const QByteArray fromOffice = vela::test::readAll(dir.filePath(QStringLiteral("book.csv")));
    ASSERT_FALSE(fromOffice.isEmpty()) << p.readAllStandardError().constData();
    const QString ours = dir.filePath(QStringLiteral("ours.csv"));
    ASSERT_TRUE(WorkbookFile::write(wb, ours, FileType::CsvValues));
    QList<QByteArray> a = vela::test::readAll(ours).trimmed().split('\n');
    QList<QByteArray> b = fromOffice.trimmed().split('\n');
    ASSERT_EQ(a.size(), b.size());
    for (int i = 0; i < a.size(); ++i)
        EXPECT_EQ(a[i].trimmed(), b[i].trimmed()) << "row " << i + 1;
}

} // namespace
