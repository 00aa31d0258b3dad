#pragma once
// Saving bytes to a file through the one replacement helper (see
// store/filereplacement.h), with the outcome as a status that keeps the
// system's error number, and the reason of a failure in the system's words.

#include "store/filereplacement.h"
#include "store/storestatus.h"

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <optional>

namespace orbelle {

/// The reason of a failed file operation: the system's words when it set
/// errno (error not 0), else Qt's.
QString failureReason(int error, const QString& qtReason);

/// The reason of a failed replacement: the system's words for its errno, the
/// kind of file for a link or a device, else the status's detail.
QString failureReason(const StoreStatus& status);

/// The local path of a file name as Qt gives it.
std::filesystem::path toLocalPath(const QString& path);

/// Replaces path by a file holding bytes. A file the person named
/// (TargetKind::NamedFile) may be a link to a regular file; the program's own
/// files are never written through one. On failure an existing file is
/// unchanged and no temporary file is left; the status names path.
StoreStatus saveFileStatus(const QString& path, const QByteArray& bytes,
                           TargetKind kind = TargetKind::NamedFile);

/// saveFileStatus with the reason of a failure in the system's words.
std::optional<QString> saveFile(const QString& path, const QByteArray& bytes,
                                TargetKind kind = TargetKind::NamedFile);

} // namespace orbelle
