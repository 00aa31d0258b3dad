#include "app/settingsfilecheck.h"

#include "imageio/fileread.h"
#include "widgets/systemreason.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace orbelle {
namespace {

QString tr(const char* text) { return QCoreApplication::translate("SettingsFileCheck", text); }

SettingsFileCheck verdict(const QString& path, SettingsFileCheck::Outcome outcome,
                          const QString& reason) {
    SettingsFileCheck check;
    check.outcome = outcome;
    check.path = path;
    check.reason = reason;
    return check;
}

// The first folder on the way up from `folder` that exists.
QString existingFolder(QString folder) {
    while (!QFileInfo::exists(folder) && QDir(folder).cdUp()) {
        folder = QFileInfo(folder).path();
    }
    return folder;
}

} // namespace

QString settingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + QCoreApplication::organizationName() + QLatin1Char('/') +
           QCoreApplication::applicationName() + QStringLiteral(".conf");
}

SettingsFileCheck checkSettingsFile(const QString& path) {
    using Outcome = SettingsFileCheck::Outcome;
    const std::filesystem::path file = fileSystemPath(path);
    const QString folder = existingFolder(QFileInfo(path).path());
    const bool folderWritable = ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
    const int folderError = folderWritable ? 0 : errno;
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0) {
        if (errno != ENOENT) {
            return verdict(path, Outcome::Unusable, systemReason(errno));
        }
        return folderWritable
                   ? verdict(path, Outcome::Usable, {})
                   : verdict(path, Outcome::ReadOnly,
                             tr("フォルダに書き込めません: ") + systemReason(folderError));
    }
    if (S_ISLNK(info.st_mode)) {
        return verdict(path, Outcome::Unusable, tr("リンクです"));
    }
    StoreResult<QByteArray> read = readFileBytes(path, kMaxSettingsStoreBytes);
    if (!read.ok()) {
        const StoreStatus& status = read.status;
        QString reason = systemReason(status.errorNumber());
        if (status.error() == StoreError::NotRegularFile && status.errorNumber() == 0) {
            reason = tr("通常のファイルではありません");
        } else if (status.error() == StoreError::TooLarge) {
            reason = tr("ファイルが大きすぎます (上限 %1 MiB)").arg(kMaxSettingsStoreBytes >> 20);
        }
        return verdict(path, Outcome::Unusable, reason);
    }
    SettingsFileCheck check = verdict(path, Outcome::Usable, {});
    check.content = std::move(read.value);
    if (!folderWritable) {
        check.outcome = Outcome::ReadOnly;
        check.reason = tr("フォルダに書き込めません: ") + systemReason(folderError);
    } else if (::access(file.c_str(), W_OK) != 0) {
        check.outcome = Outcome::ReadOnly;
        check.reason = systemReason(errno);
    }
    return check;
}

QString settingsFileMessage(const SettingsFileCheck& check) {
    const QString shown = QDir::toNativeSeparators(check.path);
    switch (check.outcome) {
    case SettingsFileCheck::Outcome::Usable:
        return {};
    case SettingsFileCheck::Outcome::ReadOnly:
        return tr("設定ファイル %1 に書き込めません (%2)。この回の配置などの変更は保存されません。")
            .arg(shown, check.reason);
    case SettingsFileCheck::Outcome::Unusable:
        return tr("設定ファイル %1 を使えません "
                  "(%2)。既定の設定で動き、このファイルには触れません。")
            .arg(shown, check.reason);
    }
    return {};
}

std::unique_ptr<QTemporaryDir> useStandInSettings(const SettingsFileCheck& check) {
    if (check.outcome == SettingsFileCheck::Outcome::Usable) {
        return nullptr;
    }
    auto folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid()) {
        return nullptr;
    }
    if (check.outcome == SettingsFileCheck::Outcome::ReadOnly && !check.content.isEmpty()) {
        QDir().mkpath(folder->filePath(QCoreApplication::organizationName()));
        QFile copy(folder->filePath(QCoreApplication::organizationName() + QLatin1Char('/') +
                                    QCoreApplication::applicationName() + QStringLiteral(".conf")));
        if (copy.open(QIODevice::WriteOnly)) {
            copy.write(check.content);
        }
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder->path());
    return folder;
}

} // namespace orbelle
