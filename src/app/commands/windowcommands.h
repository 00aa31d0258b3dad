#pragma once
// The window commands: exit (menu "ファイル"), layout reset, toolbar
// customisation and the visual styles (menu "表示"). Keeps and stores the
// chosen visual style; the toolbars and shortcuts the person arranges are
// kept by its ToolBarCustomiser.

#include "panes/commandid.h"

#include <QObject>

class QMainWindow;
class QToolBar;

namespace orbelle {

class CommandSet;
class ToolBarCustomiser;

class WindowCommands : public QObject {
    Q_OBJECT
  public:
    /// window: the window the commands close and restyle; standardToolBar:
    /// the toolbar "標準"; appDataDir: the per-user folder (with a trailing
    /// separator) the user toolbar images come from.
    WindowCommands(const CommandSet& commands, QMainWindow* window, QToolBar* standardToolBar,
                   const QString& appDataDir, QObject* parent);

    /// Applies a visual style, marks it in the menu and stores it. A value
    /// that names no style takes the fallback look with no style marked.
    void setVisualStyle(CommandId id);
    CommandId visualStyle() const { return m_visualStyle; }
    /// The stored visual style, the default one when none is stored.
    void restoreVisualStyle();

    /// The toolbars, their buttons and the shortcuts the person arranges.
    ToolBarCustomiser* toolBars() const { return m_toolBars; }

  signals:
    /// CommandId::ResetLayout: the window puts its panes back in place.
    void layoutResetRequested();

  private:
    const CommandSet& m_commands;
    CommandId m_visualStyle{0};
    ToolBarCustomiser* m_toolBars;
};

} // namespace orbelle
