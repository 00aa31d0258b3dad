#pragma once
// StoreFile: the file operations every store is built from. A store is a text
// file of lines; lines are read with LF or CR LF ends and always written with
// CR LF. Two ways of changing a store, both safe against a crash or a power
// cut at any moment:
//   - appending one line, written in a single write call, so a crash leaves at
//     worst one torn last line, which the store's cleaning drops;
//   - replacing the whole file through a FileReplacement: a complete new
//     file is written beside the store under an unpredictable name, flushed
//     to disk and renamed over the store, and the folder is flushed, so the
//     store is always either the old or the new file.
// A store is never truncated and rewritten in place, and never written
// through a link: a link or a device in its place is reported and left alone.

#include "store/filereplacement.h"
#include "store/storestatus.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orbelle {

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

/// One store file of the program's own (TargetKind::OwnFile).
class StoreFile {
  public:
    /// `path` is the store; `oldTempName` the fixed file name, in the store's
    /// folder, that older versions wrote replacements under (only ever
    /// removed, and only when it is a regular file).
    StoreFile(std::filesystem::path path, std::string oldTempName,
              Durability durability = Durability::Flush);

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path oldTempPath() const;
    Durability durability() const { return m_durability; }

    /// Creates the store's folder and an empty store when they are missing.
    /// A link in the store's place is refused with LinkNotFollowed, a folder
    /// or device with NotRegularTarget.
    StoreStatus ensureExists() const;

    /// The whole content; a missing store is created empty first.
    StoreResult<std::string> readContent() const;

    /// All lines (see splitLines); a missing store is created empty first.
    StoreResult<std::vector<std::string>> readLines() const;

    /// Appends `line` (without line end) and CR LF in one write call, creating
    /// the store when missing. When the store ends in a torn line without a
    /// line end, a CR LF is written first in the same call, so the new line
    /// never merges with the torn one. A link or anything but a regular file
    /// in the store's place is refused as ensureExists() refuses it.
    StoreStatus appendLine(std::string_view line) const;

    /// Replaces the store by `lines`, each followed by CR LF.
    StoreStatus replaceLines(const std::vector<std::string>& lines) const;

    /// Replaces the store by `content`.
    StoreStatus replaceContent(std::string_view content) const;

    /// Writes a byte copy of the store to `target` (an export file the person
    /// named, TargetKind::NamedFile), replacing it atomically; a missing store
    /// is created empty first.
    StoreStatus copyTo(const std::filesystem::path& target) const;

    /// Removes the temporary files of this store a crash left behind before
    /// their rename, and a regular file at the old fixed name. Nothing ever
    /// reads them; removing them only tidies the folder.
    void removeLeftoverTemp() const;

  private:
    std::filesystem::path m_path;
    std::string m_oldTempName;
    Durability m_durability;
};

} // namespace orbelle
