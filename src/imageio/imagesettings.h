#pragma once
// The settings line an image carries in its metadata under the key "Orbelle"
// (a PNG text chunk, a JPEG comment): put on a picture before it is written,
// read back from an image file.

#include "engine/drawsettings.h"
#include "store/settingsline.h"
#include "store/storestatus.h"

#include <QString>

#include <optional>

class QImage;

namespace orbelle {

/// Sets the settings line of record as the text "Orbelle" of image.
void setImageSettings(QImage& image, const DrawSettings& record);

/// The record the image file at path carries, read from its bytes (see
/// imageio/fileread.h) without decoding the pixels. Fails, naming the file,
/// as readFileBytes does, with NotImage (detail() the decoder's reason) for
/// bytes that are no image, or NoImageSettings for an image without a valid
/// settings line. `colours` as settingsFromLine takes them.
StoreResult<DrawSettings> readImageSettings(const QString& path,
                                            ColourBits colours = ColourBits::Low24);

/// readImageSettings without the reason: nothing on any failure.
std::optional<DrawSettings> settingsFromImageFile(const QString& path);

} // namespace orbelle
