#pragma once
// Writing a picture to an image file, for the command-line tool and the
// desktop export alike.

#include "imageio/imageformat.h"
#include "store/filereplacement.h"
#include "store/storestatus.h"

#include <QString>

#include <functional>
#include <optional>

class QFileDevice;
class QImage;

namespace orbelle {

/// Writes image to path in format (JPEG at the table's quality) through the
/// replacement helper (store/filereplacement.h): a temporary file beside
/// path replaces it only when complete, so a failed write leaves an existing
/// file as it was and no temporary file. path is a file the person named
/// unless kind says otherwise: it may be a link to a regular file, never a
/// device, pipe, socket or folder, and a read-only file is refused. The
/// image's texts go into formats that keep them; a PNG also carries the
/// texts of imageOriginTexts. The image plug-ins print nothing of their own.
/// A failure of the encoder itself is CannotWrite with its words as detail.
/// goOn, when given, is asked before every piece the encoder writes
/// (committing false) and once before the file is put in place (committing
/// true); a false answer drops the file, leaves path as it was and returns
/// CannotWrite with ECANCELED.
StoreStatus writeImageFile(const QImage& image, const QString& path, const ImageFormat& format,
                           TargetKind kind = TargetKind::NamedFile,
                           const std::function<bool(bool committing)>& goOn = {});

/// writeImageFile with the reason of a failure in the system's words.
std::optional<QString> writeImage(const QImage& image, const QString& path,
                                  const ImageFormat& format);

/// Writes image in format, as writeImage does, to a file that is already
/// open for writing (standard output), and flushes it. Returns the reason on
/// failure.
std::optional<QString> writeImageTo(QFileDevice& file, const QImage& image,
                                    const ImageFormat& format);

} // namespace orbelle
