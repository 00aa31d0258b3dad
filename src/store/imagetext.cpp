#include "store/imagetext.h"

#include "store/settingsline.h"

namespace orbelle {

std::string imageSettingsText(const DrawSettings& settings) {
    return formatLine(LineVariant::SettingsFile, settings);
}

std::optional<DrawSettings> settingsFromImageText(std::string_view text, ColourBits colours) {
    // One line only: anything after a line end is not part of the record.
    if (text.empty() || text.find_first_of("\r\n") != std::string_view::npos) {
        return std::nullopt;
    }
    return settingsFromLine(parseLine(text), LineVariant::SettingsFile, colours);
}

} // namespace orbelle
