#include "TestSupport.h"
#include "platform/PrivateProfile.h"

#include <QFile>
#include <QFileInfo>

using vela::platform::PrivateProfile;
using vela::test::readAll;
using vela::test::writeAll;

namespace {

class PrivateProfileTest : public vela::test::DialogsFixture {};

TEST_F(PrivateProfileTest, BareNameLivesInSettingsFolderAndFirstWriteCreatesIt)
{
    PrivateProfile ini(QStringLiteral("Vela-DuzirIriz.ini"));
    EXPECT_EQ(ini.path(), settingsDir() + "/Vela-DuzirIriz.ini");
    EXPECT_FALSE(QFile::exists(ini.path()));
    EXPECT_EQ(ini.readInteger("Panel Main Menu", "Top", 178), 178);
    ASSERT_TRUE(ini.writeInteger("Panel Main Menu", "Top", 12));
    ASSERT_TRUE(ini.writeInteger("Panel Main Menu", "Left", -1));
    EXPECT_EQ(readAll(ini.path()), QByteArray("[Panel Main Menu]\nTop=12\nLeft=-1\n"));
}

TEST_F(PrivateProfileTest, MessyFileReadsLikeTheClassicCalls)
{
    const QString path = tempPath("messy.ini");
    writeAll(path, "junk line without equals\r\n"
                   "[panel main menu]\r\n"
                   "  TOP = 40 \r\n"
                   "top=99\r\n"
                   "Left=12abc\r\n"
                   "Height=-7\r\n"
                   "Name=\"quoted value\"\r\n"
                   "Real=0.25\r\n"
                   "[Panel Main Menu]\r\n"
                   "Width=300\r\n"
                   "\x01\x02\xff binary=\r\n");
    const PrivateProfile ini(path);
    struct Case { const char* key; int def; int expected; };
    const Case cases[] = {
        {"Top", 0, 40},        // case-insensitive key, spaces trimmed, first match wins
        {"Left", 5, 5},        // not purely digits: default
        {"Height", 0, -7},     // optional minus
        {"Width", 1, 1},       // a duplicate section is never consulted
        {"Missing", 33, 33},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.readInteger("PANEL MAIN MENU", c.key, c.def), c.expected) << c.key;
    EXPECT_EQ(ini.readString("Panel Main Menu", "Name"), "quoted value");
    EXPECT_DOUBLE_EQ(ini.readReal("Panel Main Menu", "Real", 1.0), 0.25);
    EXPECT_DOUBLE_EQ(ini.readReal("Panel Main Menu", "Name", 1.5), 1.5);
    EXPECT_TRUE(ini.readBool("Panel Main Menu", "Top", false));
    EXPECT_FALSE(ini.readBool("Nowhere", "Top", false));
}

TEST_F(PrivateProfileTest, WriteChangesOneLineAndKeepsTheRest)
{
    const QString path = tempPath("keep.ini");
    writeAll(path, "; comment\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    PrivateProfile ini(path);
    ASSERT_TRUE(ini.writeString("a", "Y", "20"));
    ASSERT_TRUE(ini.writeString("A", "new", "n"));
    ASSERT_TRUE(ini.writeString("C", "k", "v"));
    EXPECT_EQ(readAll(path),
              QByteArray("; comment\r\n[A]\r\nx=1\r\nY=20\r\nnew=n\r\n\r\n[B]\r\nz=3\r\n[C]\r\nk=v\r\n"));
}

TEST_F(PrivateProfileTest, FolderOrUnreadableFileGivesDefaultsAndFailedWrite)
{
    const QString dir = tempPath("adir.ini");
    ASSERT_TRUE(QDir().mkpath(dir));
    PrivateProfile ini(dir);
    EXPECT_EQ(ini.readInteger("S", "K", 7), 7);
    EXPECT_FALSE(ini.writeInteger("S", "K", 1));
    EXPECT_TRUE(QFileInfo(dir).isDir());
}

TEST_F(PrivateProfileTest, EightBitFileStaysEightBit)
{
    const QString path = tempPath("ansi.ini");
    writeAll(path, "[S]\nDeg=20\xB0\n");
    PrivateProfile ini(path);
    EXPECT_EQ(ini.readString("S", "Deg"), QString::fromUtf8("20°"));
    ASSERT_TRUE(ini.writeString("S", "Other", QString::fromUtf8("ä")));
    EXPECT_EQ(readAll(path), QByteArray("[S]\nDeg=20\xB0\nOther=\xE4\n"));
}

} // namespace
