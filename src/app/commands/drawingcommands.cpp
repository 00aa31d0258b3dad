#include "app/commands/drawingcommands.h"

#include "app/commands/commandhost.h"
#include "app/commandset.h"
#include "app/drawingsession.h"
#include "panes/colourpane.h"
#include "panes/drawsettingspane.h"
#include "panes/transformpane.h"

namespace orbelle {

DrawingCommands::DrawingCommands(const CommandSet& commands, CommandHost& host,
                                 DrawingSession* session, DrawSettingsPane* settingsPane,
                                 ColourPane* colourPane, TransformPane* transformPane,
                                 QObject* parent)
    : QObject(parent) {
    // A drawing asked for outright is recorded at once; a live drawing still
    // waiting for its value to settle gives way to it.
    const auto draw = [&host, session] {
        session->stop();
        host.drawFigure();
    };
    // The random steps are edits of their own; the drawing that follows them
    // takes their place.
    const auto drawRandom = [&host, session] {
        host.drawRandom();
        session->stop();
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

    connect(settingsPane, &DrawSettingsPane::settingsEdited, session, &DrawingSession::edited);
    connect(colourPane, &ColourPane::settingsEdited, session, &DrawingSession::edited);
    connect(transformPane, &TransformPane::settingsEdited, session, &DrawingSession::edited);
    connect(settingsPane, &DrawSettingsPane::sliderReleased, session, &DrawingSession::settle);
    connect(colourPane, &ColourPane::sliderReleased, session, &DrawingSession::settle);
    connect(transformPane, &TransformPane::sliderReleased, session, &DrawingSession::settle);
}

} // namespace orbelle
