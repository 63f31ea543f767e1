// velactl res: dump, make and csv on real files, through the real program.
#include "ResultsFixtures.h"
#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

using namespace vela::test;

namespace {

struct CliRun {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

CliRun velactl(const QStringList& args, const QByteArray& input = {})
{
    QProcess p;
    p.start(QStringLiteral(VELACTL_PATH), args);
    p.write(input);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

class ResultsCliTest : public ::testing::Test {
protected:
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(ResultsCliTest, DumpThenMakeReproducesTheFile)
{
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {{"gloss.res", glossFixture()}, {"pac.res", opacityFixture()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeAll(file(QLatin1String(c.name)), c.bytes);
        const CliRun dump = velactl({QStringLiteral("res"), QStringLiteral("dump"),
                                  file(QLatin1String(c.name))});
        ASSERT_EQ(dump.code, 0) << dump.err.toStdString();
        const CliRun make =
            velactl({QStringLiteral("res"), QStringLiteral("make"),
                     file(QStringLiteral("made.res"))},
                    dump.out);
        ASSERT_EQ(make.code, 0) << make.err.toStdString();
        EXPECT_EQ(readAll(file(QStringLiteral("made.res"))), c.bytes);
    }
}

TEST_F(ResultsCliTest, LegacyFilesAreDumpedAfterConversion)
{
    writeAll(file(QStringLiteral("old.res")), legacyFixture(75, 11.0f));
    const CliRun dump =
        velactl({QStringLiteral("res"), QStringLiteral("dump"), file(QStringLiteral("old.res"))});
    ASSERT_EQ(dump.code, 0);
    const QJsonObject json = QJsonDocument::fromJson(dump.out).object();
    EXPECT_EQ(json[QStringLiteral("angleText")].toString(), QStringLiteral("75 \u00B0"));
    EXPECT_EQ(json[QStringLiteral("samples")].toArray().size(), 10);
    const CliRun csv =
        velactl({QStringLiteral("res"), QStringLiteral("csv"), file(QStringLiteral("old.res"))});
    ASSERT_EQ(csv.code, 0);
    EXPECT_TRUE(csv.out.startsWith("Sample,Value,Tagged,Comment\r\n1,1,1,\r\n2,2,0,\r\n"));
    EXPECT_EQ(csv.out.count("\r\n"), 11);
}

TEST_F(ResultsCliTest, BadInputFailsWithAReasonAndWritesNothing)
{
    writeAll(file(QStringLiteral("short.res")), glossFixture().left(100));
    CliRun r = velactl(
        {QStringLiteral("res"), QStringLiteral("dump"), file(QStringLiteral("short.res"))});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("shorter")) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());

    writeAll(file(QStringLiteral("keep.res")), glossFixture());
    for (const QByteArray& input : {QByteArray("not json"), QByteArray("{\"kind\":\"gloss\"}"),
                                    QByteArray()}) {
        r = velactl(
            {QStringLiteral("res"), QStringLiteral("make"), file(QStringLiteral("keep.res"))},
            input);
        EXPECT_EQ(r.code, 1);
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_EQ(readAll(file(QStringLiteral("keep.res"))), glossFixture());

    r = velactl({QStringLiteral("res"), QStringLiteral("shred"), file(QStringLiteral("keep.res"))});
    EXPECT_EQ(r.code, 2);
}

} // namespace
