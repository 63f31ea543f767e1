// Reading and writing results files through the results I/O window: known-answer fixtures,
// legacy conversion, round trips and refused input.
#include "ResultsTestBase.h"
#include "results/ResultsFileWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cmath>
#include <cstring>

using namespace vela::results;
using namespace vela::test;

namespace {

const QString kOpenError =
    QStringLiteral("Error opening results file, please enter correct file name and try again.");
const QString kSaveError =
    QStringLiteral("Error saving results file, please enter correct file name and try again.");

class ResultsFileTest : public ResultsTestBase {};

TEST_F(ResultsFileTest, StartsWithTheDefaultImages)
{
    const ResultsFileImage& g = io().resultsImage();
    EXPECT_EQ(g.kind, 0);
    EXPECT_EQ(g.record.instrumentCode, 0);
    EXPECT_STREQ(g.record.sheetName, "Default Analysis Sheet");
    EXPECT_STREQ(g.record.angleText, "60\xB0");
    EXPECT_STREQ(g.record.instrumentName, "Vela-DuzirIriz");
    EXPECT_TRUE(g.record.date().contains(QStringLiteral("08:30:00")));
    EXPECT_EQ(g.record.maxGloss, 2000.0f);
    EXPECT_EQ(g.record.minGloss, 0.0f);
    EXPECT_EQ(g.record.stdDev, 1.0f);
    EXPECT_EQ(g.record.cvRatio, 1.0f);
    EXPECT_EQ(g.record.sampleCount, 0);
    EXPECT_EQ(g.trailer.extra1, 100.0f);
    EXPECT_EQ(g.trailer.extra2, 0.0f);
    EXPECT_EQ(g.trailer.extra3, 0.0f);
    EXPECT_TRUE(g.trailer.show1 == 1 && g.trailer.show2 == 1 && g.trailer.show3 == 1);
    EXPECT_STREQ(g.trailer.baseName, "");
    const OpacityFileImage& o = io().opacityImage();
    EXPECT_EQ(o.kind, 255);
    EXPECT_STREQ(o.record.sheetName, "Default Opacity Sheet");
    EXPECT_STREQ(o.record.angleText, "45/0\xB0");
    EXPECT_STREQ(o.record.instrumentName, "Vela-Pac");
    EXPECT_EQ(o.trailer.extra1, 100.0f);
}

TEST_F(ResultsFileTest, GlossFixtureReadsIntoTheRightFields)
{
    QString path = put(QStringLiteral("g.res"), glossFixture());
    ASSERT_TRUE(io().ReadResultsFile(path));
    const ResultsRecord& r = io().resultsImage().record;
    EXPECT_EQ(io().resultsImage().kind, 0);
    EXPECT_EQ(r.instrumentCode, 60);
    EXPECT_EQ(r.sheet(), QStringLiteral("Default Analysis Sheet"));
    EXPECT_EQ(r.angle(), QStringLiteral("60 \u00B0"));
    EXPECT_EQ(r.instrument(), QStringLiteral("Vela-Gloss"));
    EXPECT_EQ(r.date(), QStringLiteral("09/12/2026 10:11:12"));
    EXPECT_EQ(r.maxGloss, 95.5f);
    EXPECT_EQ(r.minGloss, 81.5f);
    EXPECT_EQ(r.meanGloss, 89.0833f);
    EXPECT_EQ(r.stdDev, 7.0f);
    EXPECT_EQ(r.cvRatio, 7.9f);
    ASSERT_EQ(r.count(), 3);
    EXPECT_EQ(r.values[0], 81.5f);
    EXPECT_EQ(r.values[1], 90.25f);
    EXPECT_EQ(r.values[2], 95.5f);
    EXPECT_FALSE(r.isTagged(0));
    EXPECT_TRUE(r.isTagged(1));
    EXPECT_EQ(r.comment(1), QStringLiteral("scratch"));
    EXPECT_EQ(r.comment(2).size(), 34);  // the longest comment that fits with its NUL
    EXPECT_EQ(r.notesText(), QStringLiteral("note"));
    const ResultsTrailer& t = io().resultsImage().trailer;
    EXPECT_EQ(t.extra(0), 100.0f);
    EXPECT_EQ(t.extra(1), 50.0f);
    EXPECT_FALSE(t.shown(1));
    EXPECT_EQ(t.extra(2), 7.0f);
    EXPECT_TRUE(t.shown(2));
    EXPECT_EQ(t.base(), QStringLiteral("Line0001"));
    EXPECT_EQ(io().currentPath(), path);
    EXPECT_EQ(io().caption(), QStringLiteral("Results I/O: [g.res]"));
}

TEST_F(ResultsFileTest, WriteThenReadGivesTheSameBytesButBaseNameAndDate)
{
    const QByteArray original = glossFixture();
    QString path = put(QStringLiteral("g.res"), original);
    ASSERT_TRUE(io().ReadResultsFile(path));
    QString copy = tempPath(QStringLiteral("copy.res"));
    ASSERT_TRUE(io().WriteResultsFile(copy));
    const QByteArray written = readAll(copy);
    ASSERT_EQ(written.size(), 43832);
    EXPECT_EQ(written.left(43469), original.left(43469));
    EXPECT_EQ(QByteArray(written.constData() + 43469), QByteArray("copy"));
    EXPECT_EQ(written.mid(43469 + 5, 43729 - 43469 - 5), QByteArray(43729 - 43469 - 5, '\0'));
    EXPECT_FALSE(QByteArray(written.constData() + 43729).isEmpty());
    EXPECT_EQ(io().caption(), QStringLiteral("Results I/O: [copy.res]"));

    // And the written file reads back to the same image.
    ResultsFileImage before = io().resultsImage();
    ASSERT_TRUE(io().ReadResultsFile(copy));
    EXPECT_EQ(std::memcmp(&before, &io().resultsImage(), sizeof before), 0);
}

TEST_F(ResultsFileTest, OpacityFixtureReadsThroughBothReaders)
{
    const QByteArray original = opacityFixture();
    QString path = put(QStringLiteral("p.res"), original);
    ASSERT_TRUE(io().ReadResultsFile(path));
    const OpacityRecord& r = io().opacityImage().record;
    EXPECT_EQ(r.instrumentCode, 8);
    EXPECT_EQ(r.sheet(), QStringLiteral("Default Pac Analysis Sheet"));
    EXPECT_EQ(r.angle(), QStringLiteral("45/0 \u00B0"));
    EXPECT_EQ(r.instrument(), QStringLiteral("Vela-Pac"));
    EXPECT_EQ(r.batchCount, 3);
    EXPECT_EQ(r.batchNumber, 2);
    EXPECT_EQ(r.result1, 1.5f);
    EXPECT_EQ(r.result2, 2.5f);
    EXPECT_EQ(r.result3, 3.5f);
    ASSERT_EQ(r.blackReadings(), 2);
    EXPECT_EQ(r.black[1], 11.0f);
    EXPECT_TRUE(r.blackTags[1]);
    EXPECT_EQ(r.blackComment(1), QStringLiteral("black two"));
    ASSERT_EQ(r.whiteReadings(), 3);
    EXPECT_EQ(r.white[2], 22.0f);
    EXPECT_TRUE(r.whiteTags[2]);
    EXPECT_EQ(r.whiteComment(2), QStringLiteral("white three"));
    EXPECT_EQ(io().opacityImage().trailer.base(), QStringLiteral("Pac0002"));
    // The gloss image carries the file's head: the kind word tells that opacity was loaded,
    // and nothing of the previous gloss record is left behind.
    EXPECT_EQ(io().resultsImage().kind, 255);
    EXPECT_EQ(io().resultsImage().record.sheet(), QStringLiteral("Default Pac Analysis Sheet"));
    EXPECT_STREQ(io().resultsImage().record.notes, "");

    OpacityFileImage viaResults = io().opacityImage();
    io().opacityImage() = OpacityFileImage{};
    ASSERT_TRUE(io().ReadOpacityFile(path));
    EXPECT_EQ(std::memcmp(&viaResults, &io().opacityImage(), sizeof viaResults), 0);

    QString copy = tempPath(QStringLiteral("pcopy.res"));
    ASSERT_TRUE(io().WriteOpacityFile(copy));
    const QByteArray written = readAll(copy);
    ASSERT_EQ(written.size(), 7836);
    EXPECT_EQ(written.left(7473), original.left(7473));
    EXPECT_EQ(QByteArray(written.constData() + 7473), QByteArray("pcopy"));
}

TEST_F(ResultsFileTest, LongerFilesAreReadForTheirLayoutOnly)
{
    QString gloss = put(QStringLiteral("long.res"), glossFixture() + QByteArray(3 << 20, 'x'));
    ASSERT_TRUE(io().ReadResultsFile(gloss));
    EXPECT_EQ(io().resultsImage().record.count(), 3);
    QString pac = put(QStringLiteral("longpac.res"), opacityFixture() + QByteArray(100, '\x7f'));
    ASSERT_TRUE(io().ReadOpacityFile(pac));
    EXPECT_EQ(io().opacityImage().record.whiteReadings(), 3);
}

struct LegacyCase {
    float code;
    const char* angle;
    const char* instrument;
};

TEST_F(ResultsFileTest, LegacyFilesOfEveryCodeAreConverted)
{
    const LegacyCase cases[] = {
        {20, "20 \xB0", "Vela-Gloss"}, {40, "60 \xB0", "Vela-Haze"},
        {45, "45 \xB0", "Vela-Gloss"}, {46, "45/0 \xB0", "Vela-Shade"},
        {47, "45/0 \xB0", "Vela-Shade"}, {60, "60 \xB0", "Vela-Gloss"},
        {75, "75 \xB0", "Vela-Gloss"}, {85, "85 \xB0", "Vela-Gloss"},
    };
    for (const LegacyCase& c : cases) {
        SCOPED_TRACE(c.code);
        const QString legacy = put(QStringLiteral("old%1.res").arg(c.code),
                                   legacyFixture(c.code, 3.0f));
        QFile stamp(legacy);
        ASSERT_TRUE(stamp.open(QIODevice::ReadWrite));
        ASSERT_TRUE(stamp.setFileTime(QDateTime(QDate(2003, 4, 5), QTime(12, 0)),
                                      QFileDevice::FileModificationTime));
        stamp.close();
        io().resultsImage().record.setComment(1, QStringLiteral("stale"));
        QString path = legacy;
        ASSERT_TRUE(io().ReadResultsFile(path));
        const ResultsFileImage& g = io().resultsImage();
        EXPECT_EQ(g.kind, 0);
        EXPECT_EQ(g.record.instrumentCode, int(c.code));
        EXPECT_STREQ(g.record.sheetName, "Default Analysis Sheet");
        EXPECT_STREQ(g.record.angleText, c.angle);
        EXPECT_STREQ(g.record.instrumentName, c.instrument);
        EXPECT_STREQ(g.record.dateTime, "5/4/2003 10:20:30");
        EXPECT_EQ(g.record.maxGloss, 0.0f);
        EXPECT_EQ(g.record.cvRatio, 0.0f);
        EXPECT_EQ(g.record.sampleCount, 2);
        EXPECT_EQ(g.record.values[0], 1.0f);
        EXPECT_EQ(g.record.values[2], 3.0f);  // one past the count is copied as well
        EXPECT_TRUE(g.record.isTagged(0));
        EXPECT_FALSE(g.record.isTagged(1));
        EXPECT_STREQ(g.record.comments[1], "");
        EXPECT_STREQ(g.record.notes, "legacy notes");
        EXPECT_EQ(g.trailer.extra1, 100.0f);
        EXPECT_EQ(g.trailer.extra2, 100.0f);
        EXPECT_EQ(g.trailer.extra3, 0.0f);
        EXPECT_EQ(g.trailer.base(), QStringLiteral("old%1").arg(c.code));
        EXPECT_EQ(path, tempPath(QStringLiteral("old%1_CN.res").arg(c.code)));
        EXPECT_EQ(io().caption(), QStringLiteral("Results I/O: [old%1_CN.res]").arg(c.code));
    }
}

TEST_F(ResultsFileTest, ConvertedLegacyFileIsSavedBesideTheOriginal)
{
    const QByteArray legacy = legacyFixture(40, 3.0f);
    QString path = put(QStringLiteral("haze.res"), legacy);
    ASSERT_TRUE(io().ReadResultsFile(path));
    ASSERT_TRUE(io().WriteResultsFile(path));
    EXPECT_EQ(readAll(tempPath(QStringLiteral("haze.res"))), legacy);
    const QByteArray converted = readAll(tempPath(QStringLiteral("haze_CN.res")));
    ASSERT_EQ(converted.size(), 43832);
    EXPECT_EQ(QByteArray(converted.constData() + 4 + 260), QByteArray("60 \xB0"));
    EXPECT_EQ(QByteArray(converted.constData() + 4 + 290), QByteArray("Vela-Haze"));
}

TEST_F(ResultsFileTest, OtherExtensionsAreReadAndWrittenAsRes)
{
    put(QStringLiteral("x.res"), glossFixture());
    QString path = tempPath(QStringLiteral("x.txt"));
    ASSERT_TRUE(io().ReadResultsFile(path));
    EXPECT_EQ(path, tempPath(QStringLiteral("x.res")));
    QString out = tempPath(QStringLiteral("y.TXT"));
    ASSERT_TRUE(io().WriteResultsFile(out));
    EXPECT_EQ(out, tempPath(QStringLiteral("y.res")));
    EXPECT_TRUE(QFileInfo::exists(out));
    EXPECT_FALSE(QFileInfo::exists(tempPath(QStringLiteral("y.TXT"))));
    QString upper = tempPath(QStringLiteral("z.RES"));
    ASSERT_TRUE(io().WriteResultsFile(upper));
    EXPECT_TRUE(QFileInfo::exists(tempPath(QStringLiteral("z.RES"))));
}

QByteArray withInt(QByteArray bytes, qsizetype at, std::int32_t v)
{
    std::memcpy(bytes.data() + at, &v, 4);
    return bytes;
}

TEST_F(ResultsFileTest, RefusedFilesLeaveTheImagesUnchanged)
{
    const QByteArray gloss = glossFixture();
    const QByteArray pac = opacityFixture();
    const struct {
        const char* name;
        QByteArray bytes;
        QString message;
    } cases[] = {
        {"empty", {}, kOpenError},
        {"three bytes", QByteArray(3, '\0'), kOpenError},
        {"gloss one byte short", gloss.left(43831), kOpenError},
        {"gloss kind only", gloss.left(4), kOpenError},
        {"opacity one byte short", pac.left(7835), kOpenError},
        {"legacy one byte short", legacyFixture(60, 3).left(6019), kOpenError},
        {"gloss count 1001", withInt(gloss, 4 + 1440, 1001), kOpenError},
        {"gloss count -1", withInt(gloss, 4 + 1440, -1), kOpenError},
        {"black count 51", withInt(pac, 4 + 1440, 51), kOpenError},
        {"white count -1", withInt(pac, 4 + 3444, -1), kOpenError},
        {"legacy N 0", legacyFixture(60, 0.0f), kOpenError},
        {"legacy N 1002", legacyFixture(60, 1002.0f), kOpenError},
        {"legacy N NaN", legacyFixture(60, std::nanf("")), kOpenError},
        {"legacy code 50", legacyFixture(50, 3.0f),
         QStringLiteral("Unknown legacy results file: its angle code is not known, the file "
                        "cannot be converted.")},
    };
    QString good = put(QStringLiteral("good.res"), gloss);
    ASSERT_TRUE(io().ReadResultsFile(good));
    const ResultsFileImage glossBefore = io().resultsImage();
    const OpacityFileImage pacBefore = io().opacityImage();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs().clear();
        dialogs().expectMessage(c.message);
        QString path = put(QStringLiteral("bad.res"), c.bytes);
        EXPECT_FALSE(io().ReadResultsFile(path));
        EXPECT_EQ(dialogs().messages(), QStringList{c.message});
        EXPECT_TRUE(io().currentPath().isEmpty());
        EXPECT_EQ(io().caption(), QStringLiteral("Results I/0: []"));
        EXPECT_EQ(std::memcmp(&glossBefore, &io().resultsImage(), sizeof glossBefore), 0);
        EXPECT_EQ(std::memcmp(&pacBefore, &io().opacityImage(), sizeof pacBefore), 0);
    }
}

TEST_F(ResultsFileTest, MissingFilesAndFoldersCannotBeOpened)
{
    for (const QString& name :
         {QStringLiteral("absent.res"), QStringLiteral("no/such/dir/a.res")}) {
        dialogs().clear();
        dialogs().expectMessage(kOpenError);
        dialogs().expectMessage(kOpenError);
        QString path = tempPath(name);
        EXPECT_FALSE(io().ReadResultsFile(path));
        EXPECT_FALSE(io().ReadOpacityFile(path = tempPath(name))) << "opacity reader";
    }
    // A folder named like a results file is not a results file.
    ASSERT_TRUE(QDir().mkpath(tempPath(QStringLiteral("folder.res"))));
    dialogs().allowAllMessages();
    QString folder = tempPath(QStringLiteral("folder.res"));
    EXPECT_FALSE(io().ReadResultsFile(folder));
}

TEST_F(ResultsFileTest, RandomBytesNeverLeaveAnUnsoundImage)
{
    dialogs().allowAllMessages();
    QRandomGenerator random(20261209);
    const std::int32_t kinds[] = {0, 255, 0x42700000};  // gloss, opacity, a legacy 60.0f
    for (int round = 0; round < 300; ++round) {
        const int length = random.bounded(50000);
        QByteArray bytes(length, '\0');
        for (char& b : bytes)
            b = char(random.bounded(256));
        if (length >= 4 && round % 2 == 0)
            std::memcpy(bytes.data(), &kinds[round / 2 % 3], 4);
        QString path = put(QStringLiteral("random.res"), bytes);
        if (io().ReadResultsFile(path)) {
            EXPECT_GE(io().resultsImage().record.sampleCount, 0);
            EXPECT_LE(io().resultsImage().record.sampleCount, kMaxSamples);
            EXPECT_LE(io().opacityImage().record.blackCount, kMaxReadings);
        }
    }
}

TEST_F(ResultsFileTest, FailedWritesReportAndKeepThePreviousFile)
{
    const QString target = put(QStringLiteral("keep.res"), glossFixture());
    dialogs().allowAllMessages();

    QString empty;
    EXPECT_FALSE(io().WriteResultsFile(empty));
    EXPECT_EQ(io().caption(), QStringLiteral("Results disk interface: []"));

    QString underFile = target + QStringLiteral("/inner.res");
    EXPECT_FALSE(io().WriteResultsFile(underFile));
    QString missingFolder = tempPath(QStringLiteral("missing/a.res"));
    EXPECT_FALSE(io().WriteOpacityFile(missingFolder));
    EXPECT_FALSE(QFileInfo::exists(missingFolder));

    // A record whose count the reader would refuse is not written over the good file.
    io().resultsImage().record.sampleCount = 5000;
    QString path = target;
    EXPECT_FALSE(io().WriteResultsFile(path));
    EXPECT_EQ(readAll(target), glossFixture());
    EXPECT_TRUE(io().currentPath().isEmpty());
    EXPECT_EQ(dialogs().messages(), QStringList(4, kSaveError));
    // No temporary files are left behind.
    EXPECT_EQ(QDir(workDir()).entryList(QDir::Files), QStringList{QStringLiteral("keep.res")});
}

TEST_F(ResultsFileTest, ReadOnlyFilesAreNotReplaced)
{
    const QString target = put(QStringLiteral("locked.res"), glossFixture());
    ASSERT_TRUE(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    dialogs().expectMessage(kSaveError);
    QString path = target;
    EXPECT_FALSE(io().WriteResultsFile(path));
    EXPECT_EQ(readAll(target), glossFixture());
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(ResultsFileTest, NamesWithOddCharactersRoundTrip)
{
    const QStringList names = {QStringLiteral("with space.res"), QStringLiteral("quote'\"#%&.res"),
                               QStringLiteral("\u00E9t\u00E9 \u00B0.res"),
                               QStringLiteral("\u65E5\u672C.res"), QStringLiteral("a.b.c")};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        io().resultsImage().record.setComment(0, name);
        QString path = tempPath(name);
        ASSERT_TRUE(io().WriteResultsFile(path));
        io().resultsImage().record.setComment(0, {});
        ASSERT_TRUE(io().ReadResultsFile(path));
        QString expected = QFileInfo(path).completeBaseName();
        expected.replace(QStringLiteral("\u65E5\u672C"), QStringLiteral("??"));  // not in 1252
        EXPECT_EQ(io().resultsImage().trailer.base(), expected);
    }
}

TEST_F(ResultsFileTest, CommentsKeepAtMost34Characters)
{
    ResultsRecord r;
    r.setComment(0, QString(40, u'c'));
    EXPECT_EQ(r.comment(0), QString(34, u'c'));
    EXPECT_EQ(r.comments[0][34], '\0');
    r.setAngle(QStringLiteral("45/0 \u00B0"));
    EXPECT_STREQ(r.angleText, "45/0 \xB0");
}

} // namespace
