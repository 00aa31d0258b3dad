#include "cli/imagewrite.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

namespace orbelle::cli {

QByteArray imageFormatFor(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return "png";
    }
    if (suffix == QLatin1String("bmp")) {
        return "bmp";
    }
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        return "jpeg";
    }
    return {};
}

std::optional<std::string> folderProblem(const QString& path) {
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    if (!folder.exists()) {
        return "the folder " + folder.path().toStdString() + " does not exist";
    }
    if (target.isDir()) {
        return "it is a folder";
    }
    QTemporaryFile trial(folder.filePath(QStringLiteral(".orbelle-cli-XXXXXX")));
    if (!trial.open()) {
        return "the folder " + folder.path().toStdString() +
               " is not writable: " + trial.errorString().toStdString();
    }
    return std::nullopt;
}

std::string reasonOf(int error, const QString& qtReason) {
    return error != 0 ? std::strerror(error) : qtReason.toStdString();
}

// Encoding first keeps write errors away from the image plug-ins, which would
// print lines of their own.
std::optional<std::string> writeImage(const QImage& image, const QString& path,
                                      const QByteArray& format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "jpeg") {
        writer.setQuality(95);
    }
    if (!writer.write(image)) {
        return writer.errorString().toStdString();
    }
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        return reasonOf(errno, file.errorString());
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int error = errno;
        file.cancelWriting();
        return reasonOf(error, file.errorString());
    }
    // A short write of data still in the file's buffer shows only when the
    // buffer is flushed; commit() alone would rename the cut file into place.
    errno = 0;
    if (!file.flush()) {
        const int error = errno;
        file.cancelWriting();
        return reasonOf(error, file.errorString());
    }
    errno = 0;
    if (!file.commit()) {
        return reasonOf(errno, file.errorString());
    }
    return std::nullopt;
}

} // namespace orbelle::cli
