// Automatic numbering on a real folder: counter files, skipping, " L" files, wrap-around.
#include "TestSupport.h"
#include "results/ResultsNumbering.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace vela::results;
using vela::test::readAll;
using vela::test::writeAll;

namespace {

class ResultsNumberingTest : public ::testing::Test {
protected:
    [[nodiscard]] QString folder() const { return m_dir.path() + QDir::separator(); }
    void touch(const QString& name) { writeAll(folder() + name, "x"); }
    void counter(const QString& name, const QByteArray& text) { writeAll(folder() + name, text); }
    [[nodiscard]] QByteArray counterText(const QString& name) const
    {
        return readAll(folder() + name);
    }
    int number(const QString& stem, QString* path = nullptr)
    {
        QString p;
        const int n = AutoNumberResultsFile(folder(), stem, &p);
        if (path)
            *path = p;
        return n;
    }
    QTemporaryDir m_dir;
};

TEST_F(ResultsNumberingTest, CounterAndExistingFilesGiveTheNextNumber)
{
    touch(QStringLiteral("LineA0001.res"));
    touch(QStringLiteral("LineA0002.res"));
    counter(QStringLiteral("LineA.trl"), "1\r");
    QString path;
    EXPECT_EQ(number(QStringLiteral("LineA"), &path), 3);
    EXPECT_EQ(path, folder() + QStringLiteral("LineA0003.res"));
    EXPECT_EQ(counterText(QStringLiteral("LineA.trl")), QByteArray("3\r"));
}

TEST_F(ResultsNumberingTest, NewCounterStartsAtOne)
{
    EXPECT_EQ(number(QStringLiteral("Fresh")), 1);
    EXPECT_EQ(counterText(QStringLiteral("Fresh.trl")), QByteArray("1\r"));
    // The counter holds the last number used; the file was not made, so it is used again.
    EXPECT_EQ(number(QStringLiteral("Fresh")), 1);
    touch(QStringLiteral("Fresh0001.res"));
    EXPECT_EQ(number(QStringLiteral("Fresh")), 2);
}

TEST_F(ResultsNumberingTest, CounterValuesAreReadFromTheirFirstFourCharacters)
{
    const struct {
        QByteArray text;
        int expected;  // 0: invalid
    } cases[] = {
        {"", 0}, {"0\r", 0}, {"abc\r", 0}, {"-5\r", 0}, {"\r", 0},
        {"7\r", 7}, {"12345\r", 1234}, {"42", 42}, {" 9\r", 9}, {"9999\r", 1}, {"9998\r", 9998},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        counter(QStringLiteral("Cnt.trl"), c.text);
        QString path;
        EXPECT_EQ(number(QStringLiteral("Cnt"), &path), c.expected);
        if (c.expected == 0) {
            EXPECT_TRUE(path.isEmpty());
            EXPECT_EQ(counterText(QStringLiteral("Cnt.trl")), QByteArray("0\r"));
            EXPECT_EQ(number(QStringLiteral("Cnt")), 0) << "stays invalid";
        } else {
            EXPECT_EQ(counterText(QStringLiteral("Cnt.trl")),
                      QByteArray::number(c.expected) + '\r');
        }
    }
}

TEST_F(ResultsNumberingTest, StemsWithTheSameFirstEightCharactersShareACounter)
{
    EXPECT_EQ(number(QStringLiteral("ABCDEFGH_one")), 1);
    touch(QStringLiteral("ABCDEFGH_one0001.res"));
    EXPECT_EQ(number(QStringLiteral("ABCDEFGH_one")), 2);
    EXPECT_EQ(counterText(QStringLiteral("ABCDEFGH.trl")), QByteArray("2\r"));
    // The other stem starts from the shared counter, though none of its files exist.
    EXPECT_EQ(number(QStringLiteral("ABCDEFGH_two")), 2);
    EXPECT_EQ(QDir(folder()).entryList({QStringLiteral("*.trl")}).size(), 1);
}

TEST_F(ResultsNumberingTest, LFilesAreSkippedOnlyAfterATakenNumber)
{
    touch(QStringLiteral("S0004.res"));
    touch(QStringLiteral("S0005 L.res"));
    counter(QStringLiteral("S.trl"), "4\r");
    EXPECT_EQ(number(QStringLiteral("S")), 6);
    // Starting at 5, nothing was passed through, so 5 is free despite its " L" file.
    counter(QStringLiteral("S.trl"), "5\r");
    EXPECT_EQ(number(QStringLiteral("S")), 5);
}

TEST_F(ResultsNumberingTest, NumbersWrapAfter9998)
{
    touch(QStringLiteral("W9998.res"));
    touch(QStringLiteral("W0001.res"));
    counter(QStringLiteral("W.trl"), "9998\r");
    EXPECT_EQ(number(QStringLiteral("W")), 2);
    EXPECT_EQ(counterText(QStringLiteral("W.trl")), QByteArray("2\r"));
}

TEST_F(ResultsNumberingTest, AFullFolderAndAMissingFolderFail)
{
    for (int n = 1; n <= kLastResultsNumber; ++n)
        touch(numberedPath({}, QStringLiteral("F"), n));
    QString path;
    EXPECT_EQ(number(QStringLiteral("F"), &path), 0);
    EXPECT_TRUE(path.isEmpty());  // never a bare name outside the folder

    EXPECT_EQ(AutoNumberResultsFile(folder() + QStringLiteral("none/"), QStringLiteral("X"), &path),
              0);
    EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("none")));
}

} // namespace
