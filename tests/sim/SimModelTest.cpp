// The virtual instrument's model and command table, without a line.
#include "link/CommandSet.h"
#include "sim/CommandTable.h"
#include "sim/Fault.h"
#include "sim/InstrumentState.h"
#include "sim/Scenario.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace vela::sim;
namespace cmd = vela::link::cmd;

namespace {

/// Runs one command on a state; returns whether it answered and the value.
CommandReply run(CommandTable& table, InstrumentState& s, const char* mnemonic, quint32 value)
{
    const CommandHandler* h = table.find(mnemonic);
    EXPECT_NE(h, nullptr) << mnemonic;
    return h ? (*h)(s, value) : CommandReply{false, 0};
}

InstrumentState model(Model m)
{
    InstrumentState s;
    applyModel(s, m);
    return s;
}

TEST(SimCommands, EveryMnemonicOfTheCommandSetHasAHandler)
{
    const CommandTable table;
    for (const char* m : cmd::kAll)
        EXPECT_NE(table.find(m), nullptr) << m;
    EXPECT_EQ(table.find("XX"), nullptr);
    EXPECT_NE(table.find("TT"), table.find("tt"));
}

TEST(SimModels, ConfigurationWordBaseAndSystemData)
{
    const struct {
        Model model;
        quint16 config;
        int base;
        int angle;
        int singleFlag;
        bool opacity;
        std::vector<int> fitted;
    } cases[] = {
        {Model::Dual, 0xFFFF, 0, 6, 1, false, {0, 1}},
        {Model::Triple, 0xFBFF, 4096, 6, 1, false, {0, 1, 2}},
        {Model::Single60, 0xFBFB, 4096, 3, 0, false, {1}},
        {Model::Single20, 0xFBF7, 4096, 0, 0, false, {1}},
        {Model::Single45, 0xFBBF, 4096, 1, 0, false, {1}},
        {Model::Single45_0, 0xFB7F, 4096, 2, 0, false, {1}},
        {Model::Opacity, 0xFB7F, 4096, 2, 0, true, {1}},
    };
    for (const auto& c : cases) {
        const InstrumentState s = model(c.model);
        const QString name = modelName(c.model);
        EXPECT_EQ(s.word(2040), c.config) << name.toStdString();
        EXPECT_EQ(s.memoryBase(), c.base) << name.toStdString();
        EXPECT_EQ(s.angleCode(), c.angle) << name.toStdString();
        EXPECT_EQ(s.word(4), c.singleFlag) << name.toStdString();
        EXPECT_EQ(bool(s.word(6) & 0x02), c.opacity) << name.toStdString();
        // Single-angle models keep their samples in one slot (which one is the model's choice).
        if (c.fitted.size() > 1)
            EXPECT_EQ(slotsOf(c.model), c.fitted) << name.toStdString();
        else
            EXPECT_EQ(slotsOf(c.model).size(), 1u) << name.toStdString();
        Model back{};
        EXPECT_TRUE(modelFromName(name, back));
        EXPECT_EQ(back, c.model);
    }
}

TEST(SimModels, StoredSamplesKeepTheHeaderConsistent)
{
    InstrumentState s = model(Model::Triple);
    storeSamples(s, 2, {10.0f, 20.0f, 30.0f});
    const int h = 4096 + 2532;
    EXPECT_EQ(s.word(h), 3);
    EXPECT_FLOAT_EQ(s.floatAt(h + 20), 20.0f);  // mean
    EXPECT_FLOAT_EQ(s.floatAt(h + 12), 30.0f);  // max
    EXPECT_FLOAT_EQ(s.floatAt(h + 16), 10.0f);  // min
    EXPECT_FLOAT_EQ(s.floatAt(h + 8), 10.0f);   // standard deviation
    EXPECT_FLOAT_EQ(s.floatAt(h + 4), 50.0f);   // C.V. in percent
    EXPECT_EQ(storedSamples(s, 2), (std::vector<float>{10.0f, 20.0f, 30.0f}));
    std::vector<float> many(260, 1.0f);
    storeSamples(s, 1, many);
    EXPECT_EQ(s.word(4096 + 1676), 200) << "a slot holds 200 values";
    setCalibrationDate(s, "24/12/2025");
    EXPECT_EQ(calibrationDate(s), QByteArray("24/12/2025"));
    EXPECT_EQ(s.word(2064), ('4' << 8) | '2') << "first character in the low byte";
}

TEST(SimCommands, EffectsOnTheInstrument)
{
    CommandTable t;
    InstrumentState s = model(Model::Dual);
    storeSamples(s, 0, {1, 2});
    storeSamples(s, 1, {3, 4, 5});
    EXPECT_EQ(run(t, s, "RE", 2040).value, 0xFFFFu);
    run(t, s, "LE", 2064);
    EXPECT_EQ(run(t, s, "WE", 0x3130).value, 0x3130u);
    EXPECT_EQ(s.word(2064), 0x3130);
    EXPECT_EQ(run(t, s, "VV", 0).value, 325u);
    EXPECT_FALSE(run(t, s, "LB", 0xA5A5).answer) << "memory free: the guard goes unanswered";
    s.memoryBusy = true;
    EXPECT_TRUE(run(t, s, "LB", 0xA5A5).answer);
    run(t, s, "DA", 1);
    EXPECT_EQ(storedSamples(s, 1).size(), 0u);
    EXPECT_EQ(storedSamples(s, 0).size(), 2u) << "DA 1 deletes only slot 1";
    run(t, s, "DA", 16);
    EXPECT_EQ(storedSamples(s, 0).size(), 0u);
    run(t, s, "TT", 32765);
    EXPECT_FLOAT_EQ(s.floatAt(820 + 24), 327.65f);
    run(t, s, "tt", 3277);
    EXPECT_FLOAT_EQ(s.floatAt(820 + 24), 327.7f);
    run(t, s, "LE", 1);
    run(t, s, "HL", 955);
    EXPECT_FLOAT_EQ(s.floatAt(1676 + 44), 95.5f) << "LE 1 chooses the second angle";
    run(t, s, "LS", 9);
    EXPECT_EQ(s.word(8), 0);
    run(t, s, "LS", 3);
    EXPECT_EQ(s.word(8), 3);
    EXPECT_EQ(run(t, s, "NM", 1).value, 1u);
    EXPECT_TRUE(s.word(6) & 0x10);
    EXPECT_EQ(run(t, s, "GA", 1).value, 1u);
    EXPECT_EQ(run(t, s, "PL", 256 + 90).value, 90u);
    EXPECT_EQ(run(t, s, "RL", 1).value, 90u);
    EXPECT_EQ(run(t, s, "AG", 0).value, 0u);
    run(t, s, "KP", 2);
    run(t, s, "KP", 0);
    EXPECT_EQ(run(t, s, "AG", 0).value, 3u) << "one Angle press moves to 60 degrees";
    run(t, s, "KP", 1);
    run(t, s, "KP", 0);
    EXPECT_EQ(run(t, s, "NS", 0).value, 1u) << "one Read press stores a reading";
    EXPECT_EQ(run(t, s, "LO", 0x10).value, 0xFFFFu - 12) << "dark offset is negative";
    EXPECT_EQ(run(t, s, "ML", 2).value, 2u);
    run(t, s, "OF", 0);
    EXPECT_FALSE(s.poweredOn);
}

TEST(SimFrames, ParseAndReply)
{
    Frame f;
    EXPECT_TRUE(parseFrame("!RE07f8", f));
    EXPECT_EQ(f.mnemonic, QByteArray("RE"));
    EXPECT_EQ(f.value, 0x7f8u);
    EXPECT_TRUE(parseFrame("junk!VVffffffff", f));
    EXPECT_EQ(f.value, 0xFFFFFFFFu);
    EXPECT_FALSE(parseFrame("no frame", f));
    EXPECT_FALSE(parseFrame("!RExyz", f));
    EXPECT_EQ(replyLine("RE", 0x7f8), QByteArray("!RE07f8\r"));
    EXPECT_EQ(replyLine("VV", 0x12345), QByteArray("!VV12345\r"));
}

TEST(SimFaults, RulesFromControlLinesAndTheirUse)
{
    FaultRule r;
    ASSERT_TRUE(parseFaultRule(QStringLiteral("noise RE count=2 skip=1 text=ab\\r\\x21"), r));
    EXPECT_EQ(r.kind, FaultKind::Noise);
    EXPECT_EQ(r.mnemonic, QByteArray("RE"));
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.skip, 1);
    EXPECT_EQ(r.text, QByteArray("ab\r!"));
    QString error;
    EXPECT_FALSE(parseFaultRule(QStringLiteral("explode RE"), r, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(parseFaultRule(QStringLiteral("no-reply count=x"), r));

    FaultSet set;
    ASSERT_TRUE(parseFaultRule(QStringLiteral("no-reply RE count=2 skip=1"), r));
    set.add(r);
    ASSERT_TRUE(parseFaultRule(QStringLiteral("memory-busy"), r));
    set.add(r);
    EXPECT_FALSE(set.take("RE").has_value()) << "skipped";
    EXPECT_TRUE(set.take("RE").has_value());
    EXPECT_FALSE(set.take("VV").has_value()) << "memory-busy applies to LB only";
    EXPECT_TRUE(set.take("RE").has_value());
    EXPECT_FALSE(set.take("RE").has_value()) << "used up";
    EXPECT_EQ(set.take("LB")->kind, FaultKind::MemoryBusy);
    EXPECT_EQ(set.take("LB")->kind, FaultKind::MemoryBusy) << "count -1 is for ever";
}

TEST(SimScenario, FullScenario)
{
    const QByteArray json = R"({
      "model": "single60", "firmware": 412, "calibrationDate": "02/03/2025",
      "serial": {"digits": 4660, "monthSuffix": 1298, "prefixYear": 18184},
      "system": {"language": 2, "options": 144, "minSupplyVoltage": 6.25, "soakCount": 70000},
      "slots": [{"slot": 1, "samples": [50, 52], "gain": 0.002, "high": 80, "sourcePot": 12}],
      "words": {"0x0800": 7, "2100": 8, "2040": 64506},
      "memoryBusy": true, "offHoldMs": 50,
      "line": {"baud": 4800, "timing": false},
      "faults": [{"kind": "late-reply", "mnemonic": "VV", "delayMs": 30, "count": 1}]
    })";
    Scenario sc;
    QString error;
    ASSERT_TRUE(parseScenario(json, sc, &error)) << error.toStdString();
    const InstrumentState& s = sc.state;
    EXPECT_EQ(s.model, Model::Single60);
    EXPECT_EQ(s.firmwareVersion, 412);
    EXPECT_EQ(calibrationDate(s), QByteArray("02/03/2025"));
    EXPECT_EQ(s.word(2046), 18184);
    EXPECT_EQ(s.word(8), 2);
    EXPECT_EQ(s.word(6), 144);
    EXPECT_FLOAT_EQ(s.floatAt(12), 6.25f);
    EXPECT_EQ(s.word(2030) | (s.word(2032) << 16), 70000);
    EXPECT_EQ(storedSamples(s, 1), (std::vector<float>{50, 52}));
    EXPECT_FLOAT_EQ(s.floatAt(4096 + 1676 + 32), 0.002f);
    EXPECT_FLOAT_EQ(s.floatAt(4096 + 1676 + 44), 80.0f);
    EXPECT_EQ(s.word(4096 + 1676 + 2) & 0xFF, 12);
    EXPECT_EQ(s.word(0x800), 7);
    EXPECT_EQ(s.word(2100), 8);
    EXPECT_EQ(s.word(2040), 64506) << "raw words are applied last";
    EXPECT_TRUE(s.memoryBusy);
    EXPECT_EQ(s.offHoldMs, 50);
    EXPECT_TRUE(sc.hasBaud && sc.hasTiming);
    EXPECT_EQ(sc.baud, 4800);
    EXPECT_FALSE(sc.timing);
    ASSERT_EQ(sc.faults.size(), 1u);
    EXPECT_EQ(sc.faults[0].kind, FaultKind::LateReply);
    EXPECT_EQ(sc.faults[0].delayMs, 30);
}

TEST(SimScenario, ShippedDemoScenarioLoads)
{
    Scenario sc;
    QString error;
    ASSERT_TRUE(loadScenario(vela::test::sourceDir() + QStringLiteral("/sim/scenarios/dual-demo.json"), sc, &error))
        << error.toStdString();
    EXPECT_EQ(sc.state.model, Model::Dual);
    EXPECT_EQ(storedSamples(sc.state, 0).size(), 8u);
    EXPECT_EQ(storedSamples(sc.state, 1).size(), 12u);
    EXPECT_EQ(calibrationDate(sc.state), QByteArray("14/03/2025"));
}

TEST(SimScenario, Errors)
{
    const char* bad[] = {"[1,2]", "{\"model\": \"quad\"}", "{\"slots\": [{\"slot\": 5}]}",
                         "{\"words\": {\"abc\": 1}}", "{\"faults\": [{\"kind\": \"boom\"}]}", "{oops"};
    for (const char* json : bad) {
        Scenario sc;
        QString error;
        EXPECT_FALSE(parseScenario(json, sc, &error)) << json;
        EXPECT_FALSE(error.isEmpty()) << json;
    }
}

} // namespace
