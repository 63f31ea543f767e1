#include "TestSupport.h"
#include "platform/Ansi.h"
#include "platform/Paths.h"

#include <QDir>

using namespace vela::platform;

TEST(Paths, RelativeSystemNamesResolveWithoutRegardToCase)
{
    QTemporaryDir dir;
    vela::test::writeAll(dir.filePath("sys/German.txt"), "x");
    EXPECT_EQ(joinPath(dir.path(), "\\SYS\\German.txt"), QDir::toNativeSeparators(dir.filePath("sys/German.txt")));
    EXPECT_EQ(joinPath(dir.path(), "\\sys\\german.TXT"), QDir::toNativeSeparators(dir.filePath("sys/German.txt")));
    // Missing parts are kept as written; a trailing separator on the base is not doubled.
    EXPECT_EQ(joinPath(dir.path() + "/", "\\Sys\\Nope.vts"), QDir::toNativeSeparators(dir.filePath("sys/Nope.vts")));
    EXPECT_EQ(joinPath("/", "\\sys"), QDir::toNativeSeparators("/sys"));
}

TEST(Paths, ProgramDirectoryIsTheCurrentDirectory)
{
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_EQ(QDir::fromNativeSeparators(programDirectory()), QDir(dir.path()).canonicalPath());
    QDir::setCurrent(old);
}

TEST(Ansi, DegreeSignAndCodePageRoundTrip)
{
    const QString text = QString::fromUtf8("20° € Ä");
    const QByteArray bytes = toAnsi(text);
    EXPECT_EQ(bytes, QByteArray("20\xB0 \x80 \xC4"));
    EXPECT_EQ(fromAnsi(bytes), text);
    char buf[4];
    copyAnsi(QStringLiteral("abcdef"), buf, sizeof buf);
    EXPECT_EQ(QByteArray(buf, 4), QByteArray("abc\0", 4));
    EXPECT_EQ(toAnsi(QString::fromUtf8("日")), QByteArray("?"));
}
