#pragma once
// FavoritesPane: the pane "お気に入り", the favorites store shown as a tree of
// folders and favorites, with a toolbar (new folder, new favorite) and a
// context menu (delete, save, load, rename). Every change goes to the store
// first; the tree is then filled again from the store. The pane keeps no
// favorites of its own beyond the entries the tree shows.
//
// The current folder, where new entries go by default, is the selected
// folder, the folder of the selected favorite, or the root when nothing is
// selected. Drawing a favorite and saving, loading or resetting the whole set
// are left to whoever wires the pane's signals (the favorites commands).

#include "store/favoritesstore.h"

#include <QWidget>

#include <memory>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace orbelle {

struct DrawSettings;
class FavoritesPrompts;
class FavoritesTree;

class FavoritesPane : public QWidget {
    Q_OBJECT
  public:
    /// appDataDir: the per-user folder holding the store.
    explicit FavoritesPane(const QString& appDataDir, QWidget* parent = nullptr);
    ~FavoritesPane() override;

    /// Cleans the store and fills the tree. On failure the tree stays empty
    /// and the status says why (the file and the reason).
    StoreStatus open();
    /// Reads the store and fills the tree again, folders expanded as stored;
    /// selects entry `selectId` when there is one. On failure the tree is
    /// left empty and refillFailed tells why.
    StoreStatus refill(int selectId = 0);

    const FavoritesStore& store() const { return m_store; }
    /// The questions and messages of the pane and its commands.
    FavoritesPrompts& prompts() const { return *m_prompts; }
    void setPrompts(std::unique_ptr<FavoritesPrompts> prompts);

    QTreeWidget* tree() const;
    QToolBar* toolBar() const { return m_toolBar; }
    /// The tree's context menu (shown by a right click).
    QMenu* contextMenu() const { return m_contextMenu; }
    /// The entries the tree shows, in file order (entry id k at index k - 1).
    const std::vector<FavoriteEntry>& entries() const { return m_entries; }
    /// The entry of id `id`; nullptr when there is none.
    const FavoriteEntry* entry(int id) const;
    /// The tree item of entry `id`; nullptr when there is none.
    QTreeWidgetItem* itemOfId(int id) const;
    /// The selected entry's id; 0 when nothing is selected.
    int selectedId() const;
    /// Selects entry `id` (nothing for 0 or a missing id).
    void selectEntry(int id);
    int currentFolder() const;

    /// Asks for a folder and a name, adds a folder there, selects it.
    void createFolder();
    /// Asks for a folder and a name, adds a favorite of `settings` there,
    /// selects it.
    void createFavorite(const DrawSettings& settings);
    /// Deletes the selected entry, and all a folder holds, after asking.
    /// Nothing happens for the root or when nothing is selected.
    void deleteSelected();
    /// Asks for a new name of the selected entry (not the root).
    void renameSelected();
    /// Moves favorite `source` after entry `target` (into it for a folder,
    /// which is then expanded; after it into its folder for a favorite) and
    /// selects it. Returns false when nothing moved: a folder or the root as
    /// source, the root or the source itself as target. What a drop calls.
    bool moveFavorite(int source, int target);

  signals:
    /// A favorite is to be drawn with these settings.
    void applyRequested(const DrawSettings& settings);
    /// The toolbar's "new favorite": the current record is to be added.
    void newFavoriteRequested();
    /// The context menu's "お気に入りの保存" / "お気に入りの読み込み".
    void exportRequested();
    void importRequested();
    /// The store could not be read again: the tree stays empty.
    void refillFailed(const orbelle::StoreStatus& status);

  private:
    void showStoreError(const StoreStatus& status);
    void storeExpansion();
    void showContextMenu(const QPoint& position);
    void updateActions();
    void applyItem(QTreeWidgetItem* item);

    FavoritesStore m_store;
    std::unique_ptr<FavoritesPrompts> m_prompts;
    QToolBar* m_toolBar;
    FavoritesTree* m_tree;
    QMenu* m_contextMenu;
    QAction* m_deleteAction;
    QAction* m_renameAction;
    QAction* m_exportAction;
    QAction* m_importAction;
    std::vector<FavoriteEntry> m_entries;
    std::vector<QTreeWidgetItem*> m_itemOfId;
    bool m_filling = false;
};

} // namespace orbelle
