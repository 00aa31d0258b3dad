#pragma once
// The image formats Orbelle writes, chosen by the file name's extension: one
// table for the command-line tool and the desktop program.

#include <QByteArray>
#include <QString>

#include <optional>
#include <span>

namespace orbelle {

struct ImageFormat {
    QString extension;       // lower case, without the dot
    QByteArray writerFormat; // the name QImageWriter knows the format by
    int quality;             // -1 for the writer's default
    bool carriesSettings;    // the file keeps the settings line in its metadata
};

/// PNG, BMP and JPEG (".jpg" and ".jpeg", at quality 95); PNG and JPEG carry
/// the settings line.
std::span<const ImageFormat> imageFormats();

/// The row of imageFormats() for the extension of path (any case); nothing for
/// any other extension.
std::optional<ImageFormat> imageFormatFor(const QString& path);

/// imageFormatFor, or else any other format an installed image writer knows
/// by the extension (".tif", ".webp", ...), at the writer's default quality
/// and without the settings line: the desktop export writes those too.
std::optional<ImageFormat> writableImageFormatFor(const QString& path);

/// True when path names a file of a format that carries the settings line
/// (".png", ".jpg", ".jpeg" in any case): such a file is read as a record.
bool carriesSettings(const QString& path);

} // namespace orbelle
