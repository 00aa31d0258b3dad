#include "app/commands/windowcommands.h"

#include "app/commandset.h"
#include "app/toolbarcustomizedialog.h"
#include "app/visualstyles.h"

#include <QActionGroup>
#include <QApplication>
#include <QMainWindow>
#include <QSettings>

namespace orbelle {
namespace {

const QString kLookKey = QStringLiteral("Workspace/ApplicationLook");
const QString kHiddenButtonsKey = QStringLiteral("Workspace/HiddenToolBarButtons");

} // namespace

WindowCommands::WindowCommands(const CommandSet& commands, QMainWindow* window,
                               QToolBar* standardToolBar, QObject* parent)
    : QObject(parent), m_commands(commands), m_window(window), m_toolBar(standardToolBar) {
    commands.onTriggered(CommandId::AppExit, window, [window] { window->close(); });
    commands.onTriggered(CommandId::ResetLayout, this, [this] { emit layoutResetRequested(); });
    commands.onTriggered(CommandId::CustomizeToolBar, this, [this] { customizeToolBar(); });
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
    QSettings().setValue(kLookKey, commandNumber(id));
    QApplication::restoreOverrideCursor();
}

void WindowCommands::restoreVisualStyle() {
    setVisualStyle(
        CommandId{QSettings().value(kLookKey, commandNumber(kDefaultVisualStyle)).toInt()});
}

void WindowCommands::setHiddenToolBarButtons(const QSet<CommandId>& hidden) {
    m_hiddenButtons = hidden;
    m_commands.fillStandardToolBar(m_toolBar, hidden);
    QVariantList ids;
    for (const CommandId id : hidden) {
        ids << commandNumber(id);
    }
    QSettings().setValue(kHiddenButtonsKey, ids);
}

void WindowCommands::restoreHiddenToolBarButtons() {
    QSet<CommandId> hidden;
    for (const QVariant& id : QSettings().value(kHiddenButtonsKey).toList()) {
        hidden.insert(CommandId{id.toInt()});
    }
    setHiddenToolBarButtons(hidden);
}

void WindowCommands::customizeToolBar() {
    ToolBarCustomizeDialog dialog(m_commands.standardButtons(), m_hiddenButtons, m_window);
    if (dialog.exec() == QDialog::Accepted) {
        setHiddenToolBarButtons(dialog.hiddenButtons());
    }
}

} // namespace orbelle
