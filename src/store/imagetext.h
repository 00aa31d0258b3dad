#pragma once
// The drawing settings an exported image carries in its metadata: the
// settings file line under the key "Orbelle" (a PNG text chunk, a JPEG
// comment), so the image alone is enough to draw the figure again.

#include "engine/drawsettings.h"
#include "store/settingsline.h"

#include <optional>
#include <string>
#include <string_view>

namespace orbelle {

/// Metadata key of the settings line.
inline constexpr const char* kImageSettingsKey = "Orbelle";

/// The text stored under the key: the settings file line, without line end.
std::string imageSettingsText(const DrawSettings& settings);

/// The record of a stored text, or nothing when it is not one valid settings
/// file line (wrong field count, failing sum, empty). `colours` as
/// settingsFromLine takes them.
std::optional<DrawSettings> settingsFromImageText(std::string_view text,
                                                  ColourBits colours = ColourBits::Low24);

} // namespace orbelle
