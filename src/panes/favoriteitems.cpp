#include "panes/favoriteitems.h"

#include "widgets/panetoolbar.h"

#include <QTreeWidgetItem>

namespace orbelle {
namespace {

constexpr int kIdRole = Qt::UserRole;

} // namespace

QTreeWidgetItem* buildFavoriteItems(const std::vector<FavoriteEntry>& entries, bool foldersOnly,
                                    std::vector<QTreeWidgetItem*>& itemOfId) {
    itemOfId.assign(entries.size() + 2, nullptr);
    if (entries.empty()) {
        return nullptr;
    }
    const int slotCount = static_cast<int>(itemOfId.size());
    // Children of every folder by kind, in file order.
    std::vector<std::vector<int>> folders(itemOfId.size());
    std::vector<std::vector<int>> favorites(itemOfId.size());
    for (int k = 1; k < static_cast<int>(entries.size()); ++k) {
        const FavoriteEntry& entry = entries[k];
        if (entry.parent < 1 || entry.parent >= slotCount) {
            continue;
        }
        if (entry.isFolder) {
            folders[entry.parent].push_back(k);
        } else if (!foldersOnly) {
            favorites[entry.parent].push_back(k);
        }
    }

    const QIcon folderIcon = toolIcon(ToolImage::Folder);
    const QIcon favoriteIcon = toolIcon(ToolImage::Favorite);
    const auto makeItem = [&](const FavoriteEntry& entry) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, QString::fromStdString(entry.name));
        item->setIcon(0, entry.isFolder ? folderIcon : favoriteIcon);
        item->setData(0, kIdRole, entry.id);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (entry.id != kRootFolderId) {
            // The root takes no drops; a favorite can be dragged, a folder not.
            flags |= Qt::ItemIsDropEnabled;
            if (!entry.isFolder) {
                flags |= Qt::ItemIsDragEnabled;
            }
        }
        item->setFlags(flags);
        if (entry.id >= 0 && entry.id < slotCount) {
            itemOfId[entry.id] = item;
        }
        return item;
    };

    QTreeWidgetItem* root = makeItem(entries.front());
    // Folder by folder from the root, so a folder whose parent comes later in
    // the file still lands inside that parent.
    std::vector<int> pending{0};
    while (!pending.empty()) {
        const int index = pending.back();
        pending.pop_back();
        const int id = entries[index].id;
        if (id < 1 || id >= slotCount || itemOfId[id] == nullptr) {
            continue;
        }
        QList<QTreeWidgetItem*> children;
        for (const int child : folders[id]) {
            if (itemOfId[entries[child].id] == nullptr) { // a duplicated id is shown once
                children << makeItem(entries[child]);
                pending.push_back(child);
            }
        }
        for (const int child : favorites[id]) {
            children << makeItem(entries[child]);
        }
        itemOfId[id]->addChildren(children);
    }
    return root;
}

int favoriteIdOf(const QTreeWidgetItem* item) {
    return item == nullptr ? 0 : item->data(0, kIdRole).toInt();
}

} // namespace orbelle
