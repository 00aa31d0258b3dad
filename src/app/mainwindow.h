#pragma once
// The main window: menu bar, the toolbar "標準", the status bar, the five
// dockable panes around the view, the pane layout and the visual style. It
// carries out the drawing commands by reading the three setting panes and
// running the view's drawing.

#include "engine/drawsettings.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QSet>

#include <array>

class QDockWidget;
class QLabel;
class QToolBar;

namespace orbelle {

class ColourPane;
class CommandSet;
class DrawSettingsPane;
class MainView;
class TransformPane;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    /// The five panes in the order they are created.
    enum class Pane { Favorites, DrawSettings, ColourStroke, Transform, History };

    /// appDataDir: the per-user folder (with a trailing separator) holding the
    /// layout marker and the files the panes read.
    explicit MainWindow(const QString& appDataDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    /// Draw (10030): draws what the three panes hold. With equal drawing and
    /// background colours it shows the error message and changes nothing.
    void drawFigure();
    /// Draw Random (10031): nudges the free parameters, then draws.
    void drawRandom();

    /// The complete record of the panes, with the colours of the last drawing.
    DrawSettings captureSettings() const;
    /// Writes a stored record into the panes and draws it; restoring (a
    /// history replay) keeps the drawing out of the history. A record no
    /// formula of this version can draw is refused with a message.
    void applySettings(const DrawSettings& settings, bool restoring);

    /// Layout reset (12102): the default arrangement of the five panes.
    void resetLayout();

    /// Visual style (205-219): applies it, marks it in the menu, stores it.
    void setVisualStyle(int id);
    int visualStyle() const { return m_visualStyle; }

    /// Buttons of the toolbar "標準" left out by the customisation (126).
    void setHiddenToolBarButtons(const QSet<int>& hidden);
    QSet<int> hiddenToolBarButtons() const { return m_hiddenButtons; }

    /// Window title for a settings file title ("無題" when there is none).
    void setDocumentTitle(const QString& title);

    MainView* view() const { return m_view; }
    DrawSettingsPane* settingsPane() const { return m_settingsPane; }
    ColourPane* colourPane() const { return m_colourPane; }
    TransformPane* transformPane() const { return m_transformPane; }
    QDockWidget* dock(Pane pane) const { return m_docks[static_cast<int>(pane)]; }
    QToolBar* standardToolBar() const { return m_toolBar; }
    /// The action of a command number (nullptr when unknown).
    QAction* command(int id) const;

  signals:
    /// A drawing was made other than by replaying the history: the hook where
    /// the history records it.
    void drawingRecorded(const DrawSettings& settings);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void createPanes();
    void createStatusBar();
    void connectCommands();
    void restoreLayout();
    void saveLayout() const;
    void applyFirstRunLayout();
    void customizeToolBar();
    DrawSettings drawInput() const;

    QString m_appDataDir;
    CommandSet* m_commands = nullptr;
    MainView* m_view = nullptr;
    DrawSettingsPane* m_settingsPane = nullptr;
    ColourPane* m_colourPane = nullptr;
    TransformPane* m_transformPane = nullptr;
    std::array<QDockWidget*, 5> m_docks{};
    QToolBar* m_toolBar = nullptr;
    int m_visualStyle = 0;
    bool m_restoring = false;
    bool m_layoutRestored = false;
    QSet<int> m_hiddenButtons;
    QElapsedTimer m_clock; // millisecond ticks for Draw Random
};

} // namespace orbelle
