#pragma once
// The window commands: exit (menu "ファイル"), layout reset, toolbar
// customisation and the visual styles (menu "表示"). Keeps the chosen visual
// style and the hidden buttons of the toolbar "標準", and stores both.

#include "widgets/commandid.h"

#include <QObject>
#include <QSet>

class QMainWindow;
class QToolBar;

namespace orbelle {

class CommandSet;

class WindowCommands : public QObject {
    Q_OBJECT
  public:
    /// window: the window the commands close and restyle; standardToolBar:
    /// the toolbar the customisation fills.
    WindowCommands(const CommandSet& commands, QMainWindow* window, QToolBar* standardToolBar,
                   QObject* parent);

    /// Applies a visual style, marks it in the menu and stores it. A value
    /// that names no style takes the fallback look with no style marked.
    void setVisualStyle(CommandId id);
    CommandId visualStyle() const { return m_visualStyle; }
    /// The stored visual style, the default one when none is stored.
    void restoreVisualStyle();

    /// Buttons of the toolbar "標準" left out by the customisation; stored.
    void setHiddenToolBarButtons(const QSet<CommandId>& hidden);
    QSet<CommandId> hiddenToolBarButtons() const { return m_hiddenButtons; }
    /// The stored hidden buttons, none when none are stored.
    void restoreHiddenToolBarButtons();

  signals:
    /// CommandId::ResetLayout: the window puts its panes back in place.
    void layoutResetRequested();

  private:
    void customizeToolBar();

    const CommandSet& m_commands;
    QMainWindow* m_window;
    QToolBar* m_toolBar;
    CommandId m_visualStyle{0};
    QSet<CommandId> m_hiddenButtons;
};

} // namespace orbelle
