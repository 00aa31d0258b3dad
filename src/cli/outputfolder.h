#pragma once
// Whether orbelle-cli can make a file at a path, asked before any drawing.

#include <QString>

#include <optional>
#include <string>

namespace orbelle::cli {

/// Tells why no file can be made at path, or nothing when one can: the
/// folder must exist, path must not be a folder, a device, a pipe, a socket
/// or a read-only file (a link to a regular file is fine), and a trial file
/// made in the folder (and removed at once) must succeed.
std::optional<std::string> folderProblem(const QString& path);

} // namespace orbelle::cli
