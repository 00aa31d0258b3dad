// The desktop program's wording of every store failure, as the message boxes
// and the status bar show it.

#include "panes/storemessage.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace orbelle;

namespace {

StoreStatus failed(StoreError error, const char* path = "", int errorNumber = 0) {
    return StoreStatus::failure(error, path, errorNumber);
}

} // namespace

TEST(StoreMessage, EveryFailureIsWordedWithItsFileAndReason) {
    const struct {
        StoreStatus status;
        const char* message;
    } cases[] = {
        {failed(StoreError::CannotRead, "/d/csv_history0", ENOENT),
         "ファイルを読み込めません: /d/csv_history0\nファイルまたはフォルダがありません"},
        {failed(StoreError::NotRegularFile, "/d/x.orbhs"),
         "ファイルを読み込めません: /d/x.orbhs\n通常のファイルではありません"},
        {failed(StoreError::TooLarge, "/d/x.orbhs", EFBIG).withLimit(67108864),
         "ファイルを読み込めません: /d/x.orbhs\nファイルが大きすぎます (上限 67108864 バイト)"},
        {failed(StoreError::CannotWrite, "/d/csv_okiniiri0", EACCES),
         "ファイルに書き込めません: /d/csv_okiniiri0\nアクセス権がありません"},
        {failed(StoreError::CannotCreateFolder, "/d/data", ENOTDIR),
         "フォルダを作成できません: /d/data\nNot a directory"},
        {failed(StoreError::NoHistoryLines, "/d/ピクチャ.png"),
         "ヒストリー ファイルではありません: /d/ピクチャ.png\n"
         "ヒストリーの行が一つもありません。ヒストリーは変わりません。"},
        {failed(StoreError::NoFavoriteLines, "/d/a.txt"),
         "お気に入り ファイルではありません: /d/a.txt\n"
         "お気に入りの行が一つもありません。お気に入りは変わりません。"},
        {failed(StoreError::NotRegularFile, "/d/folder", EISDIR),
         "ファイルを読み込めません: /d/folder\nフォルダです"},
        {failed(StoreError::NotImage, "/d/broken.png").withDetail("Unable to read image data"),
         "画像として読めません: /d/broken.png\nUnable to read image data"},
        {failed(StoreError::NoImageSettings, "/d/photo.jpg"),
         "描画の設定を持たない画像です: /d/photo.jpg"},
        {failed(StoreError::NoSuchFolder).withLimit(7), "入れるフォルダがありません (番号 7)"},
        {failed(StoreError::NameNotText), "名前に文字として読めないバイトが含まれています"},
        {failed(StoreError::NameControl), "名前に制御文字 (改行など) は使えません"},
        {failed(StoreError::NameCannotConvert, "", EINVAL),
         "文字コードを変換できません (CP932)\nInvalid argument"},
        {failed(StoreError::NameCharacter).withDetail("鷗"),
         "「鷗」は名前に使えません (シフトJISにない文字です)"},
        {failed(StoreError::NameTooLong).withLimit(513),
         "名前が長すぎます (シフトJISで 511 バイトまで、この名前は 513 バイトです)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(storeMessage(c.status).toStdString(), c.message);
    }
    EXPECT_TRUE(storeMessage(StoreStatus::success()).isEmpty());
    // The status bar takes the message on one line.
    EXPECT_EQ(
        storeMessageLine(failed(StoreError::CannotRead, "/d/csv_history0", EACCES)).toStdString(),
        "ファイルを読み込めません: /d/csv_history0 — アクセス権がありません");
}
