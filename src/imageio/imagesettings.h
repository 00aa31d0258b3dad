#pragma once
// The settings line an image carries in its metadata under the key "Orbelle"
// (a PNG text chunk, a JPEG comment): put on a picture before it is written,
// read back from an image file.

#include "engine/drawsettings.h"

#include <QString>

#include <optional>

class QImage;

namespace orbelle {

/// Sets the settings line of record as the text "Orbelle" of image.
void setImageSettings(QImage& image, const DrawSettings& record);

/// The record an image file carries, read without decoding the pixels.
/// Nothing when the file cannot be read, has no such line or the line fails
/// its check.
std::optional<DrawSettings> settingsFromImageFile(const QString& path);

} // namespace orbelle
