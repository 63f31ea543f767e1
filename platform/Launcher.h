#pragma once
// Starting other programs without waiting: the help viewer, the web browser.
#include <QString>
#include <functional>

namespace vela::platform {

/// @brief Opens a document or address with the platform's viewer; false when nothing could
/// be started. Tests replace the opener to see what would have been opened.
bool openExternal(const QString& pathOrUrl);
void setExternalOpener(std::function<bool(const QString&)> opener);

} // namespace vela::platform
