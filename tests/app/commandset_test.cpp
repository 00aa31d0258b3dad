#include "app/commandset.h"

#include "app/apptest.h"

#include <QAction>
#include <QMainWindow>

#include <utility>

using namespace orbelle;

namespace {

// Every command with the name of its action, which carries the stored number.
const std::pair<CommandId, const char*> kNamedCommands[] = {
    {CommandId::FileOpen, "cmd11701"},
    {CommandId::FileSave, "cmd11702"},
    {CommandId::FileSaveAs, "cmd11700"},
    {CommandId::ExportBitmap, "cmd11800"},
    {CommandId::ExportJpeg, "cmd11801"},
    {CommandId::Print, "cmd12003"},
    {CommandId::PrintPreview, "cmd12004"},
    {CommandId::AppExit, "cmd57665"},
    {CommandId::Draw, "cmd10030"},
    {CommandId::DrawRandom, "cmd10031"},
    {CommandId::FindFigure, "cmd10034"},
    {CommandId::LiveDrawing, "cmd32841"},
    {CommandId::Enlarge, "cmd11901"},
    {CommandId::Shrink, "cmd11902"},
    {CommandId::StandardSize, "cmd11903"},
    {CommandId::ZoomIn, "cmd10011"},
    {CommandId::ZoomOut, "cmd10012"},
    {CommandId::CentreView, "cmd11602"},
    {CommandId::ResetColourStroke, "cmd11070"},
    {CommandId::Reset3D, "cmd11240"},
    {CommandId::FavoritesAddFile, "cmd11802"},
    {CommandId::FavoritesNewFolder, "cmd11803"},
    {CommandId::FavoritesSave, "cmd11804"},
    {CommandId::FavoritesLoad, "cmd11805"},
    {CommandId::FavoritesReset, "cmd32820"},
    {CommandId::HistoryBack, "cmd11806"},
    {CommandId::HistoryForward, "cmd11807"},
    {CommandId::HistoryPreviousPage, "cmd11808"},
    {CommandId::HistoryNextPage, "cmd11809"},
    {CommandId::HistorySave, "cmd11810"},
    {CommandId::HistoryLoad, "cmd11811"},
    {CommandId::HistoryReset, "cmd32821"},
    {CommandId::CustomizeToolBar, "cmd126"},
    {CommandId::ViewStatusBar, "cmd59393"},
    {CommandId::ResetLayout, "cmd12102"},
    {CommandId::FitToWindow, "cmd32840"},
    {CommandId::StyleWindows2000, "cmd205"},
    {CommandId::StyleOfficeXp, "cmd206"},
    {CommandId::StyleWindowsXp, "cmd207"},
    {CommandId::StyleOffice2003, "cmd208"},
    {CommandId::StyleVisualStudio2005, "cmd209"},
    {CommandId::StyleVisualStudio2008, "cmd210"},
    {CommandId::StyleOffice2007Blue, "cmd215"},
    {CommandId::StyleOffice2007Black, "cmd216"},
    {CommandId::StyleOffice2007Silver, "cmd217"},
    {CommandId::StyleOffice2007Aqua, "cmd218"},
    {CommandId::StyleWindows7, "cmd219"},
    {CommandId::Help, "cmd57670"},
    {CommandId::OnlineHelp, "cmd12103"},
    {CommandId::HomePage, "cmd32825"},
    {CommandId::ContactAddress, "cmd32819"},
    {CommandId::About, "cmd57664"},
};

// The commands that have a handler; every other command is disabled.
const QSet<CommandId> kWorkingCommands = {
    CommandId::ExportBitmap,
    CommandId::ExportJpeg,
    CommandId::Print,
    CommandId::PrintPreview,
    CommandId::FileOpen,
    CommandId::FileSave,
    CommandId::FileSaveAs,
    CommandId::AppExit,
    CommandId::Draw,
    CommandId::DrawRandom,
    CommandId::FindFigure,
    CommandId::LiveDrawing,
    CommandId::Enlarge,
    CommandId::Shrink,
    CommandId::StandardSize,
    CommandId::ZoomIn,
    CommandId::ZoomOut,
    CommandId::CentreView,
    CommandId::ResetColourStroke,
    CommandId::Reset3D,
    CommandId::FavoritesAddFile,
    CommandId::FavoritesNewFolder,
    CommandId::FavoritesSave,
    CommandId::FavoritesLoad,
    CommandId::FavoritesReset,
    CommandId::HistoryBack,
    CommandId::HistoryForward,
    CommandId::HistoryPreviousPage,
    CommandId::HistoryNextPage,
    CommandId::HistorySave,
    CommandId::HistoryLoad,
    CommandId::HistoryReset,
    CommandId::CustomizeToolBar,
    CommandId::ViewStatusBar,
    CommandId::ResetLayout,
    CommandId::FitToWindow,
    CommandId::StyleWindows2000,
    CommandId::StyleOfficeXp,
    CommandId::StyleWindowsXp,
    CommandId::StyleOffice2003,
    CommandId::StyleVisualStudio2005,
    CommandId::StyleVisualStudio2008,
    CommandId::StyleOffice2007Blue,
    CommandId::StyleOffice2007Black,
    CommandId::StyleOffice2007Silver,
    CommandId::StyleOffice2007Aqua,
    CommandId::StyleWindows7,
    CommandId::Help,
    CommandId::OnlineHelp,
    CommandId::HomePage,
    CommandId::ContactAddress,
    CommandId::About,
};

} // namespace

TEST(CommandSet, EveryNamedCommandHasItsNumberedActionAndNoOtherExists) {
    QMainWindow window;
    const CommandSet commands(&window);
    EXPECT_EQ(commands.actions().size(), static_cast<qsizetype>(std::size(kNamedCommands)));
    for (const auto& [id, name] : kNamedCommands) {
        const QAction* action = commands.action(id);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->objectName(), QString::fromLatin1(name));
        EXPECT_EQ(action->isEnabled(), kWorkingCommands.contains(id)) << name;
        // Owned by the window, so its shortcut works there.
        EXPECT_TRUE(window.actions().contains(const_cast<QAction*>(action))) << name;
    }
    EXPECT_EQ(commands.action(CommandId{10010}), nullptr); // a pane's toolbar, no command
    EXPECT_EQ(commands.action(CommandId{0}), nullptr);
}

TEST(CommandSet, TriggeringACommandRunsItsHandlerWhileTheContextLives) {
    QMainWindow window;
    const CommandSet commands(&window);
    int runs = 0;
    {
        QObject context;
        commands.onTriggered(CommandId::Draw, &context, [&runs] { ++runs; });
        commands.action(CommandId::Draw)->trigger();
        commands.action(CommandId::DrawRandom)->trigger();
        EXPECT_EQ(runs, 1);
    }
    commands.action(CommandId::Draw)->trigger();
    EXPECT_EQ(runs, 1);
}
