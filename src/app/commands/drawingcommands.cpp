#include "app/commands/drawingcommands.h"

#include "app/commands/commandhost.h"
#include "app/commandset.h"
#include "panes/colourpane.h"
#include "panes/drawsettingspane.h"
#include "panes/transformpane.h"

namespace orbelle {

DrawingCommands::DrawingCommands(const CommandSet& commands, CommandHost& host,
                                 DrawSettingsPane* settingsPane, ColourPane* colourPane,
                                 TransformPane* transformPane, QObject* parent)
    : QObject(parent) {
    commands.onTriggered(CommandId::Draw, this, [&host] { host.drawFigure(); });
    commands.onTriggered(CommandId::DrawRandom, this, [&host] { host.drawRandom(); });
    commands.onTriggered(CommandId::Enlarge, transformPane, &TransformPane::enlarge);
    commands.onTriggered(CommandId::Shrink, transformPane, &TransformPane::shrink);
    commands.onTriggered(CommandId::StandardSize, transformPane, &TransformPane::standardSize);
    commands.onTriggered(CommandId::ResetColourStroke, colourPane, &ColourPane::resetColourStroke);
    commands.onTriggered(CommandId::Reset3D, transformPane, &TransformPane::reset3D);

    connect(settingsPane, &DrawSettingsPane::drawRequested, this, [&host] { host.drawFigure(); });
    connect(settingsPane, &DrawSettingsPane::drawRandomRequested, this,
            [&host] { host.drawRandom(); });
    connect(transformPane, &TransformPane::drawRequested, this, [&host] { host.drawFigure(); });
}

} // namespace orbelle
