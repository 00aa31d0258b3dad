#pragma once
// The pictures the panes read from the per-user data folder, and where a data
// file is read from: the person's copy when there is one, else the copy
// built into the program.

#include <QString>

namespace orbelle {

/// Option button pictures of the colour pane: chosen and not chosen.
inline constexpr char kOptionOnImageFile[] = "radioon2.png";
inline constexpr char kOptionOffImageFile[] = "radiooff2.png";
/// The hue marker of the colour editor.
inline constexpr char kHueMarkerImageFile[] = "sankaku4.png";

/// Prefix of the data files built into the program.
inline constexpr char kBuiltInDataPrefix[] = ":/orbelle/data/";

/// dir's copy of the data file name when that file exists, else the built-in
/// copy: the pictures are there even when the data folder cannot be written.
QString dataFilePath(const QString& dir, const QString& name);

} // namespace orbelle
