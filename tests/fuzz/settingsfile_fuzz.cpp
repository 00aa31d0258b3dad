// Fuzz target: the content of a drawing settings file. Whatever the reader
// accepts is written back to a file the reader accepts with the same record.

#include "fuzz/fuzzscratch.h"
#include "store/settingsfile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace orbelle;
using orbelle::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const std::optional<DrawSettings> record = parseSettingsFile(content);
    if (!record) {
        return 0;
    }
    const std::optional<DrawSettings> again = parseSettingsFile(formatSettingsFile(*record));
    require(again && *again == *record);
    return 0;
}
