#pragma once
// The menu "お気に入り": new favorite, new folder, save, load and reset, and the
// favorites pane's own toolbar and context-menu requests. Opens the favorites
// store at start-up and reports a store that cannot be opened; a favorite
// the pane asks to draw is drawn and enters the history.

#include <QObject>
#include <QString>

namespace orbelle {

class CommandHost;
class CommandSet;
class FavoritesPane;

class FavoritesCommands : public QObject {
    Q_OBJECT
  public:
    FavoritesCommands(const CommandSet& commands, CommandHost& host, FavoritesPane* pane,
                      QObject* parent);

    /// "お気に入りの保存": a byte copy of the store in a chosen *.orbfv file.
    void exportFavorites();
    /// "お気に入りの読み込み": replaces every favorite by those of a chosen
    /// file (nothing is merged), through importFavoritesFrom().
    void importFavorites();
    /// Replaces every favorite by those of the file at path; a file that
    /// cannot be read or holds no folder or favorite is reported and the
    /// favorites stay. True when loaded.
    bool importFavoritesFrom(const QString& path);
    /// "お気に入りのリセット": back to the empty root folder, after asking.
    void resetFavorites();

  private:
    void showError(const QString& caption, const QString& text);

    CommandHost& m_host;
    FavoritesPane* m_pane;
};

} // namespace orbelle
