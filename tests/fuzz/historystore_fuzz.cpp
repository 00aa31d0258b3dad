// Fuzz target: the content of a history store file. The fast line check used
// by the cleaning agrees with the split check, and every line it keeps reads
// as a record. The store itself, holding the input, is cleaned: what remains
// are exactly the good lines in their order, a second cleaning changes
// nothing, an append keeps the newest lines within the capacity, and an
// import of the input keeps the newest good lines (or is refused when the
// input has no good line, an empty input included).

#include "fuzz/fuzzscratch.h"
#include "store/historystore.h"
#include "store/linecheck.h"
#include "store/settingsline.h"
#include "store/storefile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

using namespace orbelle;
using orbelle::fuzz::require;
using orbelle::fuzz::ScratchFolder;

namespace {

// Small enough that appends and imports of short inputs reach it.
constexpr int kCapacity = 3;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder scratch;
    const std::string_view content(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string> lines = splitLines(content);
    std::vector<DrawSettings> good; // oldest first
    for (const std::string& line : lines) {
        const bool fast = isGoodHistoryLine(line);
        const std::vector<std::string> fields = parseLine(line);
        require(fast == checkLine(fields, LineVariant::History));
        const std::optional<DrawSettings> record = settingsFromLine(fields, LineVariant::History);
        require(fast == record.has_value());
        if (record) {
            good.push_back(*record);
        }
    }
    const int goodCount = static_cast<int>(good.size());
    const int dropped = static_cast<int>(lines.size()) - goodCount;

    const std::filesystem::path folder = scratch.path() / "store";
    const std::filesystem::path source = scratch.path() / "source.orbhs";
    require(replaceFile(source, content, TargetKind::NamedFile, Durability::NoFlush).ok());
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    require(replaceFile(folder / HistoryStore::kFileName, content, TargetKind::OwnFile,
                        Durability::NoFlush)
                .ok());

    // A large capacity: cleaning keeps every good line.
    const HistoryStore whole(folder, Durability::NoFlush, 1 << 20);
    const StoreResult<int> cleaned = whole.clean();
    require(cleaned.ok() && cleaned.value == dropped);
    const StoreResult<int> counted = whole.count();
    require(counted.ok() && counted.value == goodCount);
    for (const int k : {0, goodCount / 2, goodCount - 1}) {
        const StoreResult<std::optional<DrawSettings>> read = whole.entry(k);
        require(read.ok());
        if (k < 0 || k >= goodCount) {
            require(!read.value.has_value());
            continue;
        }
        require(read.value.has_value() && *read.value == good[goodCount - 1 - k]);
    }
    require(!whole.entry(goodCount).value.has_value());
    const StoreResult<int> again = whole.clean();
    require(again.ok() && again.value == 0);

    // A small capacity: an append keeps the newest lines.
    const HistoryStore small(folder, Durability::NoFlush, kCapacity);
    const DrawSettings added = DrawSettings::startup();
    require(small.append(added).ok());
    const StoreResult<int> afterAppend = small.count();
    require(afterAppend.ok() &&
            afterAppend.value == (goodCount < kCapacity ? goodCount + 1 : kCapacity));
    require(small.entry(0).value == std::optional<DrawSettings>(added));
    if (goodCount > 0) {
        require(small.entry(1).value == std::optional<DrawSettings>(good.back()));
    }

    // An import without a good line (an empty file included) is refused and
    // changes nothing.
    const StoreResult<HistoryImport> imported = small.importFrom(source);
    if (goodCount == 0) {
        require(!imported.ok() && small.count().value == afterAppend.value &&
                small.entry(0).value == std::optional<DrawSettings>(added));
        return 0;
    }
    // Any other import replaces the store by the input's newest good lines.
    require(imported.ok() && imported.value.dropped == dropped &&
            imported.value.entries == (goodCount < kCapacity ? goodCount : kCapacity));
    for (int k = 0; k < imported.value.entries; ++k) {
        require(small.entry(k).value == std::optional<DrawSettings>(good[goodCount - 1 - k]));
    }
    return 0;
}
