#include "app/userimages.h"

#include "imageio/fileread.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace orbelle {
namespace {

void ignore(const QString& path, const QString& reason) {
    std::fprintf(stderr, "orbelle: %s: %s; no user toolbar images\n", qPrintable(path),
                 qPrintable(reason));
}

// The reason a strip is not taken, as one phrase.
QString reasonOf(const StoreStatus& status) {
    switch (status.error()) {
    case StoreError::NotRegularFile:
        return QStringLiteral("not a regular file");
    case StoreError::TooLarge:
        return QStringLiteral("more than %1 bytes").arg(kMaxUserImagesBytes);
    case StoreError::NotImage:
        return QStringLiteral("not a readable BMP picture");
    default:
        // No file there, or no data folder at all.
        return status.errorNumber() == ENOENT || status.errorNumber() == ENOTDIR
                   ? QStringLiteral("not found")
                   : QString::fromLocal8Bit(std::strerror(status.errorNumber()));
    }
}

} // namespace

QList<QImage> loadUserImages(const QString& appDataDir) {
    const QString path = appDataDir + QLatin1String(kUserImagesFile);
    // Read from bytes obtained without waiting on the file, so that the size
    // checked is the size decoded and a named pipe there blocks nothing.
    StoreResult<QImage> read =
        readImageFile(path, "BMP", static_cast<std::uintmax_t>(kMaxUserImagesBytes));
    if (!read.ok()) {
        ignore(path, reasonOf(read.status));
        return {};
    }
    const QImage& strip = read.value;
    if (strip.height() != kUserImageHeight || strip.width() < kUserImageWidth) {
        ignore(path, QStringLiteral("%1 x %2 pixels, not a strip of %3 x %4 images")
                         .arg(strip.width())
                         .arg(strip.height())
                         .arg(kUserImageWidth)
                         .arg(kUserImageHeight));
        return {};
    }
    QList<QImage> images;
    for (int x = 0; x + kUserImageWidth <= strip.width(); x += kUserImageWidth) {
        images << strip.copy(x, 0, kUserImageWidth, kUserImageHeight);
    }
    return images;
}

} // namespace orbelle
