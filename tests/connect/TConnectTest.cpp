// The Connect window on the offscreen platform, bound to the real preferences dialog and
// set-up window, against vela-sim.
#include "ConnectFixture.h"
#include "connect/TConnect.h"
#include "service/TPreferences.h"
#include "service/TVelaLiteSetup.h"
#include "translation/Translator.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace vela::test {
namespace {

class TConnectTest : public ConnectFixture {
protected:
    void makeWindows()
    {
        m_setup = std::make_unique<service::TVelaLiteSetup>(nullptr, m_link.get());
        m_setup->core().setSerialPauseMs(0);
        m_prefs = std::make_unique<service::TPreferences>(nullptr, m_setup.get());
        m_prefs->rbVelaDuzirIriz->setChecked(true);
        m_window = std::make_unique<connect::TConnect>(nullptr, m_link.get());
        m_window->bindPreferences(m_prefs.get(), m_setup.get());
        connect::ConnectSession& s = m_window->session();
        s.setDevicePath(m_sim->devicePath());
        s.setSaveStem(QStringLiteral("Upload"));
        s.setResultsIO(m_io.get());
        s.timings().closeStatsTimeBase = s.timings().afterUploadTimeBase = kTimeBase;
        m_window->ShowConnect(workDir(), 1);
    }
    void TearDown() override
    {
        m_window.reset();
        m_prefs.reset();
        m_setup.reset();
        ConnectFixture::TearDown();
    }

    std::unique_ptr<service::TVelaLiteSetup> m_setup;
    std::unique_ptr<service::TPreferences> m_prefs;
    std::unique_ptr<connect::TConnect> m_window;
};

TEST_F(TConnectTest, ConnectShowsTheIdentityAndEnablesTheModelsButtons)
{
    makeWindows();
    connect::TConnect& w = *m_window;
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.lbStatus->text().startsWith(QStringLiteral("Make sure instrument is ON")));
    EXPECT_FALSE(w.gbVelaDuzirIrizSetup->isVisible());
    for (QPushButton* b : w.btDegree)
        EXPECT_FALSE(b->isEnabled());
    w.btConnect->click();
    EXPECT_EQ(w.lbStatus->text(), QStringLiteral("Connection established and data down loaded correctly"));
    EXPECT_EQ(w.ProgressBar1->value(), 100);
    EXPECT_TRUE(w.gbVelaDuzirIrizSetup->isVisible());
    EXPECT_EQ(w.lbDualAngle->text(), QStringLiteral("Dual Angle Instrument"));
    EXPECT_EQ(w.FirmwareVer->text(), QStringLiteral("3.25"));
    EXPECT_EQ(w.SerialLabel->text(), m_prefs->SerialLabel->text().toUpper());
    EXPECT_FALSE(w.SerialLabel->text().isEmpty());
    EXPECT_EQ(w.Angle->text(), QStringLiteral("ALL"));
    EXPECT_TRUE(w.btDegree[0]->isEnabled());
    EXPECT_TRUE(w.btDegree[1]->isEnabled());
    EXPECT_FALSE(w.btDegree[2]->isEnabled());
    EXPECT_TRUE(m_prefs->Setup->isEnabled());
    EXPECT_EQ(m_prefs->lbTarget60->text(), QStringLiteral("60 \u00B0 Gloss Standard"));
    EXPECT_TRUE(connect::InstrumentConnected() == false);  // no program window installed
    // An upload saves, enables its delete button and closes the window.
    w.btDegree[1]->click();
    ASSERT_EQ(w.session().savedFiles().size(), 1);
    EXPECT_TRUE(w.DeleteAll[1]->isEnabled());
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(dialogs().unexpected().isEmpty());
}

TEST_F(TConnectTest, SingleAndOpacityModelsRelabelTheButtons)
{
    startModel(sim::Model::Single45);
    makeWindows();
    m_window->btConnect->click();
    EXPECT_EQ(m_window->lbDualAngle->text(), QStringLiteral("Single Angle 45\u00B0 Instrument"));
    EXPECT_EQ(m_window->btDegree[1]->text(), QStringLiteral("45 \u00B0 Samples Upload"));
    EXPECT_EQ(m_window->DeleteAll[1]->text(), QStringLiteral("Delete All 45 \u00B0 Samples"));
    EXPECT_EQ(m_prefs->lbTarget60->text(), QStringLiteral("45\u00B0 Gloss Standard"));
    EXPECT_FALSE(m_window->btDegree[0]->isEnabled());
    EXPECT_TRUE(m_window->btDegree[1]->isEnabled());

    startModel(sim::Model::Opacity);
    makeWindows();
    m_window->btConnect->click();
    EXPECT_EQ(m_window->lbDualAngle->text(), QStringLiteral("Opacity Instrument"));
    EXPECT_EQ(m_window->btDegree[0]->text(), QStringLiteral("Batchs Opacity Upload"));
    EXPECT_TRUE(m_window->btDegree[0]->isEnabled());
    EXPECT_FALSE(m_window->DeleteAll[0]->isVisible());
    EXPECT_TRUE(m_setup->RBSingle45_0Degree->isChecked());
    // The batch upload listens for the opacity output.
    m_window->btDegree[0]->click();
    EXPECT_TRUE(m_window->session().listening());
    EXPECT_TRUE(m_window->lbStatus->text().startsWith(QStringLiteral("If NO results uploaded")));
}

TEST_F(TConnectTest, ExpiryAndFailedConnect)
{
    makeWindows();
    m_window->btConnect->click();
    ASSERT_FALSE(m_window->expired());
    m_window->Timer1Timer();
    EXPECT_TRUE(m_window->expired());
    EXPECT_FALSE(m_window->gbVelaDuzirIrizSetup->isVisible());
    EXPECT_FALSE(m_window->btDegree[0]->isEnabled());
    EXPECT_FALSE(m_prefs->Setup->isEnabled());
    EXPECT_EQ(m_setup->readDoneMark(), 0);
    // A failed connect hides the identity and leaves progress at 0.
    m_window->btConnect->click();
    ASSERT_TRUE(m_window->gbVelaDuzirIrizSetup->isVisible());
    m_sim->withState([](sim::InstrumentState& st) { st.poweredOn = false; st.offHoldMs = 60000; });
    dialogs().expectMessage(QStringLiteral("was not found on selected communication ports"));
    m_window->btConnect->click();
    EXPECT_FALSE(m_window->gbVelaDuzirIrizSetup->isVisible());
    EXPECT_EQ(m_window->ProgressBar1->value(), 0);
    EXPECT_TRUE(m_window->btConnect->isEnabled());
    EXPECT_TRUE(dialogs().unexpected().isEmpty());
}

TEST_F(TConnectTest, OlderInstrumentTypeShowsItsMessageAndListens)
{
    makeWindows();
    m_prefs->rbVelaGloss->setChecked(true);
    m_window->ShowConnect(workDir(), 1);
    EXPECT_TRUE(m_window->lbVelaGlossConnectMessage->isVisible());
    EXPECT_FALSE(m_window->btDegree[1]->isVisible());
    EXPECT_FALSE(m_window->DeleteAll[1]->isVisible());
    m_window->btConnect->click();
    EXPECT_TRUE(m_window->session().listening());
    EXPECT_TRUE(m_window->lbStatus->text().startsWith(QStringLiteral("Please output the results")));
}

TEST_F(TConnectTest, DesignedButtonCaptionsShowTranslatedUntilAConnect)
{
    translation::Translator& t = translation::translator();
    t.setProgramDirectory(workDir());
    t.setMissingLogPath(tempPath(QStringLiteral("missing.INI")));
    writeAll(tempPath(QStringLiteral("sys/German.txt")),
             "[20 \xB0 Samples Upload]\r\n20 \xB0 Proben laden\r\n"
             "[Delete All 85 \xB0 Samples]\r\nAlle 85 \xB0 Proben l\xF6schen\r\n");
    QString name = QStringLiteral("German");
    ASSERT_TRUE(t.LoadTranslationFile(name));
    makeWindows();
    const QString btDegree20 = m_window->btDegree[0]->text();
    const QString deleteAll85 = m_window->DeleteAll[2]->text();
    const QString degree20 = m_window->Degree[0]->text();
    // A connect puts the English captions back, as the instrument's model names them.
    m_window->btConnect->click();
    const QString afterConnect = m_window->btDegree[0]->text();
    // Leave the shared translator as other tests expect it: an empty table.
    writeAll(tempPath(QStringLiteral("sys/Empty.txt")), "");
    name = QStringLiteral("Empty");
    ASSERT_TRUE(t.LoadTranslationFile(name));
    EXPECT_EQ(btDegree20, QStringLiteral("20 \u00B0 Proben laden"));
    EXPECT_EQ(deleteAll85, QStringLiteral("Alle 85 \u00B0 Proben l\u00F6schen"));
    EXPECT_EQ(degree20, btDegree20);
    EXPECT_EQ(afterConnect, QStringLiteral("20 \u00B0 Samples Upload"));
}

} // namespace
} // namespace vela::test
