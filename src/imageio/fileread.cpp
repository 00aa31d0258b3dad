#include "imageio/fileread.h"

#include "store/storefile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace orbelle {

std::filesystem::path fileSystemPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

StoreResult<QByteArray> readFileBytes(const QString& path, std::uintmax_t maxBytes) {
    StoreResult<QByteArray> result;
    StoreResult<std::string> content = readWholeFile(fileSystemPath(path), maxBytes);
    result.status = std::move(content.status);
    if (result.ok()) {
        result.value = QByteArray::fromStdString(content.value);
    }
    return result;
}

StoreResult<QImage> readImageFile(const QString& path, const char* format,
                                  std::uintmax_t maxBytes) {
    StoreResult<QImage> result;
    StoreResult<QByteArray> bytes = readFileBytes(path, maxBytes);
    if (!bytes.ok()) {
        result.status = std::move(bytes.status);
        return result;
    }
    QBuffer buffer(&bytes.value);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    if (!reader.read(&result.value)) {
        result.status = StoreStatus::failure(StoreError::NotImage, fileSystemPath(path))
                            .withDetail(reader.errorString().toStdString());
    }
    return result;
}

} // namespace orbelle
