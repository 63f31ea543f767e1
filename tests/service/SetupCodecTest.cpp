// The configuration word, the serial number text and the value encodings.
#include "service/SerialNumber.h"
#include "service/SetupJson.h"
#include "service/SetupValues.h"
#include "service/ValueEncoding.h"

#include "TestSupport.h"

#include <QJsonDocument>

using namespace vela::service;

TEST(ConfigWord, AllBitsSetIsDualWithDefaultOptions)
{
    SetupValues v;
    v.model = SetupModel::Single20;
    v.statsInstrument = false;
    decodeConfigWord(0xFFFF, v);
    EXPECT_EQ(v.model, SetupModel::Dual);
    EXPECT_TRUE(v.statsInstrument);
    EXPECT_TRUE(v.divideBy10Ranging);
    EXPECT_TRUE(v.enableCorrection);
    EXPECT_FALSE(v.partnerBrand);
    EXPECT_FALSE(v.passFailLimits);
    EXPECT_FALSE(v.readOnTimeOps);
    EXPECT_EQ(v.configWord, "ffff");
}

TEST(ConfigWord, EachModelAndOptionRoundTrips)
{
    struct Case {
        SetupModel model;
        quint16 word;   // with the design options (stats, divide by 10 on; correction off)
    };
    const Case cases[] = {{SetupModel::Single20, 0xF7F7}, {SetupModel::Single60, 0xF7FB},
                          {SetupModel::Single45, 0xF7BF}, {SetupModel::Single45_0, 0xF77F},
                          {SetupModel::Dual, 0xF7FF},     {SetupModel::Triple, 0xF3FF}};
    for (const Case& c : cases) {
        SetupValues v;
        v.model = c.model;
        EXPECT_EQ(buildConfigWord(v), c.word) << modelKey(c.model).toStdString();
        SetupValues back;
        back.model = SetupModel::Triple;
        decodeConfigWord(c.word, back);
        EXPECT_EQ(back.model, c.model);
    }
    SetupValues v;
    v.partnerBrand = v.passFailLimits = v.readOnTimeOps = v.enableCorrection = true;
    v.statsInstrument = v.divideBy10Ranging = false;
    const quint16 word = buildConfigWord(v);
    EXPECT_EQ(word, 0xFFFF & ~0x0001 & ~0x0002 & ~0x0010 & ~0x0020 & ~0x0100);
    SetupValues back;
    decodeConfigWord(word, back);
    EXPECT_TRUE(back.partnerBrand && back.passFailLimits && back.readOnTimeOps && back.enableCorrection);
    EXPECT_FALSE(back.statsInstrument || back.divideBy10Ranging);
    EXPECT_EQ(memoryBaseOf(0xFFFF), 0);
    EXPECT_EQ(memoryBaseOf(0xFBFF), 4096);
}

TEST(ConfigWord, SeveralModelBitsClearLastOneWins)
{
    SetupValues v;
    decodeConfigWord(0xFFFF & ~0x0008 & ~0x0040, v);   // single 20 and single 45
    EXPECT_EQ(v.model, SetupModel::Single45);
}

TEST(SerialNumber, WordsAndTextBothWays)
{
    const SerialWords words{0x1234, 0x0512, 0x4708};
    const SerialParts p = serialParts(words);
    EXPECT_EQ(p.text, "KN0805123412");
    EXPECT_EQ(p.prefix, "KN");
    EXPECT_EQ(p.year, "08");
    EXPECT_EQ(p.month, "05");
    EXPECT_EQ(p.serialNo, "1234");
    EXPECT_EQ(p.suffix, "12");
    SerialWords parsed;
    ASSERT_TRUE(parseSerialText(QStringLiteral(" KN0805123412   "), parsed));
    EXPECT_EQ(parsed, words);

    ASSERT_TRUE(parseSerialText(QStringLiteral("000805123412"), parsed));
    EXPECT_EQ(parsed.prefixCode(), 0);
    EXPECT_EQ(serialParts(parsed).text, "000805123412");
    ASSERT_TRUE(parseSerialText(QStringLiteral("VV1a2bc3d4e5"), parsed));
    EXPECT_EQ(parsed.prefixCode(), 0xFF);
    EXPECT_EQ(serialParts(parsed).text, "VV1a2bc3d4e5");
}

TEST(SerialNumber, BadTextsAreRefused)
{
    for (const char* text : {"", "KN080512341", "KN08051234123", "FN0805123412", "KW0805123412",
                             "0K0805123412", "KN08051234G2", "KN 805123412", "KN0805-23412"}) {
        SerialWords words{1, 2, 3};
        QString reason;
        EXPECT_FALSE(parseSerialText(QString::fromLatin1(text), words, &reason)) << text;
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_EQ(words, (SerialWords{1, 2, 3})) << "a refused text changes nothing";
    }
}

TEST(ValueEncoding, TargetThresholdAndRounding)
{
    struct Case {
        const char* text;
        const char* mnemonic;
        quint32 value;
    };
    const Case cases[] = {{"327.65", "TT", 32765}, {"327.7", "tt", 3277}, {"327.66", "tt", 3276},
                          {"88.0", "TT", 8800},    {"93", "TT", 9300},    {"0.01", "TT", 1},
                          {"2000.0", "tt", 20000}, {"6553.5", "tt", 65535}, {"1.999", "TT", 199}};
    for (const Case& c : cases) {
        const TargetCommand t = encodeTarget(QString::fromLatin1(c.text), 0);
        EXPECT_EQ(t.mnemonic, QByteArray(c.mnemonic)) << c.text;
        EXPECT_EQ(t.encoded.value, c.value) << c.text;
        EXPECT_TRUE(t.encoded.valid());
    }
    EXPECT_EQ(encodeTarget(QStringLiteral("100"), 1).mnemonic, "TS");
    EXPECT_EQ(encodeTarget(QStringLiteral("400"), 2).mnemonic, "te");
    EXPECT_TRUE(encodeTarget(QStringLiteral("NAN"), 0).encoded.skip());
}

TEST(ValueEncoding, ScaledEditsAndTheirLimits)
{
    struct Case {
        const char* text;
        FieldRule rule;
        bool valid;
        quint32 value;
    };
    const Case cases[] = {
        {"-0.5", rule::kMirror, true, 0xFE0C},   {"0.123", rule::kMirror, true, 123},
        {"-32.768", rule::kMirror, true, 0x8000}, {"32.768", rule::kMirror, false, 0},
        {"5.0", rule::kMinSupply, true, 500},    {"4.999", rule::kMinSupply, true, 499},
        {"-1", rule::kMinSupply, false, 0},      {"100.0", rule::kLimit, true, 1000},
        {"-2.5", rule::kLimit, true, 0xFFE7},    {"200", rule::kBulbTime, true, 200},
        {"200.5", rule::kBulbTime, false, 0},    {"70000", rule::kBulbTime, false, 0},
        {"10.0", rule::kGlossChange, true, 1000}, {"abc", rule::kLimit, false, 0},
        {"", rule::kLimit, false, 0},            {"1,5", rule::kLimit, false, 0},
        {"inf", rule::kLimit, false, 0},         {"nan", rule::kLimit, false, 0},
        {"12abc", rule::kGlossChange, false, 0}, {" 7.5 ", rule::kLimit, true, 75},
    };
    for (const Case& c : cases) {
        const EncodedValue e = encodeEdit(QString::fromLatin1(c.text), c.rule);
        EXPECT_EQ(e.valid(), c.valid) << c.text;
        if (c.valid)
            EXPECT_EQ(e.value, c.value) << c.text;
        else
            EXPECT_FALSE(e.reason.isEmpty()) << c.text;
    }
    EXPECT_TRUE(encodeEdit(QStringLiteral("NAN"), rule::kLimit).skip());
    EXPECT_EQ(mirrorText(0xFE0C), "-0.500");
    EXPECT_EQ(mirrorText(0x007B), "0.123");
    EXPECT_EQ(languageValue(-1), 0);
    EXPECT_EQ(languageValue(6), 0);
    EXPECT_EQ(languageValue(5), 5);
}

TEST(SetupJson, RoundTripsAndRefusesWrongTypes)
{
    SetupValues v;
    v.model = SetupModel::Triple;
    v.passFailLimits = true;
    v.target85 = QStringLiteral("NAN");
    v.mirror20 = QStringLiteral("-0.500");
    v.limits60 = {QStringLiteral("95.5"), QStringLiteral("5.0"), QStringLiteral("2.0")};
    v.onTime = 90;
    v.language = 3;
    v.signalPot = 12;
    v.refPot = 100;
    v.serialText = QStringLiteral("KN0805123412");
    const QByteArray text = QJsonDocument(setupToJson(v)).toJson();
    SetupValues back;
    ASSERT_TRUE(setupFromJson(QJsonDocument::fromJson(text).object(), back));
    EXPECT_EQ(back.model, SetupModel::Triple);
    EXPECT_TRUE(back.passFailLimits);
    EXPECT_EQ(back.target85, "NAN");
    EXPECT_EQ(back.mirror20, "-0.5");
    EXPECT_EQ(back.limits60.high, "95.5");
    EXPECT_EQ(back.onTime, 90);
    EXPECT_EQ(back.language, 3);
    EXPECT_EQ(back.signalPot, 12);
    EXPECT_EQ(back.refPot, 100);
    EXPECT_EQ(back.serialText, "KN0805123412");
    EXPECT_EQ(buildConfigWord(back), buildConfigWord(v));

    const char* bad[] = {R"({"model":"quad"})", R"({"onTime":500})", R"({"onTime":"60"})",
                         R"({"pots":{"signal":0}})", R"({"options":{"statsInstrument":1}})",
                         R"({"targets":{"gloss20":true}})", R"({"limits":{"angle1":5}})"};
    for (const char* json : bad) {
        SetupValues w;
        QString reason;
        EXPECT_FALSE(setupFromJson(QJsonDocument::fromJson(json).object(), w, &reason)) << json;
        EXPECT_FALSE(reason.isEmpty()) << json;
    }
}
