// The results-file service: the eight commands, their dialogs, messages and file names.
#include "ResultsTestBase.h"
#include "results/ResultsPaths.h"

#include <QDir>
#include <QFileInfo>

using namespace vela::results;
using namespace vela::test;
using vela::platform::DialogKind;

namespace {

const QString kOpenError =
    QStringLiteral("Error opening results file, please enter correct file name and try again.");
const QString kSaveError =
    QStringLiteral("Error saving results file, please enter correct file name and try again.");

class ResultsServiceTest : public ResultsTestBase {
protected:
    bool command(QString& path, int cmd, const QString& sub = QStringLiteral("60Degree"))
    {
        return io().ResultsIOCommand(workDir(), path, m_gloss, m_opacity, sub, cmd);
    }
    [[nodiscard]] QString folder(const QString& sub) const
    {
        return workDir() + QDir::separator() + sub + QDir::separator();
    }
    ResultsRecord m_gloss;
    OpacityRecord m_opacity;
};

TEST_F(ResultsServiceTest, SaveAfterUploadAsksForANameInTheAngleFolder)
{
    const QString chosen = folder(QStringLiteral("60Degree")) + QStringLiteral("Panel.res");
    dialogs().expectSave(QStringLiteral("Save Results"), chosen);
    m_gloss.instrumentCode = 60;
    m_gloss.sampleCount = 2;
    m_gloss.values[1] = 42.0f;
    io().resultsImage().trailer.setExtra(1, 77.0f, false);  // left from an earlier load

    QString path;
    ASSERT_TRUE(command(path, ResultsCommand::SaveNew));
    EXPECT_EQ(path, chosen);
    const auto& shown = dialogs().shown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].kind, DialogKind::SaveFile);
    EXPECT_EQ(shown[0].fileName, QStringLiteral("*.res"));
    // A fresh installation has no angle folders: the first save makes the one it needs.
    EXPECT_EQ(shown[0].directory, folder(QStringLiteral("60Degree")));
    EXPECT_TRUE(QFileInfo(folder(QStringLiteral("60Degree"))).isDir());
    EXPECT_EQ(shown[0].defaultSuffix, QStringLiteral("res"));

    ResultsFileImage onDisk;
    const QByteArray bytes = readAll(chosen);
    ASSERT_EQ(bytes.size(), qsizetype(sizeof onDisk));
    std::memcpy(static_cast<void*>(&onDisk), bytes.constData(), sizeof onDisk);
    EXPECT_EQ(onDisk.kind, 0);
    EXPECT_EQ(onDisk.record.values[1], 42.0f);
    EXPECT_EQ(onDisk.trailer.extra2, 0.0f);  // a new record starts with the new trailer
    EXPECT_EQ(onDisk.trailer.show2, 1);
    EXPECT_EQ(onDisk.trailer.base(), QStringLiteral("Panel"));
}

TEST_F(ResultsServiceTest, CancelledSaveWritesNothingAndStillSucceeds)
{
    dialogs().expectSave({}, {});
    dialogs().expectSave({}, {});
    QString path;
    EXPECT_TRUE(command(path, ResultsCommand::SaveNew));
    EXPECT_EQ(dialogs().shown()[0].directory, folder(QStringLiteral("60Degree")));
    EXPECT_TRUE(path.isEmpty());
    EXPECT_TRUE(command(path, ResultsCommand::SaveOpacityNew, QStringLiteral("Opacity")));
    EXPECT_TRUE(dialogs().messages().isEmpty());
    EXPECT_TRUE(QDir(workDir()).entryList(QDir::Files).isEmpty());
}

TEST_F(ResultsServiceTest, OpacityBatchesAreSavedOneDialogPerBatch)
{
    ASSERT_TRUE(QDir(workDir()).mkdir(QStringLiteral("Opacity")));
    m_opacity.batchCount = 2;
    for (int batch = 1; batch <= 2; ++batch) {
        m_opacity.batchNumber = batch;
        m_opacity.blackCount = 1;
        m_opacity.black[0] = float(batch);
        const QString chosen =
            folder(QStringLiteral("Opacity")) + QStringLiteral("B%1.res").arg(batch);
        dialogs().expectSave(QStringLiteral("Save Results Opacity Batch %1").arg(batch), chosen);
        QString path;
        ASSERT_TRUE(command(path, ResultsCommand::SaveOpacityNew, QStringLiteral("Opacity")));
        EXPECT_EQ(path, chosen);
        const QByteArray bytes = readAll(chosen);
        ASSERT_EQ(bytes.size(), 7836);
        EXPECT_EQ(bytes.left(4), QByteArray("\xFF\0\0\0", 4));
    }
    EXPECT_EQ(dialogs().shown().size(), 2);
    EXPECT_EQ(dialogs().shown()[1].caption, QStringLiteral("Save Results Opacity Batch 2"));
}

TEST_F(ResultsServiceTest, SaveWithAStemNumbersTheFileAndMakesTheFolder)
{
    QString path = QStringLiteral("LineA");
    ASSERT_TRUE(command(path, ResultsCommand::SaveNew, QStringLiteral("45_0Degree")));
    EXPECT_EQ(path, folder(QStringLiteral("45_0Degree")) + QStringLiteral("LineA0001.res"));
    EXPECT_EQ(readAll(path).size(), 43832);
    EXPECT_EQ(readAll(folder(QStringLiteral("45_0Degree")) + QStringLiteral("LineA.trl")),
              QByteArray("1\r"));
    EXPECT_EQ(io().lastNumbering(), 1);

    QString next = QStringLiteral("LineA");
    ASSERT_TRUE(command(next, ResultsCommand::NextName, QStringLiteral("45_0Degree")));
    EXPECT_EQ(next, folder(QStringLiteral("45_0Degree")) + QStringLiteral("LineA0002.res"));
    EXPECT_FALSE(QFileInfo::exists(next));  // a name only
}

TEST_F(ResultsServiceTest, NumberingFailuresDependOnTheCommand)
{
    // The folder cannot be made: two levels are missing.
    QString path = QStringLiteral("Stem");
    EXPECT_TRUE(command(path, ResultsCommand::SaveNew, QStringLiteral("a/b")));
    EXPECT_TRUE(path.isEmpty());
    EXPECT_TRUE(dialogs().messages().isEmpty());

    dialogs().expectMessage(QStringLiteral("Failed to create next filename"));
    dialogs().expectMessage(QStringLiteral("Failed to create next filename"));
    path = QStringLiteral("Stem");
    EXPECT_FALSE(command(path, ResultsCommand::NextName, QStringLiteral("a/b")));
    writeAll(folder(QStringLiteral("Curve")) + QStringLiteral("Stem.trl"), "junk");
    path = QStringLiteral("Stem");
    EXPECT_FALSE(command(path, ResultsCommand::NextOpacityName, QStringLiteral("Curve")));
    EXPECT_EQ(path, QStringLiteral("Stem"));  // the caller's buffer is kept on failure
}

TEST_F(ResultsServiceTest, LoadAndSaveByPathForTheAnalysisSheet)
{
    const QString file = put(QStringLiteral("g.res"), glossFixture());
    QString path = file;
    ASSERT_TRUE(command(path, ResultsCommand::Load, {}));
    EXPECT_EQ(io().currentFolder(), workDir() + QDir::separator());
    ResultsRecord loaded = io().resultsImage().record;
    EXPECT_EQ(loaded.count(), 3);

    loaded.tags[0] = 1;
    loaded.setComment(0, QStringLiteral("doubtful"));
    m_gloss = loaded;
    ASSERT_TRUE(command(path, ResultsCommand::Save, {}));
    const QByteArray bytes = readAll(file);
    EXPECT_EQ(bytes[4 + 5444], 1);
    EXPECT_EQ(QByteArray(bytes.constData() + 4 + 6444), QByteArray("doubtful"));
    // The trailer of the loaded file (extra values) is kept by the save.
    EXPECT_EQ(bytes.mid(43448, 21), glossFixture().mid(43448, 21));

    const QString pac = put(QStringLiteral("p.res"), opacityFixture());
    path = pac;
    const ResultsFileImage glossBefore = io().resultsImage();
    ASSERT_TRUE(command(path, ResultsCommand::LoadOpacity, {}));
    EXPECT_EQ(io().opacityImage().record.whiteReadings(), 3);
    EXPECT_EQ(io().resultsImage().kind, glossBefore.kind);  // only the opacity image
    m_opacity = io().opacityImage().record;
    m_opacity.result1 = 9.5f;
    ASSERT_TRUE(command(path, ResultsCommand::SaveOpacity, {}));
    OpacityFileImage back;
    ASSERT_TRUE(io().ReadOpacityFile(path));
    EXPECT_EQ(io().opacityImage().record.result1, 9.5f);
    (void)back;
}

TEST_F(ResultsServiceTest, FailuresShowTheReaderMessageThenTheCommandText)
{
    dialogs().expectMessage(kOpenError);
    dialogs().expectMessage(QStringLiteral("Failed to load results"));
    QString path = tempPath(QStringLiteral("absent.res"));
    EXPECT_FALSE(command(path, ResultsCommand::Load));

    dialogs().expectMessage(kSaveError);
    dialogs().expectMessage(QStringLiteral("Failed to save results"));
    path.clear();
    EXPECT_FALSE(command(path, ResultsCommand::Save));
    EXPECT_EQ(dialogs().messages(),
              (QStringList{kOpenError, QStringLiteral("Failed to load results"), kSaveError,
                           QStringLiteral("Failed to save results")}));
    for (const auto& shown : dialogs().shown())
        EXPECT_EQ(shown.caption, QStringLiteral("Results I/O Error"));
}

TEST_F(ResultsServiceTest, CancelledOpenDialogFailsTheLoad)
{
    dialogs().expectOpen(QStringLiteral("Open Results Files"), {});
    dialogs().expectMessage(QStringLiteral("Failed to load results"));
    QString path;
    EXPECT_FALSE(command(path, ResultsCommand::Load));
    EXPECT_EQ(dialogs().messages(), QStringList{QStringLiteral("Failed to load results")});
}

TEST_F(ResultsServiceTest, SeveralSelectedFilesLoadOneByOne)
{
    const QString a = put(QStringLiteral("60Degree/a.res"), glossFixture());
    const QString b = put(QStringLiteral("60Degree/b.res"), opacityFixture());
    const QString c = put(QStringLiteral("60Degree/c.res"), legacyFixture(85, 5));
    dialogs().expectOpen(QStringLiteral("Open Results Files"),
                         QStringList{a, b, c}.join(u'\n'));
    QString path;
    ASSERT_TRUE(command(path, ResultsCommand::Load));
    EXPECT_EQ(path, a);
    EXPECT_EQ(dialogs().shown()[0].directory, folder(QStringLiteral("60Degree")));
    EXPECT_EQ(io().selectedCount(), 3);

    ASSERT_TRUE(io().LoadSelectedResults(2, path));
    EXPECT_EQ(path, b);
    EXPECT_EQ(io().resultsImage().kind, 255);
    ASSERT_TRUE(io().LoadSelectedResults(3, path));
    EXPECT_EQ(path, tempPath(QStringLiteral("60Degree/c_CN.res")));
    EXPECT_EQ(io().resultsImage().record.sampleCount, 4);
    EXPECT_FALSE(io().LoadSelectedResults(0, path));
    EXPECT_FALSE(io().LoadSelectedResults(4, path));
    EXPECT_TRUE(dialogs().messages().isEmpty());
}

TEST_F(ResultsServiceTest, GlobalWindowIsCreatedOnDemand)
{
    // The fixture's window registered itself as the program's one.
    EXPECT_EQ(frmResultsIO, &io());
    EXPECT_EQ(&ensureResultsIO(), &io());
    EXPECT_EQ(io().objectName(), QStringLiteral("frmResultsIO"));
}

} // namespace
