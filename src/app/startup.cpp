#include "app/startup.h"

#include "app/datafiles.h"
#include "app/helppage.h"
#include "imageio/savefile.h"
#include "panes/storemessage.h"
#include "store/filereplacement.h"

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

QStringList installDataFiles(const QString& dir) {
    removeLeftoverTemporaryFiles(toLocalPath(dir));
    QStringList problems;
    for (const QString& name : dataFileNames()) {
        if (name == QLatin1String(kHelpPageFile)) {
            continue; // the help page has its own rule, below
        }
        const QString target = dir + name;
        const std::filesystem::path local = toLocalPath(target);
        std::error_code error;
        if (std::filesystem::symlink_status(local, error).type() ==
            std::filesystem::file_type::regular) {
            continue;
        }
        StoreStatus status = replacementProblem(local, TargetKind::OwnFile);
        if (status.ok()) {
            QFile builtIn(QLatin1String(kBuiltInDataPrefix) + name);
            if (!builtIn.open(QIODevice::ReadOnly)) {
                problems << QStringLiteral("%1: %2").arg(name, builtIn.errorString());
                continue;
            }
            status = saveFileStatus(target, builtIn.readAll(), TargetKind::OwnFile);
        }
        if (!status.ok()) {
            problems << storeMessageLine(status);
        }
    }
    // A help page older than the program gives way to the program's manual.
    if (const QString help = installHelpPage(dir); !help.isEmpty()) {
        problems << QString(help).replace(QLatin1Char('\n'), QStringLiteral(" — "));
    }
    return problems;
}

QString dataFilesProblemText(const QStringList& problems) {
    if (problems.isEmpty()) {
        return {};
    }
    return QStringLiteral("データ ファイルを用意できません (組み込みの内容を使います): ") +
           problems.join(QStringLiteral(" / "));
}

} // namespace orbelle
