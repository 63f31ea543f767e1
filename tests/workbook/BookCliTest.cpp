// velactl book eval and convert, run as a program on real files.
#include "TestSupport.h"
#include "workbook/engine/Workbook.h"
#include "workbook/engine/WorkbookFile.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vela::workbook;

namespace {

struct CliRun {
    int code = -1;
    QByteArray out, err;
};

CliRun velactl(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(VELACTL_PATH), args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

class BookCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        Workbook wb;
        Sheet* a = wb.sheet(0);
        wb.renameSheet(0, QStringLiteral("Samples"));
        a->setNumber(1, 1, 0.1);
        a->setFormula(1, 2, QStringLiteral("=A1+0.2"));
        a->setText(2, 1, QStringLiteral("a, \"b\""));
        a->setFormula(2, 2, QStringLiteral("=1/0"));
        a->setFormula(3, 3, QStringLiteral("=A1>0"));
        a->setFormula(3, 1, QStringLiteral("=2/3"));
        Sheet* b = wb.addSheet(QStringLiteral("Empty one"));
        Q_UNUSED(b);
        wb.addSheet(QStringLiteral("Stats"))->setFormula(1, 1, QStringLiteral("=SUM(Samples!A1:B1)*1E+20"));
        path = dir.filePath(QStringLiteral("book.vts"));
        ASSERT_TRUE(WorkbookFile::write(wb, path, FileType::VtsCurrent));
    }
    QTemporaryDir dir;
    QString path;
};

TEST_F(BookCli, EvalPrintsEverySheetAsCsvOfValues)
{
    const CliRun r = velactl({QStringLiteral("book"), QStringLiteral("eval"), path});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_EQ(r.out, QByteArray("# sheet 1: Samples\n"
                                "0.1,0.3,\n"
                                "\"a, \"\"b\"\"\",#DIV/0!,\n"
                                "0.666666666666667,,TRUE\n"
                                "# sheet 2: Empty one\n"
                                "# sheet 3: Stats\n"
                                "4E+19\n"));
}

TEST_F(BookCli, ConvertByExtensionAndBack)
{
    for (const char* ext : {"csv", "txt", "htm", "xlsx", "vts"}) {
        const QString out = dir.filePath(QStringLiteral("out.") + QLatin1String(ext));
        const CliRun r = velactl({QStringLiteral("book"), QStringLiteral("convert"), path, out});
        EXPECT_EQ(r.code, 0) << ext << r.err.constData();
        EXPECT_FALSE(vela::test::readAll(out).isEmpty()) << ext;
    }
    const CliRun back = velactl({QStringLiteral("book"), QStringLiteral("eval"), dir.filePath(QStringLiteral("out.csv"))});
    ASSERT_EQ(back.code, 0);
    EXPECT_TRUE(back.out.startsWith("# sheet 1: out\n0.1,0.3,\n")) << back.out.constData();
    const CliRun values = velactl({QStringLiteral("book"), QStringLiteral("convert"), path, dir.filePath(QStringLiteral("v.csv")), QStringLiteral("12")});
    EXPECT_EQ(values.code, 0);
    EXPECT_TRUE(vela::test::readAll(dir.filePath(QStringLiteral("v.csv"))).startsWith("0.1,0.3"));
}

TEST_F(BookCli, BadInputFailsWithAReason)
{
    const QString bad = dir.filePath(QStringLiteral("bad.vts"));
    vela::test::writeAll(bad, "VTSB\x00\x01");
    CliRun r = velactl({QStringLiteral("book"), QStringLiteral("eval"), bad});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains("truncated")) << r.err.constData();
    r = velactl({QStringLiteral("book"), QStringLiteral("convert"), path, dir.filePath(QStringLiteral("x.doc"))});
    EXPECT_EQ(r.code, 2);
    r = velactl({QStringLiteral("book"), QStringLiteral("frobnicate")});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("usage"));
}

} // namespace
