#include "app/commandset.h"

#include "app/apptest.h"
#include "app/menuitems.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

using namespace orbelle;

namespace {

using test::describe;
using test::submenu;

class CommandSetTest : public ::testing::Test {
  protected:
    QMainWindow window;
    const CommandSet commands{&window};
};

} // namespace

// The menus as the person reads them: every command's label, shortcut and
// stored number. Two commands stand outside these menus: "カスタマイズ..."
// (the window puts it into the toolbar list) and the Windows 7 look.
TEST_F(CommandSetTest, MenusCarryEveryCommandWithItsLabelKeyAndNumber) {
    QStringList titles;
    QList<const QMenu*> menus;
    for (const QAction* action : window.menuBar()->actions()) {
        titles << action->text();
        menus << action->menu();
    }
    ASSERT_EQ(titles, (QStringList{"ファイル(&F)", "描画(&B)", "お気に入り(&O)", "ヒストリー(&E)",
                                   "表示(&V)", "ヘルプ(&H)"}));
    EXPECT_EQ(describe(menus[0], &commands),
              (QStringList{"開く(&O)...|Ctrl+O|cmd11701", "上書き保存(&S)|Ctrl+S|cmd11702",
                           "名前を付けて保存(&A)...||cmd11700", "-", "画像ファイルへ保存>", "-",
                           "印刷(&P)||cmd12003", "印刷プレビュー(&V)||cmd12004", "-",
                           "アプリケーションの終了(&X)||cmd57665"}));
    EXPECT_EQ(describe(submenu(menus[0], "画像ファイルへ保存"), &commands),
              (QStringList{"BITMAPで保存||cmd11800", "JPEGで保存||cmd11801"}));
    EXPECT_EQ(describe(menus[1], &commands),
              (QStringList{"描画|F3|cmd10030", "描画 ランダム|F4|cmd10031",
                           "よい図形を探す|Shift+F4|cmd10034", "自動描画||cmd32841", "-",
                           "拡大|F5|cmd11901", "縮小|F6|cmd11902", "標準の大きさ|F7|cmd11903", "-",
                           "ズームイン|F9|cmd10011", "ズームアウト|F10|cmd10012",
                           "中央表示|F11|cmd11602", "-", "カラー・ストローク・デフォルト||cmd11070",
                           "３Ｄ変換・リセット||cmd11240"}));
    EXPECT_EQ(describe(menus[2], &commands),
              (QStringList{"お気に入りファイル作成||cmd11802", "お気に入りフォルダ作成||cmd11803",
                           "-", "お気に入りの保存||cmd11804", "お気に入りの読み込み||cmd11805", "-",
                           "お気に入りのリセット||cmd32820"}));
    EXPECT_EQ(describe(menus[3], &commands),
              (QStringList{"一つ前に戻す(&U)|Ctrl+Z|cmd11806", "一つ後に戻す(&T)|Ctrl+D|cmd11807",
                           "前のページ|Ctrl+Shift+Z|cmd11808", "後のページ|Ctrl+Shift+D|cmd11809",
                           "-", "ヒストリーの保存||cmd11810", "ヒストリーの読み込み||cmd11811", "-",
                           "ヒストリーのリセット||cmd32821"}));
    EXPECT_EQ(describe(menus[4], &commands),
              (QStringList{"ツール バーとドッキング ウィンドウ(&T)>",
                           "ステータス バー(&S)||cmd59393", "-", "ウィンドウに合わせる||cmd32840",
                           "-", "アプリケーションの外観(&A)>", "レイアウトのリセット||cmd12102"}));
    const QMenu* looks = submenu(menus[4], "アプリケーションの外観(&A)");
    EXPECT_EQ(
        describe(looks, &commands),
        (QStringList{"Windows 2000(&2)||cmd205", "Office XP(&X)||cmd206", "Windows XP(&W)||cmd207",
                     "Office 2003(&3)||cmd208", "Visual Studio 200&5||cmd209",
                     "Visual Studio 200&8||cmd210", "Office 2007(&7)>"}));
    EXPECT_EQ(describe(submenu(looks, "Office 2007(&7)"), &commands),
              (QStringList{"ブルー スタイル(&B)||cmd215", "ブラック スタイル(&L)||cmd216",
                           "シルバー スタイル(&S)||cmd217", "アクア スタイル(&A)||cmd218"}));
    EXPECT_EQ(describe(menus[5], &commands),
              (QStringList{"ヘルプ||cmd57670", "オンラインヘルプ||cmd12103",
                           "ホームページ||cmd32825", "連絡先　メールアドレス||cmd32819",
                           "バージョン情報 Orbelle(&A)...||cmd57664"}));
    EXPECT_EQ(commands.toolbarsAndPanesMenu(),
              submenu(menus[4], "ツール バーとドッキング ウィンドウ(&T)"));

    // The two outside the menus.
    const QAction* customise = commands.action(CommandId::CustomiseToolBar);
    const QAction* windows7 = commands.action(CommandId::StyleWindows7);
    ASSERT_TRUE(customise != nullptr && windows7 != nullptr);
    EXPECT_EQ(customise->objectName() + customise->text(), QStringLiteral("cmd126カスタマイズ..."));
    EXPECT_EQ(windows7->objectName() + windows7->text(), QStringLiteral("cmd219Windows 7"));
    EXPECT_EQ(commands.action(CommandId::FileOpen)->statusTip(),
              QStringLiteral("既存のファイルを開く"));
    EXPECT_EQ(commands.action(CommandId::FileOpen)->toolTip(), QStringLiteral("開く"));
}

// 50 commands in the menus and the two outside them; each is enabled and
// owned by the window, so its shortcut works there.
TEST_F(CommandSetTest, EveryCommandIsOneActionOfTheWindowAndNoOtherExists) {
    EXPECT_EQ(commands.actions().size(), 52);
    for (auto it = commands.actions().begin(); it != commands.actions().end(); ++it) {
        const QAction* action = it.value();
        const int number = commandNumber(it.key());
        EXPECT_EQ(action->objectName(), QStringLiteral("cmd%1").arg(number));
        EXPECT_EQ(commands.idOf(action), it.key()) << number;
        EXPECT_TRUE(action->isEnabled()) << number;
        EXPECT_TRUE(window.actions().contains(const_cast<QAction*>(action))) << number;
    }
    EXPECT_EQ(commands.action(CommandId{10010}), nullptr); // a pane's toolbar, no command
    EXPECT_EQ(commands.action(CommandId{0}), nullptr);
    QAction stranger(QStringLiteral("cmd10030"));
    stranger.setObjectName(QStringLiteral("cmd10030")); // named like one, yet no command
    EXPECT_EQ(commands.idOf(&stranger), std::nullopt);
    EXPECT_EQ(commands.idOf(nullptr), std::nullopt);
}

TEST_F(CommandSetTest, TriggeringACommandRunsItsHandlerWhileTheContextLives) {
    int runs = 0;
    {
        QObject context;
        commands.onTriggered(CommandId::Draw, &context, [&runs] { ++runs; });
        commands.action(CommandId::Draw)->trigger();
        commands.action(CommandId::DrawRandom)->trigger();
        EXPECT_EQ(runs, 1);
    }
    commands.action(CommandId::Draw)->trigger();
    EXPECT_EQ(runs, 1);
}
