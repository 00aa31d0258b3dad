#pragma once
// FavoritesPrompts: every question the favorites pane and the favorites
// commands put to the user, and every message they show, in one place. The
// program uses the dialogs and message boxes below; tests put scripted
// answers in their place.

#include "store/favoritesstore.h"

#include <QString>

#include <optional>
#include <vector>

class QWidget;

namespace orbelle {

class FavoritesPrompts {
  public:
    enum class NewEntryKind { Folder, Favorite };
    struct NewEntry {
        int parent = 0;
        QString name;
    };

    FavoritesPrompts() = default;
    FavoritesPrompts(const FavoritesPrompts&) = delete;
    FavoritesPrompts& operator=(const FavoritesPrompts&) = delete;
    virtual ~FavoritesPrompts();

    /// "フォルダ作成" / "お気に入り作成": the folder and the name of a new entry,
    /// nothing when cancelled. currentFolder is chosen at first.
    virtual std::optional<NewEntry> askNewEntry(QWidget* parent, NewEntryKind kind,
                                                const std::vector<FavoriteEntry>& entries,
                                                int currentFolder);
    /// "お気に入り名前変更": the new name, nothing when cancelled.
    virtual std::optional<QString> askNewName(QWidget* parent, const QString& currentName);
    /// A Yes/No question with the warning icon; true for Yes.
    virtual bool confirm(QWidget* parent, const QString& caption, const QString& text);
    /// A failure, with the warning icon.
    virtual void showError(QWidget* parent, const QString& caption, const QString& text);
    /// The file to save the favorites to (*.orbfv, proposed "無題"); empty
    /// when cancelled.
    virtual QString askExportPath(QWidget* parent);
    /// The favorites file to load; empty when cancelled.
    virtual QString askImportPath(QWidget* parent);
};

} // namespace orbelle
