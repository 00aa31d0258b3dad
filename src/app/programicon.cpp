#include "app/programicon.h"

#include <QString>

namespace orbelle {

QList<int> programIconSizes() { return {16, 24, 32, 48, 64, 128, 256}; }

QIcon programIcon() {
    QIcon icon;
    for (const int side : programIconSizes()) {
        icon.addFile(QStringLiteral(":/orbelle/desktop/hicolor/%1x%1/apps/orbelle.png").arg(side),
                     QSize(side, side));
    }
    return icon;
}

} // namespace orbelle
