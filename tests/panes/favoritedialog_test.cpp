#include "panes/favoritedialog.h"

#include "panes/favoriterenamedialog.h"
#include "support/guiapplication.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace orbelle;

namespace {

FavoriteEntry entry(int id, int parent, const char* name, bool isFolder) {
    FavoriteEntry made;
    made.id = id;
    made.parent = parent;
    made.name = name;
    made.isFolder = isFolder;
    return made;
}

// Root; folder A with favorite x and folder B; favorite y in the root.
std::vector<FavoriteEntry> sampleEntries() {
    return {entry(1, 0, "お気に入り", true), entry(2, 1, "A", true), entry(3, 2, "x", false),
            entry(4, 2, "B", true), entry(5, 1, "y", false)};
}

} // namespace

TEST(FavoriteDialogTest, ShowsTheFoldersOnlyOpenWithTheCurrentFolderChosen) {
    FavoriteDialog dialog(FavoriteDialog::Mode::Favorite, sampleEntries(), 4);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("お気に入り作成"));
    QTreeWidget* tree = dialog.folderTree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    const QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("お気に入り"));
    ASSERT_EQ(root->childCount(), 1);
    const QTreeWidgetItem* a = root->child(0);
    EXPECT_EQ(a->text(0), QStringLiteral("A"));
    ASSERT_EQ(a->childCount(), 1);
    EXPECT_EQ(a->child(0)->text(0), QStringLiteral("B"));
    EXPECT_TRUE(root->isExpanded());
    EXPECT_TRUE(a->isExpanded());
    EXPECT_EQ(dialog.parentFolder(), 4);
    EXPECT_EQ(tree->currentItem(), a->child(0));

    dialog.folderTree()->setCurrentItem(root->child(0));
    EXPECT_EQ(dialog.parentFolder(), 2);

    EXPECT_EQ(FavoriteDialog(FavoriteDialog::Mode::Folder, sampleEntries(), 1).windowTitle(),
              QStringLiteral("フォルダ作成"));
    // A current folder the store does not have (or a favorite): the root.
    EXPECT_EQ(FavoriteDialog(FavoriteDialog::Mode::Folder, sampleEntries(), 9).parentFolder(), 1);
    EXPECT_EQ(FavoriteDialog(FavoriteDialog::Mode::Folder, sampleEntries(), 3).parentFolder(), 1);
}

TEST(FavoriteDialogTest, SaveIsRefusedInTheDialogForNamesTheStoreCannotHold) {
    FavoriteDialog dialog(FavoriteDialog::Mode::Folder, sampleEntries(), 1);
    EXPECT_FALSE(dialog.saveButton()->isEnabled()); // no name yet
    EXPECT_EQ(dialog.saveButton()->text(), QStringLiteral("保存"));

    dialog.nameEdit()->setText(QStringLiteral("花\U0001F338"));
    EXPECT_TRUE(dialog.saveButton()->isEnabled());
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.problem().contains(QStringLiteral("\U0001F338")))
        << dialog.problem().toStdString();
    dialog.nameEdit()->setText(QStringLiteral("花")); // typing clears the message
    EXPECT_TRUE(dialog.problem().isEmpty());

    // 512 bytes in code page 932 (256 kanji) is one too many, 511 fit.
    dialog.setName(QString(256, QChar(0x82B1)));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.problem().isEmpty());
    // Half-width katakana take one byte each: 511 of them fit.
    dialog.setName(QString(511, QChar(0xFF76)));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.problem().isEmpty());
}

TEST(FavoriteDialogTest, RenameDialogStartsFromThePresentName) {
    FavoriteRenameDialog dialog(QStringLiteral("星空"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("お気に入り名前変更"));
    EXPECT_EQ(dialog.name(), QStringLiteral("星空"));
    dialog.setName(QString());
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.setName(QStringLiteral("\U0001F30C"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.problem().contains(QStringLiteral("\U0001F30C")));
    dialog.setName(QStringLiteral("ｶﾀｶﾅ,漢字"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
