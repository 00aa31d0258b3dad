#include "app/startup.h"

#include "app/datafiles.h"
#include "app/helppage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QStandardPaths>

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

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

QString prepareAppDataDir(const QString& dir) {
    const std::filesystem::path path(QFile::encodeName(dir).toStdString());
    std::error_code error;
    std::filesystem::create_directories(path, error);
    std::error_code ignored;
    if (!error && !std::filesystem::is_directory(path, ignored)) {
        error = std::make_error_code(std::errc::not_a_directory);
    }
    if (error) {
        return QString::fromLocal8Bit(error.message());
    }
#ifdef Q_OS_UNIX
    if (::access(path.c_str(), W_OK | X_OK) != 0) {
        return QString::fromLocal8Bit(std::generic_category().message(errno));
    }
#endif
    return {};
}

QString dataFolderWarning(const QString& dir, const QString& reason) {
    return QStringLiteral("%1 に書き込めません\n%2").arg(QDir::toNativeSeparators(dir), reason);
}

void warnDataFolderUnwritable(QWidget* parent, const QString& dir, const QString& reason) {
    const QString text = dataFolderWarning(dir, reason);
    qWarning("%s", qUtf8Printable(text));
    QMessageBox::warning(parent, QStringLiteral("Orbelle"), text);
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
        if (QFile::copy(QLatin1String(kBuiltInDataPrefix) + name, target)) {
            QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
        }
    }
    // A help page older than the program gives way to the program's manual.
    installHelpPage(dir);
}

} // namespace orbelle
