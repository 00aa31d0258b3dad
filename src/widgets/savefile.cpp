#include "widgets/savefile.h"

#include <QSaveFile>

namespace orbelle {

std::optional<QString> commitSaveFile(QSaveFile& file) {
    if (!file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting(); // the temporary file goes with the QSaveFile
        return reason;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return std::nullopt;
}

} // namespace orbelle
