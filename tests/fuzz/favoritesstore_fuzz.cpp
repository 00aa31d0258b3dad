// Fuzz target: the content of a favorites store file. Cleaning its lines
// gives a clean store (the root first, every line a valid folder or favorite
// numbered by its line, every parent a folder whose chain reaches the root),
// accounts for every line it drops, says whether it changed anything and
// changes nothing the second time. A move or an expansion change chosen by
// the first input bytes keeps the store clean. The store file holding the
// input loads as the same entries, and every name shown is stored back as the
// same name.

#include "fuzz/fuzzscratch.h"
#include "store/favoriteslines.h"
#include "store/favoritesstore.h"
#include "store/linecheck.h"
#include "store/settingsline.h"
#include "store/storedname.h"
#include "store/storefile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

using namespace orbelle;
using orbelle::fuzz::require;
using orbelle::fuzz::ScratchFolder;

namespace {

bool isFolder(const std::string& line) {
    return classifyFavoriteLine(line) == FavoriteLineKind::Folder;
}

void requireClean(const std::vector<std::string>& lines) {
    require(!lines.empty());
    require(lines[0] == formatFolderLine(kRootFolderId, 0, kRootFolderName, true) ||
            lines[0] == formatFolderLine(kRootFolderId, 0, kRootFolderName, false));
    const int count = static_cast<int>(lines.size());
    for (int k = 2; k <= count; ++k) {
        const std::string& line = lines[k - 1];
        require(classifyFavoriteLine(line) != FavoriteLineKind::Broken);
        const std::vector<std::string_view> fields = splitFields(line);
        require(atoiField(fields[0]) == k);
        // The chain of parents climbs folders to the root in fewer steps
        // than there are lines.
        int at = k;
        int steps = 0;
        while (at != kRootFolderId) {
            const int parent = atoiField(splitFields(lines[at - 1])[1]);
            require(parent >= 1 && parent <= count && parent != at);
            require(isFolder(lines[parent - 1]));
            at = parent;
            require(++steps < count);
        }
    }
    std::vector<std::string> again = lines;
    const FavoritesCleanReport report = cleanFavoriteLines(again);
    require(!report.changed && again == lines);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder scratch;
    const std::string_view content(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string> read = splitLines(content);
    std::vector<std::string> lines = read;
    const FavoritesCleanReport report = cleanFavoriteLines(lines);
    requireClean(lines);
    require(report.changed == (lines != read));
    const int n = static_cast<int>(read.size());
    const int expected =
        n == 0 ? 1
               : n - report.droppedLines - report.droppedOrphans + (report.rootReplaced ? 1 : 0);
    require(static_cast<int>(lines.size()) == expected);
    require(report.rootReplaced || (n > 0 && report.droppedLines < n));

    // A move and an expansion change picked by the first bytes.
    const int count = static_cast<int>(lines.size());
    const int source = size > 0 ? data[0] % (count + 2) : 0;
    const int target = size > 1 ? data[1] % (count + 2) : 0;
    std::vector<std::string> moved = lines;
    if (moveFavoriteLine(moved, source, target)) {
        require(static_cast<int>(moved.size()) == count);
        requireClean(moved);
        // The favorite stands directly after its target, which moved up one
        // line when it came after the source.
        const int place = target > source ? target : target + 1;
        const std::string& was = lines[source - 1];
        const std::string& now = moved[place - 1];
        require(was.substr(was.find(',', was.find(',') + 1)) ==
                now.substr(now.find(',', now.find(',') + 1)));
    } else {
        require(moved == lines);
    }
    std::vector<std::string> expanded = lines;
    const bool state = size > 2 && (data[2] & 1) != 0;
    if (setFolderExpanded(expanded, target, state)) {
        requireClean(expanded);
    }

    // The store file: loaded, it is rewritten as the clean lines when they
    // differ, and the entries are those lines.
    const std::filesystem::path folder = scratch.path();
    require(replaceFile(folder / FavoritesStore::kFileName, content, TargetKind::OwnFile,
                        Durability::NoFlush)
                .ok());
    const FavoritesStore store(folder, Durability::NoFlush);
    const StoreResult<std::vector<FavoriteEntry>> loaded = store.load();
    require(loaded.ok() && loaded.value.size() == lines.size());
    const StoreResult<std::string> stored = readWholeFile(folder / FavoritesStore::kFileName);
    require(stored.ok());
    require(stored.value == (report.changed ? joinLines(lines) : std::string(content)));
    const StoreResult<FavoritesCleanReport> second = store.clean();
    require(second.ok() && !second.value.changed);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const FavoriteEntry& entry = loaded.value[k];
        const std::vector<std::string_view> fields = splitFields(lines[k]);
        require(entry.id == static_cast<int>(k) + 1);
        require(entry.parent == atoiField(fields[1]));
        require(entry.isFolder == isFolder(lines[k]));
        require(entry.name == decodeStoredName(fields[2]));
        // A name as shown is stored back as the same name, or refused.
        const StoreResult<std::string> encoded = encodeStoredName(entry.name);
        if (encoded.ok()) {
            require(decodeStoredName(encoded.value) == entry.name);
        }
    }
    return 0;
}
