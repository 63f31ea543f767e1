#pragma once
// The text streams the instrument sends by itself: the results printout of the older gloss,
// curve and 45/0 shade instruments, and the opacity output that "PR" starts. Each text keeps
// the fixed character positions and the words a reader relies on.
#include "sim/InstrumentState.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace vela::sim {

class VelaSim;

/// @brief Which printout a stream is.
enum class StreamKind { Gloss, Curve, Shade, Pac };

/// @brief One opacity batch of the printout.
struct OpacityBatchText {
    float result1 = 0, result2 = 0, result3 = 0;
    std::vector<float> black, white;
};

/// Gloss, curve or shade printout of samples at an angle (20, 45, 60, 75, 85; the shade is
/// always 45/0). Starts with CR LF (the identity never is the first byte) and ends with
/// "TEST" and CR LF.
[[nodiscard]] QByteArray glossStreamText(StreamKind kind, int angle, const std::vector<float>& samples);
/// Opacity printout of batches.
[[nodiscard]] QByteArray opacityStreamText(const std::vector<OpacityBatchText>& batches);
/// Two demonstration batches of an opacity instrument.
[[nodiscard]] std::vector<OpacityBatchText> demoOpacityBatches();
/// What "PR" makes the instrument print: the state's printout, or the demo batches.
[[nodiscard]] QByteArray printoutOf(const InstrumentState& state);

/// Parses "gloss|curve|shade ANGLE v,v,...", "pac" or "raw TEXT" (escapes as in faults) into
/// the bytes of a stream. False with a reason when not understood.
bool parseStreamSpec(const QString& spec, QByteArray& bytes, QString* error = nullptr);

/// Control line "stream SPEC [delay=MS]": sends a stream now (after the delay); "printout
/// SPEC" sets what "PR" prints. False when the line is neither.
bool applyStreamControl(VelaSim& sim, const QString& line, bool* handled, QString* error = nullptr);

} // namespace vela::sim
