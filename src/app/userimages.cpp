#include "app/userimages.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cstdio>

namespace orbelle {
namespace {

void ignore(const QString& path, const QString& reason) {
    std::fprintf(stderr, "orbelle: %s: %s; no user toolbar images\n", qPrintable(path),
                 qPrintable(reason));
}

} // namespace

QList<QImage> loadUserImages(const QString& appDataDir) {
    const QString path = appDataDir + QLatin1String(kUserImagesFile);
    const QFileInfo info(path);
    if (!info.isFile()) {
        ignore(path, QStringLiteral("not found"));
        return {};
    }
    if (info.size() > kMaxUserImagesBytes) {
        ignore(path,
               QStringLiteral("%1 bytes, more than %2").arg(info.size()).arg(kMaxUserImagesBytes));
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ignore(path, file.errorString());
        return {};
    }
    // Read from the bytes so that the size checked is the size decoded.
    const QByteArray bytes = file.read(kMaxUserImagesBytes + 1);
    QImage strip;
    if (bytes.size() > kMaxUserImagesBytes || !strip.loadFromData(bytes, "BMP")) {
        ignore(path, QStringLiteral("not a readable BMP picture"));
        return {};
    }
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
