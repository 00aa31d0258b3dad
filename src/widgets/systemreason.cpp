#include "widgets/systemreason.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

namespace orbelle {
namespace {

QString tr(const char* text) { return QCoreApplication::translate("SystemReason", text); }

} // namespace

QString systemReason(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return tr("ファイルまたはフォルダがありません");
    case EACCES:
    case EPERM:
        return tr("アクセス権がありません");
    case ENOSPC:
        return tr("ディスクの空きがありません");
    case EDQUOT:
        return tr("ディスクの使用量が上限に達しています");
    case EROFS:
        return tr("読み取り専用のファイル システムです");
    case EISDIR:
        return tr("フォルダです");
    case EFBIG:
        return tr("ファイルが大きすぎます");
    default:
        return QString::fromLocal8Bit(std::strerror(errorNumber));
    }
}

} // namespace orbelle
