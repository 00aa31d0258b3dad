#pragma once
// The view commands: zoom in, zoom out and centre (menu "描画" and the drawing
// settings pane's toolbar), fitting the picture to the window and showing or
// hiding the status bar (menu "表示").

#include <QObject>

class QStatusBar;

namespace orbelle {

class CommandSet;
class DrawSettingsPane;
class MainView;

class ViewCommands : public QObject {
    Q_OBJECT
  public:
    ViewCommands(const CommandSet& commands, MainView* view, DrawSettingsPane* settingsPane,
                 QStatusBar* statusBar, QObject* parent);
};

} // namespace orbelle
