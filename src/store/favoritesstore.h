#pragma once
// FavoritesStore: the favorites and their folders in the file "csv_okiniiri0"
// of the program's data folder, one line per entry (see favoriteslines.h).
// Ids are line numbers of the clean store; they stay valid until the next
// change, after which the caller reads the entries again with load().
//
// Nothing is kept in memory between calls. Every call reads the store and
// cleans what it read; a change either appends one line or replaces the whole
// file atomically (see StoreFile). Names go in and come out as UTF-8 and are
// stored as code page 932 (see storedname.h); a name that cannot be stored is
// refused with a message and the store is left alone.

#include "engine/drawsettings.h"
#include "store/favoriteslines.h"
#include "store/storefile.h"
#include "store/storefiles.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orbelle {

/// One line of a clean store.
struct FavoriteEntry {
    int id = 0;
    int parent = 0;   ///< 0 for the root
    std::string name; ///< UTF-8
    bool isFolder = false;
    bool expanded = false; ///< folders only
    DrawSettings settings; ///< favorites only
};

/// What an import did: entries in the new store, lines of the file dropped.
struct FavoritesImport {
    int entries = 0;
    int dropped = 0;
};

class FavoritesStore {
  public:
    static constexpr const char* kFileName = kFavoritesStoreFile;
    /// The fixed name older versions wrote replacements under.
    static constexpr const char* kOldTempName = "csv_okiniiri_check";

    explicit FavoritesStore(const std::filesystem::path& folder,
                            Durability durability = Durability::Flush);

    const std::filesystem::path& filePath() const { return m_file.path(); }

    /// All entries in file order, the root first. A missing or empty store
    /// becomes the root alone, expanded; a store that needs cleaning is
    /// cleaned and rewritten first.
    StoreResult<std::vector<FavoriteEntry>> load() const;

    /// Cleans the store (see cleanFavoriteLines) and rewrites it when that
    /// changed anything. Also removes a replacement file a crash may have left.
    StoreResult<FavoritesCleanReport> clean() const;

    /// Adds a folder, expanded, as the last line; returns its id. A parent of
    /// 0 means the root. Refused when the parent is no folder or the name
    /// cannot be stored.
    StoreResult<int> addFolder(int parent, std::string_view name) const;

    /// Adds a favorite holding `settings` as the last line; returns its id.
    /// Refused as addFolder.
    StoreResult<int> addFavorite(int parent, std::string_view name,
                                 const DrawSettings& settings) const;

    /// Removes entry `id` and everything below it; returns the number of
    /// entries removed (0 for the root or a missing id).
    StoreResult<int> remove(int id) const;

    /// Gives entry `id` a new name; false for the root or a missing id.
    /// Refused when the name cannot be stored.
    StoreResult<bool> rename(int id, std::string_view name) const;

    /// Moves favorite `source` after `target` (see moveFavoriteLine); false
    /// when the move is refused.
    StoreResult<bool> moveFavorite(int source, int target) const;

    /// Stores the expanded state of folders, given as (id, expanded) pairs;
    /// rewrites the store only when a state differs. Returns whether it did.
    StoreResult<bool> saveExpansion(const std::vector<std::pair<int, bool>>& states) const;

    /// Back to the root alone, expanded.
    StoreStatus reset() const;

    /// Writes a byte copy of the store to `target` (an export file, *.orbfv),
    /// replacing it atomically.
    StoreStatus exportTo(const std::filesystem::path& target) const;

    /// Replaces the store by the clean form of `source`: nothing is merged;
    /// broken lines and entries without parent are dropped. An empty source,
    /// or one of lines none of which is a folder or a favorite (another kind
    /// of file), is refused with NoFavoriteLines. On a failure the store is
    /// unchanged.
    StoreResult<FavoritesImport> importFrom(const std::filesystem::path& source) const;

  private:
    struct Clean {
        std::vector<std::string> lines;
        FavoritesCleanReport report;
    };
    StoreResult<Clean> readClean() const;

    StoreResult<int> addLine(int parent, std::string_view name, const DrawSettings* settings) const;

    StoreFile m_file;
};

} // namespace orbelle
