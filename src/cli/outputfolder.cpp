#include "cli/outputfolder.h"

#include "imageio/savefile.h"
#include "store/filereplacement.h"

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
    // A device, a pipe, a socket or a read-only file is refused as the write
    // would refuse it, before any drawing.
    const StoreStatus replaceable = replacementProblem(toLocalPath(path), TargetKind::NamedFile);
    if (!replaceable.ok()) {
        return failureReason(replaceable).toStdString();
    }
    QTemporaryFile trial(folder.filePath(QStringLiteral(".orbelle-cli-XXXXXX")));
    if (!trial.open()) {
        return "the folder " + folder.path().toStdString() +
               " is not writable: " + trial.errorString().toStdString();
    }
    return std::nullopt;
}

} // namespace orbelle::cli
