#pragma once
// The pictures the panes read from the per-user data folder, and where a data
// file is read from: the person's copy when there is one, else the copy
// built into the program.

#include <QImage>
#include <QString>

#include <cstdint>

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

/// The most bytes a picture of the data folder is read from (4 MiB).
constexpr std::uintmax_t kMaxDataPictureBytes = std::uintmax_t{4} << 20;

/// The picture of the data file name: dir's copy, read without waiting on it
/// and within kMaxDataPictureBytes, else the built-in copy. A copy in dir
/// that is no readable picture, not a regular file or too large is passed
/// over with a warning naming it and the reason.
QImage loadDataPicture(const QString& dir, const QString& name);

} // namespace orbelle
