#pragma once
// Putting a QSaveFile in place so that no failed write goes unnoticed.

#include <QString>

#include <optional>

class QSaveFile;

namespace orbelle {

/// Flushes what the file still buffers and then renames it over the target.
/// QSaveFile::commit() alone misses a write that fails while the buffer is
/// flushed (a full disk, a file size limit with a small file) and would put
/// the cut file in place. Returns the reason when the file was not put in
/// place; the temporary file is then removed and the target left as it was.
std::optional<QString> commitSaveFile(QSaveFile& file);

} // namespace orbelle
