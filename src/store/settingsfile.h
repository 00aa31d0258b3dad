#pragma once
// The drawing settings file (*.orbdr): one settings file line. Readers skip
// every line containing "//" and use the first remaining line.

#include "engine/drawsettings.h"
#include "store/settingsline.h"
#include "store/storestatus.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orbelle {

/// The most bytes a settings file may hold; a longer file is not one.
constexpr std::size_t kMaxSettingsFileBytes = std::size_t{1} << 20;

/// The file's content for a record: the line and CR LF.
std::string formatSettingsFile(const DrawSettings& settings);

/// The record of a file's content, or nothing when the first line without
/// "//" is missing, has a wrong field count or fails its sum. Lines may end in
/// LF or CR LF. `colours` as settingsFromLine takes them.
std::optional<DrawSettings> parseSettingsFile(std::string_view content,
                                              ColourBits colours = ColourBits::Low24);

/// Reads and parses the settings file at path. Only a regular file (or a
/// link to one) of at most kMaxSettingsFileBytes is read; a device, a pipe, a
/// folder or a longer file is refused without reading it through. Fails with
/// CannotRead and the system's reason, NotRegularFile, TooLarge or
/// NotSettingsFile, naming the file.
StoreResult<DrawSettings> readSettingsFile(const std::filesystem::path& path,
                                           ColourBits colours = ColourBits::Low24);

} // namespace orbelle
