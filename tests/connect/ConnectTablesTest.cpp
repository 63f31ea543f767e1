// Identity tables: configuration words, record identities, calibration-date words and keycode.
#include "TestSupport.h"
#include "connect/CalibrationDate.h"
#include "connect/InstrumentIdentity.h"

namespace vela::connect {
namespace {

TEST(InstrumentIdentityTest, ConfigurationWords)
{
    struct Case {
        quint16 word;
        bool opacity;
        InstrumentModel model;
        int base;
        std::array<bool, 3> uploads;
        SlotType middle;
    };
    const Case cases[] = {
        {0xFFFF, false, InstrumentModel::Dual, 0, {true, true, false}, SlotType::Deg60},
        {0xFBFF, false, InstrumentModel::Triple, 4096, {true, true, true}, SlotType::Deg60},
        {0xFFBF, false, InstrumentModel::Single45, 0, {false, true, false}, SlotType::Deg45},
        {0xFFF7, false, InstrumentModel::Single20, 0, {true, false, false}, SlotType::Deg20},
        {0xFFFB, false, InstrumentModel::Single60, 0, {false, true, false}, SlotType::Deg60},
        {0xFF7F, false, InstrumentModel::Single45_0, 0, {false, true, false}, SlotType::Deg45_0},
        {0xFB7F, true, InstrumentModel::Opacity, 4096, {true, true, false}, SlotType::Deg45_0},
        // Several model bits clear: the later rule wins.
        {0xFFB3, false, InstrumentModel::Single45, 0, {false, true, false}, SlotType::Deg45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        const InstrumentIdentity id = identifyInstrument(c.word, c.opacity);
        EXPECT_EQ(id.model, c.model);
        EXPECT_EQ(id.memoryBase, c.base);
        EXPECT_EQ(id.uploads, c.uploads);
        EXPECT_EQ(id.middleSlot, c.middle);
    }
    // The opacity instrument is named only after its set-up read.
    const InstrumentIdentity o = identifyInstrument(0xFB7F, true);
    EXPECT_TRUE(o.wordLabel.isEmpty());
    EXPECT_EQ(o.finalLabel, QStringLiteral("Opacity Instrument"));
    EXPECT_TRUE(o.readsSlot0Header);
    EXPECT_FALSE(identifyInstrument(0xFFFB, false).readsSlot0Header);
}

TEST(RecordIdentityTest, OriginsPickCodeAngleAndFolder)
{
    struct Case {
        InstrumentType type;
        SlotType slot;
        bool opacity;
        int code;
        const char* angle;
        const char* folder;
    };
    const Case cases[] = {
        {InstrumentType::VelaDuzirIriz, SlotType::Deg60, false, 60, "60 \u00B0", "60Degree"},
        {InstrumentType::VelaDuzirIriz, SlotType::Deg45_0, false, 450, "45/0 \u00B0", "45_0Degree"},
        {InstrumentType::VelaDuzirIriz, SlotType::Deg45_0, true, 4500, "Opacity", "Opacity"},
        {InstrumentType::VelaCurveVersion3, SlotType::Deg60, false, 6, "60 \u00B0", "Curve"},
        {InstrumentType::VelaCurveVersion3, SlotType::Deg20, false, 2, "20 \u00B0", "20Degree"},
        {InstrumentType::VelaGloss, SlotType::Deg85, false, 8, "85 \u00B0", "85Degree"},
        {InstrumentType::VelaGloss, SlotType::Deg45, false, 46, "45 \u00B0", "45Degree"},
        {InstrumentType::VelaGloss, SlotType::Deg45_0, false, 460, "45/0 \u00B0", "45_0Degree"},
        {InstrumentType::VelaCurve, SlotType::Curve, false, 6, "60 \u00B0", "Curve"},
        {InstrumentType::VelaGloss, SlotType::Deg75, false, 7, "75 \u00B0", "75Degree"},
    };
    for (const Case& c : cases) {
        const RecordIdentity r = recordIdentity(c.type, c.slot, c.opacity);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.angleText, QString::fromUtf8(c.angle));
        EXPECT_EQ(r.subfolder, QLatin1String(c.folder));
    }
}

TEST(CalibrationDateTest, WordsKeycodeAndFirmware)
{
    const std::array<quint16, 5> expected = {0x3530, 0x302f, 0x2f38, 0x3032, 0x3730};
    EXPECT_EQ(calibrationDateWords(QStringLiteral("05/08/2007")), expected);
    EXPECT_EQ(calibrationDateWords(QStringLiteral("5/8")), (std::array<quint16, 5>{0x2f35, 0x0038, 0, 0, 0}));
    const quint16 v = CalibrationCheckValue(QStringLiteral("05/08/2007"), QStringLiteral("ab1234"));
    EXPECT_NE(v, 0);
    EXPECT_EQ(v, CalibrationCheckValue(QStringLiteral(" 05/08/2007"), QStringLiteral("AB1234 ")));
    EXPECT_NE(v, CalibrationCheckValue(QStringLiteral("06/08/2007"), QStringLiteral("AB1234")));
    EXPECT_NE(v, CalibrationCheckValue(QStringLiteral("05/08/2007"), QStringLiteral("AB1235")));
    EXPECT_EQ(keycodeValue(QString::number(v, 16)), v);
    EXPECT_EQ(keycodeValue(QStringLiteral("0x1F")), 0x1Fu);
    EXPECT_EQ(keycodeValue(QStringLiteral("zz")), 0u);
    EXPECT_EQ(keycodeValue(QString()), 0u);
    EXPECT_EQ(firmwareHundredths(QStringLiteral("3.22")), 322);
    EXPECT_EQ(firmwareHundredths(QStringLiteral("3.21")), 321);
    EXPECT_EQ(firmwareHundredths(QStringLiteral("abc")), 0);
}

} // namespace
} // namespace vela::connect
