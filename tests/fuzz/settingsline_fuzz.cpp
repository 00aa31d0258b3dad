// Fuzz target: one settings line read as each of the three variants (history,
// settings file, favorite). For every variant the checker and the reader must
// agree, and a record the reader accepts must be written back to a line the
// same reader accepts with the same values: parse, format, parse is the
// identity.

#include "fuzz/fuzzscratch.h"
#include "store/settingsline.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace orbelle;
using orbelle::fuzz::require;

namespace {

void roundTrip(const std::vector<std::string>& fields, LineVariant variant) {
    const bool checked = checkLine(fields, variant);
    const std::optional<DrawSettings> record = settingsFromLine(fields, variant);
    require(checked == record.has_value());
    if (!record) {
        return;
    }
    FavoritePrefix prefix;
    if (variant == LineVariant::Favorite) {
        prefix.id = atoiField(fields[0]);
        prefix.parent = atoiField(fields[1]);
        prefix.name = fields[2];
    }
    const std::string written = formatLine(variant, *record, prefix);
    const std::optional<DrawSettings> again = settingsFromLine(parseLine(written), variant);
    require(again && *again == *record);
    // The line written from a record is the line written from its reading.
    require(formatLine(variant, *again, prefix) == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> fields = parseLine(text);
    for (const LineVariant variant :
         {LineVariant::History, LineVariant::SettingsFile, LineVariant::Favorite}) {
        roundTrip(fields, variant);
    }
    return 0;
}
