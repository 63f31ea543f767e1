#pragma once
// Window placement kept in the settings file: "Top", "Left" (and "Width", "Height").
#include <QString>

class QWidget;

namespace vela::platform {

/// @brief Reads "Top"/"Left" (and size when withSize) of a section, each defaulting to the
/// window's current value, and applies them.
void restorePlacement(QWidget* window, const QString& section, bool withSize = false);
/// @brief Writes the window's current "Top"/"Left" (and size) to the section.
void savePlacement(const QWidget* window, const QString& section, bool withSize = false);
/// @brief Centres a window on the screen it is on (or the primary screen).
void centreOnScreen(QWidget* window);
/// @brief Centres a window over another one.
void centreOver(QWidget* window, const QWidget* over);

} // namespace vela::platform
