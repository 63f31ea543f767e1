#include "TestSupport.h"
#include "app/TAboutBox.h"
#include "app/TMainMenuDlg.h"
#include "platform/Launcher.h"
#include "platform/PrivateProfile.h"
#include "translation/Translator.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

using vela::app::Command;
using vela::app::TMainMenuDlg;
using vela::platform::PrivateProfile;

namespace {

class MainMenuTest : public vela::test::DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(workDir());
        vela::platform::setExternalOpener([this](const QString& p) { opened << p; return true; });
    }
    void TearDown() override
    {
        vela::platform::setExternalOpener({});
        QDir::setCurrent(m_oldDir);
        DialogsFixture::TearDown();
    }
    QAction* action(TMainMenuDlg& w, const char* name)
    {
        auto* a = w.findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    QStringList opened;
    QString m_oldDir;
};

TEST(CentreBox, KeptCentredUnlessTheWindowIsTooSmall)
{
    struct Case { int H, W, h, w; QPoint expected; };
    const Case cases[] = {
        {748, 950, 690, 900, {950 / 2 - 450 - 2, 748 / 2 - 345 - 25}},
        {1001, 1201, 690, 900, {1201 / 2 - 450 - 2, 1001 / 2 - 345 - 25}},  // truncating division
        {735, 950, 690, 900, {4, 5}},   // h == H - 45 is not enough
        {748, 904, 690, 900, {4, 5}},   // w == W - 4 is not enough
        {300, 400, 690, 900, {4, 5}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vela::app::centreBoxPosition(c.H, c.W, c.h, c.w), c.expected) << c.H << "x" << c.W;
}

TEST_F(MainMenuTest, PlacementIsWrittenAtExitAndAHandEditIsUsedNextStart)
{
    const QString ini = settingsDir() + "/Vela-DuzirIriz.ini";
    {
        TMainMenuDlg w;
        w.move(120, 80);
    }
    const PrivateProfile written(ini);
    EXPECT_TRUE(written.value("Panel Main Menu", "Top").has_value());
    EXPECT_TRUE(written.value("Panel Main Menu", "Left").has_value());
    PrivateProfile(ini).writeInteger("Panel Main Menu", "Left", 33);
    PrivateProfile(ini).writeInteger("Panel Main Menu", "Top", 44);
    TMainMenuDlg w;
    EXPECT_EQ(w.pos(), QPoint(33, 44));
    // The Tester entry is hidden, "Setup Interface" disabled and hidden.
    EXPECT_FALSE(action(w, "Tester1")->isVisible());
    EXPECT_FALSE(action(w, "SetupInterface1")->isVisible());
    EXPECT_FALSE(action(w, "SetupInterface1")->isEnabled());
}

TEST_F(MainMenuTest, ResizedSmallTheBoxGoesToTheCorner)
{
    TMainMenuDlg w;
    w.resize(600, 400);
    w.show();
    EXPECT_EQ(w.centreBox()->pos(), QPoint(4, 5));
    w.resize(1400, 1000);
    EXPECT_GT(w.centreBox()->x(), 4);
}

TEST_F(MainMenuTest, GermanAppearsAtTheFirstTickAndMissingTextsAreLogged)
{
    auto& t = vela::translation::translator();
    t.setProgramDirectory(workDir());
    t.setMissingLogPath(tempPath("VelaSoft.INI"));
    // A cut-down German file: "Graph" has no entry.
    vela::test::writeAll(tempPath("sys/German.txt"),
                         "[Connect]\nVerbinden\n[&File]\n&Datei\n[Display Graphical Data]\nDaten grafisch darstellen\n");
    QString name = "German";
    ASSERT_TRUE(t.LoadTranslationFile(name));
    TMainMenuDlg w;
    auto* lbConnect = w.findChild<QLabel*>("lbConnect");
    auto* lbGraph = w.findChild<QLabel*>("lbGraph");
    EXPECT_EQ(lbConnect->text(), "Connect");  // English until the tick
    w.Timer1Timer();
    EXPECT_TRUE(w.translated());
    EXPECT_EQ(lbConnect->text(), "Verbinden");
    EXPECT_EQ(lbGraph->text(), "Graph");
    EXPECT_EQ(action(w, "File1")->text(), "&Datei");
    EXPECT_EQ(w.findChild<QToolButton*>("btGraph")->toolTip(), "Daten grafisch darstellen");
    EXPECT_EQ(PrivateProfile(tempPath("VelaSoft.INI")).readString("Translation File: German.txt", "Graph"), "0");
    // Later ticks do nothing.
    lbConnect->setText("changed");
    w.Timer1Timer();
    EXPECT_EQ(lbConnect->text(), "changed");
    // Leave the shared translator as other tests expect it: an empty table.
    vela::test::writeAll(tempPath("sys/Empty.txt"), "");
    name = "Empty";
    ASSERT_TRUE(t.LoadTranslationFile(name));
}

TEST_F(MainMenuTest, HelpKeysAndTheDoNothingShortcuts)
{
    TMainMenuDlg w;
    QAction* help = action(w, "HelpContents");
    EXPECT_EQ(help->shortcut(), QKeySequence("F1"));
    help->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(QDir::fromNativeSeparators(opened[0]).endsWith("/sys/Vela-Soft Help.chm"));
    EXPECT_TRUE(QDir::fromNativeSeparators(opened[0]).startsWith(QDir(workDir()).canonicalPath()) ||
                QDir::fromNativeSeparators(opened[0]).startsWith(workDir()));
    for (const char* name : {"EnableSetupInterface", "VisibleSetupInterface", "EnableSetupInterface2"}) {
        action(w, name)->trigger();
    }
    EXPECT_EQ(action(w, "EnableSetupInterface")->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_EQ(opened.size(), 1);
    EXPECT_TRUE(dialogs().shown().isEmpty());
    // "Other Instruments" changes the application help file for good; Contents still opens the chm.
    action(w, "OtherInstruments1")->trigger();
    EXPECT_TRUE(vela::app::applicationHelpFile().endsWith("Otherins.hlp"));
    action(w, "Contents1")->trigger();
    EXPECT_TRUE(opened.last().endsWith("Vela-Soft Help.chm"));
}

TEST_F(MainMenuTest, ExitSwitchesOffOnlyAConnectedInstrument)
{
    int offs = 0;
    bool connected = false;
    {
        TMainMenuDlg w;
        w.bindInstrument([&] { return connected; }, [&] { ++offs; });
        w.show();
        w.Exit1Click();
        EXPECT_EQ(offs, 0);
        EXPECT_FALSE(w.isVisible());
    }
    connected = true;
    TMainMenuDlg w;
    w.bindInstrument([&] { return connected; }, [&] { ++offs; });
    w.show();
    w.findChild<QToolButton*>("btExit")->click();
    EXPECT_EQ(offs, 1);
}

TEST_F(MainMenuTest, UnboundCommandsAreDisabledAndBoundOnesRun)
{
    TMainMenuDlg w;
    auto* btConnect = w.findChild<QToolButton*>("btConnect");
    EXPECT_FALSE(btConnect->isEnabled());
    EXPECT_FALSE(action(w, "Connect1")->isEnabled());
    int runs = 0;
    w.bind(Command::Connect, [&] { ++runs; });
    EXPECT_TRUE(btConnect->isEnabled());
    btConnect->click();
    action(w, "Connect1")->trigger();
    EXPECT_EQ(runs, 2);
}

TEST_F(MainMenuTest, AboutBoxShowsTheVersion)
{
    TMainMenuDlg w;
    vela::app::TAboutBox box(&w);
    AboutBox = &box;
    w.About1Click();
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(box.findChild<QLabel*>("Versionname")->text(), "3.25 19/09/2008");
    AboutBox = nullptr;
}

} // namespace
