#include "TestSupport.h"
#include "translation/TfrmTranslation.h"
#include "translation/Translator.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using vela::translation::TfrmTranslation;
using vela::translation::Translator;

namespace {

class LanguageWindowTest : public vela::test::DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        t.setProgramDirectory(workDir());
        t.setMissingLogPath(tempPath("VelaSoft.INI"));
        vela::test::writeAll(tempPath("sys/German.txt"), "[Language Selection]\nSprachauswahl\n");
    }
    Translator t;
};

TEST_F(LanguageWindowTest, MissingLanguageFileKeepsTableAndConstants)
{
    TfrmTranslation w(t);
    int saves = 0;
    w.setLanguageSaver([&](const QString&) { ++saves; return true; });
    dialogs().expectMessage("Error opening translation template");
    dialogs().expectMessage("The selected language file not available yet.");
    w.SelectLanguage("Italian");
    EXPECT_EQ(saves, 0);
    EXPECT_FALSE(t.isLoaded());
    ASSERT_EQ(dialogs().shown().size(), 2);
    EXPECT_EQ(dialogs().shown()[1].caption, "Language Selection");
}

TEST_F(LanguageWindowTest, SelectedLanguageIsSavedOrTheFailureSaid)
{
    TfrmTranslation w(t);
    QString saved;
    bool ok = true;
    w.setLanguageSaver([&](const QString& base) { saved = base; return ok; });
    dialogs().expectMessage("Language file selected. Restart software please.");
    w.languageButton(2)->click();  // German
    EXPECT_EQ(saved, "German");
    EXPECT_EQ(dialogs().shown().last().caption, "Sprachauswahl");  // the new table is in force
    ok = false;
    dialogs().expectMessage("Translation file set-up not saved.");
    w.SelectLanguage("German");
    EXPECT_EQ(dialogs().shown().last().caption, "Language Selection Error");
}

TEST_F(LanguageWindowTest, ButtonsDebugPanelAndHeights)
{
    TfrmTranslation w(t);
    const bool enabled[12] = {true, true, true, false, false, false, true, true, false, true, true, false};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(w.languageButton(i)->isEnabled(), enabled[i]) << i;
        EXPECT_EQ(w.languageButton(i)->iconSize(), QSize(34, 22));
    }
    EXPECT_EQ(w.languageButton(10)->toolTip(), "Spanish");
    w.ShowLanguageSelection(workDir(), true);
    EXPECT_EQ(w.height(), 135);
    EXPECT_FALSE(w.findChild<QGroupBox*>("gpSearchDebug")->isVisible());
    w.ShowLanguageSelection(workDir(), false);
    EXPECT_EQ(w.height(), 305);
    // The search button looks up the text of the Search edit.
    QString name = "German";
    ASSERT_TRUE(t.LoadTranslationFile(name));
    EXPECT_EQ(w.windowTitle(), "Translation File: German.txt");
    w.findChild<QLineEdit*>("SearchText")->setText("Language Selection");
    w.findChild<QPushButton*>("Search")->click();
    EXPECT_EQ(w.findChild<QLineEdit*>("FoundText")->text(), "Sprachauswahl");
    w.findChild<QLineEdit*>("SearchText")->setText("Nope");
    w.findChild<QPushButton*>("Search")->click();
    EXPECT_EQ(w.findChild<QLineEdit*>("FoundText")->text(), "No Match Found!!");
}

} // namespace
