// Native, text and HTML files: round trips, refusal of damaged or huge files with the
// workbook unchanged, and writes that fail leaving the previous file in place.
#include "TestSupport.h"
#include "workbook/engine/Workbook.h"
#include "workbook/engine/WorkbookFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vela::workbook;

namespace {

// A workbook that uses every feature the native file keeps.
void fill(Workbook& wb)
{
    Sheet* a = wb.sheet(0);
    wb.renameSheet(0, QStringLiteral("Results Samples data"));
    Sheet* b = wb.addSheet(QStringLiteral("Results Batches"));
    wb.addSheet(QStringLiteral("Batches Stats"));
    a->setNumber(1, 1, 1.5);
    a->setText(1, 2, QStringLiteral("text with \"quotes\", commas\nand a line"));
    a->setValue(1, 3, Value::boolean(true));
    a->setValue(1, 4, Value::error(ErrorCode::NA));
    a->setFormula(2, 1, QStringLiteral("=A1*2+'Results Batches'!B2"));
    a->setFormula(2, 2, QStringLiteral("=NOSUCH(1)"));
    a->setFormula(2, 3, QStringLiteral("=1+"));
    a->setFormula(2, 4, QStringLiteral("=$A$1+B$1&\"x\""));
    b->setNumber(2, 2, 10);
    b->setFormula(3, 2, QStringLiteral("=SUM('Results Samples data'!A1:A2)"));
    Style s;
    s.fontName = QStringLiteral("Courier New");
    s.fontSize = 12;
    s.bold = s.italic = s.underline = true;
    s.color = 0xFF112233;
    s.background = 0xFFFFEE00;
    s.hAlign = HAlign::CenterAcross;
    s.vAlign = VAlign::Top;
    s.numberFormat = QStringLiteral("0.000");
    s.locked = false;
    a->setStyle(1, 1, s);
    a->modifyStyle(Range(1, 6, kMaxRows, 6), [](Style& st) { st.italic = true; });
    a->setColumnWidth(2, 20.5);
    a->setColumnHidden(4, true);
    a->setRowHeight(3, 30);
    a->setRowHidden(7, true);
    a->setFrozen(2, 1);
    a->setViewScale(80);
    a->setSelection({Range(2, 2, 4, 5)}, {3, 3});
    PrintSetup p;
    p.printArea = Range(1, 1, 50, 12);
    p.titleRow1 = 1;
    p.titleRow2 = 2;
    p.landscape = true;
    p.rowBreaks = {20};
    a->setPrintSetup(p);
    b->setProtected(true);
    wb.setActiveSheet(1);
}

void expectSame(const Workbook& x, const Workbook& y)
{
    ASSERT_EQ(x.sheetCount(), y.sheetCount());
    EXPECT_EQ(x.activeSheet(), y.activeSheet());
    for (int i = 0; i < x.sheetCount(); ++i) {
        const Sheet* a = x.sheet(i);
        const Sheet* b = y.sheet(i);
        EXPECT_EQ(a->name(), b->name());
        EXPECT_EQ(a->usedRange(), b->usedRange());
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 10; ++c) {
                EXPECT_EQ(a->value(r, c), b->value(r, c)) << r << "," << c;
                EXPECT_EQ(a->inputText(r, c), b->inputText(r, c)) << r << "," << c;
                EXPECT_EQ(a->style(r, c), b->style(r, c)) << r << "," << c;
            }
        EXPECT_EQ(a->columnWidths(), b->columnWidths());
        EXPECT_EQ(a->rowHeights(), b->rowHeights());
        EXPECT_EQ(a->hiddenColumns(), b->hiddenColumns());
        EXPECT_EQ(a->hiddenRows(), b->hiddenRows());
        EXPECT_EQ(a->columnStyleIds().size(), b->columnStyleIds().size());
        EXPECT_EQ(a->view(), b->view());
        EXPECT_EQ(a->printSetup(), b->printSetup());
        EXPECT_EQ(a->isProtected(), b->isProtected());
    }
}

TEST(NativeFile, RoundTripsEverything)
{
    Workbook wb;
    fill(wb);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.vts"));
    QString error;
    ASSERT_TRUE(WorkbookFile::write(wb, path, FileType::VtsCurrent, &error)) << error.toStdString();
    Workbook back;
    ASSERT_EQ(WorkbookFile::read(back, path, &error), FileType::VtsCurrent) << error.toStdString();
    expectSame(wb, back);
    EXPECT_EQ(back.sheet(0)->formulaError(2, 3), wb.sheet(0)->formulaError(2, 3));
    // The dependency graph is live after loading.
    back.sheet(1)->setNumber(2, 2, 20);
    EXPECT_EQ(back.sheet(0)->value(2, 1).asNumber(), 23);
    EXPECT_EQ(back.sheet(1)->value(3, 2).asNumber(), 24.5);
    // Writing again gives the same bytes.
    EXPECT_EQ(WorkbookFile::toVts(wb), WorkbookFile::toVts(wb));
}

TEST(NativeFile, DamagedFilesAreRefusedAndLeaveTheWorkbookUnchanged)
{
    Workbook source;
    fill(source);
    const QByteArray good = WorkbookFile::toVts(source);
    Workbook target;
    target.sheet(0)->setText(1, 1, QStringLiteral("keep me"));
    QString error;
    for (qsizetype n = 0; n < good.size(); n += 7) {
        EXPECT_FALSE(WorkbookFile::fromVts(target, good.left(n), &error)) << n;
        EXPECT_FALSE(error.isEmpty());
    }
    QByteArray newer = good;
    newer[5] = 9;
    EXPECT_FALSE(WorkbookFile::fromVts(target, newer, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("version"))) << error.toStdString();
    QByteArray huge = good;
    huge[8] = char(0x7F); // string count of about two thousand million
    EXPECT_FALSE(WorkbookFile::fromVts(target, huge, &error));
    EXPECT_FALSE(WorkbookFile::fromVts(target, good + "x", &error));
    // Random damage never crashes; whatever is refused leaves the target alone.
    QRandomGenerator rng(42);
    for (int i = 0; i < 300; ++i) {
        QByteArray bad = good;
        for (int k = 0; k < 3; ++k)
            bad[rng.bounded(int(bad.size()))] = char(rng.bounded(256));
        Workbook scratch;
        (void)WorkbookFile::fromVts(scratch, bad, &error);
    }
    EXPECT_EQ(target.sheetCount(), 1);
    EXPECT_EQ(target.sheet(0)->value(1, 1).asText(), QStringLiteral("keep me"));
}

TEST(NativeFile, HugeAndForeignFilesAreRefused)
{
    QTemporaryDir dir;
    const QString huge = dir.filePath(QStringLiteral("huge.vts"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("VTSB");
        ASSERT_TRUE(f.resize(WorkbookFile::kMaxFileSize + 1)); // sparse: no real disk use
    }
    Workbook wb;
    wb.sheet(0)->setNumber(1, 1, 5);
    QString error;
    EXPECT_EQ(WorkbookFile::read(wb, huge, &error), FileType::None);
    EXPECT_TRUE(error.contains(QStringLiteral("too large"))) << error.toStdString();
    const QString foreign = dir.filePath(QStringLiteral("x.vts"));
    vela::test::writeAll(foreign, "hello");
    EXPECT_EQ(WorkbookFile::read(wb, foreign, &error), FileType::None);
    EXPECT_EQ(WorkbookFile::read(wb, dir.filePath(QStringLiteral("missing.vts")), &error), FileType::None);
    EXPECT_EQ(wb.sheet(0)->value(1, 1).asNumber(), 5);
}

TEST(NativeFile, FailedWriteKeepsThePreviousFile)
{
    QTemporaryDir dir;
    Workbook wb;
    wb.sheet(0)->setNumber(1, 1, 1);
    const QString path = dir.filePath(QStringLiteral("book.vts"));
    ASSERT_TRUE(WorkbookFile::write(wb, path, FileType::VtsCurrent));
    const QByteArray before = vela::test::readAll(path);
    // A target that cannot be replaced (a folder of that name) fails with a reason.
    const QString blocked = dir.filePath(QStringLiteral("blocked.vts"));
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/inner")));
    QString error;
    EXPECT_FALSE(WorkbookFile::write(wb, blocked, FileType::VtsCurrent, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(blocked + QStringLiteral("/inner")).isDir());
    EXPECT_FALSE(WorkbookFile::write(wb, dir.filePath(QStringLiteral("no/such/dir/b.vts")), FileType::VtsCurrent, &error));
    // The good file is untouched and no temporary files are left behind.
    EXPECT_EQ(vela::test::readAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("book.vts")});
}

TEST(TextFiles, CsvAndTabRoundTripFormulasAndQuoting)
{
    Workbook wb;
    fill(wb);
    wb.setActiveSheet(0);
    QTemporaryDir dir;
    for (const char* name : {"a.csv", "a.txt"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(WorkbookFile::write(wb, path, FileType::None));
        Workbook back;
        const FileType t = WorkbookFile::read(back, path);
        EXPECT_EQ(t, QString::fromLatin1(name).endsWith(QLatin1String("csv")) ? FileType::Csv : FileType::Text);
        const Sheet* s = back.sheet(0);
        EXPECT_EQ(s->value(1, 2).asText(), wb.sheet(0)->value(1, 2).asText());
        EXPECT_TRUE(s->value(1, 3).asBoolean());
        EXPECT_EQ(s->value(1, 4).errorCode(), ErrorCode::NA);
        EXPECT_EQ(s->formulaText(2, 4), QStringLiteral("=$A$1+B$1&\"x\""));
        EXPECT_EQ(s->value(2, 4).toString(), wb.sheet(0)->value(2, 4).toString());
    }
    // Values as displayed.
    const QString values = dir.filePath(QStringLiteral("v.csv"));
    ASSERT_TRUE(WorkbookFile::write(wb, values, FileType::CsvValues));
    const QByteArray text = vela::test::readAll(values);
    EXPECT_TRUE(text.startsWith("1.500,\"text with \"\"quotes\"\", commas\nand a line\",TRUE,#N/A")) << text.constData();
}

TEST(TextFiles, ReadsAnsiTextAndRefusesBrokenQuotes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ansi.txt"));
    vela::test::writeAll(path, "60\xB0\t=A2*2\r\n21\r\n");
    Workbook wb;
    ASSERT_EQ(WorkbookFile::read(wb, path), FileType::Text);
    EXPECT_EQ(wb.sheet(0)->value(1, 1).asText(), QStringLiteral("60°"));
    EXPECT_EQ(wb.sheet(0)->value(1, 2).asNumber(), 42);
    vela::test::writeAll(path, "\"open quote\n1,2\n");
    QString error;
    EXPECT_EQ(WorkbookFile::read(wb, path, &error), FileType::None);
    EXPECT_TRUE(error.contains(QStringLiteral("quote")));
    EXPECT_EQ(wb.sheet(0)->value(1, 2).asNumber(), 42);
}

TEST(TextFiles, HtmlShowsDisplayTextsEscaped)
{
    Workbook wb;
    fill(wb);
    wb.setActiveSheet(0);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.htm"));
    ASSERT_TRUE(WorkbookFile::write(wb, path, FileType::HtmlSheet));
    const QString html = QString::fromUtf8(vela::test::readAll(path));
    EXPECT_TRUE(html.contains(QStringLiteral("1.500")));
    EXPECT_TRUE(html.contains(QStringLiteral("&quot;quotes&quot;")));
    EXPECT_FALSE(html.contains(QStringLiteral("#N/A"))); // column D is hidden
    EXPECT_TRUE(html.contains(QStringLiteral("font-weight:bold")));
    EXPECT_FALSE(html.contains(QStringLiteral("Results Batches")));
}

TEST(FileTypes, ExtensionsAndCodes)
{
    EXPECT_EQ(fileTypeForPath(QStringLiteral("x/System Constants.VTS")), FileType::VtsCurrent);
    EXPECT_EQ(fileTypeForPath(QStringLiteral("a.xlsx")), FileType::Excel);
    EXPECT_EQ(fileTypeForPath(QStringLiteral("a.csv")), FileType::Csv);
    EXPECT_EQ(fileTypeForPath(QStringLiteral("a.HTM")), FileType::Html);
    EXPECT_EQ(fileTypeForPath(QStringLiteral("a.doc")), FileType::None);
    EXPECT_EQ(int(FileType::VtsCurrent), 5);
    EXPECT_EQ(extensionForType(FileType::Text), QStringLiteral(".txt"));
}

} // namespace
