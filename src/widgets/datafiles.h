#pragma once
// Names of the files the program keeps in its per-user data folder. The
// pictures, the help page and the icons are written there from the built-in
// copies when missing; the user may replace them.

#include <QString>

namespace orbelle {

/// Empty marker: the default pane layout has been applied once.
inline constexpr char kLayoutMarkerFile[] = "layout";
/// Held while a copy of the program runs (in the per-user runtime folder).
inline constexpr char kInstanceLockFile[] = "orbelle.lock";
/// Option button pictures of the colour pane: chosen and not chosen.
inline constexpr char kOptionOnImageFile[] = "radioon2.png";
inline constexpr char kOptionOffImageFile[] = "radiooff2.png";
/// The hue marker of the colour editor.
inline constexpr char kHueMarkerImageFile[] = "sankaku4.png";
inline constexpr char kHelpPageFile[] = "OrbelleHelp001.html";
/// Icons of the program, of favorites files and of history files.
inline constexpr char kProgramIconFile[] = "Orbelle.ico";
inline constexpr char kFavoritesIconFile[] = "OrbelleO.ico";
inline constexpr char kHistoryIconFile[] = "OrbelleH.ico";

/// Prefix of the copies built into the program.
inline constexpr char kBuiltInDataPrefix[] = ":/orbelle/data/";

/// dir's copy of the data file name when that file exists, else the built-in
/// copy: the pictures are there even when the data folder cannot be written.
QString dataFilePath(const QString& dir, const QString& name);

} // namespace orbelle
