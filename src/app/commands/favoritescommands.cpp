#include "app/commands/favoritescommands.h"

#include "app/commands/commandhost.h"
#include "app/commandset.h"
#include "engine/drawsettings.h"
#include "panes/favoritespane.h"
#include "panes/favoritesprompts.h"
#include "panes/storemessage.h"

#include <QFile>
#include <QTimer>

namespace orbelle {
namespace {

std::filesystem::path localPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

FavoritesCommands::FavoritesCommands(const CommandSet& commands, CommandHost& host,
                                     FavoritesPane* pane, QObject* parent)
    : QObject(parent), m_host(host), m_pane(pane) {
    const auto createFavorite = [this] { m_pane->createFavorite(m_host.captureSettings()); };
    commands.onTriggered(CommandId::FavoritesAddFile, this, createFavorite);
    commands.onTriggered(CommandId::FavoritesNewFolder, pane, &FavoritesPane::createFolder);
    commands.onTriggered(CommandId::FavoritesSave, this, &FavoritesCommands::exportFavorites);
    commands.onTriggered(CommandId::FavoritesLoad, this, &FavoritesCommands::importFavorites);
    commands.onTriggered(CommandId::FavoritesReset, this, &FavoritesCommands::resetFavorites);

    connect(pane, &FavoritesPane::newFavoriteRequested, this, createFavorite);
    connect(pane, &FavoritesPane::exportRequested, this, &FavoritesCommands::exportFavorites);
    connect(pane, &FavoritesPane::importRequested, this, &FavoritesCommands::importFavorites);
    // A favorite is drawn like any new drawing: it enters the history.
    connect(pane, &FavoritesPane::applyRequested, this,
            [this](const DrawSettings& settings) { m_host.applySettings(settings, false); });

    const StoreStatus opened = pane->open();
    if (!opened) {
        // Shown once the window is up; the program goes on without favorites.
        QTimer::singleShot(
            0, this, [this, text = storeMessage(opened)] { showError(tr("お気に入り"), text); });
    }
    // After a change the store could not be read back: the tree is empty, and
    // the status bar says why rather than leaving it unexplained.
    connect(pane, &FavoritesPane::refillFailed, this, [this](const StoreStatus& status) {
        m_host.showStatusMessage(
            tr("お気に入りを表示できません: %1").arg(storeMessageLine(status)));
    });
}

void FavoritesCommands::exportFavorites() {
    const QString path = m_pane->prompts().askExportPath(m_host.dialogParent());
    if (path.isEmpty()) {
        return;
    }
    const StoreStatus saved = m_pane->store().exportTo(localPath(path));
    if (!saved) {
        showError(tr("お気に入りの保存"), storeMessage(saved));
        return;
    }
    m_host.showStatusMessage(tr("お気に入りを保存しました: %1").arg(path));
}

void FavoritesCommands::importFavorites() {
    const QString path = m_pane->prompts().askImportPath(m_host.dialogParent());
    if (!path.isEmpty()) {
        importFavoritesFrom(path);
    }
}

bool FavoritesCommands::importFavoritesFrom(const QString& path) {
    const StoreResult<FavoritesImport> loaded = m_pane->store().importFrom(localPath(path));
    if (!loaded.ok()) {
        showError(tr("お気に入りの読み込み"), storeMessage(loaded.status));
        return false;
    }
    (void)m_pane->refill();
    QString message = tr("お気に入りを読み込みました: %1").arg(path);
    if (loaded.value.dropped > 0) {
        message += tr(" (壊れた %1 行は読み込みませんでした)").arg(loaded.value.dropped);
    }
    m_host.showStatusMessage(message);
    return true;
}

void FavoritesCommands::resetFavorites() {
    if (!m_pane->prompts().confirm(m_host.dialogParent(), tr("お気に入り削除"),
                                   tr("お気に入りをすべて削除しますか？"))) {
        return;
    }
    const StoreStatus reset = m_pane->store().reset();
    if (!reset) {
        showError(tr("お気に入りのリセット"), storeMessage(reset));
    }
    (void)m_pane->refill();
}

void FavoritesCommands::showError(const QString& caption, const QString& text) {
    m_pane->prompts().showError(m_host.dialogParent(), caption, text);
}

} // namespace orbelle
