#pragma once
// The program's commands by name. Each value is the command's number: the
// menus, the toolbars and the stored settings use it, and every command's
// QAction is named "cmd<number>" (a pane toolbar button "tool<number>").
// The commands belong to the program (app/commandset.h); they are named here
// because the favorites and history panes name their own buttons and menu
// items by these numbers, and the panes stand below the program.

#include <QHashFunctions>

namespace orbelle {

enum class CommandId : int {
    // File
    FileOpen = 11701,
    FileSave = 11702,
    FileSaveAs = 11700,
    ExportBitmap = 11800,
    ExportJpeg = 11801,
    Print = 12003,
    PrintPreview = 12004,
    AppExit = 57665,

    // Drawing
    Draw = 10030,
    DrawRandom = 10031,
    FindFigure = 10034,
    LiveDrawing = 32841,
    Enlarge = 11901,
    Shrink = 11902,
    StandardSize = 11903,
    ZoomIn = 10011,
    ZoomOut = 10012,
    CentreView = 11602,
    ResetColourStroke = 11070,
    Reset3D = 11240,

    // Favorites
    FavoritesAddFile = 11802,
    FavoritesNewFolder = 11803,
    FavoritesSave = 11804,
    FavoritesLoad = 11805,
    FavoritesReset = 32820,
    // The favorites pane's own toolbar and context menu (no main-menu action)
    FavoritesToolNewFolder = 11640,
    FavoritesToolNewFile = 11641,
    FavoritesDelete = 11670,
    FavoritesSaveFromPane = 11671,
    FavoritesLoadFromPane = 11672,
    FavoritesRename = 32830,

    // History
    HistoryBack = 11806,
    HistoryForward = 11807,
    HistoryPreviousPage = 11808,
    HistoryNextPage = 11809,
    HistorySave = 11810,
    HistoryLoad = 11811,
    HistoryReset = 32821,

    // View and window
    CustomiseToolBar = 126,
    ViewStatusBar = 59393,
    ResetLayout = 12102,
    FitToWindow = 32840,

    // Visual styles
    StyleWindows2000 = 205,
    StyleOfficeXp = 206,
    StyleWindowsXp = 207,
    StyleOffice2003 = 208,
    StyleVisualStudio2005 = 209,
    StyleVisualStudio2008 = 210,
    StyleOffice2007Blue = 215,
    StyleOffice2007Black = 216,
    StyleOffice2007Silver = 217,
    StyleOffice2007Aqua = 218,
    StyleWindows7 = 219,

    // Help
    Help = 57670,
    OnlineHelp = 12103,
    HomePage = 32825,
    ContactAddress = 32819,
    About = 57664,
};

/// The stored number of a command.
constexpr int commandNumber(CommandId id) { return static_cast<int>(id); }

/// Lets commands key QHash and QSet.
inline size_t qHash(CommandId id, size_t seed = 0) noexcept {
    return ::qHash(commandNumber(id), seed);
}

} // namespace orbelle
