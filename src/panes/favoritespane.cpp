#include "panes/favoritespane.h"

#include "engine/drawsettings.h"
#include "panes/commandid.h"
#include "panes/favoriteitems.h"
#include "panes/favoritesprompts.h"
#include "panes/favoritestree.h"
#include "panes/storemessage.h"
#include "widgets/panetoolbar.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QToolBar>
#include <QVBoxLayout>

namespace orbelle {
namespace {

constexpr int kToolBarResource = 169;

std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

} // namespace

FavoritesPane::FavoritesPane(const QString& appDataDir, QWidget* parent)
    : QWidget(parent), m_store(std::filesystem::path(QFile::encodeName(appDataDir).toStdString())),
      m_prompts(std::make_unique<FavoritesPrompts>()) {
    setObjectName(QStringLiteral("favorites"));

    m_toolBar = createPaneToolBar(this, kToolBarResource);
    connect(addToolCommand(m_toolBar, commandNumber(CommandId::FavoritesToolNewFolder),
                           tr("お気に入りフォルダ作成"), ToolImage::NewFolder),
            &QAction::triggered, this, &FavoritesPane::createFolder);
    connect(addToolCommand(m_toolBar, commandNumber(CommandId::FavoritesToolNewFile),
                           tr("お気に入りファイル作成"), ToolImage::NewFavorite),
            &QAction::triggered, this, &FavoritesPane::newFavoriteRequested);

    m_tree = new FavoritesTree(this);
    m_tree->setObjectName(QStringLiteral("tree11660"));
    m_tree->setToolTip(tr("ファイルをドラッグして移動できます"));
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_tree, 1);
    setFocusProxy(m_tree);

    const auto makeAction = [this](CommandId id, const QString& text, const QKeySequence& key) {
        auto* action = new QAction(text, this);
        action->setObjectName(QStringLiteral("cmd%1").arg(commandNumber(id)));
        action->setStatusTip(text);
        if (!key.isEmpty()) {
            action->setShortcut(key);
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            m_tree->addAction(action);
        }
        return action;
    };
    m_deleteAction = makeAction(CommandId::FavoritesDelete, tr("削除(&R)"), QKeySequence::Delete);
    m_exportAction = makeAction(CommandId::FavoritesSaveFromPane, tr("お気に入りの保存"), {});
    m_importAction = makeAction(CommandId::FavoritesLoadFromPane, tr("お気に入りの読み込み"), {});
    m_renameAction =
        makeAction(CommandId::FavoritesRename, tr("お気に入り名前変更"), QKeySequence(Qt::Key_F2));
    connect(m_deleteAction, &QAction::triggered, this, &FavoritesPane::deleteSelected);
    connect(m_renameAction, &QAction::triggered, this, &FavoritesPane::renameSelected);
    connect(m_exportAction, &QAction::triggered, this, &FavoritesPane::exportRequested);
    connect(m_importAction, &QAction::triggered, this, &FavoritesPane::importRequested);

    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("menu174"));
    m_contextMenu->addAction(m_deleteAction);
    m_contextMenu->addSeparator();
    m_contextMenu->addAction(m_exportAction);
    m_contextMenu->addAction(m_importAction);
    m_contextMenu->addSeparator();
    m_contextMenu->addAction(m_renameAction);

    connect(m_tree, &QWidget::customContextMenuRequested, this, &FavoritesPane::showContextMenu);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &FavoritesPane::updateActions);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { applyItem(item); });
    connect(m_tree, &FavoritesTree::itemEntered, this, [this](QTreeWidgetItem* item) {
        const FavoriteEntry* found = entry(favoriteIdOf(item));
        if (found != nullptr && found->isFolder) {
            item->setExpanded(!item->isExpanded());
        } else {
            applyItem(item);
        }
    });
    const auto expansionChanged = [this] {
        if (!m_filling) {
            storeExpansion();
        }
    };
    connect(m_tree, &QTreeWidget::itemExpanded, this, expansionChanged);
    connect(m_tree, &QTreeWidget::itemCollapsed, this, expansionChanged);
    // The drop's event is over before the store changes and the tree, with
    // the item being dragged, is filled again.
    connect(
        m_tree, &FavoritesTree::favoriteDropped, this,
        [this](int source, int target) { moveFavorite(source, target); }, Qt::QueuedConnection);
    updateActions();
}

FavoritesPane::~FavoritesPane() = default;

void FavoritesPane::setPrompts(std::unique_ptr<FavoritesPrompts> prompts) {
    m_prompts = std::move(prompts);
}

QTreeWidget* FavoritesPane::tree() const { return m_tree; }

StoreStatus FavoritesPane::open() {
    StoreResult<FavoritesCleanReport> cleaned = m_store.clean();
    if (!cleaned.ok()) {
        (void)refill();
        return std::move(cleaned.status);
    }
    return refill();
}

StoreStatus FavoritesPane::refill(int selectId) {
    StoreResult<std::vector<FavoriteEntry>> loaded = m_store.load();
    m_filling = true;
    m_tree->clear();
    m_itemOfId.clear();
    m_entries.clear();
    if (loaded.ok()) {
        m_entries = std::move(loaded.value);
        if (QTreeWidgetItem* root = buildFavoriteItems(m_entries, false, m_itemOfId)) {
            m_tree->addTopLevelItem(root);
            for (const FavoriteEntry& folder : m_entries) {
                if (folder.isFolder && folder.expanded) {
                    if (QTreeWidgetItem* item = itemOfId(folder.id)) {
                        item->setExpanded(true);
                    }
                }
            }
        }
    }
    m_filling = false;
    selectEntry(selectId);
    updateActions();
    return std::move(loaded.status);
}

const FavoriteEntry* FavoritesPane::entry(int id) const {
    if (id < 1 || id > static_cast<int>(m_entries.size()) || m_entries[id - 1].id != id) {
        return nullptr;
    }
    return &m_entries[id - 1];
}

QTreeWidgetItem* FavoritesPane::itemOfId(int id) const {
    return id > 0 && id < static_cast<int>(m_itemOfId.size()) ? m_itemOfId[id] : nullptr;
}

int FavoritesPane::selectedId() const {
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    return selected.isEmpty() ? 0 : favoriteIdOf(selected.constFirst());
}

void FavoritesPane::selectEntry(int id) {
    if (QTreeWidgetItem* item = itemOfId(id)) {
        m_tree->setCurrentItem(item);
        m_tree->scrollToItem(item); // opens the folders above it
    } else {
        m_tree->clearSelection();
    }
}

int FavoritesPane::currentFolder() const {
    const FavoriteEntry* selected = entry(selectedId());
    if (selected == nullptr) {
        return kRootFolderId;
    }
    return selected->isFolder ? selected->id : selected->parent;
}

void FavoritesPane::createFolder() {
    const std::optional<FavoritesPrompts::NewEntry> answer = m_prompts->askNewEntry(
        this, FavoritesPrompts::NewEntryKind::Folder, m_entries, currentFolder());
    if (!answer) {
        return;
    }
    const StoreResult<int> added = m_store.addFolder(answer->parent, utf8(answer->name));
    if (!added.ok()) {
        showStoreError(added.status);
        return;
    }
    (void)refill(added.value);
}

void FavoritesPane::createFavorite(const DrawSettings& settings) {
    const std::optional<FavoritesPrompts::NewEntry> answer = m_prompts->askNewEntry(
        this, FavoritesPrompts::NewEntryKind::Favorite, m_entries, currentFolder());
    if (!answer) {
        return;
    }
    const StoreResult<int> added =
        m_store.addFavorite(answer->parent, utf8(answer->name), settings);
    if (!added.ok()) {
        showStoreError(added.status);
        return;
    }
    (void)refill(added.value);
}

void FavoritesPane::deleteSelected() {
    const FavoriteEntry* selected = entry(selectedId());
    if (selected == nullptr || selected->id == kRootFolderId) {
        return;
    }
    const int id = selected->id;
    const int parent = selected->parent;
    if (!m_prompts->confirm(this, tr("削除"),
                            tr("この操作は元に戻せません、お気に入りファイルを削除しますか？"))) {
        return;
    }
    const StoreResult<int> removed = m_store.remove(id);
    if (!removed.ok()) {
        showStoreError(removed.status);
    }
    // Ids after the removed entries move up; a parent before it keeps its id.
    (void)refill(removed.ok() ? (parent < id ? parent : 0) : id);
}

void FavoritesPane::renameSelected() {
    const FavoriteEntry* selected = entry(selectedId());
    if (selected == nullptr || selected->id == kRootFolderId) {
        return;
    }
    const int id = selected->id;
    const std::optional<QString> name =
        m_prompts->askNewName(this, QString::fromStdString(selected->name));
    if (!name) {
        return;
    }
    const StoreResult<bool> renamed = m_store.rename(id, utf8(*name));
    if (!renamed.ok()) {
        showStoreError(renamed.status);
        return;
    }
    (void)refill(id);
}

void FavoritesPane::applySelected() { applyItem(itemOfId(selectedId())); }

void FavoritesPane::applyItem(QTreeWidgetItem* item) {
    const FavoriteEntry* found = entry(favoriteIdOf(item));
    if (found != nullptr && !found->isFolder) {
        emit applyRequested(found->settings);
    }
}

bool FavoritesPane::moveFavorite(int source, int target) {
    const FavoriteEntry* dragged = entry(source);
    if (dragged == nullptr || dragged->isFolder || entry(target) == nullptr ||
        target == kRootFolderId || target == source) {
        return false;
    }
    const StoreResult<bool> moved = m_store.moveFavorite(source, target);
    if (!moved.ok()) {
        showStoreError(moved.status);
        return false;
    }
    if (!moved.value) {
        return false;
    }
    // The favorite now sits on the line after the target's: the target's own
    // line moved up by one when the favorite came from above it.
    (void)refill(source < target ? target : target + 1);
    return true;
}

void FavoritesPane::storeExpansion() {
    std::vector<std::pair<int, bool>> states;
    for (FavoriteEntry& folder : m_entries) {
        if (QTreeWidgetItem* item = folder.isFolder ? itemOfId(folder.id) : nullptr) {
            folder.expanded = item->isExpanded();
            states.emplace_back(folder.id, folder.expanded);
        }
    }
    const StoreResult<bool> saved = m_store.saveExpansion(states);
    if (!saved.ok()) {
        showStoreError(saved.status);
    }
}

void FavoritesPane::showContextMenu(const QPoint& position) {
    if (QTreeWidgetItem* item = m_tree->itemAt(position)) {
        m_tree->setCurrentItem(item);
    } else {
        m_tree->clearSelection();
    }
    m_tree->setFocus();
    updateActions();
    m_contextMenu->popup(m_tree->viewport()->mapToGlobal(position));
}

void FavoritesPane::updateActions() {
    const bool changeable = selectedId() > kRootFolderId;
    m_deleteAction->setEnabled(changeable);
    m_renameAction->setEnabled(changeable);
}

void FavoritesPane::showStoreError(const StoreStatus& status) {
    m_prompts->showError(this, tr("お気に入り"), storeMessage(status));
}

} // namespace orbelle
