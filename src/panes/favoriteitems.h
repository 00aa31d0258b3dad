#pragma once
// The tree items of the favorites store's entries, for the favorites pane and
// the folder tree of its dialog. Every folder holds its sub-folders first and
// then its favorites, each group in file order; the root folder is the one
// top-level item. Each item carries its entry's id.

#include "store/favoritesstore.h"

#include <vector>

class QTreeWidgetItem;

namespace orbelle {

/// Builds the items of `entries` (a clean store, root first) and returns the
/// root's item, which owns all the others (nullptr when `entries` is empty).
/// `itemOfId[id]` is the item of entry `id`, nullptr for an entry left out.
/// With foldersOnly the favorites are left out. Nothing is expanded.
QTreeWidgetItem* buildFavoriteItems(const std::vector<FavoriteEntry>& entries, bool foldersOnly,
                                    std::vector<QTreeWidgetItem*>& itemOfId);

/// The entry id an item carries; 0 for nullptr.
int favoriteIdOf(const QTreeWidgetItem* item);

} // namespace orbelle
