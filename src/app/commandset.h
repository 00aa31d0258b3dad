#pragma once
// The main window's commands: one QAction per CommandId, created once with
// its label, shortcut, status-bar prompt and tooltip, and the menu bar and the
// "標準" toolbar built from them. The actions only carry the commands; the
// command groups (app/commands/) connect them to what they do.

#include "panes/commandid.h"

#include <QAction>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>

#include <optional>

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

    /// The action of a command, nullptr for a number that is no command.
    QAction* action(CommandId id) const;
    const QHash<CommandId, QAction*>& actions() const { return m_actions; }
    /// The command an action carries; nothing for an action of no command
    /// (a submenu, a toggle of a pane).
    std::optional<CommandId> idOf(const QAction* action) const;

    /// Calls slot (a function, or a member function of context) whenever
    /// command id is triggered, while context lives.
    template <typename Context, typename Slot>
    QMetaObject::Connection onTriggered(CommandId id, Context* context, Slot&& slot) const {
        return connect(action(id), &QAction::triggered, context, std::forward<Slot>(slot));
    }

    /// The toolbar "標準" with its buttons; the caller adds it to the window.
    QToolBar* createStandardToolBar(QWidget* parent) const;
    /// The default buttons of "標準" in order, CommandId{0} for a separator.
    QList<CommandId> defaultStandardButtons() const;

    /// The submenu "ツール バーとドッキング ウィンドウ(&T)"; the window lists
    /// its toolbars and panes in it.
    QMenu* toolbarsAndPanesMenu() const { return m_panesMenu; }

    /// The exclusive group of the visual style actions (CommandId::Style...).
    QActionGroup* visualStyleGroup() const { return m_styleGroup; }

  private:
    QAction* create(CommandId id, const QString& label, const QString& prompt,
                    const QString& shortcut = {});
    void createActions();
    void buildMenus(QMainWindow* window);

    QMainWindow* m_window;
    QHash<CommandId, QAction*> m_actions;
    QHash<const QAction*, CommandId> m_ids;
    QActionGroup* m_styleGroup = nullptr;
    QMenu* m_panesMenu = nullptr;
};

} // namespace orbelle
