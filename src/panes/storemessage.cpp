#include "panes/storemessage.h"

#include "store/storedname.h"
#include "widgets/systemreason.h"

#include <QCoreApplication>

namespace orbelle {
namespace {

QString tr(const char* text) { return QCoreApplication::translate("StoreMessage", text); }

QString reason(const StoreStatus& status) { return systemReason(status.errorNumber()); }

QString number(std::uintmax_t value) { return QString::number(static_cast<qulonglong>(value)); }

} // namespace

QString storeMessage(const StoreStatus& status) {
    const QString path = QString::fromStdString(status.path().string());
    switch (status.error()) {
    case StoreError::None:
        return {};
    case StoreError::CannotRead:
        return tr("ファイルを読み込めません: %1\n%2").arg(path, reason(status));
    case StoreError::NotRegularFile:
        if (status.errorNumber() != 0) {
            return tr("ファイルを読み込めません: %1\n%2").arg(path, reason(status));
        }
        return tr("ファイルを読み込めません: %1\n通常のファイルではありません").arg(path);
    case StoreError::TooLarge:
        return tr("ファイルを読み込めません: %1\nファイルが大きすぎます (上限 %2 バイト)")
            .arg(path, number(status.limit()));
    case StoreError::CannotWrite:
        return tr("ファイルに書き込めません: %1\n%2").arg(path, reason(status));
    case StoreError::LinkNotFollowed:
        return tr("ファイルに書き込めません: %1\nシンボリック リンクのため、そのままにします")
            .arg(path);
    case StoreError::NotRegularTarget:
        return tr("ファイルに書き込めません: %1\n通常のファイルではありません").arg(path);
    case StoreError::CannotCreateFolder:
        return tr("フォルダを作成できません: %1\n%2").arg(path, reason(status));
    case StoreError::NotSettingsFile:
        return tr("設定ファイルではありません: %1").arg(path);
    case StoreError::NoHistoryLines:
        return tr("ヒストリー ファイルではありません: %1\n"
                  "ヒストリーの行が一つもありません。ヒストリーは変わりません。")
            .arg(path);
    case StoreError::NoFavoriteLines:
        return tr("お気に入り ファイルではありません: %1\n"
                  "お気に入りの行が一つもありません。お気に入りは変わりません。")
            .arg(path);
    case StoreError::NotImage:
        return tr("画像として読めません: %1\n%2")
            .arg(path, QString::fromStdString(status.detail()));
    case StoreError::NoImageSettings:
        return tr("描画の設定を持たない画像です: %1").arg(path);
    case StoreError::NoSuchFolder:
        return tr("入れるフォルダがありません (番号 %1)").arg(number(status.limit()));
    case StoreError::NameNotText:
        return tr("名前に文字として読めないバイトが含まれています");
    case StoreError::NameControl:
        return tr("名前に制御文字 (改行など) は使えません");
    case StoreError::NameCannotConvert:
        return tr("文字コードを変換できません (CP932)\n%1").arg(reason(status));
    case StoreError::NameCharacter:
        return tr("「%1」は名前に使えません (シフトJISにない文字です)")
            .arg(QString::fromStdString(status.detail()));
    case StoreError::NameTooLong:
        return tr("名前が長すぎます (シフトJISで %1 バイトまで、この名前は %2 バイトです)")
            .arg(number(kMaxStoredNameBytes), number(status.limit()));
    }
    return {};
}

QString storeMessageLine(const StoreStatus& status) {
    return storeMessage(status).replace(QLatin1Char('\n'), QStringLiteral(" — "));
}

} // namespace orbelle
