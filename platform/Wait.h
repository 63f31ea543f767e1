#pragma once
// Pauses. Neither of them busy-waits: the process sleeps in the kernel between events.
#include <functional>

namespace vela::platform {

/// @brief A fixed pause that processes no events.
void pause(int milliseconds);

/// @brief Waits the given time while the user interface stays alive (timers fire, windows
/// repaint, clicks are handled).
void waitKeepingAlive(int milliseconds);

/// @brief Keeps the interface alive until done() is true or the time runs out; done() is
/// checked after every batch of events. Returns done()'s last value.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);

} // namespace vela::platform
