#include "imageio/savefile.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace orbelle {

QString failureReason(int error, const QString& qtReason) {
    return error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : qtReason;
}

std::optional<QString> commitSaveFile(QSaveFile& file) {
    errno = 0;
    if (!file.flush()) {
        const QString reason = failureReason(errno, file.errorString());
        file.cancelWriting(); // the temporary file goes with the QSaveFile
        return reason;
    }
    errno = 0;
    if (!file.commit()) {
        return failureReason(errno, file.errorString());
    }
    return std::nullopt;
}

std::optional<QString> saveFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        return failureReason(errno, file.errorString());
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const QString reason = failureReason(errno, file.errorString());
        file.cancelWriting();
        return reason;
    }
    return commitSaveFile(file);
}

} // namespace orbelle
