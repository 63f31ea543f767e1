#pragma once
// Preferences for a session without the preferences window (velactl, tests): fixed choices
// and the set-up read done by the set-up core on the same link.
#include "connect/ConnectHost.h"

#include <memory>

namespace vela::link {
class InstrumentLink;
}

namespace vela::connect {

/// @brief The choices a standalone session starts with.
struct StandaloneChoices {
    int port = 1;
    InstrumentType type = InstrumentType::VelaDuzirIriz;
    int onTime = 60;
};

/// @brief Preferences bound to fixed choices; the set-up read runs the "LB" guard and the
/// set-up core's read and shows its messages. The returned state lives in the functions.
[[nodiscard]] ConnectPreferences standalonePreferences(link::InstrumentLink& link,
                                                       const StandaloneChoices& choices);

} // namespace vela::connect
