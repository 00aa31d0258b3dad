#include "imageio/savefile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace orbelle {

QString failureReason(int error, const QString& qtReason) {
    return error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : qtReason;
}

QString failureReason(const StoreStatus& status) {
    switch (status.error()) {
    case StoreError::LinkNotFollowed:
        return QStringLiteral("it is a symbolic link, which is left alone");
    case StoreError::NotRegularTarget:
        return status.errorNumber() == EISDIR
                   ? failureReason(EISDIR, {})
                   : QStringLiteral("not a regular file (a device, a pipe or a socket)");
    default:
        return failureReason(status.errorNumber(), QString::fromStdString(status.detail()));
    }
}

std::filesystem::path toLocalPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

StoreStatus saveFileStatus(const QString& path, const QByteArray& bytes, TargetKind kind) {
    return replaceFile(toLocalPath(path), std::string_view(bytes.constData(), bytes.size()), kind);
}

std::optional<QString> saveFile(const QString& path, const QByteArray& bytes, TargetKind kind) {
    const StoreStatus status = saveFileStatus(path, bytes, kind);
    if (status.ok()) {
        return std::nullopt;
    }
    return failureReason(status);
}

} // namespace orbelle
