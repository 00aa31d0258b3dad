#include "imageio/imageformat.h"

#include <QFileInfo>
#include <QImageWriter>

#include <algorithm>
#include <array>

namespace orbelle {
namespace {

QString extensionOf(const QString& path) { return QFileInfo(path).suffix().toLower(); }

} // namespace

std::span<const ImageFormat> imageFormats() {
    static const std::array<ImageFormat, 4> kFormats{{
        {QStringLiteral("png"), QByteArrayLiteral("png"), -1, true},
        {QStringLiteral("bmp"), QByteArrayLiteral("bmp"), -1, false},
        {QStringLiteral("jpg"), QByteArrayLiteral("jpeg"), 95, true},
        {QStringLiteral("jpeg"), QByteArrayLiteral("jpeg"), 95, true},
    }};
    return kFormats;
}

std::optional<ImageFormat> imageFormatFor(const QString& path) {
    const QString extension = extensionOf(path);
    const auto formats = imageFormats();
    const auto row = std::find_if(formats.begin(), formats.end(),
                                  [&](const ImageFormat& f) { return f.extension == extension; });
    if (row == formats.end()) {
        return std::nullopt;
    }
    return *row;
}

std::optional<ImageFormat> writableImageFormatFor(const QString& path) {
    if (auto format = imageFormatFor(path)) {
        return format;
    }
    const QByteArray extension = extensionOf(path).toLatin1();
    if (extension.isEmpty() || !QImageWriter::supportedImageFormats().contains(extension)) {
        return std::nullopt;
    }
    return ImageFormat{QString::fromLatin1(extension), extension, -1, false};
}

bool carriesSettings(const QString& path) {
    const auto format = imageFormatFor(path);
    return format && format->carriesSettings;
}

} // namespace orbelle
