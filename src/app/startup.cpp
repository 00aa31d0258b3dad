#include "app/startup.h"

#include "widgets/datafiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>

namespace orbelle {

void setApplicationNames() {
    QCoreApplication::setOrganizationName(QStringLiteral("Pelvane105"));
    QCoreApplication::setApplicationName(QStringLiteral("Orbelle"));
}

QString appDataDir() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(base).filePath(QStringLiteral("Tovrin/Orbelle105")) + QLatin1Char('/');
}

bool ensureAppDataDir(const QString& dir) { return QDir().mkpath(dir); }

std::unique_ptr<QLockFile> takeInstanceLock(const QString& dir) {
    auto lock = std::make_unique<QLockFile>(dir + kInstanceLockFile);
    // Never stale by age: only a lock whose process is gone is taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return nullptr;
    }
    return lock;
}

QStringList dataFileNames() {
    return {kOptionOnImageFile, kOptionOffImageFile, kHueMarkerImageFile, kHelpPageFile,
            kProgramIconFile,   kFavoritesIconFile,  kHistoryIconFile};
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
