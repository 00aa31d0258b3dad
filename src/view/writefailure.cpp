#include "view/writefailure.h"

#include "widgets/systemreason.h"

#include <QCoreApplication>

#include <cerrno>

namespace orbelle {

QString writeFailureReason(const StoreStatus& status) {
    switch (status.error()) {
    case StoreError::LinkNotFollowed:
        return QCoreApplication::translate("WriteFailure",
                                           "シンボリック リンクのため、そのままにします");
    case StoreError::NotRegularTarget:
        return status.errorNumber() == EISDIR
                   ? systemReason(EISDIR)
                   : QCoreApplication::translate("WriteFailure", "通常のファイルではありません");
    default:
        return status.errorNumber() != 0 ? systemReason(status.errorNumber())
                                         : QString::fromStdString(status.detail());
    }
}

} // namespace orbelle
