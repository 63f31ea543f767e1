// The connect routine against vela-sim: identification of every model, the buttons that
// enable, uploads of each slot into .res files, and the failures that leave it not connected.
#include "ConnectFixture.h"

#include <QDir>
#include <QElapsedTimer>

namespace vela::test {
namespace {

using connect::InstrumentType;
const QString kDeg = QStringLiteral(" \u00B0");

struct ModelCase {
    sim::Model model;
    const char* key;
    const char* label;
    std::array<bool, 3> uploads;
    int memoryBase;
    std::vector<std::tuple<int, int, QString, const char*>> saved;  // slot, code, angle, folder
};

std::vector<ModelCase> modelCases()
{
    return {
        {sim::Model::Dual, "dual", "Dual Angle Instrument", {true, true, false}, 0,
         {{0, 20, "20" + kDeg, "20Degree"}, {1, 60, "60" + kDeg, "60Degree"}}},
        {sim::Model::Triple, "triple", "Triple Angle Instrument", {true, true, true}, 4096,
         {{0, 20, "20" + kDeg, "20Degree"}, {1, 60, "60" + kDeg, "60Degree"}, {2, 85, "85" + kDeg, "85Degree"}}},
        {sim::Model::Single20, "single20", "Single Angle 20\u00B0 Instrument", {true, false, false}, 4096,
         {{0, 20, "20" + kDeg, "20Degree"}}},
        {sim::Model::Single45, "single45", "Single Angle 45\u00B0 Instrument", {false, true, false}, 4096,
         {{1, 45, "45" + kDeg, "45Degree"}}},
        {sim::Model::Single45_0, "single45_0", "Single Angle 45/0\u00B0 Instrument", {false, true, false}, 4096,
         {{1, 450, "45/0" + kDeg, "45_0Degree"}}},
        {sim::Model::Single60, "single60", "Single Angle 60\u00B0 Instrument", {false, true, false}, 4096,
         {{1, 60, "60" + kDeg, "60Degree"}}},
        {sim::Model::Opacity, "opacity", "Opacity Instrument", {true, true, false}, 4096,
         {{1, 4500, QStringLiteral("Opacity"), "Opacity"}}},
    };
}

class ConnectSessionTest : public ConnectFixture {};

TEST_F(ConnectSessionTest, EveryModelIsIdentifiedAndUploadsEachOfItsSlots)
{
    for (const ModelCase& c : modelCases()) {
        SCOPED_TRACE(c.key);
        startModel(c.model);
        connect::ConnectSession& s = session();
        ASSERT_TRUE(s.ConnectInstrument(false, 0)) << s.view().status.toStdString();
        ASSERT_TRUE(s.identity().has_value());
        EXPECT_EQ(connect::modelKey(s.identity()->model), QLatin1String(c.key));
        EXPECT_EQ(s.view().modelLabel, QString::fromUtf8(c.label));
        EXPECT_EQ(s.view().uploadEnabled, c.uploads);
        EXPECT_EQ(m_link->MemoryBase(), c.memoryBase);
        EXPECT_TRUE(s.view().identityVisible);
        EXPECT_EQ(s.view().progress, 100);
        EXPECT_EQ(s.view().firmware, QStringLiteral("3.25"));
        EXPECT_FALSE(s.expired());
        EXPECT_EQ(s.connectionInterval(), 290000);
        for (const auto& [slot, code, angle, folder] : c.saved) {
            SCOPED_TRACE(slot);
            const int before = int(s.savedFiles().size());
            ASSERT_TRUE(s.ConnectInstrument(false, connect::kAngles[slot])) << s.lastMessage().toStdString();
            ASSERT_EQ(int(s.savedFiles().size()), before + 1);
            const QString path = s.savedFiles().last();
            EXPECT_EQ(QFileInfo(path).dir().dirName(), QLatin1String(folder));
            const results::ResultsRecord r = readGloss(path);
            const std::vector<float> held = sim::storedSamples(m_sim->state(), slot);
            EXPECT_EQ(r.instrumentCode, code);
            EXPECT_EQ(r.angle(), angle);
            EXPECT_EQ(r.sheet(), QStringLiteral("Default Analysis Sheet"));
            EXPECT_TRUE(r.instrument().startsWith(QStringLiteral("VL:")));
            ASSERT_EQ(r.sampleCount, int(held.size()));
            for (size_t i = 0; i < held.size(); ++i)
                EXPECT_FLOAT_EQ(r.values[i], held[i]);
            const int header = c.memoryBase + link::mem::kSlotHeaders[slot];
            EXPECT_FLOAT_EQ(r.meanGloss, m_sim->state().floatAt(header + 20));
            EXPECT_FLOAT_EQ(r.maxGloss, m_sim->state().floatAt(header + 12));
            EXPECT_FLOAT_EQ(r.stdDev, m_sim->state().floatAt(header + 8));
            EXPECT_TRUE(s.view().deleteEnabled[size_t(slot)]);
            EXPECT_TRUE(s.closeRequested());
        }
    }
}

TEST_F(ConnectSessionTest, CaptionsFollowTheModel)
{
    startModel(sim::Model::Single45);
    connect::ConnectSession& s = session();
    ASSERT_TRUE(s.ConnectInstrument(false, 0));
    EXPECT_EQ(s.view().uploadCaption[1], "45" + kDeg + " Samples Upload");
    EXPECT_EQ(s.view().deleteCaption[1], "Delete All 45" + kDeg + " Samples");

    startModel(sim::Model::Opacity);
    connect::ConnectSession& o = session();
    ASSERT_TRUE(o.ConnectInstrument(false, 0));
    EXPECT_EQ(o.view().uploadCaption[0], QStringLiteral("Batchs Opacity Upload"));
    EXPECT_EQ(o.view().uploadCaption[1], QStringLiteral("Opacity Upload"));
    EXPECT_EQ(o.view().deleteCaption[1], QStringLiteral("Delete All Opacity"));
    EXPECT_FALSE(o.view().delete20Visible);
    EXPECT_TRUE(o.view().deleteCaption[0].isEmpty());
}

TEST_F(ConnectSessionTest, UploadAskedAtConnectReadsOnlyThatSlotAndEmptySlotSavesNothing)
{
    connect::ConnectSession& s = session();
    m_sim->withState([](sim::InstrumentState& st) { sim::storeSamples(st, 0, {}); });
    m_sim->clearTranscript();
    ASSERT_TRUE(s.ConnectInstrument(false, 60));
    ASSERT_EQ(s.savedFiles().size(), 1);
    EXPECT_EQ(readGloss(s.savedFiles()[0]).instrumentCode, 60);
    EXPECT_EQ(countFrames("!CS"), 1);
    // Slot 0 holds nothing: no file, no dialog, the connect still succeeds.
    ASSERT_TRUE(s.ConnectInstrument(false, 20));
    EXPECT_EQ(s.savedFiles().size(), 1);
    EXPECT_EQ(s.view().status, QStringLiteral("Connection established and data down loaded correctly"));
    EXPECT_FALSE(s.view().deleteEnabled[0]);
    EXPECT_TRUE(dialogs().unexpected().isEmpty());
}

TEST_F(ConnectSessionTest, SaveDialogNamesTheFileWhenNoStemIsGiven)
{
    connect::ConnectSession& s = session(InstrumentType::VelaDuzirIriz, QString());
    const QString chosen = tempPath(QStringLiteral("60Degree/mine.res"));
    QDir().mkpath(tempPath(QStringLiteral("60Degree")));
    dialogs().expectSave(QStringLiteral("Save Results"), chosen);
    ASSERT_TRUE(s.ConnectInstrument(false, 60));
    EXPECT_EQ(s.resultsPath(), chosen);
    EXPECT_EQ(readGloss(chosen).instrumentCode, 60);
    // A cancelled dialog saves nothing, and the connect fails (samples were there).
    dialogs().expectSave(QStringLiteral("Save Results"), QString());
    EXPECT_FALSE(s.ConnectInstrument(false, 60));
    EXPECT_TRUE(s.expired());
    EXPECT_EQ(s.view().uploadEnabled, (std::array<bool, 3>{}));
}

TEST_F(ConnectSessionTest, ProbeAnsweredButSetupReadFailingLeavesItNotConnected)
{
    connect::ConnectSession& s = session();
    // System data (10 words), soak count (2) and the configuration word answer; every read
    // after them, the set-up read's, goes unanswered.
    sim::FaultRule rule;
    rule.kind = sim::FaultKind::NoReply;
    rule.mnemonic = "RE";
    rule.skip = 13;
    m_sim->addFault(rule);
    dialogs().allowAllMessages();
    EXPECT_FALSE(s.ConnectInstrument(false, 0));
    EXPECT_EQ(s.view().progress, 0);
    EXPECT_EQ(s.view().uploadEnabled, (std::array<bool, 3>{}));
    EXPECT_TRUE(s.expired());
    EXPECT_TRUE(s.savedFiles().isEmpty());
    EXPECT_GE(countFrames("!VV"), 1);
}

TEST_F(ConnectSessionTest, FailuresToFindTheInstrumentSayWhy)
{
    connect::ConnectSession& s = session();
    // The chosen device does not answer the probe.
    m_sim->withState([](sim::InstrumentState& st) { st.poweredOn = false; st.offHoldMs = 60000; });
    dialogs().expectMessage(QStringLiteral("was not found on selected communication ports"));
    EXPECT_FALSE(s.ConnectInstrument(false, 0));
    // The chosen device does not exist.
    s.setDevicePath(tempPath(QStringLiteral("nothing-here")));
    dialogs().expectMessage(QStringLiteral("Communication port not avaliable"));
    EXPECT_FALSE(s.ConnectInstrument(false, 0));
    EXPECT_TRUE(s.expired());
    EXPECT_TRUE(dialogs().unexpected().isEmpty());
}

TEST_F(ConnectSessionTest, SearchFindsTheInstrumentOnItsComPortWithoutStoringIt)
{
    for (int n = 1; n <= 8; ++n)
        qputenv(qPrintable(QStringLiteral("VELA_COM%1").arg(n)),
                QFile::encodeName(n == 3 ? m_sim->devicePath() : tempPath(QStringLiteral("none%1").arg(n))));
    connect::ConnectSession& s = session();
    s.setDevicePath(QString());
    int stored = -1;
    connect::ConnectPreferences p = connect::standalonePreferences(*m_link, {});
    p.port = [] { return 0; };
    p.setPort = [&stored](int v) { stored = v; };
    s.setPreferences(p);
    const bool ok = s.ConnectInstrument(false, 0);
    for (int n = 1; n <= 8; ++n)
        qunsetenv(qPrintable(QStringLiteral("VELA_COM%1").arg(n)));
    ASSERT_TRUE(ok) << s.view().status.toStdString();
    EXPECT_EQ(m_link->Comms().PortNumber(), 3);
    EXPECT_EQ(stored, -1);
}

TEST_F(ConnectSessionTest, ConnectionTimerExpiryDisablesButtonsAndExitSendsNothing)
{
    connect::ConnectSession& s = session();
    connect::StandaloneChoices quick;
    quick.onTime = 0;  // the on-time rule: position x 100 ms, at least the minimum
    s.setPreferences(connect::standalonePreferences(*m_link, quick));
    s.timings().minConnectionMs = 50;
    ASSERT_TRUE(s.ConnectInstrument(false, 60));
    ASSERT_TRUE(s.InstrumentConnected());
    QElapsedTimer t;
    t.start();
    while (!s.expired() && t.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(s.expired());
    EXPECT_EQ(s.view().uploadEnabled, (std::array<bool, 3>{}));
    EXPECT_EQ(s.view().deleteEnabled, (std::array<bool, 3>{}));
    EXPECT_FALSE(s.view().identityVisible);
    m_sim->clearTranscript();
    s.SwitchOff();
    EXPECT_EQ(countFrames("!OF"), 0);
    // While connected, Exit switches the instrument off.
    ASSERT_TRUE(s.ConnectInstrument(false, 0));
    s.SwitchOff();
    EXPECT_EQ(countFrames("!OF"), 1);
}

TEST_F(ConnectSessionTest, BadSlotDataIsNotSaved)
{
    connect::ConnectSession& s = session();
    ASSERT_TRUE(s.ConnectInstrument(false, 0));
    // A header claiming 5,000 samples ("CS" would otherwise rebuild it).
    m_sim->addCommand("CS", [](sim::InstrumentState&, quint32) { return sim::CommandReply{}; });
    m_sim->withState([](sim::InstrumentState& st) { st.setWord(link::mem::kSlotHeaders[1], 5000); });
    dialogs().expectMessage(QStringLiteral("Results upload error"));
    EXPECT_FALSE(s.ConnectInstrument(false, 60));
    EXPECT_TRUE(s.savedFiles().isEmpty());
    EXPECT_TRUE(s.view().status.contains(QStringLiteral("more samples")));
    // Unplugged while the samples are read.
    startModel(sim::Model::Dual, std::vector<float>(120, 40.0f));
    connect::ConnectSession& u = session();
    ASSERT_TRUE(u.ConnectInstrument(false, 0));
    sim::FaultRule rule;
    rule.kind = sim::FaultKind::Unplug;
    rule.mnemonic = "RE";
    rule.skip = 230;   // past the set-up read and the headers: a sample word
    m_sim->addFault(rule);
    dialogs().allowAllMessages();
    EXPECT_FALSE(u.ConnectInstrument(false, 60));
    EXPECT_TRUE(u.savedFiles().isEmpty());
    EXPECT_TRUE(u.lastMessage().contains(QStringLiteral("upload error")));
    EXPECT_TRUE(u.expired());
}

} // namespace
} // namespace vela::test
