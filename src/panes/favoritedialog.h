#pragma once
// FavoriteDialog: "フォルダ作成" and "お気に入り作成". The user types a name
// and picks the folder the new entry goes into from a tree of the store's
// folders; the pane's current folder is chosen at first. "保存" is refused
// with a message in the dialog while the name cannot be stored.

#include "store/favoritesstore.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace orbelle {

class FavoriteDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Mode { Folder, Favorite };

    /// entries: the store's entries (root first); currentFolder: the folder
    /// chosen at first (the root when it is no folder of the store).
    FavoriteDialog(Mode mode, const std::vector<FavoriteEntry>& entries, int currentFolder,
                   QWidget* parent = nullptr);

    QString name() const;
    void setName(const QString& name);
    /// The id of the chosen folder; the root when none is chosen.
    int parentFolder() const;
    /// Chooses folder `id` in the tree.
    void chooseFolder(int id);
    /// Why the last "保存" was refused; empty when it was not.
    QString problem() const;

    QLineEdit* nameEdit() const { return m_name; }
    QTreeWidget* folderTree() const { return m_tree; }
    QPushButton* saveButton() const { return m_save; }

    /// "保存": ends the dialog when the name can be stored.
    void accept() override;

  private:
    QLineEdit* m_name;
    QTreeWidget* m_tree;
    QLabel* m_problem;
    QPushButton* m_save;
    std::vector<QTreeWidgetItem*> m_itemOfId;
};

} // namespace orbelle
