#include "connect/ConnectTypes.h"

namespace vela::connect {
namespace {

QString deg(const char* angle)
{
    return QString::fromLatin1(angle) + QStringLiteral(" \u00B0");
}

RecordIdentity row(int code, const QString& angle, const char* folder)
{
    return {code, angle, QString::fromLatin1(folder)};
}

/// Rows of the command-protocol gloss instruments; code 0 when none fits.
RecordIdentity commandRow(SlotType slot, bool opacity)
{
    switch (slot) {
    case SlotType::Deg20: return row(20, deg("20"), "20Degree");
    case SlotType::Deg60: return row(60, deg("60"), "60Degree");
    case SlotType::Deg85: return row(85, deg("85"), "85Degree");
    case SlotType::Deg45: return row(45, deg("45"), "45Degree");
    case SlotType::Deg45_0:
        return opacity ? row(4500, QStringLiteral("Opacity"), "Opacity")
                       : row(450, deg("45/0"), "45_0Degree");
    default: return {};
    }
}

RecordIdentity otherRow(SlotType slot)
{
    switch (slot) {
    case SlotType::Deg20: return row(2, deg("20"), "20Degree");
    case SlotType::Deg45: return row(46, deg("45"), "45Degree");
    case SlotType::Deg45_0: return row(460, deg("45/0"), "45_0Degree");
    case SlotType::Deg60: return row(6, deg("60"), "60Degree");
    case SlotType::Deg85: return row(8, deg("85"), "85Degree");
    case SlotType::Curve: return row(6, deg("60"), "Curve");
    case SlotType::Deg75: return row(7, deg("75"), "75Degree");
    }
    return {};
}

} // namespace

RecordIdentity recordIdentity(InstrumentType type, SlotType slot, bool opacityFlag)
{
    if (type == InstrumentType::VelaDuzirIriz) {
        const RecordIdentity r = commandRow(slot, opacityFlag);
        if (r.code != 0)
            return r;
    }
    if (type == InstrumentType::VelaCurveVersion3 && slot == SlotType::Deg60)
        return row(6, deg("60"), "Curve");
    return otherRow(slot);
}

} // namespace vela::connect
