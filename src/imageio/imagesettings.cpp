#include "imageio/imagesettings.h"

#include "store/imagetext.h"

#include <QImage>
#include <QImageReader>

namespace orbelle {

void setImageSettings(QImage& image, const DrawSettings& record) {
    image.setText(QString::fromLatin1(kImageSettingsKey),
                  QString::fromStdString(imageSettingsText(record)));
}

std::optional<DrawSettings> settingsFromImageFile(const QString& path) {
    QImageReader reader(path);
    if (!reader.canRead()) {
        return std::nullopt;
    }
    return settingsFromImageText(reader.text(QString::fromLatin1(kImageSettingsKey)).toStdString());
}

} // namespace orbelle
