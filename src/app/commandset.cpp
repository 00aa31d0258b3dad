#include "app/commandset.h"

#include "app/visualstyles.h"
#include "widgets/panetoolbar.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QIcon>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

namespace orbelle {
namespace {

// Stands for a separator in the menu and toolbar lists.
constexpr CommandId kSeparator{0};

// Toolbar "標準" in button order.
constexpr CommandId kStandardButtons[] = {
    CommandId::Enlarge, CommandId::Shrink,         CommandId::StandardSize, kSeparator,
    CommandId::ZoomIn,  CommandId::ZoomOut,        CommandId::CentreView,   CommandId::FitToWindow,
    kSeparator,         CommandId::HistoryForward, CommandId::HistoryBack,  kSeparator,
    CommandId::Draw,    CommandId::DrawRandom};

} // namespace

CommandSet::CommandSet(QMainWindow* window) : QObject(window), m_window(window) {
    createActions();
    buildMenus(window);
}

QAction* CommandSet::action(CommandId id) const { return m_actions.value(id, nullptr); }

std::optional<CommandId> CommandSet::idOf(const QAction* action) const {
    const auto found = m_ids.constFind(action);
    return found == m_ids.cend() ? std::nullopt : std::optional<CommandId>(*found);
}

QAction* CommandSet::create(CommandId id, const QString& label, const QString& prompt,
                            const QString& shortcut) {
    auto* action = new QAction(label, m_window);
    action->setObjectName(QStringLiteral("cmd%1").arg(commandNumber(id)));
    // The prompt goes to the status bar, the part after the line break is the tooltip.
    const qsizetype split = prompt.indexOf(QLatin1Char('\n'));
    action->setStatusTip(split < 0 ? prompt : prompt.left(split));
    if (split >= 0) {
        action->setToolTip(prompt.mid(split + 1));
    }
    if (!shortcut.isEmpty()) {
        action->setShortcut(QKeySequence(shortcut));
    }
    const QString icon = QStringLiteral(":/orbelle/icons/cmd%1.png").arg(commandNumber(id));
    if (QFile::exists(icon)) {
        action->setIcon(QIcon(icon));
    }
    m_window->addAction(action);
    m_actions.insert(id, action);
    m_ids.insert(action, id);
    return action;
}

void CommandSet::createActions() {
    // ファイル
    create(CommandId::FileOpen, tr("開く(&O)..."), tr("既存のファイルを開く\n開く"),
           QStringLiteral("Ctrl+O"));
    create(CommandId::FileSave, tr("上書き保存(&S)"), tr("作業中のファイルを上書きして保存\n保存"),
           QStringLiteral("Ctrl+S"));
    create(CommandId::FileSaveAs, tr("名前を付けて保存(&A)..."),
           tr("作業中のファイルを新しい名前で保存\n名前をつけて保存"));
    create(CommandId::ExportBitmap, tr("BITMAPで保存"),
           tr("表示中の図形をBITMAP画像で保存\nBITMAPで保存"));
    create(CommandId::ExportJpeg, tr("JPEGで保存"), tr("表示中の図形をJPEG画像で保存\nJPEGで保存"));
    create(CommandId::Print, tr("印刷(&P)"), tr("表示中の図形を印刷\n印刷"));
    create(CommandId::PrintPreview, tr("印刷プレビュー(&V)"),
           tr("印刷イメージを表示\n印刷プレビュー"));
    create(CommandId::AppExit, tr("アプリケーションの終了(&X)"),
           tr("アプリケーションを終了します\n終了"));
    // 描画
    create(CommandId::Draw, tr("描画"), tr("変数(パラメータ)の値を変えず描画します\n描画"),
           QStringLiteral("F3"));
    create(CommandId::DrawRandom, tr("描画 ランダム"),
           tr("変数(パラメータ)の値をランダムに変えて描画します\n描画 ランダム"),
           QStringLiteral("F4"));
    create(
        CommandId::FindFigure, tr("よい図形を探す"),
        tr("変数(パラメータ)をランダムに変えながら、見ごたえのある図形が出るまで試して描画します\n"
           "よい図形を探す"),
        QStringLiteral("Shift+F4"));
    QAction* live = create(CommandId::LiveDrawing, tr("自動描画"),
                           tr("値を変えるたびにすぐ描画します\n自動描画"));
    live->setCheckable(true);
    create(CommandId::Enlarge, tr("拡大"), tr("図形を拡大して描画します\n拡大"),
           QStringLiteral("F5"));
    create(CommandId::Shrink, tr("縮小"), tr("図形を縮小して描画します\n縮小"),
           QStringLiteral("F6"));
    create(CommandId::StandardSize, tr("標準の大きさ"),
           tr("図形を標準の大きさで描画します\n標準の大きさ"), QStringLiteral("F7"));
    create(CommandId::ZoomIn, tr("ズームイン"), tr("表示を大きくします\nズームイン"),
           QStringLiteral("F9"));
    create(CommandId::ZoomOut, tr("ズームアウト"), tr("表示を小さくします\nズームアウト"),
           QStringLiteral("F10"));
    create(CommandId::CentreView, tr("中央表示"), tr("図形を画面の中央に表示します\n中央表示"),
           QStringLiteral("F11"));
    create(CommandId::ResetColourStroke, tr("カラー・ストローク・デフォルト"),
           tr("ペン幅と色を既定の値に戻します\nカラー・ストローク・デフォルト"));
    create(CommandId::Reset3D, tr("３Ｄ変換・リセット"),
           tr("３Ｄ変換の値を初期値に戻します\n３Ｄ変換・リセット"));
    // お気に入り
    create(CommandId::FavoritesAddFile, tr("お気に入りファイル作成"),
           tr("現在の設定をお気に入りに追加します\nお気に入りファイル作成"));
    create(CommandId::FavoritesNewFolder, tr("お気に入りフォルダ作成"),
           tr("お気に入りに新しいフォルダを作ります\nお気に入りフォルダ作成"));
    create(CommandId::FavoritesSave, tr("お気に入りの保存"),
           tr("お気に入りをファイルに保存します\nお気に入りの保存"));
    create(CommandId::FavoritesLoad, tr("お気に入りの読み込み"),
           tr("お気に入りをファイルから読み込みます\nお気に入りの読み込み"));
    create(CommandId::FavoritesReset, tr("お気に入りのリセット"),
           tr("お気に入りをすべて削除します\nお気に入りのリセット"));
    // ヒストリー
    create(CommandId::HistoryBack, tr("一つ前に戻す(&U)"),
           tr("一つ前の描画に戻します\n一つ前に戻す"), QStringLiteral("Ctrl+Z"));
    create(CommandId::HistoryForward, tr("一つ後に戻す(&T)"),
           tr("一つ後の描画に進みます\n一つ後に戻す"), QStringLiteral("Ctrl+D"));
    // The page commands have no picture file; they show the chevrons the
    // history pane's toolbar draws.
    create(CommandId::HistoryPreviousPage, tr("前のページ"),
           tr("ヒストリーの前のページを表示します\n前のページ"), QStringLiteral("Ctrl+Shift+Z"))
        ->setIcon(toolIcon(ToolImage::OlderPage));
    create(CommandId::HistoryNextPage, tr("後のページ"),
           tr("ヒストリーの後のページを表示します\n後のページ"), QStringLiteral("Ctrl+Shift+D"))
        ->setIcon(toolIcon(ToolImage::NewerPage));
    create(CommandId::HistorySave, tr("ヒストリーの保存"),
           tr("ヒストリーをファイルに保存します\nヒストリーの保存"));
    create(CommandId::HistoryLoad, tr("ヒストリーの読み込み"),
           tr("ヒストリーをファイルから読み込みます\nヒストリーの読み込み"));
    create(CommandId::HistoryReset, tr("ヒストリーのリセット"),
           tr("ヒストリーをすべて削除します\nヒストリーのリセット"));
    // 表示
    create(CommandId::CustomiseToolBar, tr("カスタマイズ..."),
           tr("ツール バーとメニューをカスタマイズします\nカスタマイズ"));
    QAction* statusBar = create(CommandId::ViewStatusBar, tr("ステータス バー(&S)"),
                                tr("ステータス バーの表示/非表示を切り替えます\nステータス バー"));
    statusBar->setCheckable(true);
    statusBar->setChecked(true);
    create(CommandId::FitToWindow, tr("ウィンドウに合わせる"),
           tr("図形の表示をウィンドウに収まる最大の大きさにします\nウィンドウに合わせる"));
    create(CommandId::ResetLayout, tr("レイアウトのリセット"),
           tr("ペインの配置を初期状態に戻します\nレイアウトのリセット"));
    m_styleGroup = new QActionGroup(this);
    m_styleGroup->setExclusive(true);
    for (const VisualStyle& style : visualStyles()) {
        QAction* action = create(style.id, style.label,
                                 tr("アプリケーションの外観を切り替えます\n%1").arg(style.label));
        action->setCheckable(true);
        m_styleGroup->addAction(action);
    }
    // ヘルプ
    create(CommandId::Help, tr("ヘルプ"), tr("ヘルプを表示します\nヘルプ"));
    create(CommandId::OnlineHelp, tr("オンラインヘルプ"),
           tr("オンラインヘルプを表示します\nオンラインヘルプ"));
    create(CommandId::HomePage, tr("ホームページ"), tr("ホームページを表示します\nホームページ"));
    create(CommandId::ContactAddress, tr("連絡先　メールアドレス"),
           tr("連絡先のメールアドレスを表示します\n連絡先"));
    create(CommandId::About, tr("バージョン情報 Orbelle(&A)..."),
           tr("プログラムの情報、バージョン番号を表示します\nバージョン情報"));
}

void CommandSet::buildMenus(QMainWindow* window) {
    QMenuBar* bar = window->menuBar();
    bar->setObjectName(QStringLiteral("menuBar59398"));
    const auto add = [this](QMenu* menu, std::initializer_list<CommandId> ids) {
        for (const CommandId id : ids) {
            if (id == kSeparator) {
                menu->addSeparator();
            } else {
                menu->addAction(m_actions.value(id));
            }
        }
    };

    QMenu* file = bar->addMenu(tr("ファイル(&F)"));
    add(file, {CommandId::FileOpen, CommandId::FileSave, CommandId::FileSaveAs, kSeparator});
    QMenu* image = file->addMenu(tr("画像ファイルへ保存"));
    add(image, {CommandId::ExportBitmap, CommandId::ExportJpeg});
    add(file,
        {kSeparator, CommandId::Print, CommandId::PrintPreview, kSeparator, CommandId::AppExit});

    add(bar->addMenu(tr("描画(&B)")),
        {CommandId::Draw, CommandId::DrawRandom, CommandId::FindFigure, CommandId::LiveDrawing,
         kSeparator, CommandId::Enlarge, CommandId::Shrink, CommandId::StandardSize, kSeparator,
         CommandId::ZoomIn, CommandId::ZoomOut, CommandId::CentreView, kSeparator,
         CommandId::ResetColourStroke, CommandId::Reset3D});
    add(bar->addMenu(tr("お気に入り(&O)")),
        {CommandId::FavoritesAddFile, CommandId::FavoritesNewFolder, kSeparator,
         CommandId::FavoritesSave, CommandId::FavoritesLoad, kSeparator,
         CommandId::FavoritesReset});
    add(bar->addMenu(tr("ヒストリー(&E)")),
        {CommandId::HistoryBack, CommandId::HistoryForward, CommandId::HistoryPreviousPage,
         CommandId::HistoryNextPage, kSeparator, CommandId::HistorySave, CommandId::HistoryLoad,
         kSeparator, CommandId::HistoryReset});

    QMenu* view = bar->addMenu(tr("表示(&V)"));
    m_panesMenu = view->addMenu(tr("ツール バーとドッキング ウィンドウ(&T)"));
    add(view, {CommandId::ViewStatusBar, kSeparator, CommandId::FitToWindow, kSeparator});
    QMenu* looks = view->addMenu(tr("アプリケーションの外観(&A)"));
    QMenu* office = nullptr;
    for (const VisualStyle& style : visualStyles()) {
        if (!style.inMenu) {
            continue;
        }
        if (style.inOfficeMenu) {
            if (office == nullptr) {
                office = looks->addMenu(tr("Office 2007(&7)"));
            }
            office->addAction(m_actions.value(style.id));
        } else {
            looks->addAction(m_actions.value(style.id));
        }
    }
    add(view, {CommandId::ResetLayout});

    add(bar->addMenu(tr("ヘルプ(&H)")),
        {CommandId::Help, CommandId::OnlineHelp, CommandId::HomePage, CommandId::ContactAddress,
         CommandId::About});
}

QToolBar* CommandSet::createStandardToolBar(QWidget* parent) const {
    auto* toolbar = new QToolBar(tr("標準"), parent);
    toolbar->setObjectName(QStringLiteral("standardToolBar"));
    toolbar->setIconSize(QSize(16, 16));
    for (const CommandId id : kStandardButtons) {
        if (id == kSeparator) {
            toolbar->addSeparator();
        } else {
            toolbar->addAction(m_actions.value(id));
        }
    }
    return toolbar;
}

QList<CommandId> CommandSet::defaultStandardButtons() const {
    return QList<CommandId>(std::begin(kStandardButtons), std::end(kStandardButtons));
}

} // namespace orbelle
