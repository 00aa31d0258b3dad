#include "store/settingsfile.h"

#include "store/settingsline.h"
#include "store/storefile.h"

#include <cerrno>

namespace orbelle {

std::string formatSettingsFile(const DrawSettings& settings) {
    return formatLine(LineVariant::SettingsFile, settings) + "\r\n";
}

std::optional<DrawSettings> parseSettingsFile(std::string_view content) {
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
        return settingsFromLine(parseLine(line), LineVariant::SettingsFile);
    }
    return std::nullopt;
}

StoreResult<DrawSettings> readSettingsFile(const std::filesystem::path& path) {
    StoreResult<DrawSettings> read;
    StoreResult<std::string> content = readWholeFile(path, kMaxSettingsFileBytes);
    if (!content.ok()) {
        read.status = std::move(content.status);
        // A file that grew past the limit while it was read is too long too.
        if (read.status.error() == StoreError::CannotRead && read.status.errorNumber() == EFBIG) {
            read.status = StoreStatus::failure(StoreError::TooLarge, path, EFBIG)
                              .withLimit(kMaxSettingsFileBytes);
        }
        return read;
    }
    if (const std::optional<DrawSettings> settings = parseSettingsFile(content.value)) {
        read.value = *settings;
    } else {
        read.status = StoreStatus::failure(StoreError::NotSettingsFile, path);
    }
    return read;
}

} // namespace orbelle
