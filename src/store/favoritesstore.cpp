#include "store/favoritesstore.h"

#include "store/settingsline.h"
#include "store/storedname.h"

namespace orbelle {
namespace {

bool isFolderLine(const std::string& line) {
    return splitFields(line).size() == static_cast<std::size_t>(kFolderFieldCount);
}

} // namespace

FavoritesStore::FavoritesStore(const std::filesystem::path& folder, Durability durability)
    : m_file(folder / kFileName, kOldTempName, durability) {}

StoreResult<FavoritesStore::Clean> FavoritesStore::readClean() const {
    StoreResult<Clean> result;
    StoreResult<std::vector<std::string>> lines = m_file.readLines();
    result.status = std::move(lines.status);
    if (result.ok()) {
        result.value.lines = std::move(lines.value);
        result.value.report = cleanFavoriteLines(result.value.lines);
    }
    return result;
}

StoreResult<std::vector<FavoriteEntry>> FavoritesStore::load() const {
    StoreResult<std::vector<FavoriteEntry>> result;
    StoreResult<Clean> store = readClean();
    if (store.ok() && store.value.report.changed) {
        store.status = m_file.replaceLines(store.value.lines);
    }
    if (!store.ok()) {
        result.status = std::move(store.status);
        return result;
    }
    result.value.reserve(store.value.lines.size());
    for (const std::string& line : store.value.lines) {
        const std::vector<std::string> fields = parseLine(line);
        FavoriteEntry entry;
        entry.id = atoiField(fields[0]);
        entry.parent = atoiField(fields[1]);
        entry.name = decodeStoredName(fields[2]);
        entry.isFolder = fields.size() == static_cast<std::size_t>(kFolderFieldCount);
        if (entry.isFolder) {
            entry.expanded = atoiField(fields[4]) != 0;
        } else if (auto settings = settingsFromLine(fields, LineVariant::Favorite)) {
            entry.settings = *settings;
        }
        result.value.push_back(std::move(entry));
    }
    return result;
}

StoreResult<FavoritesCleanReport> FavoritesStore::clean() const {
    StoreResult<FavoritesCleanReport> result;
    m_file.removeLeftoverTemp();
    StoreResult<Clean> store = readClean();
    if (store.ok() && store.value.report.changed) {
        store.status = m_file.replaceLines(store.value.lines);
    }
    result.status = std::move(store.status);
    result.value = store.value.report;
    return result;
}

StoreResult<int> FavoritesStore::addLine(int parent, std::string_view name,
                                         const DrawSettings* settings) const {
    StoreResult<int> result;
    StoreResult<std::string> stored = encodeStoredName(name);
    if (!stored.ok()) {
        result.status = std::move(stored.status);
        return result;
    }
    StoreResult<Clean> store = readClean();
    if (!store.ok()) {
        result.status = std::move(store.status);
        return result;
    }
    std::vector<std::string>& lines = store.value.lines;
    if (parent == 0) {
        parent = kRootFolderId;
    }
    if (parent < 1 || parent > static_cast<int>(lines.size()) || !isFolderLine(lines[parent - 1])) {
        result.status = StoreStatus::failure(StoreError::NoSuchFolder)
                            .withLimit(static_cast<std::uintmax_t>(parent));
        return result;
    }
    const int id = static_cast<int>(lines.size()) + 1;
    std::string line = settings ? formatFavoriteLine(id, parent, stored.value, *settings)
                                : formatFolderLine(id, parent, stored.value, true);
    if (store.value.report.changed) {
        lines.push_back(std::move(line));
        result.status = m_file.replaceLines(lines);
    } else {
        result.status = m_file.appendLine(line);
    }
    result.value = id;
    return result;
}

StoreResult<int> FavoritesStore::addFolder(int parent, std::string_view name) const {
    return addLine(parent, name, nullptr);
}

StoreResult<int> FavoritesStore::addFavorite(int parent, std::string_view name,
                                             const DrawSettings& settings) const {
    return addLine(parent, name, &settings);
}

StoreResult<int> FavoritesStore::remove(int id) const {
    StoreResult<int> result;
    StoreResult<Clean> store = readClean();
    std::vector<std::string>& lines = store.value.lines;
    const int before = static_cast<int>(lines.size());
    if (store.ok() && id > kRootFolderId && id <= before) {
        lines.erase(lines.begin() + (id - 1));
        cleanFavoriteLines(lines);
        result.value = before - static_cast<int>(lines.size());
    }
    if (store.ok() && (result.value > 0 || store.value.report.changed)) {
        store.status = m_file.replaceLines(lines);
    }
    result.status = std::move(store.status);
    return result;
}

StoreResult<bool> FavoritesStore::rename(int id, std::string_view name) const {
    StoreResult<bool> result;
    StoreResult<std::string> stored = encodeStoredName(name);
    if (!stored.ok()) {
        result.status = std::move(stored.status);
        return result;
    }
    StoreResult<Clean> store = readClean();
    std::vector<std::string>& lines = store.value.lines;
    if (store.ok() && id > kRootFolderId && id <= static_cast<int>(lines.size())) {
        lines[id - 1] = replaceField(lines[id - 1], 2, stored.value);
        result.value = true;
    }
    if (store.ok() && (result.value || store.value.report.changed)) {
        store.status = m_file.replaceLines(lines);
    }
    result.status = std::move(store.status);
    return result;
}

StoreResult<bool> FavoritesStore::moveFavorite(int source, int target) const {
    StoreResult<bool> result;
    StoreResult<Clean> store = readClean();
    std::vector<std::string>& lines = store.value.lines;
    // A move of a clean store's favorite gives a clean store: every line stays
    // valid, ids are the new line numbers and parents follow their folders.
    if (store.ok() && moveFavoriteLine(lines, source, target)) {
        result.value = true;
    }
    if (store.ok() && (result.value || store.value.report.changed)) {
        store.status = m_file.replaceLines(lines);
    }
    result.status = std::move(store.status);
    return result;
}

StoreResult<bool>
FavoritesStore::saveExpansion(const std::vector<std::pair<int, bool>>& states) const {
    StoreResult<bool> result;
    StoreResult<Clean> store = readClean();
    std::vector<std::string>& lines = store.value.lines;
    if (store.ok()) {
        for (const auto& [id, expanded] : states) {
            result.value = setFolderExpanded(lines, id, expanded) || result.value;
        }
    }
    if (store.ok() && (result.value || store.value.report.changed)) {
        store.status = m_file.replaceLines(lines);
    }
    result.status = std::move(store.status);
    return result;
}

StoreStatus FavoritesStore::reset() const {
    return m_file.replaceLines({formatFolderLine(kRootFolderId, 0, kRootFolderName, true)});
}

StoreStatus FavoritesStore::exportTo(const std::filesystem::path& target) const {
    return m_file.copyTo(target);
}

StoreResult<FavoritesImport> FavoritesStore::importFrom(const std::filesystem::path& source) const {
    StoreResult<FavoritesImport> result;
    StoreResult<std::string> content = readWholeFile(source);
    if (!content.ok()) {
        result.status = std::move(content.status);
        return result;
    }
    std::vector<std::string> lines = splitLines(content.value);
    const FavoritesCleanReport report = cleanFavoriteLines(lines);
    if (report.rootReplaced && lines.size() == 1) {
        // An empty file, or neither a root folder nor any other folder or
        // favorite: another kind of file, which would empty the store.
        result.status = StoreStatus::failure(StoreError::NoFavoriteLines, source);
        return result;
    }
    result.value.entries = static_cast<int>(lines.size());
    result.value.dropped = report.droppedLines + report.droppedOrphans;
    result.status = m_file.replaceLines(lines);
    return result;
}

} // namespace orbelle
