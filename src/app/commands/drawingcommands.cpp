#include "app/commands/drawingcommands.h"

#include "app/commands/commandhost.h"
#include "app/commands/livedrawing.h"
#include "app/commandset.h"
#include "panes/colourpane.h"
#include "panes/drawsettingspane.h"
#include "panes/transformpane.h"

namespace orbelle {

DrawingCommands::DrawingCommands(const CommandSet& commands, CommandHost& host,
                                 DrawSettingsPane* settingsPane, ColourPane* colourPane,
                                 TransformPane* transformPane, QObject* parent)
    : QObject(parent),
      m_live(new LiveDrawing(commands.action(CommandId::LiveDrawing), host, this)) {
    // A drawing asked for outright is recorded at once; a live drawing still
    // waiting for its value to settle gives way to it.
    const auto draw = [&host, live = m_live] {
        live->stop();
        host.drawFigure();
    };
    // The random steps are edits of their own; the drawing that follows them
    // takes their place.
    const auto drawRandom = [&host, live = m_live] {
        host.drawRandom();
        live->stop();
    };
    commands.onTriggered(CommandId::Draw, this, draw);
    commands.onTriggered(CommandId::DrawRandom, this, drawRandom);
    // The zoom commands set "拡大" and draw the figure at its new size.
    const auto zoomThenDraw = [transformPane, draw](void (TransformPane::*zoom)()) {
        return [transformPane, draw, zoom] {
            (transformPane->*zoom)();
            draw();
        };
    };
    commands.onTriggered(CommandId::Enlarge, this, zoomThenDraw(&TransformPane::enlarge));
    commands.onTriggered(CommandId::Shrink, this, zoomThenDraw(&TransformPane::shrink));
    commands.onTriggered(CommandId::StandardSize, this, zoomThenDraw(&TransformPane::standardSize));
    commands.onTriggered(CommandId::ResetColourStroke, colourPane, &ColourPane::resetColourStroke);
    commands.onTriggered(CommandId::Reset3D, transformPane, &TransformPane::reset3D);

    settingsPane->setDrawActions(commands.action(CommandId::Draw),
                                 commands.action(CommandId::DrawRandom));
    transformPane->addToolActions({commands.action(CommandId::Enlarge),
                                   commands.action(CommandId::Shrink),
                                   commands.action(CommandId::StandardSize)});

    connect(settingsPane, &DrawSettingsPane::settingsEdited, m_live, &LiveDrawing::edited);
    connect(colourPane, &ColourPane::settingsEdited, m_live, &LiveDrawing::edited);
    connect(transformPane, &TransformPane::settingsEdited, m_live, &LiveDrawing::edited);
    connect(settingsPane, &DrawSettingsPane::sliderReleased, m_live, &LiveDrawing::settle);
    connect(colourPane, &ColourPane::sliderReleased, m_live, &LiveDrawing::settle);
    connect(transformPane, &TransformPane::sliderReleased, m_live, &LiveDrawing::settle);
}

} // namespace orbelle
