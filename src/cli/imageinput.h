#pragma once
// Reading the drawing settings a PNG or JPEG image written by Orbelle carries
// in its metadata, for orbelle-cli render.

#include "engine/drawsettings.h"

#include <optional>
#include <string>

namespace orbelle::cli {

/// True for a path ending in .png, .jpg or .jpeg (any case).
bool isImagePath(const std::string& path);

/// The settings line under the key "Orbelle" of the image at path; nothing
/// when the file cannot be read or carries no valid line.
std::optional<DrawSettings> settingsFromImageFile(const std::string& path);

} // namespace orbelle::cli
