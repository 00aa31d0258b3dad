#include "panes/panepictures.h"

#include "imageio/fileread.h"
#include "panes/storemessage.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace orbelle {

QString dataFilePath(const QString& dir, const QString& name) {
    const QString local = QDir(dir).filePath(name);
    if (!dir.isEmpty() && QFileInfo(local).isFile()) {
        return local;
    }
    return QLatin1String(kBuiltInDataPrefix) + name;
}

QImage loadDataPicture(const QString& dir, const QString& name) {
    const QString local = QDir(dir).filePath(name);
    if (!dir.isEmpty()) {
        StoreResult<QImage> read = readImageFile(local, "PNG", kMaxDataPictureBytes);
        if (read.ok()) {
            return read.value;
        }
        // No copy there (or no data folder at all) is the usual case.
        const int error = read.status.errorNumber();
        if (error != ENOENT && error != ENOTDIR) {
            qWarning("%s", qUtf8Printable(storeMessageLine(read.status)));
        }
    }
    return QImage(QLatin1String(kBuiltInDataPrefix) + name);
}

} // namespace orbelle
