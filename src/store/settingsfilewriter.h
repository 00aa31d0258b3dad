#pragma once
// Writing a drawing settings file (*.orbdr) from the core: the content of
// formatSettingsFile, put in place by an atomic replacement so that a failed
// or interrupted save never leaves a half-written file. The GUI writes the same
// content through its own safe-save file class.

#include "engine/drawsettings.h"
#include "store/storefile.h"

#include <filesystem>

namespace orbelle {

/// Writes the settings file line of `settings` and CR LF to `path`, replacing
/// an existing file. On failure the file is unchanged and the status names
/// the file and the reason.
StoreStatus writeSettingsFile(const std::filesystem::path& path, const DrawSettings& settings,
                              Durability durability = Durability::Flush);

} // namespace orbelle
