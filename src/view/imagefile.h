#pragma once
// Writing a picture to an image file whose format follows the file name's
// extension, through QSaveFile so that a failed write never leaves a partial
// file, and reading back the drawing settings an image carries.

#include "engine/drawsettings.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QImage;

namespace orbelle {

/// The Qt image format that writes files with the extension of path
/// ("bmp", "jpeg", "png", ...); empty when no writer knows the extension.
QByteArray imageFormatForPath(const QString& path);

/// Writes image to path in the format of its extension (JPEG at the writer's
/// default quality). Returns an empty string on success, otherwise a message
/// naming the file and the reason; on failure no file is left behind and an
/// existing file at path is unchanged.
QString writeImageFile(const QImage& image, const QString& path);

/// The settings line an image file carries under the key "Orbelle" (PNG text
/// chunk, JPEG comment), read without decoding the pixels. Nothing when the
/// file cannot be read, has no such line or the line fails its check.
std::optional<DrawSettings> settingsFromImage(const QString& path);

} // namespace orbelle
