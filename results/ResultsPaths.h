#pragma once
// Names of results files: the ".res" extension, base names, the "_CN" name of a converted
// legacy file, the results folder of a command and the folders of the instrument angles.
#include <QString>

namespace vela::results {

// Folders of the instrument angles under the program directory, for saves after an upload.
inline constexpr const char* kFolder20 = "20Degree";
inline constexpr const char* kFolder45 = "45Degree";
inline constexpr const char* kFolder45_0 = "45_0Degree";
inline constexpr const char* kFolder60 = "60Degree";
inline constexpr const char* kFolder75 = "75Degree";
inline constexpr const char* kFolder85 = "85Degree";
inline constexpr const char* kFolderCurve = "Curve";
inline constexpr const char* kFolderOpacity = "Opacity";

/// File name part of a path (after the last separator); empty for "dir/".
[[nodiscard]] QString fileNamePart(const QString& path);
/// The path with its extension replaced by ".res" unless it already is ".res" in any case.
[[nodiscard]] QString withResExtension(const QString& path);
/// File name without folder and extension.
[[nodiscard]] QString resBaseName(const QString& path);
/// A legacy file's path with "_CN" after the base name and the extension ".res".
[[nodiscard]] QString convertedLegacyPath(const QString& path);
/// Root + separator + subfolder + separator (root + separator for an empty subfolder); the
/// subfolder is matched without regard to case when such a folder exists.
[[nodiscard]] QString resultsFolder(const QString& root, const QString& subfolder);

/// The folder a file dialog starts in: the folder itself, or its nearest existing parent when
/// it does not exist (the dialogs never create folders).
[[nodiscard]] QString dialogFolder(const QString& folder);

} // namespace vela::results
