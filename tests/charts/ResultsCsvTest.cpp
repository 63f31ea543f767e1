#include "charts/ResultsCsv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vela::charts;

TEST(ResultsCsv, BytesOfAThreeSampleExport)
{
    const float values[] = {85.34f, 0.5f, 1234.5f};
    const QByteArray bytes = resultsCsv(QStringLiteral("Samples"), QStringLiteral("GU"), values, 3);
    EXPECT_EQ(bytes, QByteArray(",,Description,X units, Y unints\r"
                                ",,Description,Samples,GU\r"
                                "1,85.340\r2,0.500\r3,1234.500\r"));
    EXPECT_EQ(bytes.count('\r'), 5);
    EXPECT_FALSE(bytes.contains('\n'));
}

TEST(ResultsCsv, UnitsAreWrittenAsWindows1252)
{
    const QByteArray bytes = resultsCsv(QStringLiteral("Proben"), QString::fromUtf8("°GU"), nullptr, 5);
    EXPECT_EQ(bytes, QByteArray(",,Description,X units, Y unints\r,,Description,Proben,\xB0GU\r"));
}

TEST(ResultsCsv, WritesReplacesAndRefusesQuietly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(500, 'x'));
    }
    const QByteArray bytes = resultsCsvHeading(QStringLiteral("Samples"), QStringLiteral("GU"));
    ASSERT_TRUE(writeResultsCsv(path, bytes));
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), bytes);  // truncated, not overlaid

    EXPECT_FALSE(writeResultsCsv(dir.filePath(QStringLiteral("no/such/folder/x.csv")), bytes));
    EXPECT_FALSE(writeResultsCsv(dir.path(), bytes));  // a folder
    EXPECT_FALSE(writeResultsCsv(QString(), bytes));
}
