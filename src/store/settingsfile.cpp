#include "store/settingsfile.h"

#include "store/settingsline.h"

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

} // namespace orbelle
