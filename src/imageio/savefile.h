#pragma once
// Replacing a file through QSaveFile so that no failed write goes unnoticed,
// with the reason in the system's own words.

#include <QByteArray>
#include <QString>

#include <optional>

class QSaveFile;

namespace orbelle {

/// The reason of a failed file operation: the system's words when it set
/// errno (error not 0), else Qt's. Qt reports a write cut short by a full disk
/// as "Unknown error"; the system calls it "No space left on device".
QString failureReason(int error, const QString& qtReason);

/// Flushes what the file still buffers and then renames it over the target.
/// QSaveFile::commit() alone misses a write that fails while the buffer is
/// flushed (a full disk, a file size limit with a small file) and would put
/// the cut file in place. Returns the reason when the file was not put in
/// place; the temporary file is then removed and the target left as it was.
std::optional<QString> commitSaveFile(QSaveFile& file);

/// Writes bytes to path through a temporary file beside it that replaces path
/// only when complete. Returns the reason on failure; an existing file at
/// path is then unchanged and no temporary file is left.
std::optional<QString> saveFile(const QString& path, const QByteArray& bytes);

} // namespace orbelle
