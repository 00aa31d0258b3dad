#pragma once
// The small locked toolbars at the top of the panes, their button images and
// the images of the favorites tree, drawn in code at 16 x 15 pixels.

#include <QIcon>
#include <QString>

class QAction;
class QToolBar;
class QWidget;

namespace orbelle {

enum class ToolImage {
    NewFolder,   // a folder with a plus
    NewFavorite, // a star with a plus
    Folder,      // a folder (tree items)
    Favorite,    // a star (tree items)
    OlderPage,   // blue double chevron pointing left
    NewerPage,   // blue double chevron pointing right
};

/// The button image of a pane toolbar command, or of a command the program
/// has no picture file for.
QIcon toolIcon(ToolImage image);

/// A toolbar that cannot be moved or floated, named "toolbar<resourceId>".
QToolBar* createPaneToolBar(QWidget* parent, int resourceId);

/// Adds a button for the command of this number, named "tool<number>", whose
/// tooltip and status text are text, showing the program's picture of the
/// command (":/orbelle/icons/cmd<number>.png") where it has one, else image.
QAction* addToolCommand(QToolBar* toolBar, int number, const QString& text, ToolImage image);

} // namespace orbelle
