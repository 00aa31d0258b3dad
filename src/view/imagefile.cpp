#include "view/imagefile.h"

#include "store/imagetext.h"
#include "widgets/savefile.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace orbelle {

QByteArray imageFormatForPath(const QString& path) {
    QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (suffix == "jpg") {
        suffix = "jpeg";
    }
    if (suffix.isEmpty() || !QImageWriter::supportedImageFormats().contains(suffix)) {
        return {};
    }
    return suffix;
}

QString writeImageFile(const QImage& image, const QString& path) {
    const QString shownPath = QDir::toNativeSeparators(path);
    const auto failure = [&](const QString& reason) {
        return QObject::tr("画像ファイル「%1」を保存できません。\n%2").arg(shownPath, reason);
    };
    const QByteArray format = imageFormatForPath(path);
    if (format.isEmpty()) {
        return failure(QObject::tr("拡張子「%1」の画像形式では保存できません。")
                           .arg(QFileInfo(path).suffix()));
    }
    if (image.isNull()) {
        return failure(QObject::tr("画像のためのメモリーが足りません。"));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return failure(file.errorString());
    }
    QImageWriter writer(&file, format);
    if (!writer.write(image)) {
        file.cancelWriting();
        return failure(writer.errorString());
    }
    if (const auto reason = commitSaveFile(file)) {
        return failure(*reason);
    }
    return {};
}

std::optional<DrawSettings> settingsFromImage(const QString& path) {
    QImageReader reader(path);
    if (!reader.canRead()) {
        return std::nullopt;
    }
    const QString text = reader.text(QString::fromLatin1(kImageSettingsKey));
    return settingsFromImageText(text.toStdString());
}

} // namespace orbelle
