#include "app/commandset.h"

#include "app/visualstyles.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QIcon>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

namespace orbelle {
namespace {

// Commands whose work is not built into this version yet: shown, but disabled.
constexpr int kNotYetAvailable[] = {11701, 11702, 11700, 11800, 11801, 12003, 12004, 11802,
                                    11803, 11804, 11805, 32820, 11806, 11807, 11808, 11809,
                                    11810, 11811, 32821, 57670, 12103, 32825, 32819, 57664};

// Toolbar "標準": 0 stands for a separator.
constexpr int kStandardButtons[] = {11901, 11902, 11903, 0, 10011, 10012, 11602,
                                    0,     11807, 11806, 0, 10030, 10031};

} // namespace

CommandSet::CommandSet(QMainWindow* window) : QObject(window), m_window(window) {
    createActions();
    buildMenus(window);
}

QAction* CommandSet::action(int id) const { return m_actions.value(id, nullptr); }

QAction* CommandSet::create(int id, const QString& label, const QString& prompt,
                            const QString& shortcut) {
    auto* action = new QAction(label, m_window);
    action->setObjectName(QStringLiteral("cmd%1").arg(id));
    // The prompt goes to the status bar, the part after the line break is the tooltip.
    const qsizetype split = prompt.indexOf(QLatin1Char('\n'));
    action->setStatusTip(split < 0 ? prompt : prompt.left(split));
    if (split >= 0) {
        action->setToolTip(prompt.mid(split + 1));
    }
    if (!shortcut.isEmpty()) {
        action->setShortcut(QKeySequence(shortcut));
    }
    const QString icon = QStringLiteral(":/orbelle/icons/cmd%1.png").arg(id);
    if (QFile::exists(icon)) {
        action->setIcon(QIcon(icon));
    }
    m_window->addAction(action);
    m_actions.insert(id, action);
    return action;
}

void CommandSet::createActions() {
    // ファイル
    create(11701, tr("開く(&O)..."), tr("既存のファイルを開く\n開く"), QStringLiteral("Ctrl+O"));
    create(11702, tr("上書き保存(&S)"), tr("作業中のファイルを上書きして保存\n保存"),
           QStringLiteral("Ctrl+S"));
    create(11700, tr("名前を付けて保存(&A)..."),
           tr("作業中のファイルを新しい名前で保存\n名前をつけて保存"));
    create(11800, tr("BITMAPで保存"), tr("表示中の図形をBITMAP画像で保存\nBITMAPで保存"));
    create(11801, tr("JPEGで保存"), tr("表示中の図形をJPEG画像で保存\nJPEGで保存"));
    create(12003, tr("印刷(&P)"), tr("表示中の図形を印刷\n印刷"));
    create(12004, tr("印刷プレビュー(&V)"), tr("印刷イメージを表示\n印刷プレビュー"));
    create(57665, tr("アプリケーションの終了(&X)"), tr("アプリケーションを終了します\n終了"));
    // 描画
    create(10030, tr("描画"), tr("変数(パラメータ)の値を変えず描画します\n描画"),
           QStringLiteral("F3"));
    create(10031, tr("描画 ランダム"),
           tr("変数(パラメータ)の値をランダムに変えて描画します\n描画 ランダム"),
           QStringLiteral("F4"));
    create(11901, tr("拡大"), tr("図形を拡大して描画します\n拡大"), QStringLiteral("F5"));
    create(11902, tr("縮小"), tr("図形を縮小して描画します\n縮小"), QStringLiteral("F6"));
    create(11903, tr("標準の大きさ"), tr("図形を標準の大きさで描画します\n標準の大きさ"),
           QStringLiteral("F7"));
    create(10011, tr("ズームイン"), tr("表示を大きくします\nズームイン"), QStringLiteral("F9"));
    create(10012, tr("ズームアウト"), tr("表示を小さくします\nズームアウト"),
           QStringLiteral("F10"));
    create(11602, tr("中央表示"), tr("図形を画面の中央に表示します\n中央表示"),
           QStringLiteral("F11"));
    create(11070, tr("カラー・ストローク・デフォルト"),
           tr("ペン幅と色を既定の値に戻します\nカラー・ストローク・デフォルト"));
    create(11240, tr("３Ｄ変換・リセット"),
           tr("３Ｄ変換の値を初期値に戻します\n３Ｄ変換・リセット"));
    // お気に入り
    create(11802, tr("お気に入りファイル作成"),
           tr("現在の設定をお気に入りに追加します\nお気に入りファイル作成"));
    create(11803, tr("お気に入りフォルダ作成"),
           tr("お気に入りに新しいフォルダを作ります\nお気に入りフォルダ作成"));
    create(11804, tr("お気に入りの保存"), tr("お気に入りをファイルに保存します\nお気に入りの保存"));
    create(11805, tr("お気に入りの読み込み"),
           tr("お気に入りをファイルから読み込みます\nお気に入りの読み込み"));
    create(32820, tr("お気に入りのリセット"),
           tr("お気に入りをすべて削除します\nお気に入りのリセット"));
    // ヒストリー
    create(11806, tr("一つ前に戻す(&U)"), tr("一つ前の描画に戻します\n一つ前に戻す"),
           QStringLiteral("Ctrl+Z"));
    create(11807, tr("一つ後に戻す(&T)"), tr("一つ後の描画に進みます\n一つ後に戻す"),
           QStringLiteral("Ctrl+D"));
    create(11808, tr("前のページ"), tr("ヒストリーの前のページを表示します\n前のページ"),
           QStringLiteral("Ctrl+Shift+Z"));
    create(11809, tr("後のページ"), tr("ヒストリーの後のページを表示します\n後のページ"),
           QStringLiteral("Ctrl+Shift+D"));
    create(11810, tr("ヒストリーの保存"), tr("ヒストリーをファイルに保存します\nヒストリーの保存"));
    create(11811, tr("ヒストリーの読み込み"),
           tr("ヒストリーをファイルから読み込みます\nヒストリーの読み込み"));
    create(32821, tr("ヒストリーのリセット"),
           tr("ヒストリーをすべて削除します\nヒストリーのリセット"));
    // 表示
    create(126, tr("カスタマイズ..."),
           tr("ツール バーとメニューをカスタマイズします\nカスタマイズ"));
    QAction* statusBar = create(59393, tr("ステータス バー(&S)"),
                                tr("ステータス バーの表示/非表示を切り替えます\nステータス バー"));
    statusBar->setCheckable(true);
    statusBar->setChecked(true);
    create(12102, tr("レイアウトのリセット"),
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
    create(57670, tr("ヘルプ"), tr("ヘルプを表示します\nヘルプ"));
    create(12103, tr("オンラインヘルプ"), tr("オンラインヘルプを表示します\nオンラインヘルプ"));
    create(32825, tr("ホームページ"), tr("ホームページを表示します\nホームページ"));
    create(32819, tr("連絡先　メールアドレス"), tr("連絡先のメールアドレスを表示します\n連絡先"));
    create(57664, tr("バージョン情報 Orbelle(&A)..."),
           tr("プログラムの情報、バージョン番号を表示します\nバージョン情報"));

    for (const int id : kNotYetAvailable) {
        m_actions.value(id)->setEnabled(false);
    }
}

void CommandSet::buildMenus(QMainWindow* window) {
    QMenuBar* bar = window->menuBar();
    bar->setObjectName(QStringLiteral("menuBar59398"));
    const auto add = [this](QMenu* menu, std::initializer_list<int> ids) {
        for (const int id : ids) {
            if (id == 0) {
                menu->addSeparator();
            } else {
                menu->addAction(m_actions.value(id));
            }
        }
    };

    QMenu* file = bar->addMenu(tr("ファイル(&F)"));
    add(file, {11701, 11702, 11700, 0});
    QMenu* image = file->addMenu(tr("画像ファイルへ保存"));
    add(image, {11800, 11801});
    add(file, {0, 12003, 12004, 0, 57665});

    add(bar->addMenu(tr("描画(&B)")),
        {10030, 10031, 0, 11901, 11902, 11903, 0, 10011, 10012, 11602, 0, 11070, 11240});
    add(bar->addMenu(tr("お気に入り(&O)")), {11802, 11803, 0, 11804, 11805, 0, 32820});
    add(bar->addMenu(tr("ヒストリー(&E)")),
        {11806, 11807, 11808, 11809, 0, 11810, 11811, 0, 32821});

    QMenu* view = bar->addMenu(tr("表示(&V)"));
    m_panesMenu = view->addMenu(tr("ツール バーとドッキング ウィンドウ(&T)"));
    add(view, {59393});
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
    add(view, {12102});

    add(bar->addMenu(tr("ヘルプ(&H)")), {57670, 12103, 32825, 32819, 57664});
}

QToolBar* CommandSet::createStandardToolBar(QWidget* parent) const {
    auto* toolbar = new QToolBar(tr("標準"), parent);
    toolbar->setObjectName(QStringLiteral("standardToolBar"));
    toolbar->setIconSize(QSize(16, 16));
    fillStandardToolBar(toolbar, {});
    return toolbar;
}

void CommandSet::fillStandardToolBar(QToolBar* toolbar, const QSet<int>& hidden) const {
    toolbar->clear();
    bool separatorDue = false;
    for (const int id : kStandardButtons) {
        if (id == 0) {
            separatorDue = !toolbar->actions().isEmpty();
        } else if (!hidden.contains(id)) {
            if (separatorDue) {
                toolbar->addSeparator();
                separatorDue = false;
            }
            toolbar->addAction(m_actions.value(id));
        }
    }
}

QList<QAction*> CommandSet::standardButtons() const {
    QList<QAction*> buttons;
    for (const int id : kStandardButtons) {
        if (id != 0) {
            buttons << m_actions.value(id);
        }
    }
    return buttons;
}

} // namespace orbelle
