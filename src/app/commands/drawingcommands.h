#pragma once
// The menu "描画": draw, draw random, live drawing, enlarge, shrink, standard
// size, reset colour and stroke, reset 3D, and the same commands from the
// panes' buttons and toolbars.

#include <QObject>

namespace orbelle {

class ColourPane;
class CommandHost;
class CommandSet;
class DrawSettingsPane;
class DrawingSession;
class TransformPane;

class DrawingCommands : public QObject {
    Q_OBJECT
  public:
    /// session: where the panes' edits and released sliders go ("自動描画").
    DrawingCommands(const CommandSet& commands, CommandHost& host, DrawingSession* session,
                    DrawSettingsPane* settingsPane, ColourPane* colourPane,
                    TransformPane* transformPane, QObject* parent);
};

} // namespace orbelle
