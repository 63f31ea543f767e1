#pragma once
// The program directory and the system's relative data paths ("\sys\...", "\SYS\...").
#include <QString>

namespace vela::platform {

/// @brief The program directory: the process's current directory at the time of the call
/// (not the executable's folder), without a trailing separator except at the root.
[[nodiscard]] QString programDirectory();

/// @brief Joins a base folder and a relative name written with either separator
/// ("\sys\German.txt", "sys/German.txt"). On a case-sensitive file system each component is
/// resolved without regard to case when an entry of that name exists, so "\SYS\German.txt"
/// finds "sys/German.txt". Components that do not exist are kept as written.
[[nodiscard]] QString joinPath(const QString& base, const QString& relative);

/// @brief Resolves an existing path's components without regard to case; returns the path
/// unchanged when nothing better is found.
[[nodiscard]] QString resolveCase(const QString& path);

/// @brief Folder of the running executable (for files that live beside the program).
[[nodiscard]] QString executableDirectory();

} // namespace vela::platform
