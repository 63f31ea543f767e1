#pragma once
// The instrument configuration as JSON, for backing up and cloning an instrument (velactl).
#include "service/SetupValues.h"

#include <QJsonObject>
#include <QString>

namespace vela::service {

/// @brief The configuration as a JSON object: model, options, targets, limits, on-time, supply
/// voltage, language, mirror corrections, pots, serial text, firmware. Scaled values are
/// numbers when their text is one, else their text (e.g. "NAN").
[[nodiscard]] QJsonObject setupToJson(const SetupValues& values);
/// Fills values from JSON; keys that are absent keep what values holds. False with a reason
/// when a key has the wrong type or an unknown value.
bool setupFromJson(const QJsonObject& json, SetupValues& values, QString* reason = nullptr);

} // namespace vela::service
