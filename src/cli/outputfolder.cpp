#include "cli/outputfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace orbelle::cli {

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

} // namespace orbelle::cli
