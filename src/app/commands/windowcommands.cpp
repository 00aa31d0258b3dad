#include "app/commands/windowcommands.h"

#include "app/commandset.h"
#include "app/settingskeys.h"
#include "app/toolbarcustomiser.h"
#include "app/visualstyles.h"

#include <QActionGroup>
#include <QApplication>
#include <QMainWindow>
#include <QSettings>

namespace orbelle {

WindowCommands::WindowCommands(const CommandSet& commands, QMainWindow* window,
                               QToolBar* standardToolBar, const QString& appDataDir,
                               QObject* parent)
    : QObject(parent), m_commands(commands),
      m_toolBars(new ToolBarCustomiser(commands, window, standardToolBar, appDataDir, this)) {
    commands.onTriggered(CommandId::AppExit, window, [window] { window->close(); });
    commands.onTriggered(CommandId::ResetLayout, this, [this] { emit layoutResetRequested(); });
    commands.onTriggered(CommandId::CustomiseToolBar, m_toolBars, &ToolBarCustomiser::openDialog);
    for (const VisualStyle& style : visualStyles()) {
        commands.onTriggered(style.id, this, [this, id = style.id] { setVisualStyle(id); });
    }
}

void WindowCommands::setVisualStyle(CommandId id) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_visualStyle = id;
    applyVisualStyle(id);
    if (QAction* action = m_commands.action(id); action != nullptr && isVisualStyle(id)) {
        action->setChecked(true);
    } else if (QAction* checked = m_commands.visualStyleGroup()->checkedAction()) {
        checked->setChecked(false);
    }
    QSettings().setValue(SettingsKeys::ApplicationLook, commandNumber(id));
    QApplication::restoreOverrideCursor();
}

void WindowCommands::restoreVisualStyle() {
    setVisualStyle(
        CommandId{QSettings()
                      .value(SettingsKeys::ApplicationLook, commandNumber(kDefaultVisualStyle))
                      .toInt()});
}

} // namespace orbelle
