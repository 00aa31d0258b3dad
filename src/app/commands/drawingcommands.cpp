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
    commands.onTriggered(CommandId::Enlarge, transformPane, &TransformPane::enlarge);
    commands.onTriggered(CommandId::Shrink, transformPane, &TransformPane::shrink);
    commands.onTriggered(CommandId::StandardSize, transformPane, &TransformPane::standardSize);
    commands.onTriggered(CommandId::ResetColourStroke, colourPane, &ColourPane::resetColourStroke);
    commands.onTriggered(CommandId::Reset3D, transformPane, &TransformPane::reset3D);

    connect(settingsPane, &DrawSettingsPane::drawRequested, this, draw);
    connect(settingsPane, &DrawSettingsPane::drawRandomRequested, this, drawRandom);
    connect(transformPane, &TransformPane::drawRequested, this, draw);

    connect(settingsPane, &DrawSettingsPane::settingsEdited, session, &DrawingSession::edited);
    connect(colourPane, &ColourPane::settingsEdited, session, &DrawingSession::edited);
    connect(transformPane, &TransformPane::settingsEdited, session, &DrawingSession::edited);
    connect(settingsPane, &DrawSettingsPane::sliderReleased, session, &DrawingSession::settle);
    connect(colourPane, &ColourPane::sliderReleased, session, &DrawingSession::settle);
    connect(transformPane, &TransformPane::sliderReleased, session, &DrawingSession::settle);
}

} // namespace orbelle
