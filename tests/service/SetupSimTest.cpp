// The set-up operations against the virtual instrument over a pseudo-terminal.
#include "SetupSimFixture.h"
#include "service/InstrumentSetup.h"

using namespace vela;
using namespace vela::service;

namespace {

QStringList texts(const Outcome& out)
{
    QStringList list;
    for (const SetupMessage& m : out.messages)
        list << m.text;
    return list;
}

class SetupSim : public test::SetupSimFixture {
protected:
    void SetUp() override
    {
        SetupSimFixture::SetUp();
        m_setup = std::make_unique<InstrumentSetup>(m_link.get());
        m_setup->setFollowMemoryBase(true);
        m_setup->setSerialPauseMs(0);
    }
    void TearDown() override
    {
        m_setup.reset();
        SetupSimFixture::TearDown();
    }
    std::unique_ptr<InstrumentSetup> m_setup;
};

} // namespace

TEST_F(SetupSim, ReadFillsEveryValueAsTheInstrumentHoldsIt)
{
    SetupValues v;
    const Outcome out = m_setup->ReadSetup(v);
    ASSERT_TRUE(out.ok) << texts(out).join('|').toStdString();
    EXPECT_TRUE(out.messages.isEmpty());
    EXPECT_TRUE(m_setup->ReadDone());
    EXPECT_EQ(v.model, SetupModel::Triple);
    EXPECT_TRUE(v.passFailLimits);
    EXPECT_TRUE(v.readOnTimeOps);
    EXPECT_TRUE(v.statsInstrument);
    EXPECT_TRUE(v.enableCorrection);
    EXPECT_EQ(v.configWord, "faef");
    EXPECT_EQ(v.firmwareVersion, "4.12");
    EXPECT_EQ(v.serialText, "KN0805123412");
    EXPECT_EQ(v.prefix, "KN");
    EXPECT_EQ(v.year, "08");
    EXPECT_EQ(v.month, "05");
    EXPECT_EQ(v.serialNo, "1234");
    EXPECT_EQ(v.suffix, "12");
    EXPECT_EQ(v.mirror20, "-0.500");
    EXPECT_EQ(v.mirror60, "0.250");
    EXPECT_EQ(v.signalPot, 21);
    EXPECT_EQ(v.refPot, 99);
    EXPECT_EQ(v.divideBy10Range, "12.34");
    EXPECT_EQ(v.target20, "90.5");
    EXPECT_EQ(v.target60, "94.0");
    EXPECT_EQ(v.target85, "99.5");
    EXPECT_EQ(v.limits20, (LimitTexts{"80.0", "10.0", "5.5"}));
    EXPECT_EQ(v.limits60, (LimitTexts{"81.0", "11.0", "6.5"}));
    EXPECT_FALSE(v.autoCalibration);
    EXPECT_EQ(v.minSupplyVoltage, "4.75");
    EXPECT_EQ(v.onTime, 90);
    EXPECT_EQ(v.bulbSettlingTime, "150");
    EXPECT_EQ(v.language, 3);
    EXPECT_EQ(m_link->MemoryBase(), 4096);
    // The first exchanges follow the read's order.
    const QList<QByteArray> f = frames();
    ASSERT_GE(f.size(), 10);
    EXPECT_EQ(f.mid(0, 10), (QList<QByteArray>{"!RE07f8", "!VV0000", "!RE07fa", "!RE07fc", "!RE07fe",
                                               "!RE07e8", "!RE07e6", "!RL0000", "!RL0001", "!DR0001"}));
}

TEST_F(SetupSim, WriteSendsTheSequenceAndTheInstrumentHoldsTheValues)
{
    SetupValues v;
    v.model = SetupModel::Dual;
    v.passFailLimits = true;
    v.limits20 = {"95.5", "4.5", "2.5"};
    v.limits60 = {"-1.5", "0.0", "10.0"};
    v.onTime = 63;
    v.minSupplyVoltage = "5.25";
    v.target20 = "327.65";
    v.target60 = "327.7";
    v.target85 = "88.8";
    v.mirror20 = "-0.5";
    v.mirror60 = "0.125";
    v.autoCalibration = true;
    v.bulbSettlingTime = "300";
    v.language = 4;
    v.maxGlossCalibChange = "12.5";
    m_sim->clearTranscript();
    const Outcome out = m_setup->WriteSetup(v);
    ASSERT_TRUE(out.ok) << texts(out).join('|').toStdString();
    EXPECT_EQ(texts(out), QStringList{"Set-up completed."});
    EXPECT_EQ(out.messages.front().caption, "Vela-Gloss");
    EXPECT_TRUE(m_setup->SetupCompleted());
    const QList<QByteArray> expected = {
        "!LE07f8", "!WEf7ef", "!UCf7ef", "!LE0000", "!HL03bb", "!LL002d", "!MD0019",
        "!LE0001", "!HLfff1", "!LL0000", "!MD0064", "!OT003f", "!MS020d", "!TT7ffd",
        "!ts0ccd", "!TE22b0", "!C0fe0c", "!C1007d", "!CT0001", "!BS012c", "!LS0004", "!GC04e2"};
    EXPECT_EQ(frames(), expected);

    // Read back: the instrument holds what was written.
    SetupValues back;
    ASSERT_TRUE(m_setup->ReadSetup(back).ok);
    EXPECT_EQ(back.model, SetupModel::Dual);
    EXPECT_TRUE(back.passFailLimits);
    EXPECT_EQ(back.limits20, (LimitTexts{"95.5", "4.5", "2.5"}));
    EXPECT_EQ(back.limits60, (LimitTexts{"-1.5", "0.0", "10.0"}));
    EXPECT_EQ(back.target20, "327.6");   // 327.65 held as a float32 is 327.649994
    EXPECT_EQ(back.target60, "327.7");
    EXPECT_EQ(back.mirror20, "-0.500");
    EXPECT_EQ(back.mirror60, "0.125");
    EXPECT_EQ(back.onTime, 63);
    EXPECT_EQ(back.minSupplyVoltage, "5.25");
    EXPECT_TRUE(back.autoCalibration);
    EXPECT_EQ(back.bulbSettlingTime, "300");
    EXPECT_EQ(back.language, 4);
    EXPECT_EQ(m_sim->state().glossChange, 1250);
    EXPECT_EQ(m_sim->state().word(link::mem::kConfigWord), 0xF7EF);
}

TEST_F(SetupSim, NanValuesAreSkippedAndDoNotFailTheWrite)
{
    SetupValues v;
    v.target85 = "NAN";
    v.mirror60 = "NAN";
    v.limits60.low = "NAN";
    m_sim->clearTranscript();
    ASSERT_TRUE(m_setup->WriteSetup(v).ok);
    const QList<QByteArray> f = frames();
    EXPECT_EQ(f.size(), 19);
    for (const char* m : {"!TE", "!te", "!C1"})
        EXPECT_FALSE(std::any_of(f.begin(), f.end(), [&](const QByteArray& x) { return x.startsWith(m); })) << m;
    EXPECT_EQ(f.mid(7, 3), (QList<QByteArray>{"!LE0001", "!HL03e8", "!MD0064"}));
}

TEST_F(SetupSim, SerialNumberTextWritesTheThreeWordsAndReadsBack)
{
    m_sim->withState([](sim::InstrumentState& s) { sim::setSerialWords(s, 0, 0, 0); });
    m_sim->clearTranscript();
    SetupValues v;
    const Outcome out = m_setup->WriteSerialNumber(QStringLiteral("KN0805123412"), v);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(frames(), (QList<QByteArray>{"!LE07fa", "!WE1234", "!LE07fc", "!WE0512", "!LE07fe",
                                           "!WE4708", "!UC0047"}));
    EXPECT_EQ(v.serialText, "KN0805123412");
    const sim::InstrumentState s = m_sim->state();
    EXPECT_EQ(s.word(2042), 0x1234);
    EXPECT_EQ(s.word(2044), 0x0512);
    EXPECT_EQ(s.word(2046), 0x4708);
    SetupValues back;
    ASSERT_TRUE(m_setup->ReadSetup(back).ok);
    EXPECT_EQ(back.serialText, "KN0805123412");

    ASSERT_TRUE(m_setup->WriteSerialNumber(QStringLiteral("001A02BEEF07"), v).ok);
    EXPECT_EQ(m_sim->state().word(2046), 0x001A);
    ASSERT_TRUE(m_setup->ReadSetup(back).ok);
    EXPECT_EQ(back.serialText, "001a02beef07");
    EXPECT_EQ(back.prefix, "00");
}

TEST_F(SetupSim, EachReadFailureNamesItsStep)
{
    struct Case {
        const char* mnemonic;
        int skip;
        const char* message;   // empty: the read ends silently
    };
    const Case cases[] = {
        {"RE", 0, "Vela-DuzirIriz set-up read failure."},
        {"VV", 0, "Vela-DuzirIriz Firmware Version read failure."},
        {"RE", 1, "Vela-DuzirIriz Serial Number read failure."},
        {"RE", 3, "Vela-DuzirIriz Serial Number read failure."},
        {"RE", 4, ""},
        {"RE", 5, ""},
        {"RL", 0, "Vela-DuzirIriz Single Diode set point read failure."},
        {"RL", 1, "Vela-DuzirIriz Ref Diode set point read failure."},
        {"DR", 0, "Vela-DuzirIriz divide by 10 range read failure."},
        {"LB", -1, "Vela-DuzirIriz Load System Data read failure."},
    };
    for (const Case& c : cases) {
        m_sim->clearFaults();
        m_sim->withState([&](sim::InstrumentState& s) { s.memoryBusy = c.skip < 0; });
        if (c.skip >= 0)
            refuse(c.mnemonic, c.skip);
        SetupValues v;
        const Outcome out = m_setup->ReadSetup(v);
        EXPECT_FALSE(out.ok) << c.mnemonic << c.skip;
        EXPECT_FALSE(m_setup->ReadDone());
        EXPECT_FALSE(m_setup->Busy());
        const QStringList expected = *c.message ? QStringList{QString::fromLatin1(c.message)} : QStringList{};
        EXPECT_EQ(texts(out), expected) << c.mnemonic << c.skip;
    }
}

TEST_F(SetupSim, RefusedWriteStepsAreReportedAndStopTheValues)
{
    // A refused configuration word: the values still go out, the write is not reported complete.
    refuse("WE");
    m_sim->clearTranscript();
    Outcome out = m_setup->WriteSetup(SetupValues{});
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(texts(out), QStringList{"Vela-Gloss not set-up."});
    EXPECT_EQ(out.messages.front().caption, "Vela-Gloss Error");
    EXPECT_FALSE(m_setup->SetupCompleted());
    EXPECT_FALSE(frames().contains("!UCf7ff"));
    EXPECT_TRUE(frames().contains("!GC03e8"));

    // A refused value ends the write at that step.
    for (const char* m : {"HL", "OT", "TS", "C1", "LS", "GC"}) {
        m_sim->clearFaults();
        refuse(m);
        m_sim->clearTranscript();
        out = m_setup->WriteSetup(SetupValues{});
        EXPECT_FALSE(out.ok) << m;
        EXPECT_EQ(texts(out), QStringList{"Vela-Gloss not set-up."});
        EXPECT_TRUE(frames().last().startsWith(QByteArray("!") + m)) << m;
    }
}

TEST_F(SetupSim, BadInputRefusesTheWholeWriteBeforeAnythingIsSent)
{
    struct Case {
        QString SetupValues::*field;
        const char* text;
    };
    const Case cases[] = {{&SetupValues::target20, "8x.0"},     {&SetupValues::target60, ""},
                          {&SetupValues::bulbSettlingTime, "abc"}, {&SetupValues::bulbSettlingTime, ""},
                          {&SetupValues::mirror20, "40"},       {&SetupValues::target85, "99999"},
                          {&SetupValues::minSupplyVoltage, "-1"}, {&SetupValues::maxGlossCalibChange, "1e9"}};
    for (const Case& c : cases) {
        SetupValues v;
        v.*c.field = QString::fromLatin1(c.text);
        m_sim->clearTranscript();
        const Outcome out = m_setup->WriteSetup(v);
        EXPECT_FALSE(out.ok) << c.text;
        EXPECT_EQ(out.messages.size(), 2);
        EXPECT_EQ(texts(out).last(), "Vela-Gloss not set-up.");
        EXPECT_FALSE(m_setup->SetupCompleted());
        EXPECT_FALSE(m_setup->Busy());
        EXPECT_TRUE(frames().isEmpty()) << c.text;
    }
    SetupValues v;
    v.onTime = 500;
    EXPECT_FALSE(m_setup->WriteSetup(v).ok);
    for (const char* serial : {"KN080512341", "KX0805123412", "", "KN08051234zz"}) {
        const Outcome out = m_setup->WriteSerialNumber(QString::fromLatin1(serial), v);
        EXPECT_FALSE(out.ok) << serial;
        EXPECT_EQ(texts(out).last(), "Vela-DuzirIriz Serial Number upload failure.");
    }
    EXPECT_TRUE(frames().isEmpty());
}

TEST_F(SetupSim, RefusedSerialWordReportsEepromAndUploadFailures)
{
    refuse("WE", 1);
    SetupValues v;
    v.serialText = QStringLiteral("unchanged");
    const Outcome out = m_setup->WriteSerialNumber(QStringLiteral("KN0805123412"), v);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(texts(out), (QStringList{"Vela-DuzirIriz Eeprom write failure.",
                                       "Vela-DuzirIriz Serial Number upload failure."}));
    EXPECT_EQ(v.serialText, "unchanged");
    EXPECT_FALSE(frames().contains("!LE07fe"));
}

TEST_F(SetupSim, BusyOperationsAreDroppedNotQueued)
{
    m_sim->clearTranscript();
    {
        BusyScope held(*m_setup);
        ASSERT_TRUE(held.ran());
        SetupValues v;
        EXPECT_FALSE(m_setup->ReadSetup(v).ran);
        EXPECT_FALSE(m_setup->WriteSetup(v).ran);
        LiveReading r;
        EXPECT_FALSE(m_setup->TakeReading(true, r).ran);
        EXPECT_FALSE(m_setup->SetPot(true, 10).ran);
    }
    EXPECT_TRUE(frames().isEmpty());
    EXPECT_FALSE(m_setup->Busy());
}

TEST_F(SetupSim, RemoteReadingPrimitives)
{
    m_sim->withState([](sim::InstrumentState& s) {
        s.currentAngle = 0;
        s.channels[0].tileGloss = 91.3;
        s.channels[1].tileGloss = 45.0;
        s.setWord(link::mem::kMirrorCorrection20, 1000);
        s.setWord(link::mem::kMirrorCorrection2, 1000);
    });
    m_sim->clearTranscript();
    LiveReading r;
    Outcome out = m_setup->TakeReading(true, r);
    ASSERT_TRUE(out.ok);
    EXPECT_TRUE(r.clearGloss);
    EXPECT_EQ(r.gloss.value_or(""), "  91.3");   // the picture "  0.0" keeps its blanks
    EXPECT_EQ(r.angle.value_or(""), "20");
    EXPECT_EQ(frames(), (QList<QByteArray>{"!ML0002", "!KP0001", "!KP0000", "!LG0000", "!AG0000", "!NS0000"}));

    m_sim->clearTranscript();
    r = {};
    ASSERT_TRUE(m_setup->PressAngleKey(r).ok);
    EXPECT_EQ(r.angle.value_or(""), "60");
    EXPECT_EQ(r.gloss.value_or(""), "  45.0");
    EXPECT_EQ(frames().mid(0, 3), (QList<QByteArray>{"!KP0002", "!KP0000", "!ML0000"}));

    // A failed first press still presses once more, and its result is the outcome.
    refuse("KP");
    m_sim->clearTranscript();
    r = {};
    out = m_setup->TakeReading(true, r);
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(texts(out).first(), "Vela-DuzirIriz Read Down command failure.");
    EXPECT_EQ(frames().mid(1, 2), (QList<QByteArray>{"!KP0001", "!KP0001"}));
}

TEST_F(SetupSim, PotsAndServiceCommands)
{
    Outcome out = m_setup->SetPot(true, 100);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.reply, 100u);
    out = m_setup->SetPot(false, 500);   // the track bar keeps it within 1..127
    EXPECT_EQ(out.reply, 127u);
    EXPECT_EQ(m_sim->state().channels[0].referencePot, 100);
    EXPECT_EQ(m_sim->state().channels[0].signalPot, 127);
    EXPECT_TRUE(frames().contains("!PL0164"));
    EXPECT_TRUE(frames().contains("!PL007f"));

    out = m_setup->SendServiceCommand("GA", 1, QStringLiteral("gain"));
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.reply, 1u);
    EXPECT_TRUE(m_sim->state().gainDiv10);
    refuse("NM");
    out = m_setup->SendServiceCommand("NM", 1, QStringLiteral("Vela-DuzirIriz Non stats change command failure."));
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(texts(out), QStringList{"Vela-DuzirIriz Non stats change command failure."});
}

TEST_F(SetupSim, ReadingsFollowTheMirrorCorrectionAndTheMenuKeys)
{
    m_sim->withState([](sim::InstrumentState& s) {
        s.currentAngle = 0;
        s.channels[0].tileGloss = 50.0;
    });
    SetupValues v;
    ASSERT_TRUE(m_setup->ReadSetup(v).ok);
    LiveReading r;
    struct Case {
        const char* correction;
        bool enabled;
        const char* shown;
    };
    const Case cases[] = {{"1.1", true, "  55.0"}, {"0.9", true, "  45.0"}, {"1.1", false, "  50.0"}};
    for (const Case& c : cases) {
        v.mirror20 = QString::fromLatin1(c.correction);
        v.enableCorrection = c.enabled;
        ASSERT_TRUE(m_setup->WriteSetup(v).ok);
        ASSERT_TRUE(m_setup->RefreshReading(r).ok);
        EXPECT_EQ(r.gloss.value_or(""), c.shown) << c.correction << c.enabled;
    }
    // The Up key opens the instrument's menu: a remote reading does not refresh until the
    // measurement screen is asked for again.
    ASSERT_TRUE(m_setup->SendServiceCommand("KP", 4, {}).ok);
    ASSERT_TRUE(m_setup->SendServiceCommand("KP", 0, {}).ok);
    EXPECT_FALSE(m_sim->state().measureScreen);
    r = {};
    ASSERT_TRUE(m_setup->TakeReading(true, r).ok);
    EXPECT_TRUE(r.clearGloss) << "ML 2 brings the measurement screen back";
    EXPECT_TRUE(m_sim->state().measureScreen);
}
