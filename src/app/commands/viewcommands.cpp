#include "app/commands/viewcommands.h"

#include "app/commandset.h"
#include "panes/drawsettingspane.h"
#include "view/mainview.h"

#include <QStatusBar>

namespace orbelle {

ViewCommands::ViewCommands(const CommandSet& commands, MainView* view,
                           DrawSettingsPane* settingsPane, QStatusBar* statusBar, QObject* parent)
    : QObject(parent) {
    commands.onTriggered(CommandId::ZoomIn, view, &MainView::zoomIn);
    commands.onTriggered(CommandId::ZoomOut, view, &MainView::zoomOut);
    commands.onTriggered(CommandId::CentreView, view, &MainView::centre);
    commands.onTriggered(CommandId::FitToWindow, view, &MainView::fitToWindow);
    settingsPane->addToolActions({commands.action(CommandId::ZoomIn),
                                  commands.action(CommandId::ZoomOut),
                                  commands.action(CommandId::CentreView)});

    connect(commands.action(CommandId::ViewStatusBar), &QAction::toggled, statusBar,
            &QStatusBar::setVisible);
}

} // namespace orbelle
