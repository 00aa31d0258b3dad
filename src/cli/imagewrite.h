#pragma once
// Writing image files for orbelle-cli: the format by the file name, a check
// that a folder takes new files, and the write through a temporary file.

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

class QImage;

namespace orbelle::cli {

/// "png", "bmp" or "jpeg" for a path ending in .png, .bmp, .jpg or .jpeg (any
/// case); empty for any other.
QByteArray imageFormatFor(const QString& path);

/// Tells why no file can be made at path, or nothing when one can: the
/// folder must exist, path must not be a folder, and a trial file made in the
/// folder (and removed at once) must succeed.
std::optional<std::string> folderProblem(const QString& path);

/// The reason of a failed file operation: the system's own words when it set
/// errno (error not 0), else Qt's.
std::string reasonOf(int error, const QString& qtReason);

/// Encodes the image in memory, then writes it through a temporary file
/// beside the target, which replaces the target only when complete; a failed
/// write leaves an existing file as it was and removes the temporary file.
/// JPEG is written at quality 95. Returns the reason on failure.
std::optional<std::string> writeImage(const QImage& image, const QString& path,
                                      const QByteArray& format);

} // namespace orbelle::cli
