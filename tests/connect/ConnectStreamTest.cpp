// Stream uploads against vela-sim: the older instruments' printouts and the opacity output,
// saved as records with their raw text copy; damaged streams save nothing.
#include "ConnectFixture.h"

#include <QDir>
#include <QElapsedTimer>

namespace vela::test {
namespace {

using connect::InstrumentType;

class ConnectStreamTest : public ConnectFixture {
protected:
    connect::ConnectSession& listen(InstrumentType type)
    {
        connect::ConnectSession& s = session(type);
        EXPECT_TRUE(s.ConnectInstrument(false, 0));
        EXPECT_TRUE(s.listening());
        EXPECT_EQ(s.view().progress, 1);
        return s;
    }
};

TEST_F(ConnectStreamTest, GlossCurveAndShadeStreamsSaveARecordAndTheRawText)
{
    struct Case {
        InstrumentType type;
        sim::StreamKind kind;
        int angle;
        int code;
        const char* folder;
        const char* name;
    };
    const Case cases[] = {
        {InstrumentType::VelaGloss, sim::StreamKind::Gloss, 85, 8, "85Degree", "Vela-Gloss"},
        {InstrumentType::VelaCurve, sim::StreamKind::Curve, 60, 6, "Curve", "Vela-Curve"},
        {InstrumentType::VelaGloss, sim::StreamKind::Shade, 0, 460, "45_0Degree", "Vela-Shade"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        connect::ConnectSession& s = listen(c.type);
        const QByteArray text = sim::glossStreamText(c.kind, c.angle, {40.5f, 41.0f, 39.5f});
        m_sim->sendText("noise before" + text);
        ASSERT_TRUE(waitListening());
        ASSERT_EQ(s.savedFiles().size(), 2) << s.view().status.toStdString();
        const QString res = s.savedFiles()[0];
        EXPECT_EQ(QFileInfo(res).dir().dirName(), QLatin1String(c.folder));
        const results::ResultsRecord r = readGloss(res);
        EXPECT_EQ(r.instrumentCode, c.code);
        EXPECT_EQ(r.instrument(), QLatin1String(c.name));
        ASSERT_EQ(r.sampleCount, 3);
        EXPECT_FLOAT_EQ(r.values[1], 41.0f);
        EXPECT_EQ(s.savedFiles()[1], res.left(res.size() - 4) + QStringLiteral(".txt"));
        // The end mark is seen with the byte after it: the copy holds the stream up to there.
        EXPECT_EQ(readAll(s.savedFiles()[1]), "noise before" + text.left(text.size() - 1));
        EXPECT_EQ(s.view().status, QStringLiteral("Upload Completed! Press Connect to upload again."));
        EXPECT_TRUE(s.view().deleteEnabled[1]);
        EXPECT_EQ(s.view().progress, 100);
    }
}

TEST_F(ConnectStreamTest, OpacityOutputSavesOneFilePerBatch)
{
    startModel(sim::Model::Opacity);
    connect::ConnectSession& s = session();
    ASSERT_TRUE(s.ConnectInstrument(false, 0));
    ASSERT_TRUE(s.view().uploadEnabled[0]);
    m_sim->clearTranscript();
    ASSERT_TRUE(s.UploadClick(false, 20));
    EXPECT_EQ(countFrames("!PR"), 1);
    EXPECT_TRUE(s.listening());
    ASSERT_TRUE(waitListening());
    ASSERT_EQ(s.savedFiles().size(), 3) << s.view().status.toStdString();
    const results::OpacityRecord b1 = readOpacity(s.savedFiles()[0]);
    const results::OpacityRecord b2 = readOpacity(s.savedFiles()[1]);
    EXPECT_EQ(b1.batchNumber, 1);
    EXPECT_EQ(b2.batchNumber, 2);
    EXPECT_EQ(b1.batchCount, 2);
    EXPECT_EQ(b1.instrumentCode, 8);
    EXPECT_EQ(b1.instrument(), QStringLiteral("Vela-Pac"));
    EXPECT_EQ(b1.sheet(), QStringLiteral("Default Pac Analysis Sheet"));
    EXPECT_FLOAT_EQ(b1.result1, 88.5f);
    EXPECT_EQ(b1.blackCount, 3);
    EXPECT_FLOAT_EQ(b2.white[1], 47.4f);
    EXPECT_EQ(QFileInfo(s.savedFiles()[0]).dir().dirName(), QStringLiteral("Opacity"));
    EXPECT_TRUE(s.savedFiles()[2].endsWith(QFileInfo(s.savedFiles()[1]).completeBaseName() + ".txt"));
    // The save dialog names the batch when no stem is given.
    connect::ConnectSession& d = session(InstrumentType::VelaDuzirIriz, QString());
    ASSERT_TRUE(d.ConnectInstrument(false, 0));
    QDir().mkpath(tempPath(QStringLiteral("Opacity")));
    dialogs().expectSave(QStringLiteral("Batch 1"), tempPath(QStringLiteral("Opacity/a.res")));
    dialogs().expectSave(QStringLiteral("Batch 2"), tempPath(QStringLiteral("Opacity/b.res")));
    ASSERT_TRUE(d.UploadClick(false, 20));
    ASSERT_TRUE(waitListening());
    EXPECT_EQ(readOpacity(tempPath(QStringLiteral("Opacity/b.res"))).batchNumber, 2);
    EXPECT_TRUE(QFileInfo::exists(tempPath(QStringLiteral("Opacity/b.txt"))));
    EXPECT_TRUE(dialogs().unexpected().isEmpty());
}

TEST_F(ConnectStreamTest, DamagedStreamsSaveNothingAndSaySo)
{
    const QByteArray good = sim::glossStreamText(sim::StreamKind::Gloss, 60, {50.0f, 51.0f});
    QByteArray noValue = good;
    noValue.replace("VALUE", "VAL-E");
    QByteArray noCr = good;
    noCr.replace('\r', ' ').append("\r");
    QByteArray claims = good;
    claims.replace(good.indexOf("VELA") + 46, 4, "5000");
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* status;
    };
    const Case cases[] = {
        {"truncated", good.left(good.indexOf("C.V.")) + "TEST\r\n", "could not be read"},
        {"no VALUE", noValue, "could not be read"},
        {"no carriage returns", noCr, "could not be read"},
        {"claims 5000", claims, "could not be read"},
        {"end before start", "noise TEST\r\n", "incomplete data"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        connect::ConnectSession& s = listen(InstrumentType::VelaGloss);
        m_sim->sendText(c.bytes);
        QElapsedTimer t;
        t.start();
        while (!s.view().status.contains(QLatin1String(c.status)) && t.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_TRUE(s.view().status.contains(QLatin1String(c.status))) << s.view().status.toStdString();
        EXPECT_TRUE(s.savedFiles().isEmpty());
    }
}

TEST_F(ConnectStreamTest, NoiseThenAStreamStillUploads)
{
    connect::ConnectSession& s = listen(InstrumentType::VelaGloss);
    QByteArray noise(70000, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char("xyzq0123 \r\n"[i % 11]);
    m_sim->sendText(noise);
    QElapsedTimer t;
    t.start();
    while (s.stream().discarded() == 0 && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(s.listening());
    EXPECT_TRUE(s.savedFiles().isEmpty());
    m_sim->sendText(sim::glossStreamText(sim::StreamKind::Gloss, 20, {30.0f}));
    ASSERT_TRUE(waitListening());
    ASSERT_EQ(s.savedFiles().size(), 2);
    EXPECT_EQ(readGloss(s.savedFiles()[0]).instrumentCode, 2);
}

TEST_F(ConnectStreamTest, StreamCutOffSavesNothing)
{
    connect::ConnectSession& s = listen(InstrumentType::VelaGloss);
    const QByteArray text = sim::glossStreamText(sim::StreamKind::Gloss, 60, {50.0f, 51.0f});
    m_sim->sendText(text.left(text.size() / 2));
    QElapsedTimer t;
    t.start();
    while (!s.stream().started() && t.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(s.stream().started());
    m_sim->unplug();
    s.timings().streamStallMs = 200;
    ASSERT_TRUE(waitListening());
    EXPECT_TRUE(s.view().status.contains(QStringLiteral("incomplete data"))
                || s.view().status.contains(QStringLiteral("disconnected")))
        << s.view().status.toStdString();
    EXPECT_TRUE(s.savedFiles().isEmpty());
}

TEST_F(ConnectStreamTest, CancelledSaveOfACompleteStreamSavesNothingAndSaysTheUploadCompleted)
{
    connect::ConnectSession& s = session(InstrumentType::VelaGloss, QString());
    ASSERT_TRUE(s.ConnectInstrument(false, 0));
    dialogs().expectSave(QStringLiteral("Save Results"), QString());
    m_sim->sendText(sim::glossStreamText(sim::StreamKind::Gloss, 60, {50.0f, 51.0f}));
    ASSERT_TRUE(waitListening());
    EXPECT_TRUE(s.savedFiles().isEmpty());
    EXPECT_EQ(s.view().status, QStringLiteral("Upload Completed! Press Connect to upload again."));
    EXPECT_FALSE(s.view().deleteEnabled[1]);
    EXPECT_TRUE(dialogs().unexpected().isEmpty());
}

} // namespace
} // namespace vela::test
