#include "imageio/imagesettings.h"

#include "imageio/fileread.h"
#include "store/imagetext.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

namespace orbelle {

void setImageSettings(QImage& image, const DrawSettings& record) {
    image.setText(QString::fromLatin1(kImageSettingsKey),
                  QString::fromStdString(imageSettingsText(record)));
}

StoreResult<DrawSettings> readImageSettings(const QString& path, ColourBits colours) {
    StoreResult<DrawSettings> result;
    StoreResult<QByteArray> bytes = readFileBytes(path, kMaxImageFileBytes);
    if (!bytes.ok()) {
        result.status = std::move(bytes.status);
        return result;
    }
    QBuffer buffer(&bytes.value);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!reader.canRead()) {
        result.status = StoreStatus::failure(StoreError::NotImage, fileSystemPath(path))
                            .withDetail(reader.errorString().toStdString());
        return result;
    }
    const std::optional<DrawSettings> settings = settingsFromImageText(
        reader.text(QString::fromLatin1(kImageSettingsKey)).toStdString(), colours);
    if (!settings) {
        result.status = StoreStatus::failure(StoreError::NoImageSettings, fileSystemPath(path));
        return result;
    }
    result.value = *settings;
    return result;
}

std::optional<DrawSettings> settingsFromImageFile(const QString& path) {
    const StoreResult<DrawSettings> read = readImageSettings(path);
    if (!read.ok()) {
        return std::nullopt;
    }
    return read.value;
}

} // namespace orbelle
