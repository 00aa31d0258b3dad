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
class LiveDrawing;
class TransformPane;

class DrawingCommands : public QObject {
    Q_OBJECT
  public:
    DrawingCommands(const CommandSet& commands, CommandHost& host, DrawSettingsPane* settingsPane,
                    ColourPane* colourPane, TransformPane* transformPane, QObject* parent);

    /// "自動描画": redraws at every edit of the panes while it is on.
    LiveDrawing* liveDrawing() const { return m_live; }

  private:
    LiveDrawing* m_live;
};

} // namespace orbelle
