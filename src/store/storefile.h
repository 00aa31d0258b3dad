#pragma once
// StoreFile: the file operations every store is built from. A store is a text
// file of lines; lines are read with LF or CR LF ends and always written with
// CR LF. Two ways of changing a store, both safe against a crash or a power
// cut at any moment:
//   - appending one line, written in a single write call, so a crash leaves at
//     worst one torn last line, which the store's cleaning drops;
//   - replacing the whole file: a complete new file is written beside the
//     store, flushed to disk and renamed over the store, and the folder is
//     flushed, so the store is always either the old or the new file.
// A store is never truncated and rewritten in place.

#include "store/storestatus.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orbelle {

/// Whether changes are flushed to disk (fsync) before an operation returns.
/// The program always flushes; NoFlush exists for benchmarks only.
enum class Durability { Flush, NoFlush };

/// Files larger than this are refused by every reader (64 MiB).
constexpr std::uintmax_t kMaxStoreBytes = std::uintmax_t{64} << 20;

/// Splits file content into lines at LF, dropping a CR before the LF. A last
/// line without a line end is included when it is not empty.
std::vector<std::string> splitLines(std::string_view content);

/// Joins lines, each followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

/// Reads a whole regular file of at most `maxBytes` bytes. Fails, naming the
/// file, with CannotRead and the system's reason for a missing or unreadable
/// file (errorNumber() is ENOENT for a missing one), TooLarge (also for a
/// file that grows past the limit while it is read) or NotRegularFile (a
/// folder, whose errorNumber() is EISDIR, a device, a pipe, a socket). The
/// file is opened without waiting, so a named pipe without a writer is
/// refused at once instead of blocking.
StoreResult<std::string> readWholeFile(const std::filesystem::path& path,
                                       std::uintmax_t maxBytes = kMaxStoreBytes);

/// The name a replacement of `target` is written under before it is renamed:
/// a hidden file in the same folder.
std::filesystem::path defaultTempPath(const std::filesystem::path& target);

/// Replaces `target` by a file holding exactly `content`: writes `temp` (in the
/// same folder, created or truncated), flushes it, renames it over `target`
/// and flushes the folder. On failure `target` is unchanged and `temp` removed.
StoreStatus replaceFileAtomically(const std::filesystem::path& target, std::string_view content,
                                  const std::filesystem::path& temp,
                                  Durability durability = Durability::Flush);

/// One store file and the fixed name of its replacement file.
class StoreFile {
  public:
    /// `path` is the store; `tempName` the file name, in the store's folder,
    /// that replacements are written under.
    StoreFile(std::filesystem::path path, std::string tempName,
              Durability durability = Durability::Flush);

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path tempPath() const;
    Durability durability() const { return m_durability; }

    /// Creates the store's folder and an empty store when they are missing.
    StoreStatus ensureExists() const;

    /// The whole content; a missing store is created empty first.
    StoreResult<std::string> readContent() const;

    /// All lines (see splitLines); a missing store is created empty first.
    StoreResult<std::vector<std::string>> readLines() const;

    /// Appends `line` (without line end) and CR LF in one write call, creating
    /// the store when missing. When the store ends in a torn line without a
    /// line end, a CR LF is written first in the same call, so the new line
    /// never merges with the torn one.
    StoreStatus appendLine(std::string_view line) const;

    /// Replaces the store by `lines`, each followed by CR LF.
    StoreStatus replaceLines(const std::vector<std::string>& lines) const;

    /// Replaces the store by `content`.
    StoreStatus replaceContent(std::string_view content) const;

    /// Writes a byte copy of the store to `target` (an export file), replacing
    /// it atomically; a missing store is created empty first.
    StoreStatus copyTo(const std::filesystem::path& target) const;

    /// Removes a replacement file left behind by a crash before its rename.
    /// Nothing ever reads that file; removing it only tidies the folder.
    void removeLeftoverTemp() const;

  private:
    std::filesystem::path m_path;
    std::string m_tempName;
    Durability m_durability;
};

} // namespace orbelle
