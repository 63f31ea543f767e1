#pragma once

#include <QApplication>

namespace vela::platform {

/// @brief Shows the hourglass cursor for its lifetime, over the whole application.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace vela::platform
