#include "panes/favoritespane.h"

#include "engine/drawsettings.h"
#include "panes/favoritestree.h"
#include "panes/scriptedprompts.h"
#include "store/favoriteslines.h"
#include "store/storefile.h"
#include "support/guiapplication.h"
#include "support/polling.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <memory>

using namespace orbelle;
using orbelle::test::ScriptedPrompts;
using orbelle::test::waitFor;

namespace {

// "お気に入り" in code page 932, worked out from the JIS tables:
// お 82A8, 気 8B43, に 82C9, 入 93FC, り 82E8.
const QByteArray kRootLine = QByteArray("1,0,\x82\xa8\x8b\x43\x82\xc9\x93\xfc\x82\xe8,1,1,1\r\n");

DrawSettings someSettings(int zoom) {
    DrawSettings settings;
    settings.category = 1;
    settings.item = 2;
    settings.zoom = zoom;
    settings.penWidth = 3;
    return settings;
}

// Texts of an item's children, in tree order.
QStringList childTexts(const QTreeWidgetItem* item) {
    QStringList texts;
    for (int k = 0; k < item->childCount(); ++k) {
        texts << item->child(k)->text(0);
    }
    return texts;
}

class FavoritesPaneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_pane = makePane();
    }

    std::unique_ptr<FavoritesPane> makePane() {
        auto pane = unopenedPane();
        EXPECT_TRUE(pane->open().ok());
        pane->resize(300, 400);
        pane->show();
        return pane;
    }
    /// A pane on the test's folder with scripted prompts, its store not read yet.
    std::unique_ptr<FavoritesPane> unopenedPane() {
        auto pane = std::make_unique<FavoritesPane>(m_dir.path() + QLatin1Char('/'));
        auto prompts = std::make_unique<ScriptedPrompts>();
        m_prompts = prompts.get();
        pane->setPrompts(std::move(prompts));
        return pane;
    }

    QString storePath() const { return m_dir.path() + QStringLiteral("/csv_okiniiri0"); }
    QByteArray storeBytes() const {
        QFile file(storePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Adds a folder or favorite named `name` into `parent` through the pane.
    int addFolder(const QString& name, int parent) {
        m_prompts->newName = name;
        m_prompts->chosenFolder = parent;
        m_pane->createFolder();
        return m_pane->selectedId();
    }
    int addFavorite(const QString& name, int parent, int zoom = 100) {
        m_prompts->newName = name;
        m_prompts->chosenFolder = parent;
        m_pane->createFavorite(someSettings(zoom));
        return m_pane->selectedId();
    }
    QTreeWidgetItem* root() const { return m_pane->tree()->topLevelItem(0); }

    QTemporaryDir m_dir;
    std::unique_ptr<FavoritesPane> m_pane;
    ScriptedPrompts* m_prompts = nullptr;
};

} // namespace

TEST_F(FavoritesPaneTest, FreshStoreShowsTheOneExpandedRootFolder) {
    QTreeWidget* tree = m_pane->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(root()->text(0), QStringLiteral("お気に入り"));
    EXPECT_EQ(root()->childCount(), 0);
    EXPECT_TRUE(root()->isExpanded());
    EXPECT_EQ(storeBytes(), kRootLine);
    EXPECT_EQ(tree->toolTip(), QStringLiteral("ファイルをドラッグして移動できます"));
    EXPECT_EQ(m_pane->selectedId(), 0);
    EXPECT_EQ(m_pane->currentFolder(), 1);

    QStringList buttons;
    for (const QAction* action : m_pane->toolBar()->actions()) {
        buttons << action->objectName() + QLatin1Char('|') + action->toolTip();
    }
    EXPECT_EQ(buttons, (QStringList{"tool11640|お気に入りフォルダ作成",
                                    "tool11641|お気に入りファイル作成"}));
}

TEST_F(FavoritesPaneTest, NewFavoriteWithNothingSelectedGoesIntoTheRoot) {
    m_prompts->newName = QStringLiteral("a,b");
    m_pane->createFavorite(someSettings(150));
    EXPECT_EQ(m_prompts->dialogTitle, QStringLiteral("お気に入り作成"));
    EXPECT_EQ(m_prompts->proposedFolder, 1);
    ASSERT_EQ(m_pane->entries().size(), 2u);
    const FavoriteEntry& added = m_pane->entries()[1];
    EXPECT_EQ(added.id, 2);
    EXPECT_EQ(added.parent, 1);
    EXPECT_FALSE(added.isFolder);
    EXPECT_EQ(added.name, "a.b"); // the comma is kept as a full stop
    EXPECT_EQ(added.settings, someSettings(150));
    EXPECT_EQ(childTexts(root()), QStringList{"a.b"});
    EXPECT_EQ(m_pane->selectedId(), 2); // the new favorite is selected
    EXPECT_EQ(m_pane->currentFolder(), 1);
    EXPECT_TRUE(storeBytes().startsWith(kRootLine + "2,1,a.b,0,0,1,2,"));

    // The toolbar's button only asks for the current record.
    QSignalSpy requested(m_pane.get(), &FavoritesPane::newFavoriteRequested);
    m_pane->toolBar()->actions().at(1)->trigger();
    EXPECT_EQ(requested.count(), 1);
}

TEST_F(FavoritesPaneTest, NewEntriesProposeTheFolderOfTheSelection) {
    const int x = addFolder(QStringLiteral("X"), 1);
    const int y = addFolder(QStringLiteral("Y"), 1);
    ASSERT_EQ(x, 2);
    ASSERT_EQ(y, 3);
    const int inX = addFavorite(QStringLiteral("in X"), x);
    ASSERT_EQ(inX, 4);
    EXPECT_EQ(m_pane->entries()[3].parent, x);

    // A favorite selected in folder X: X is proposed.
    m_pane->selectEntry(inX);
    m_prompts->chosenFolder = 0;
    m_prompts->cancel = true;
    m_pane->createFolder();
    EXPECT_EQ(m_prompts->dialogTitle, QStringLiteral("フォルダ作成"));
    EXPECT_EQ(m_prompts->proposedFolder, x);
    // A folder selected: the folder itself.
    m_pane->selectEntry(y);
    m_pane->createFavorite(someSettings(100));
    EXPECT_EQ(m_prompts->proposedFolder, y);
    // Nothing selected: the root.
    m_pane->tree()->clearSelection();
    m_pane->createFavorite(someSettings(100));
    EXPECT_EQ(m_prompts->proposedFolder, 1);
    EXPECT_EQ(m_pane->entries().size(), 4u); // cancelled dialogs add nothing
}

TEST_F(FavoritesPaneTest, FoldersComeBeforeFavoritesEachInFileOrder) {
    addFavorite(QStringLiteral("A"), 1);
    const int f = addFolder(QStringLiteral("F"), 1);
    addFavorite(QStringLiteral("B"), 1);
    addFolder(QStringLiteral("G"), 1);
    addFavorite(QStringLiteral("C"), f);
    addFolder(QStringLiteral("H"), f);
    EXPECT_EQ(childTexts(root()), (QStringList{"F", "G", "A", "B"}));
    EXPECT_EQ(childTexts(m_pane->itemOfId(f)), (QStringList{"H", "C"}));
    EXPECT_EQ(m_pane->itemOfId(f)->icon(0).cacheKey(),
              m_pane->itemOfId(f + 2)->icon(0).cacheKey()); // both folders
}

TEST_F(FavoritesPaneTest, AFolderWhoseParentComesLaterInTheFileStaysInsideIt) {
    // Folder 2 lies in folder 3, which lies in folder 4, which lies in the
    // root: every folder still shows inside its own parent.
    const std::vector<std::string> lines = {
        formatFolderLine(1, 0, kRootFolderName, true), formatFolderLine(2, 3, "deep", true),
        formatFolderLine(3, 4, "middle", true), formatFolderLine(4, 1, "top", true)};
    ASSERT_TRUE(replaceFile(QFile::encodeName(storePath()).toStdString(), joinLines(lines)).ok());
    ASSERT_TRUE(m_pane->refill().ok());
    EXPECT_EQ(childTexts(root()), QStringList{"top"});
    EXPECT_EQ(childTexts(m_pane->itemOfId(4)), QStringList{"middle"});
    EXPECT_EQ(childTexts(m_pane->itemOfId(3)), QStringList{"deep"});
}

TEST_F(FavoritesPaneTest, DoubleClickAppliesAFavoriteAndOnlyTogglesAFolder) {
    const int folder = addFolder(QStringLiteral("F"), 1);
    const int favorite = addFavorite(QStringLiteral("A"), folder, 175);
    QSignalSpy applied(m_pane.get(), &FavoritesPane::applyRequested);
    QTreeWidget* tree = m_pane->tree();

    const QRect favoriteRect = tree->visualItemRect(m_pane->itemOfId(favorite));
    ASSERT_TRUE(favoriteRect.isValid());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, favoriteRect.center());
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, favoriteRect.center());
    ASSERT_EQ(applied.count(), 1);
    EXPECT_EQ(applied.at(0).at(0).value<DrawSettings>(), someSettings(175));

    QTreeWidgetItem* folderItem = m_pane->itemOfId(folder);
    ASSERT_TRUE(folderItem->isExpanded());
    const QPoint folderPoint = tree->visualItemRect(folderItem).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, folderPoint);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, folderPoint);
    EXPECT_FALSE(folderItem->isExpanded());
    EXPECT_EQ(applied.count(), 1);

    // Enter applies the selected favorite, and opens or closes a folder.
    m_pane->selectEntry(favorite);
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(applied.count(), 2);
    m_pane->selectEntry(folder);
    const bool before = m_pane->itemOfId(folder)->isExpanded();
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_NE(m_pane->itemOfId(folder)->isExpanded(), before);
    EXPECT_EQ(applied.count(), 2);
}

TEST_F(FavoritesPaneTest, DeleteAsksFirstAndTakesAFolderWithAllItHolds) {
    const int folder = addFolder(QStringLiteral("F"), 1);
    addFavorite(QStringLiteral("A"), folder);
    addFavorite(QStringLiteral("B"), folder);
    const int sub = addFolder(QStringLiteral("S"), folder);
    addFavorite(QStringLiteral("C"), sub);
    const int outside = addFavorite(QStringLiteral("keep"), 1);
    const QByteArray before = storeBytes();

    m_pane->selectEntry(folder);
    m_prompts->confirmAnswer = false;
    m_pane->deleteSelected();
    EXPECT_EQ(m_prompts->confirmCount, 1);
    EXPECT_EQ(m_prompts->confirmCaption, QStringLiteral("削除"));
    EXPECT_EQ(m_prompts->confirmText,
              QStringLiteral("この操作は元に戻せません、お気に入りファイルを削除しますか？"));
    EXPECT_EQ(storeBytes(), before);
    EXPECT_EQ(m_pane->entries().size(), 7u);

    // The root cannot be deleted: no question at all.
    m_pane->selectEntry(1);
    m_pane->deleteSelected();
    EXPECT_EQ(m_prompts->confirmCount, 1);

    m_pane->selectEntry(folder);
    m_prompts->confirmAnswer = true;
    m_pane->deleteSelected();
    ASSERT_EQ(m_pane->entries().size(), 2u);
    EXPECT_EQ(m_pane->entries()[1].name, "keep");
    EXPECT_EQ(m_pane->entries()[1].id, 2); // renumbered from outside's old id
    EXPECT_EQ(outside, 7);
    EXPECT_EQ(childTexts(root()), QStringList{"keep"});
    EXPECT_EQ(m_pane->selectedId(), 1); // the deleted folder's parent
}

TEST_F(FavoritesPaneTest, RenameKeepsTheEntryAndRefusesNamesTheStoreCannotHold) {
    const int favorite = addFavorite(QStringLiteral("old"), 1);
    m_pane->selectEntry(favorite);
    m_prompts->newNameForRename = QStringLiteral("new,name");
    m_pane->renameSelected();
    EXPECT_EQ(m_prompts->renameShown, QStringLiteral("old"));
    EXPECT_EQ(m_pane->entries()[1].name, "new.name");
    EXPECT_EQ(m_pane->selectedId(), favorite);

    // An emoji has no code page 932 form: refused, the character named.
    const QByteArray before = storeBytes();
    m_prompts->newNameForRename = QStringLiteral("星\U0001F600");
    m_pane->renameSelected();
    EXPECT_TRUE(m_prompts->refusal.contains(QStringLiteral("\U0001F600")))
        << m_prompts->refusal.toStdString();
    // 256 kanji are 512 bytes in code page 932, one more than a name may hold.
    m_prompts->newNameForRename = QString(256, QChar(0x661F));
    m_pane->renameSelected();
    EXPECT_FALSE(m_prompts->refusal.isEmpty());
    EXPECT_EQ(storeBytes(), before);
    // 255 kanji and one letter are 511 bytes: accepted.
    m_prompts->newNameForRename = QString(255, QChar(0x661F)) + QLatin1Char('x');
    m_pane->renameSelected();
    EXPECT_TRUE(m_prompts->refusal.isEmpty());
    EXPECT_EQ(QString::fromStdString(m_pane->entries()[1].name), m_prompts->newNameForRename);

    // The root keeps its name: no dialog.
    m_prompts->renameShown.clear();
    m_pane->selectEntry(1);
    m_pane->renameSelected();
    EXPECT_TRUE(m_prompts->renameShown.isEmpty());
}

TEST_F(FavoritesPaneTest, MovesIntoAFolderOrAfterAFavoriteAndNowhereElse) {
    const int f = addFolder(QStringLiteral("F"), 1);   // 2
    const int g = addFolder(QStringLiteral("G"), 1);   // 3
    addFavorite(QStringLiteral("in G"), g);            // 4
    const int a = addFavorite(QStringLiteral("A"), 1); // 5
    ASSERT_EQ(a, 5);
    m_pane->itemOfId(f)->setExpanded(false);
    ASSERT_FALSE(m_pane->entries()[1].expanded);
    const QByteArray before = storeBytes();

    // Nothing moves onto the root, onto itself, or when a folder is moved.
    EXPECT_FALSE(m_pane->moveFavorite(a, 1));
    EXPECT_FALSE(m_pane->moveFavorite(a, a));
    EXPECT_FALSE(m_pane->moveFavorite(g, f));
    EXPECT_FALSE(m_pane->moveFavorite(a, 0));
    EXPECT_EQ(storeBytes(), before);

    // Line 5 onto folder 2: it becomes line 3 in folder 2, the folder opens.
    ASSERT_TRUE(m_pane->moveFavorite(a, f));
    const auto& moved = m_pane->entries();
    ASSERT_EQ(moved.size(), 5u);
    EXPECT_EQ(moved[2].name, "A");
    EXPECT_EQ(moved[2].parent, 2);
    EXPECT_EQ(moved[3].name, "G");
    EXPECT_EQ(moved[4].name, "in G");
    EXPECT_EQ(moved[4].parent, 4); // follows G to its new id
    EXPECT_TRUE(moved[1].expanded);
    EXPECT_TRUE(m_pane->itemOfId(2)->isExpanded());
    EXPECT_EQ(childTexts(m_pane->itemOfId(2)), QStringList{"A"});
    EXPECT_EQ(m_pane->selectedId(), 3);

    // "A" (line 3) onto the favorite in G (line 5): after it, in G.
    ASSERT_TRUE(m_pane->moveFavorite(3, 5));
    EXPECT_EQ(m_pane->entries()[4].name, "A");
    EXPECT_EQ(m_pane->entries()[4].parent, 3);
    EXPECT_EQ(childTexts(m_pane->itemOfId(3)), (QStringList{"in G", "A"}));
    EXPECT_EQ(m_pane->selectedId(), 5);
}

TEST_F(FavoritesPaneTest, ADropOnAFolderMovesTheFavoriteThere) {
    const int f = addFolder(QStringLiteral("F"), 1);
    const int a = addFavorite(QStringLiteral("A"), 1);
    m_pane->itemOfId(f)->setExpanded(false);
    QTreeWidget* tree = m_pane->tree();
    auto* favoritesTree = static_cast<FavoritesTree*>(tree);
    const QPoint onFolder = tree->visualItemRect(m_pane->itemOfId(f)).center();
    const QPoint onRoot = tree->visualItemRect(root()).center();
    const QPoint below = tree->visualItemRect(m_pane->itemOfId(a)).bottomLeft() + QPoint(5, 40);

    std::unique_ptr<QMimeData> data(FavoritesTree::dragData(a));
    EXPECT_EQ(favoritesTree->dropTarget(data.get(), onRoot), nullptr);
    EXPECT_EQ(favoritesTree->dropTarget(data.get(), below), nullptr);
    EXPECT_EQ(favoritesTree->dropTarget(data.get(), onFolder), m_pane->itemOfId(f));
    std::unique_ptr<QMimeData> folderData(FavoritesTree::dragData(f));
    EXPECT_EQ(favoritesTree->dropTarget(folderData.get(), onFolder), nullptr);

    // A drag enters the tree, moves to `point` and is dropped there;
    // returns whether the move was offered there.
    const auto dropAt = [&](const QPoint& point) {
        QDragEnterEvent enter(point, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(tree->viewport(), &enter);
        QDragMoveEvent move(point, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(tree->viewport(), &move);
        QDropEvent drop(point, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(tree->viewport(), &drop);
        QCoreApplication::processEvents();
        return move.isAccepted();
    };
    QSignalSpy dropped(favoritesTree, &FavoritesTree::favoriteDropped);
    const QByteArray before = storeBytes();
    EXPECT_FALSE(dropAt(below));
    EXPECT_FALSE(dropAt(onRoot));
    EXPECT_EQ(dropped.count(), 0);
    EXPECT_EQ(storeBytes(), before);

    EXPECT_TRUE(dropAt(onFolder));
    ASSERT_EQ(dropped.count(), 1);
    ASSERT_TRUE(
        waitFor([&] { return m_pane->entries().size() == 3 && m_pane->entries()[2].parent == f; }));
    EXPECT_EQ(childTexts(m_pane->itemOfId(f)), QStringList{"A"});
    EXPECT_TRUE(m_pane->itemOfId(f)->isExpanded());
}

TEST_F(FavoritesPaneTest, ExpansionIsStoredAndShownAgain) {
    const int f = addFolder(QStringLiteral("F"), 1);
    addFavorite(QStringLiteral("A"), f);
    m_pane->itemOfId(f)->setExpanded(false);
    m_pane.reset();
    m_pane = makePane();
    EXPECT_FALSE(m_pane->itemOfId(f)->isExpanded());
    EXPECT_TRUE(root()->isExpanded());
    EXPECT_FALSE(m_pane->entries()[1].expanded);
    // Filling the tree stores nothing by itself.
    const QByteArray before = storeBytes();
    ASSERT_TRUE(m_pane->refill().ok());
    EXPECT_EQ(storeBytes(), before);
}

TEST_F(FavoritesPaneTest, ContextMenuSelectsTheItemUnderTheMouseFirst) {
    const int a = addFavorite(QStringLiteral("A"), 1);
    addFavorite(QStringLiteral("B"), 1);
    QTreeWidget* tree = m_pane->tree();
    emit tree->customContextMenuRequested(tree->visualItemRect(m_pane->itemOfId(a)).center());
    EXPECT_EQ(m_pane->selectedId(), a);
    QMenu* menu = m_pane->contextMenu();
    QStringList items;
    for (const QAction* action : menu->actions()) {
        items << (action->isSeparator() ? QStringLiteral("-")
                                        : action->text() + QLatin1Char('|') + action->objectName() +
                                              (action->isEnabled() ? "" : "|off"));
    }
    EXPECT_EQ(items,
              (QStringList{"削除(&R)|cmd11670", "-", "お気に入りの保存|cmd11671",
                           "お気に入りの読み込み|cmd11672", "-", "お気に入り名前変更|cmd32830"}));
    menu->close();

    // On the root: nothing to delete or rename.
    emit tree->customContextMenuRequested(tree->visualItemRect(root()).center());
    EXPECT_EQ(m_pane->selectedId(), 1);
    EXPECT_FALSE(menu->actions().at(0)->isEnabled());
    EXPECT_FALSE(menu->actions().at(5)->isEnabled());
    menu->close();

    // The save and load entries go to whoever handles them.
    QSignalSpy exports(m_pane.get(), &FavoritesPane::exportRequested);
    QSignalSpy imports(m_pane.get(), &FavoritesPane::importRequested);
    menu->actions().at(2)->trigger();
    menu->actions().at(3)->trigger();
    EXPECT_EQ(exports.count(), 1);
    EXPECT_EQ(imports.count(), 1);
}

TEST_F(FavoritesPaneTest, AStoreThatCannotBeReadIsReportedAndNothingBreaks) {
    m_pane.reset();
    ASSERT_TRUE(QFile::remove(storePath()));
    ASSERT_TRUE(QDir().mkdir(storePath())); // a folder where the store should be
    auto pane = unopenedPane();
    const StoreStatus status = pane->open();
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.path().filename(), "csv_okiniiri0");
    EXPECT_EQ(pane->tree()->topLevelItemCount(), 0);

    m_prompts->newName = QStringLiteral("x");
    pane->createFolder();
    ASSERT_EQ(m_prompts->errors.size(), 1);
    EXPECT_TRUE(m_prompts->errors[0].contains(QStringLiteral("csv_okiniiri0")));
    EXPECT_TRUE(QFileInfo(storePath()).isDir());
}
