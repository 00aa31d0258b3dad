#pragma once
// Writing a picture to an image file, for the command-line tool and the
// desktop export alike.

#include "imageio/imageformat.h"

#include <QString>

#include <optional>

class QImage;

namespace orbelle {

/// Writes image to path in format (JPEG at the table's quality) through a
/// temporary file beside path, which replaces path only when complete: a
/// failed write leaves an existing file as it was and no temporary file. The
/// image's texts go into formats that keep them. Returns the reason on
/// failure, in the system's words where it gave some; the image plug-ins print
/// nothing of their own.
std::optional<QString> writeImage(const QImage& image, const QString& path,
                                  const ImageFormat& format);

} // namespace orbelle
