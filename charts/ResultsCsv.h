#pragma once
// CSV export of the set shown in the current slot: two heading lines and one line per sample,
// every line ended by a lone carriage return.
#include <QByteArray>
#include <QString>

namespace vela::charts {

/// @brief The bytes of the export (Windows-1252): ",,Description,X units, Y unints", then
/// ",,Description,<x units>,<y units>", then "<n>,<value %3.3lf>" for samples 1..count.
[[nodiscard]] QByteArray resultsCsv(const QString& xUnits, const QString& yUnits,
                                    const float* values, int count);

/// @brief The two heading lines alone.
[[nodiscard]] QByteArray resultsCsvHeading(const QString& xUnits, const QString& yUnits);
/// @brief One line per value, numbered from 1.
[[nodiscard]] QByteArray resultsCsvRows(const float* values, int count);

/// @brief Creates or truncates path and writes the bytes; false when the file cannot be
/// written (the caller ends quietly).
bool writeResultsCsv(const QString& path, const QByteArray& bytes);

} // namespace vela::charts
