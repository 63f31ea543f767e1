#pragma once
// Instrument types of the preferences, the angle slot types, and the identity of an uploaded
// record (instrument code, angle text, results subfolder).
#include <QString>

namespace vela::connect {

/// @brief The instrument types the operator chooses in the preferences.
enum class InstrumentType { VelaGloss, VelaDuzirIriz, VelaCurve, VelaPac, VelaCurveVersion3 };

/// True for the types driven by the command protocol ("Vela Gloss Lite && Deda", "Vela Curve
/// Verion3"); the others send their results as a text stream.
[[nodiscard]] constexpr bool commandFamily(InstrumentType type)
{
    return type == InstrumentType::VelaDuzirIriz || type == InstrumentType::VelaCurveVersion3;
}

/// @brief What an angle slot or a stream holds (the angle codes of the instrument, plus the
/// two kinds only a stream names).
enum class SlotType { Deg20 = 0, Deg45 = 1, Deg45_0 = 2, Deg60 = 3, Deg85 = 5, Curve = 6, Deg75 = 7 };

/// @brief How an uploaded record is named and where it is saved.
struct RecordIdentity {
    int code = 0;
    QString angleText;   ///< "60 °" ... (the degree sign is U+00B0)
    QString subfolder;   ///< "60Degree" ...
};

/// The identity of a record by its origin: the instrument type, the slot type and the
/// opacity flag of the instrument's system data.
[[nodiscard]] RecordIdentity recordIdentity(InstrumentType type, SlotType slot, bool opacityFlag);

} // namespace vela::connect
