#pragma once
// The drawing settings file (*.orbdr): one settings file line. Readers skip
// every line containing "//" and use the first remaining line.

#include "engine/drawsettings.h"

#include <cstddef>
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
/// LF or CR LF.
std::optional<DrawSettings> parseSettingsFile(std::string_view content);

/// The outcome of reading a settings file: the record, or a one-line message
/// naming the file and the reason.
struct SettingsFileRead {
    std::optional<DrawSettings> settings;
    std::string error;
};

/// Reads and parses the settings file at path. Only a regular file (or a
/// link to one) of at most kMaxSettingsFileBytes is read; a device, a pipe, a
/// folder or a longer file is refused without reading it through. A file that
/// cannot be opened or read reports the system's reason.
[[nodiscard]] SettingsFileRead readSettingsFile(const std::string& path);

} // namespace orbelle
