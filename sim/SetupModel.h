#pragma once
// The set-up side of the virtual instrument beyond plain storage: readings that follow the
// mirror correction, and a measurement screen that the menu keys leave.
#include "sim/CommandTable.h"

namespace vela::sim {

/// Gloss the instrument shows for the current channel (x10): the tile's gloss, times the
/// channel's mirror-correction factor (words 2024 / 2022, x0.001) while correction is enabled
/// (configuration bit 11 set); never below 0.
[[nodiscard]] quint32 correctedGloss(const InstrumentState& state);

/// Adds the set-up side to a command table: "LG" with the correction, "KP" whose Up and Down
/// keys open the instrument's menu (leaving the measurement screen until "ML" 2), on top of
/// the table's own key handling.
void addSetupCommands(CommandTable& table);

} // namespace vela::sim
