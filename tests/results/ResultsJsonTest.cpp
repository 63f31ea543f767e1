// Results files as JSON and CSV: dumps made back into files give the same bytes.
#include "ResultsFixtures.h"
#include "TestSupport.h"
#include "results/ResultsFileReader.h"
#include "results/ResultsJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <cmath>
#include <cstring>
#include <limits>

using namespace vela::results;
using namespace vela::test;

namespace {

QJsonObject dumpOf(const QByteArray& bytes, bool* opacity = nullptr)
{
    ResultsFileImage gloss;
    OpacityFileImage pac;
    const ReadOutcome o = parseResultsBytes(bytes, QStringLiteral("/x/old.res"),
                                            QDate(2020, 1, 2), gloss, pac);
    EXPECT_TRUE(o.ok());
    if (opacity)
        *opacity = o.status == ReadStatus::Opacity;
    const QJsonObject json = o.status == ReadStatus::Opacity ? toJson(pac) : toJson(gloss);
    // Through text, as velactl passes it.
    return QJsonDocument::fromJson(QJsonDocument(json).toJson()).object();
}

QByteArray makeOf(const QJsonObject& json)
{
    JsonImage image;
    QString error;
    EXPECT_TRUE(fromJson(json, &image, &error)) << error.toStdString();
    return image.bytes();
}

TEST(ResultsJsonTest, DumpThenMakeReproducesTheFixtures)
{
    EXPECT_EQ(makeOf(dumpOf(glossFixture())), glossFixture());
    EXPECT_EQ(makeOf(dumpOf(opacityFixture())), opacityFixture());
}

TEST(ResultsJsonTest, DumpHoldsTheDocumentedFields)
{
    const QJsonObject g = dumpOf(glossFixture());
    EXPECT_EQ(g[QStringLiteral("kind")].toString(), QStringLiteral("gloss"));
    EXPECT_EQ(g[QStringLiteral("instrumentCode")].toInt(), 60);
    EXPECT_EQ(g[QStringLiteral("angleText")].toString(), QStringLiteral("60 \u00B0"));
    EXPECT_EQ(g[QStringLiteral("max")].toDouble(), 95.5);
    EXPECT_EQ(g[QStringLiteral("cvRatio")].toDouble(), 7.9);  // shortest form, not 7.900000095
    const QJsonArray samples = g[QStringLiteral("samples")].toArray();
    ASSERT_EQ(samples.size(), 3);
    EXPECT_EQ(samples[1].toObject()[QStringLiteral("tagged")].toBool(), true);
    EXPECT_EQ(samples[1].toObject()[QStringLiteral("comment")].toString(),
              QStringLiteral("scratch"));
    const QJsonObject t = g[QStringLiteral("trailer")].toObject();
    EXPECT_EQ(t[QStringLiteral("extra")].toArray()[1].toObject()[QStringLiteral("show")].toBool(),
              false);
    EXPECT_EQ(t[QStringLiteral("baseName")].toString(), QStringLiteral("Line0001"));

    bool opacity = false;
    const QJsonObject p = dumpOf(opacityFixture(), &opacity);
    EXPECT_TRUE(opacity);
    EXPECT_EQ(p[QStringLiteral("kind")].toString(), QStringLiteral("opacity"));
    EXPECT_EQ(p[QStringLiteral("batchNumber")].toInt(), 2);
    EXPECT_EQ(p[QStringLiteral("result3")].toDouble(), 3.5);
    EXPECT_EQ(p[QStringLiteral("white")].toArray().size(), 3);
    EXPECT_EQ(p[QStringLiteral("black")].toArray()[1].toObject()[QStringLiteral("comment")]
                  .toString(),
              QStringLiteral("black two"));
}

TEST(ResultsJsonTest, ConvertedLegacyFileDumpsAsGloss)
{
    const QJsonObject g = dumpOf(legacyFixture(46, 4.0f));
    EXPECT_EQ(g[QStringLiteral("kind")].toString(), QStringLiteral("gloss"));
    EXPECT_EQ(g[QStringLiteral("instrumentName")].toString(), QStringLiteral("Vela-Shade"));
    EXPECT_EQ(g[QStringLiteral("dateTime")].toString(), QStringLiteral("2/1/2020 10:20:30"));
    EXPECT_EQ(g[QStringLiteral("samples")].toArray().size(), 3);
    EXPECT_EQ(g[QStringLiteral("trailer")].toObject()[QStringLiteral("baseName")].toString(),
              QStringLiteral("old"));
    // Made back into a file, it is a gloss file that dumps the same.
    EXPECT_EQ(dumpOf(makeOf(g)), g);
}

TEST(ResultsJsonTest, EveryFloatSurvivesTheRoundTrip)
{
    ResultsFileImage image;
    QRandomGenerator random(7);
    const float specials[] = {0.0f, -0.0f, std::numeric_limits<float>::denorm_min(),
                              std::numeric_limits<float>::max(),
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(), 0.1f, 1e-40f};
    image.record.sampleCount = kMaxSamples;
    for (int i = 0; i < kMaxSamples; ++i) {
        std::uint32_t bits = random.generate();
        if (i < int(std::size(specials)))
            std::memcpy(&bits, &specials[i], 4);
        else if (i % 50 == 0)
            bits |= 0x7F800001u;  // NaNs with payloads
        std::memcpy(&image.record.values[i], &bits, 4);
    }
    const QJsonObject json =
        QJsonDocument::fromJson(QJsonDocument(toJson(image)).toJson()).object();
    JsonImage back;
    QString error;
    ASSERT_TRUE(fromJson(json, &back, &error)) << error.toStdString();
    for (int i = 0; i < kMaxSamples; ++i)
        EXPECT_EQ(std::memcmp(&back.gloss.record.values[i], &image.record.values[i], 4), 0)
            << i << ": " << floatText(image.record.values[i]).toStdString();
}

TEST(ResultsJsonTest, BadJsonIsRefusedWithTheFieldNamed)
{
    const QJsonObject good = dumpOf(glossFixture());
    const auto with = [&](const QString& key, const QJsonValue& v) {
        QJsonObject o = good;
        o[key] = v;
        return o;
    };
    QJsonArray tooMany;
    for (int i = 0; i <= kMaxSamples; ++i)
        tooMany.append(QJsonObject{{QStringLiteral("value"), 1}, {QStringLiteral("tagged"), false},
                                   {QStringLiteral("comment"), QString()}});
    QJsonArray badSample = good[QStringLiteral("samples")].toArray();
    badSample[2] = QJsonObject{{QStringLiteral("value"), QStringLiteral("high")}};
    const struct {
        QJsonObject json;
        const char* mentions;
    } cases[] = {
        {with(QStringLiteral("kind"), QStringLiteral("other")), "kind"},
        {with(QStringLiteral("sheetName"), QString(256, u's')), "sheetName"},
        {with(QStringLiteral("angleText"), QStringLiteral("60 \u2103")), "angleText"},
        {with(QStringLiteral("instrumentCode"), 1.5), "instrumentCode"},
        {with(QStringLiteral("max"), QJsonValue()), "max"},
        {with(QStringLiteral("samples"), tooMany), "samples"},
        {with(QStringLiteral("samples"), badSample), "samples[2].value"},
        {with(QStringLiteral("trailer"), QJsonObject{}), "trailer.extra"},
    };
    for (const auto& c : cases) {
        JsonImage image;
        QString error;
        EXPECT_FALSE(fromJson(c.json, &image, &error)) << c.mentions;
        EXPECT_TRUE(error.contains(QLatin1String(c.mentions))) << error.toStdString();
    }
}

TEST(ResultsJsonTest, CsvListsTheSamples)
{
    ResultsFileImage gloss;
    OpacityFileImage pac;
    ASSERT_TRUE(parseResultsBytes(glossFixture(), QStringLiteral("g.res"), {}, gloss, pac).ok());
    gloss.record.setComment(0, QStringLiteral("a, \"b\""));
    EXPECT_EQ(toCsv(gloss),
              QStringLiteral("Sample,Value,Tagged,Comment\r\n1,81.5,0,\"a, \"\"b\"\"\"\r\n"
                             "2,90.25,1,scratch\r\n"
                             "3,95.5,0,0123456789012345678901234567890123\r\n"));
    ASSERT_TRUE(parseResultsBytes(opacityFixture(), QStringLiteral("p.res"), {}, gloss, pac).ok());
    EXPECT_EQ(toCsv(pac), QStringLiteral("Backing,Reading,Value,Tagged,Comment\r\n"
                                         "Black,1,10,0,\r\nBlack,2,11,1,black two\r\n"
                                         "White,1,20,0,\r\nWhite,2,21,0,\r\n"
                                         "White,3,22,1,white three\r\n"));
}

} // namespace
