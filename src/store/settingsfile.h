#pragma once
// The drawing settings file (*.orbdr): one settings file line. Readers skip
// every line containing "//" and use the first remaining line.

#include "engine/drawsettings.h"

#include <optional>
#include <string>
#include <string_view>

namespace orbelle {

/// The file's content for a record: the line and CR LF.
std::string formatSettingsFile(const DrawSettings& settings);

/// The record of a file's content, or nothing when the first line without
/// "//" is missing, has a wrong field count or fails its sum. Lines may end in
/// LF or CR LF.
std::optional<DrawSettings> parseSettingsFile(std::string_view content);

} // namespace orbelle
