#include "app/startup.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>

namespace orbelle {

QString appDataDir() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(base).filePath(QStringLiteral("Tovrin/Orbelle105")) + QLatin1Char('/');
}

bool ensureAppDataDir(const QString& dir) { return QDir().mkpath(dir); }

std::unique_ptr<QLockFile> takeInstanceLock(const QString& dir) {
    auto lock = std::make_unique<QLockFile>(dir + QStringLiteral("orbelle.lock"));
    // Never stale by age: only a lock whose process is gone is taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return nullptr;
    }
    return lock;
}

QStringList dataFileNames() {
    return {QStringLiteral("radioon2.png"), QStringLiteral("radiooff2.png"),
            QStringLiteral("sankaku4.png"), QStringLiteral("OrbelleHelp001.html"),
            QStringLiteral("Orbelle.ico"),  QStringLiteral("OrbelleO.ico"),
            QStringLiteral("OrbelleH.ico")};
}

void installDataFiles(const QString& dir) {
    for (const QString& name : dataFileNames()) {
        const QString target = dir + name;
        if (QFile::exists(target)) {
            continue;
        }
        // Resource copies come out read-only; the user may replace them.
        if (QFile::copy(QStringLiteral(":/orbelle/data/") + name, target)) {
            QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
        }
    }
}

} // namespace orbelle
