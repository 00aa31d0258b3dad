#include "cli/imageinput.h"

#include "store/imagetext.h"

#include <QFileInfo>
#include <QImageReader>
#include <QString>

namespace orbelle::cli {

bool isImagePath(const std::string& path) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("jpg") ||
           suffix == QLatin1String("jpeg");
}

std::optional<DrawSettings> settingsFromImageFile(const std::string& path) {
    // Only the metadata is read, never the pixels.
    QImageReader reader(QString::fromStdString(path));
    if (!reader.canRead()) {
        return std::nullopt;
    }
    return settingsFromImageText(reader.text(QString::fromLatin1(kImageSettingsKey)).toStdString());
}

} // namespace orbelle::cli
