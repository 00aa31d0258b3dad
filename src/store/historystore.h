#pragma once
// HistoryStore: every completed drawing as one history line (69 fields) in the
// file "csv_history0" of the program's data folder, oldest line first, at most
// `capacity` lines. Entries are numbered from the newest: entry 0 is the last
// line, entry k the line (count - k) counted from 1.
//
// The store keeps nothing in memory between calls: every call reads the file
// and every change either appends one line or replaces the whole file
// atomically (see StoreFile). A line torn by a crash, or damaged by hand, is
// dropped by the next clean(). Where the user is in the history (the current
// entry and page) is not kept here but in a HistoryNavigator.

#include "engine/drawsettings.h"
#include "store/storefile.h"
#include "store/storefiles.h"

#include <filesystem>
#include <optional>

namespace orbelle {

/// What an import did: entries kept and broken lines dropped.
struct HistoryImport {
    int entries = 0;
    int dropped = 0;
};

class HistoryStore {
  public:
    static constexpr const char* kFileName = kHistoryStoreFile;
    /// The fixed name older versions wrote replacements under.
    static constexpr const char* kOldTempName = "csv_history1";
    static constexpr int kCapacity = 1000;

    /// A store in `folder` (created when first written). `capacity` other than
    /// 1000 serves tests only.
    explicit HistoryStore(const std::filesystem::path& folder,
                          Durability durability = Durability::Flush, int capacity = kCapacity);

    const std::filesystem::path& filePath() const { return m_file.path(); }
    int capacity() const { return m_capacity; }

    /// Number of lines in the store; a missing store is created empty.
    StoreResult<int> count() const;

    /// Appends the history line of `settings`. When the store then holds more
    /// than capacity() lines, the store is instead replaced by its newest
    /// capacity() - 1 lines and the new one, in one atomic rewrite.
    StoreStatus append(const DrawSettings& settings) const;

    /// Entry k (0 = newest). The value is empty when k is outside 0..count-1
    /// or the line is broken (wrong field count or failing sum); such an entry
    /// must not be applied.
    StoreResult<std::optional<DrawSettings>> entry(int k) const;

    /// Drops every line with a field count other than 69 or a failing sum and
    /// keeps the rest in order; rewrites the store only when a line was
    /// dropped. Returns the number of lines dropped. Also removes a
    /// replacement file a crash may have left.
    StoreResult<int> clean() const;

    /// Empties the store.
    StoreStatus reset() const;

    /// Writes a byte copy of the store to `target` (an export file, *.orbhs),
    /// replacing it atomically.
    StoreStatus exportTo(const std::filesystem::path& target) const;

    /// Replaces the store by the good lines of `source` in their order (broken
    /// lines dropped; of more than capacity() good lines the newest are kept).
    /// Nothing is merged. An empty source, or one of lines none of which is a
    /// history line (another kind of file), is refused with NoHistoryLines.
    /// On a failure the store is unchanged.
    StoreResult<HistoryImport> importFrom(const std::filesystem::path& source) const;

  private:
    StoreFile m_file;
    int m_capacity;
};

} // namespace orbelle
