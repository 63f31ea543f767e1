#include "connect/InstrumentIdentity.h"

#include "link/CommandSet.h"

namespace vela::connect {
namespace {

namespace bits = link::config;

bool clear(quint16 word, unsigned mask)
{
    return (word & mask) == 0;
}

QString deg(const char* a)
{
    return QString::fromLatin1(a) + QStringLiteral(" \u00B0");
}

void applySingleRules(InstrumentIdentity& id)
{
    const quint16 w = id.configWord;
    if (clear(w, bits::kSingle60)) {
        id.wordLabel = QStringLiteral("Single Angle 60\u00B0 Instrument");
        id.model = InstrumentModel::Single60;
        id.middleSlot = SlotType::Deg60;
    }
    if (clear(w, bits::kSingle20)) {
        id.wordLabel = QStringLiteral("Single Angle 20\u00B0 Instrument");
        id.model = InstrumentModel::Single20;
        id.middleSlot = SlotType::Deg20;
    }
    if (clear(w, bits::kSingle45)) {
        id.wordLabel = QStringLiteral("Single Angle 45\u00B0 Instrument");
        id.model = InstrumentModel::Single45;
        id.middleSlot = SlotType::Deg45;
        id.upload60Caption = deg("45") + QStringLiteral(" Samples Upload");
        id.delete60Caption = QStringLiteral("Delete All ") + deg("45") + QStringLiteral(" Samples");
        id.standard60Label = QStringLiteral("45\u00B0 Gloss Standard");
    }
    if (clear(w, bits::kSingle45_0) && !id.opacityFlag) {
        id.wordLabel = QStringLiteral("Single Angle 45/0\u00B0 Instrument");
        id.model = InstrumentModel::Single45_0;
        id.middleSlot = SlotType::Deg45_0;
        id.upload60Caption = deg("45/0") + QStringLiteral(" Samples Upload");
        id.delete60Caption = QStringLiteral("Delete All ") + deg("45/0") + QStringLiteral(" Samples");
        id.standard60Label = QStringLiteral("45/0\u00B0 Standard");
    }
}

std::array<bool, 3> fittingUploads(const InstrumentIdentity& id)
{
    const quint16 w = id.configWord;
    if (clear(w, bits::kSingle60) || clear(w, bits::kSingle45) || clear(w, bits::kSingle45_0))
        return {id.opacityFlag, true, false};
    if (clear(w, bits::kSingle20))
        return {true, false, false};
    if (!clear(w, bits::kTriple))
        return {true, true, false};
    return {true, true, true};
}

} // namespace

QString modelKey(InstrumentModel model)
{
    switch (model) {
    case InstrumentModel::Dual: return QStringLiteral("dual");
    case InstrumentModel::Triple: return QStringLiteral("triple");
    case InstrumentModel::Single20: return QStringLiteral("single20");
    case InstrumentModel::Single45: return QStringLiteral("single45");
    case InstrumentModel::Single45_0: return QStringLiteral("single45_0");
    case InstrumentModel::Single60: return QStringLiteral("single60");
    case InstrumentModel::Opacity: return QStringLiteral("opacity");
    }
    return {};
}

bool InstrumentIdentity::opacity() const
{
    return clear(configWord, bits::kSingle45_0) && opacityFlag;
}

std::array<QString, 3> designedUploadCaptions()
{
    return {deg("20") + QStringLiteral(" Samples Upload"), deg("60") + QStringLiteral(" Samples Upload"),
            deg("85") + QStringLiteral(" Samples Upload")};
}

std::array<QString, 3> designedDeleteCaptions()
{
    const QString d = QStringLiteral("Delete All ");
    return {d + deg("20") + QStringLiteral(" Samples"), d + deg("60") + QStringLiteral(" Samples"),
            d + deg("85") + QStringLiteral(" Samples")};
}

InstrumentIdentity identifyInstrument(quint16 configWord, bool opacityFlag)
{
    InstrumentIdentity id;
    id.configWord = configWord;
    id.opacityFlag = opacityFlag;
    id.memoryBase = clear(configWord, bits::kTriple) ? link::mem::kBaseOther : link::mem::kBaseDual;
    id.upload60Caption = designedUploadCaptions()[1];
    id.delete60Caption = designedDeleteCaptions()[1];
    id.standard60Label = QStringLiteral("60 \u00B0 Gloss Standard");
    const unsigned modelBits = bits::kSingle20 | bits::kSingle60 | bits::kSingle45 | bits::kSingle45_0;
    if ((configWord & modelBits) == modelBits) {
        const bool dual = !clear(configWord, bits::kTriple);
        id.model = dual ? InstrumentModel::Dual : InstrumentModel::Triple;
        id.wordLabel = dual ? QStringLiteral("Dual Angle Instrument") : QStringLiteral("Triple Angle Instrument");
    } else {
        id.singleRules = true;
        applySingleRules(id);
    }
    id.finalLabel = id.wordLabel;
    if (id.opacity()) {
        id.model = InstrumentModel::Opacity;
        id.middleSlot = SlotType::Deg45_0;
        id.finalLabel = QStringLiteral("Opacity Instrument");
    }
    id.uploads = fittingUploads(id);
    id.readsSlot0Header = !clear(configWord, bits::kSingle60);
    return id;
}

} // namespace vela::connect
