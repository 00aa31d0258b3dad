#pragma once
// The main window: menu bar, the toolbar "標準", the status bar, the five
// dockable panes around the view and the pane layout. It creates the command
// groups (app/commands/) and is their CommandHost: it draws by reading the
// three setting panes and running the view's drawing.

#include "app/commands/commandhost.h"
#include "app/commands/filedialogs.h"
#include "engine/draw.h"
#include "engine/drawsettings.h"
#include "panes/commandid.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <array>
#include <optional>

class QDockWidget;
class QProgressBar;
class QToolBar;

namespace orbelle {

class ColourPane;
class CommandSet;
class DocumentCommands;
class DrawSettingsPane;
class FavoritesPane;
class FindFigureCommand;
class HistoryCommands;
class HistoryPane;
class MainView;
class TransformPane;
class HelpCommands;
class WindowCommands;

class MainWindow : public QMainWindow, public CommandHost {
    Q_OBJECT
  public:
    /// The five panes in the order they are created.
    enum class Pane { Favorites, DrawSettings, ColourStroke, Transform, History };

    /// appDataDir: the per-user folder (with a trailing separator) holding the
    /// layout marker and the files the panes read.
    explicit MainWindow(const QString& appDataDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    /// CommandId::Draw: draws what the three panes hold. With equal drawing
    /// and background colours it shows the error message and changes nothing.
    void drawFigure() override;
    /// CommandId::DrawRandom: nudges the free parameters, then draws.
    void drawRandom() override;
    void drawLive() override;
    void recordSettledDrawing() override;

    // The rest of CommandHost.
    DrawSettings captureSettings() const override;
    bool applySettings(const DrawSettings& settings, bool restoring) override;
    QImage exportImage() const override;
    QWidget* dialogParent() override { return this; }
    void setDocumentTitle(const QString& title) override;
    void showStatusMessage(const QString& text) override;

    /// Drawings run in the background: waits (processing events) until none
    /// runs; false if one still runs after timeoutMs.
    bool waitForDrawing(int timeoutMs = 60000);
    /// Esc: stops the running drawing and the running figure search.
    void cancelDrawing();

    /// CommandId::ResetLayout: the default arrangement of the five panes.
    void resetLayout();

    MainView* view() const { return m_view; }
    DrawSettingsPane* settingsPane() const { return m_settingsPane; }
    ColourPane* colourPane() const { return m_colourPane; }
    TransformPane* transformPane() const { return m_transformPane; }
    FavoritesPane* favoritesPane() const { return m_favoritesPane; }
    HistoryPane* historyPane() const { return m_historyPane; }
    QDockWidget* dock(Pane pane) const { return m_docks[static_cast<int>(pane)]; }
    QToolBar* standardToolBar() const { return m_toolBar; }
    /// The visual style and the customised toolbar "標準".
    WindowCommands* windowCommands() const { return m_windowCommands; }
    HelpCommands* helpCommands() const { return m_helpCommands; }
    /// Settings files: open, save, save as, and the current file.
    DocumentCommands* documentCommands() const { return m_documentCommands; }
    HistoryCommands* historyCommands() const { return m_historyCommands; }
    /// "よい図形を探す" and its background search.
    FindFigureCommand* findFigureCommand() const { return m_findFigure; }
    /// How commands ask for file names; tests replace the dialogs here.
    FileDialogs& fileDialogs() { return m_fileDialogs; }
    /// The action of a command (nullptr for a number that is no command).
    QAction* command(CommandId id) const;

  signals:
    /// A drawing was completed other than by replaying the history: the hook
    /// where the history records it. A stopped or superseded drawing is not
    /// recorded.
    void drawingRecorded(const DrawSettings& settings);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void createPanes();
    void createStatusBar();
    void createCommandGroups();
    void restoreLayout();
    void saveLayout() const;
    void applyFirstRunLayout();
    DrawSettings drawInput() const;
    /// How the drawing started next enters the history.
    enum class Recording { AtOnce, Never, WhenSettled };
    bool startDrawing(const DrawSettings& input, Recording recording);
    void startLiveDrawing();
    void drawingFinished(const DrawResult& result);
    void drawingCancelled();
    void drawingProgress(qint64 done, qint64 total);

    QString m_appDataDir;
    CommandSet* m_commands = nullptr;
    MainView* m_view = nullptr;
    DrawSettingsPane* m_settingsPane = nullptr;
    ColourPane* m_colourPane = nullptr;
    TransformPane* m_transformPane = nullptr;
    FavoritesPane* m_favoritesPane = nullptr;
    HistoryPane* m_historyPane = nullptr;
    std::array<QDockWidget*, 5> m_docks{};
    QToolBar* m_toolBar = nullptr;
    WindowCommands* m_windowCommands = nullptr;
    HelpCommands* m_helpCommands = nullptr;
    DocumentCommands* m_documentCommands = nullptr;
    HistoryCommands* m_historyCommands = nullptr;
    FindFigureCommand* m_findFigure = nullptr;
    FileDialogs m_fileDialogs = FileDialogs::qtDialogs();
    bool m_restoring = false;
    // The latest drawing's settings and how it is recorded. A live drawing
    // waits for its value to settle: m_settled says it is recorded as soon as
    // it completes; a completed one that has not settled yet keeps its record
    // in m_unsettled.
    DrawSettings m_drawing;
    Recording m_recording = Recording::Never;
    bool m_settled = false;
    std::optional<DrawSettings> m_unsettled;
    // Edits came while a live drawing ran: drawn once it ends.
    bool m_livePending = false;
    // m_drawing runs or has completed (it was not stopped).
    bool m_drawingStands = false;
    QProgressBar* m_progress = nullptr;
    bool m_layoutRestored = false;
    QElapsedTimer m_clock; // millisecond ticks for Draw Random
};

} // namespace orbelle
