#include "panes/panepictures.h"

#include <QDir>
#include <QFileInfo>

namespace orbelle {

QString dataFilePath(const QString& dir, const QString& name) {
    const QString local = QDir(dir).filePath(name);
    if (!dir.isEmpty() && QFileInfo(local).isFile()) {
        return local;
    }
    return QLatin1String(kBuiltInDataPrefix) + name;
}

} // namespace orbelle
