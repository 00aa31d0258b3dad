#pragma once
// FileReplacement: the one way the program replaces a file, a store as well
// as an export, a saved settings file or an image. The new content goes into
// a temporary file created exclusively beside the target under a name no one
// can guess (O_CREAT | O_EXCL | O_NOFOLLOW, mode 0600, as mkstemp does), so a
// link planted in the folder never redirects the write. The file is written,
// given the permission bits the target keeps, flushed to disk, renamed over
// the target, and the folder is flushed. A crash leaves either the old or the
// new target and at worst a temporary file, which the next start removes.
//
// What may be replaced depends on whose file it is:
//   - the program's own files in its data folder (stores, help page,
//     pictures) are never written through a link or into anything but a
//     regular file: a link or a device there is refused and left alone;
//   - a file the person names (an export, a saved file, an output) may be a
//     link to a regular file, whose target is then replaced, as editors do; a
//     folder, device, pipe or socket is refused.
// Either way a file that its owner made read-only is refused, and an existing
// file keeps its permission bits (a 0600 file stays 0600).

#include "store/storestatus.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace orbelle {

/// Whether changes are flushed to disk (fsync) before an operation returns.
/// The program always flushes; NoFlush exists for benchmarks only.
enum class Durability { Flush, NoFlush };

/// Whose file a replacement writes (see the file comment).
enum class TargetKind { OwnFile, NamedFile };

/// The system calls that make a replacement durable, as a seam for tests that
/// watch their order or make them fail. Each returns 0 or an errno value.
struct FileOperations {
    std::function<int(int fd)> flush; ///< fsync of the temporary file or the folder
    std::function<int(const std::filesystem::path& from, const std::filesystem::path& to)> rename;

    /// fsync(2) and rename(2).
    static const FileOperations& system();
};

/// Suffix of every temporary file: ".<target name>.<8 random letters or
/// digits>.orbelle-tmp".
inline constexpr char kTemporaryFileSuffix[] = ".orbelle-tmp";

/// Whether fileName has the form of a temporary file; with a non-empty
/// targetName, of one written for a file of that name.
bool isTemporaryFileName(std::string_view fileName, std::string_view targetName = {});

/// Removes the regular files in folder whose names have the form of a
/// temporary file (for targetName only, when it is given), left behind by a
/// crash before their rename; links and other kinds of file are left alone.
/// Returns the number removed.
int removeLeftoverTemporaryFiles(const std::filesystem::path& folder,
                                 std::string_view targetName = {});

/// Removes the file at path only when it is a regular file (a leftover of an
/// older version's fixed temporary name); a link there is left alone.
void removeRegularFile(const std::filesystem::path& path);

/// Why target cannot be replaced, checked as the replacement checks it, or
/// success: a link (own files), a folder, device, pipe or socket
/// (NotRegularTarget, EISDIR for a folder), a link to nothing (ENOENT), a
/// read-only file (CannotWrite, EACCES or EROFS). A missing target is fine.
StoreStatus replacementProblem(const std::filesystem::path& target, TargetKind kind);

/// One replacement under way. open() checks the target and creates the
/// temporary file, write() adds bytes, commit() puts the file in place. A
/// replacement that is not committed removes its temporary file when it ends.
/// Every failure names the target as given and keeps the system's errno.
class FileReplacement {
  public:
    explicit FileReplacement(std::filesystem::path target, TargetKind kind = TargetKind::OwnFile,
                             Durability durability = Durability::Flush,
                             const FileOperations& operations = FileOperations::system());
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    StoreStatus open();

    /// Appends bytes to the temporary file. The first failure is kept:
    /// later writes do nothing and commit() returns it.
    StoreStatus write(std::string_view bytes);

    /// Writes bytes at offset from the start of the file (for encoders that
    /// go back to fill in a header); failures are kept as write() keeps them.
    StoreStatus writeAt(std::uint64_t offset, std::string_view bytes);

    /// Gives the file the target's permission bits (0666 less the umask for
    /// a new file), flushes it, renames it over the target, flushes the
    /// folder. On failure before the rename the target is unchanged and the
    /// temporary file removed.
    StoreStatus commit();

    /// The temporary file's path while one is open; empty otherwise.
    const std::filesystem::path& temporaryPath() const { return m_temporary; }

  private:
    void discard();

    std::filesystem::path m_target; // as given: every failure names it
    std::filesystem::path m_final;  // what the rename replaces
    std::filesystem::path m_temporary;
    std::uint64_t m_position = 0; // where the next write() goes
    TargetKind m_kind;
    Durability m_durability;
    const FileOperations& m_operations;
    int m_fd = -1;
    unsigned m_mode = 0;
    bool m_keepOwner = false;
    unsigned m_owner = 0;
    unsigned m_group = 0;
    StoreStatus m_failure = StoreStatus::success();
};

/// Replaces target by a file holding exactly content (see FileReplacement).
StoreStatus replaceFile(const std::filesystem::path& target, std::string_view content,
                        TargetKind kind = TargetKind::OwnFile,
                        Durability durability = Durability::Flush);

/// Creates an empty file of the program's own at path (a marker) when
/// nothing is there; a link or another file there is left as it is. Fails
/// with the reason when the file cannot be made.
StoreStatus createEmptyOwnFile(const std::filesystem::path& path);

} // namespace orbelle
