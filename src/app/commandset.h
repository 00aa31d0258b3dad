#pragma once
// The main window's commands: one QAction per command number, created once
// with its label, shortcut, status-bar prompt and tooltip, and the menu bar
// and the "標準" toolbar built from them. The actions only carry the
// commands; the main window connects them to what they do.

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QToolBar;

namespace orbelle {

class CommandSet : public QObject {
    Q_OBJECT
  public:
    /// Creates every action as a child of window (so its shortcut works in
    /// the window) and fills window's menu bar.
    explicit CommandSet(QMainWindow* window);

    /// The action of a command number, nullptr for an unknown number.
    QAction* action(int id) const;
    const QHash<int, QAction*>& actions() const { return m_actions; }

    /// The toolbar "標準" with its buttons; the caller adds it to the window.
    QToolBar* createStandardToolBar(QWidget* parent) const;
    /// Puts the toolbar's buttons back, leaving out the hidden command
    /// numbers and any separator that would then stand alone.
    void fillStandardToolBar(QToolBar* toolbar, const QSet<int>& hidden) const;
    /// The commands of the toolbar "標準" in button order.
    QList<QAction*> standardButtons() const;

    /// The submenu "ツール バーとドッキング ウィンドウ(&T)"; the window lists
    /// its toolbars and panes in it.
    QMenu* toolbarsAndPanesMenu() const { return m_panesMenu; }

    /// The exclusive group of the visual style actions (205-219).
    QActionGroup* visualStyleGroup() const { return m_styleGroup; }

  private:
    QAction* create(int id, const QString& label, const QString& prompt,
                    const QString& shortcut = {});
    void createActions();
    void buildMenus(QMainWindow* window);

    QMainWindow* m_window;
    QHash<int, QAction*> m_actions;
    QActionGroup* m_styleGroup = nullptr;
    QMenu* m_panesMenu = nullptr;
};

} // namespace orbelle
