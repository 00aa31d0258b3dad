#include "store/settingsfilewriter.h"

#include "store/settingsfile.h"

namespace orbelle {

StoreStatus writeSettingsFile(const std::filesystem::path& path, const DrawSettings& settings,
                              Durability durability) {
    return replaceFileAtomically(path, formatSettingsFile(settings), defaultTempPath(path),
                                 durability);
}

} // namespace orbelle
