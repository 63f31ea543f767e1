#include "TestSupport.h"
#include "platform/PrivateProfile.h"
#include "translation/Translator.h"

#include <QDir>

using vela::platform::MB_OK;
using vela::platform::PrivateProfile;
using vela::translation::Translator;

namespace {

class TranslatorTest : public vela::test::DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        t.setProgramDirectory(workDir());
        t.setMissingLogPath(tempPath("VelaSoft.INI"));
    }
    bool load(const QByteArray& content, const QString& base = "German")
    {
        vela::test::writeAll(tempPath("sys/" + base + ".txt"), content);
        QString name = base;
        return t.LoadTranslationFile(name);
    }
    QString missing(const QString& section, const QString& key)
    {
        return PrivateProfile(tempPath("VelaSoft.INI")).readString(section, key, "<none>");
    }
    Translator t;
};

TEST_F(TranslatorTest, LookUpRules)
{
    const QByteArray file =
        "[Connection Error]\r\nVerbindungsfehler\r\n"
        "[Twice]\nfirst\n[Twice]\nsecond\n"
        "[Empty]\n\n"
        "before [Middle] after\nmitte\n"
        "[Brackets]\n[keep] as is\n"
        "[Long]\n" + QByteArray(256, 'x') + "\n"
        "[Max]\n" + QByteArray(255, 'y') + "\n"
        "[Last]\nno newline";
    ASSERT_TRUE(load(file));
    EXPECT_EQ(t.caption(), "Translation File: German.txt");
    struct Case { const char* text; const char* expected; };
    const Case cases[] = {
        {"Connection Error", "Verbindungsfehler"},
        {"Connection error", "Connection error"},  // case matters
        {"Twice", "first"},
        {"Empty", ""},
        {"Middle", "mitte"},
        {"Brackets", "[keep] as is"},
        {"Long", "Long"},                            // 256 characters is too long
        {"Last", "no newline"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.TranslateText(c.text), QString::fromLatin1(c.expected)) << c.text;
    EXPECT_EQ(t.TranslateText("Max"), QString(255, 'y'));
    // Found texts are not logged; missing ones are, under the caption's section.
    EXPECT_EQ(missing("Translation File: German.txt", "Connection error"), "0");
    EXPECT_EQ(missing("Translation File: German.txt", "Long"), "0");
    EXPECT_EQ(missing("Translation File: German.txt", "Twice"), "<none>");
}

// A key on the file's last line has no translation line at all: it is missing, not an empty
// translation (which would blank the caption). A trailing empty line is a real empty entry.
TEST_F(TranslatorTest, KeyOnTheLastLineHasNoTranslation)
{
    struct Case { QByteArray file; const char* expected; };
    const Case cases[] = {
        {"[A]\nB\n[Dangling]\n", "Dangling"},
        {"[A]\nB\r\n[Dangling]\r\n", "Dangling"},
        {"[A]\nB\n[Dangling]", "Dangling"},
        {"[A]\nB\n[Dangling]\n\n", ""},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(load(c.file));
        EXPECT_EQ(t.TranslateText("Dangling"), QString::fromLatin1(c.expected)) << c.file.constData();
        EXPECT_EQ(t.TranslateText("A"), "B");
    }
    EXPECT_EQ(missing("Translation File: German.txt", "Dangling"), "0");
}

TEST_F(TranslatorTest, NothingLoadedTranslateTextReturnsTextButMessageBoxLogs)
{
    EXPECT_EQ(t.TranslateText("Hello"), "Hello");
    EXPECT_EQ(missing("Translation", "Hello"), "<none>");
    // Route the free function through this instance's state by using the instance itself.
    dialogs().expectMessage("Body");
    EXPECT_EQ(t.TranslatedMessageBox("Body", "Head", MB_OK), vela::platform::IDOK);
    EXPECT_EQ(missing("Translation", "Body"), "0");
    EXPECT_EQ(missing("Translation", "Head"), "0");
    ASSERT_EQ(dialogs().shown().size(), 1);
    EXPECT_EQ(dialogs().shown()[0].caption, "Head");
}

TEST_F(TranslatorTest, MessageBoxAndInputBoxTranslateBothTexts)
{
    ASSERT_TRUE(load("[Body]\nInhalt\n[Head]\nKopf\n[Ask]\nFrage\n"));
    dialogs().expectMessage("Inhalt", vela::platform::IDYES);
    EXPECT_EQ(t.TranslatedMessageBox("Body", "Head", vela::platform::MB_YESNO), vela::platform::IDYES);
    EXPECT_EQ(dialogs().shown()[0].caption, "Kopf");
    dialogs().expectInput("Frage", "typed");
    EXPECT_EQ(t.TranslatedInputBox("Head", "Ask", "def"), "typed");
    dialogs().expectInput("Frage", "ignored", false);
    EXPECT_EQ(t.TranslatedInputBox("Head", "Ask", "def"), "def");
}

TEST_F(TranslatorTest, FailedLoadKeepsTableAndNamesTheEmptyCaption)
{
    ASSERT_TRUE(load("[A]\nB\n"));
    dialogs().expectMessage("Error opening translation template");
    QString name = "Klingon";
    EXPECT_FALSE(t.LoadTranslationFile(name));
    EXPECT_TRUE(name.isEmpty());
    EXPECT_EQ(t.caption(), "Translation File: ");
    EXPECT_TRUE(t.isLoaded());
    EXPECT_EQ(t.TranslateText("A"), "B");
    EXPECT_EQ(dialogs().shown().last().caption, "Translation File Error");
}

TEST_F(TranslatorTest, OtherExtensionsAreReadAsTxtAndCancelFails)
{
    vela::test::writeAll(tempPath("sys/French.txt"), "[A]\nfr\n");
    dialogs().expectOpen("", tempPath("sys/French.doc"));
    QString name;
    ASSERT_TRUE(t.LoadTranslationFile(name));
    EXPECT_EQ(name, "French.txt");
    EXPECT_EQ(t.TranslateText("A"), "fr");
    dialogs().expectOpen("", "");
    dialogs().expectMessage("Error opening translation template");
    name.clear();
    EXPECT_FALSE(t.LoadTranslationFile(name));
    EXPECT_EQ(t.TranslateText("A"), "fr");
}

TEST_F(TranslatorTest, OversizedAndBinaryFilesStillLoad)
{
    QByteArray big(70000, 'z');
    big.prepend("[Early]\nfrueh\n");
    big.append("\n[Late]\nspaet\n");
    ASSERT_TRUE(load(big));
    EXPECT_EQ(t.TranslateText("Early"), "frueh");
    EXPECT_EQ(t.TranslateText("Late"), "Late");  // beyond the table
    ASSERT_TRUE(load(QByteArray("\0\x01\xff[Bin]\nok\n", 11)));
    EXPECT_EQ(t.TranslateText("Bin"), "ok");
    ASSERT_TRUE(load(QByteArray()));
    EXPECT_EQ(t.TranslateText("Bin"), "Bin");
}

TEST_F(TranslatorTest, SearchButtonReportsNoMatch)
{
    ASSERT_TRUE(load("[A]\nB\n"));
    t.setSearchText("A");
    t.search();
    EXPECT_EQ(t.foundText(), "B");
    EXPECT_EQ(t.location(), "4");
    t.setSearchText("Z");
    t.search();
    EXPECT_EQ(t.foundText(), "No Match Found!!");
    EXPECT_EQ(t.location(), "");
}

} // namespace
