#pragma once
// Reading image files without ever waiting on them: the file is opened
// without blocking and read only when it is a regular file within a size
// limit (store/storefile.h readWholeFile); the picture is then decoded from
// the bytes read, never by a decoder opening the path itself. A named pipe,
// a device or a folder is refused at once.

#include "store/storestatus.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <filesystem>

namespace orbelle {

/// The most bytes an image file is read from (256 MiB): a 16000 x 16000
/// picture of a figure, as the command-line tool draws it, takes far less.
constexpr std::uintmax_t kMaxImageFileBytes = std::uintmax_t{256} << 20;

/// The path as the system's file functions take it.
std::filesystem::path fileSystemPath(const QString& path);

/// The whole content of a regular file of at most maxBytes bytes; the
/// failures of readWholeFile otherwise.
StoreResult<QByteArray> readFileBytes(const QString& path, std::uintmax_t maxBytes);

/// The picture in the bytes of path, in `format` ("PNG", "BMP") or in the
/// format the bytes show when it is empty. A file that cannot be read fails
/// as readFileBytes does; bytes that hold no picture fail with NotImage and
/// the decoder's reason as detail().
StoreResult<QImage> readImageFile(const QString& path, const char* format = nullptr,
                                  std::uintmax_t maxBytes = kMaxImageFileBytes);

} // namespace orbelle
