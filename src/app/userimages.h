#pragma once
// The pictures a button of a user toolbar may show instead of its command's
// picture: a strip of 16 x 15 images in "UserImages.bmp" in the per-user data
// folder. Only that folder is read: a file in whatever folder the program was
// started from is never taken.

#include <QImage>
#include <QList>
#include <QString>

namespace orbelle {

inline constexpr char kUserImagesFile[] = "UserImages.bmp";
/// Larger files are not read.
inline constexpr qint64 kMaxUserImagesBytes = 819200;
inline constexpr int kUserImageWidth = 16;
inline constexpr int kUserImageHeight = 15;

/// The images of appDataDir (with a trailing separator) + "UserImages.bmp",
/// left to right. A missing, oversized or undecodable file, or a picture not
/// 15 pixels high and at least 16 wide, gives none and one line on standard
/// error.
QList<QImage> loadUserImages(const QString& appDataDir);

} // namespace orbelle
