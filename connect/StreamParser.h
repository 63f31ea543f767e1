#pragma once
// Parsers of the text streams: a gloss (or curve, or 45/0 shade) stream into one gloss record,
// an opacity stream into its batches. Every position is checked against the received length:
// a stream cut short or holding something else where a value belongs is rejected, never read
// past its end.
#include "connect/ConnectTypes.h"
#include "results/OpacityRecord.h"
#include "results/ResultsRecord.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace vela::connect {

/// @brief The outcome of a gloss stream parse.
struct GlossStream {
    bool ok = false;
    QString error;                    ///< English reason when not ok
    SlotType slotType = SlotType::Deg60;
    results::ResultsRecord record;    ///< name, statistics, samples (identity filled on save)
};

/// @brief One opacity batch as parsed.
struct OpacityBatch {
    float result1 = 0, result2 = 0, result3 = 0;
    std::vector<float> black, white;  ///< at most 50 of each are kept
    bool complete = false;            ///< ended by the next "Power" or by "TEST"
};

/// @brief The outcome of an opacity stream parse.
struct OpacityStream {
    bool ok = false;
    QString error;
    int batchCount = 0;               ///< B as the stream states it
    std::vector<OpacityBatch> batches; ///< complete batches found, in order
};

/// Position of "VELA" searched from the second byte (-1 when absent).
[[nodiscard]] qsizetype findIdentity(const QByteArray& buffer);
/// True when the stream (from its identity) is a gloss stream, "-GLOS" or "-CURV".
[[nodiscard]] bool isGlossStream(const QByteArray& stream);
[[nodiscard]] bool isOpacityStream(const QByteArray& stream);

/// Parses a gloss stream that starts with its identity. curveType: the preferences name the
/// "Vela Curve" type (a 60 degree stream is then a curve).
[[nodiscard]] GlossStream parseGlossStream(const QByteArray& stream, bool curveType);
/// Parses an opacity stream that starts with its identity.
[[nodiscard]] OpacityStream parseOpacityStream(const QByteArray& stream);

} // namespace vela::connect
