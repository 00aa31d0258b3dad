#include "store/settingsfile.h"

#include "store/settingsline.h"
#include "store/storefile.h"

namespace orbelle {

std::string formatSettingsFile(const DrawSettings& settings) {
    return formatLine(LineVariant::SettingsFile, settings) + "\r\n";
}

std::optional<DrawSettings> parseSettingsFile(std::string_view content, ColourBits colours) {
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) {
            end = content.size();
        }
        const std::string_view line = content.substr(start, end - start);
        start = end + 1;
        if (line.find("//") != std::string_view::npos) {
            continue;
        }
        return settingsFromLine(parseLine(line), LineVariant::SettingsFile, colours);
    }
    return std::nullopt;
}

StoreResult<DrawSettings> readSettingsFile(const std::filesystem::path& path, ColourBits colours) {
    StoreResult<DrawSettings> read;
    StoreResult<std::string> content = readWholeFile(path, kMaxSettingsFileBytes);
    if (!content.ok()) {
        read.status = std::move(content.status);
        return read;
    }
    if (const std::optional<DrawSettings> settings = parseSettingsFile(content.value, colours)) {
        read.value = *settings;
    } else {
        read.status = StoreStatus::failure(StoreError::NotSettingsFile, path);
    }
    return read;
}

} // namespace orbelle
