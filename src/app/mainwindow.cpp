#include "app/mainwindow.h"

#include "app/commands/documentcommands.h"
#include "app/commands/drawingcommands.h"
#include "app/commands/exportcommands.h"
#include "app/commands/favoritescommands.h"
#include "app/commands/findfigurecommand.h"
#include "app/commands/helpcommands.h"
#include "app/commands/historycommands.h"
#include "app/commands/viewcommands.h"
#include "app/commands/windowcommands.h"
#include "app/commandset.h"
#include "app/datafiles.h"
#include "app/docklayout.h"
#include "app/drawingsession.h"
#include "app/lockindicators.h"
#include "app/programicon.h"
#include "app/settingskeys.h"
#include "app/toolbarcustomiser.h"
#include "app/windowplacement.h"
#include "formulas/catalog.h"
#include "imageio/savefile.h"
#include "panes/colourpane.h"
#include "panes/drawsettingspane.h"
#include "panes/favoritespane.h"
#include "panes/historypane.h"
#include "panes/transformpane.h"
#include "view/mainview.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

namespace orbelle {
namespace {

// Version of the saved window state; a state of another version is ignored
// and the panes keep the arrangement they were created in.
constexpr int kLayoutVersion = 1;
constexpr int kDefaultPaneWidth = 283;
constexpr int kDefaultPaneHeight = 400;

// Panes lay their controls out at fixed positions; in a scroll area a small
// dock still reaches all of them.
QWidget* scrollable(QWidget* pane) {
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    if (pane->sizeHint().isValid()) {
        pane->setMinimumSize(pane->sizeHint());
    }
    area->setWidget(pane);
    return area;
}

} // namespace

MainWindow::MainWindow(const QString& appDataDir, QWidget* parent)
    : QMainWindow(parent), m_appDataDir(appDataDir) {
    m_clock.start();
    setDocumentTitle({});
    setWindowIcon(programIcon());
    setDockOptions(AnimatedDocks | AllowNestedDocks | AllowTabbedDocks);

    m_commands = new CommandSet(this);
    m_toolBar = m_commands->createStandardToolBar(this);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    createStatusBar();

    m_view = new MainView(this);
    m_view->setObjectName(QStringLiteral("mainView"));
    setCentralWidget(m_view);
    createPanes();
    m_view->setZoomSource([pane = m_transformPane] { return pane->zoomValue(); });
    m_session = new DrawingSession(
        m_view, statusBar(), command(CommandId::LiveDrawing), [this] { return drawInput(); }, this);
    connect(m_session, &DrawingSession::drawingRecorded, this, &MainWindow::drawingRecorded);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &MainWindow::cancelDrawing);
    createCommandGroups();

    m_windowCommands->restoreVisualStyle();
    restoreLayout();
    applyFirstRunLayout();
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::command(CommandId id) const { return m_commands->action(id); }

void MainWindow::createPanes() {
    m_settingsPane = new DrawSettingsPane;
    m_colourPane = new ColourPane(m_appDataDir);
    m_transformPane = new TransformPane;
    m_favoritesPane = new FavoritesPane(m_appDataDir);
    m_historyPane = new HistoryPane; // scrolls its own grid
    struct Entry {
        Pane pane;
        QString title;
        QString name;
        QWidget* widget;
        Qt::DockWidgetArea area;
    };
    const Entry entries[] = {
        {Pane::Favorites, tr("お気に入り"), QStringLiteral("favoritesPane"), m_favoritesPane,
         Qt::LeftDockWidgetArea},
        {Pane::DrawSettings, tr("描画設定値"), QStringLiteral("drawSettingsPane"),
         scrollable(m_settingsPane), Qt::RightDockWidgetArea},
        {Pane::ColourStroke, tr("カラー・ストローク"), QStringLiteral("colourStrokePane"),
         scrollable(m_colourPane), Qt::RightDockWidgetArea},
        {Pane::Transform, tr("３Ｄ変換"), QStringLiteral("transformPane"),
         scrollable(m_transformPane), Qt::RightDockWidgetArea},
        {Pane::History, tr("ヒストリー"), QStringLiteral("historyPane"), m_historyPane,
         Qt::RightDockWidgetArea},
    };
    QMenu* menu = m_commands->toolbarsAndPanesMenu();
    menu->addAction(m_toolBar->toggleViewAction());
    menu->addSeparator();
    for (const Entry& entry : entries) {
        auto* dock = new QDockWidget(entry.title, this);
        dock->setObjectName(entry.name);
        dock->setWidget(entry.widget);
        dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                          QDockWidget::DockWidgetFloatable);
        addDockWidget(entry.area, dock);
        menu->addAction(dock->toggleViewAction());
        m_docks[static_cast<int>(entry.pane)] = dock;
    }
    menu->addSeparator();
    menu->addAction(command(CommandId::CustomiseToolBar));
    new DockLayout(this, m_view, {m_docks.begin(), m_docks.end()});
}

void MainWindow::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar59393"));
    const QString ready = tr("レディ");
    // The idle text comes back whenever a prompt is cleared.
    connect(bar, &QStatusBar::messageChanged, bar, [bar, ready](const QString& message) {
        if (message.isEmpty()) {
            bar->showMessage(ready);
        }
    });
    bar->showMessage(ready);
    new LockIndicators(bar);
}

void MainWindow::createCommandGroups() {
    new DrawingCommands(*m_commands, *this, m_session, m_settingsPane, m_colourPane,
                        m_transformPane, this);
    m_findFigure = new FindFigureCommand(*m_commands, *this, m_settingsPane, m_transformPane, this);
    auto* favorites = new FavoritesCommands(*m_commands, *this, m_favoritesPane, this);
    new ViewCommands(*m_commands, m_view, m_settingsPane, statusBar(), this);
    new ExportCommands(*m_commands, *this, m_view, this);
    m_helpCommands = new HelpCommands(*m_commands, *this, m_appDataDir, this);
    m_windowCommands = new WindowCommands(*m_commands, this, m_toolBar, m_appDataDir, this);
    m_documentCommands = new DocumentCommands(*m_commands, *this, m_fileDialogs, this);
    // The history store is cleaned here, as the history pane comes to life.
    auto* history =
        new HistoryCommands(*m_commands, *this, m_historyPane, m_fileDialogs, m_appDataDir, this);
    connect(this, &MainWindow::drawingRecorded, history, &HistoryCommands::record);
    m_documentCommands->setStoreFileLoaders(
        {[history](const QString& path) { return history->importHistoryFrom(path); },
         [favorites](const QString& path) { return favorites->importFavoritesFrom(path); }});
    connect(m_windowCommands, &WindowCommands::layoutResetRequested, this,
            &MainWindow::resetLayout);
}

DrawSettings MainWindow::drawInput() const {
    DrawSettings settings;
    m_settingsPane->capture(settings);
    m_colourPane->capture(settings);
    m_transformPane->capture(settings);
    settings.drawColor = m_colourPane->customDrawColor();
    settings.backColor = m_colourPane->customBackColor();
    return settings;
}

DrawSettings MainWindow::captureSettings() const {
    DrawSettings settings = drawInput();
    settings.drawColor = m_view->lastDrawColor();
    settings.backColor = m_view->lastBackColor();
    return settings;
}

void MainWindow::drawFigure() { drawPanes(false); }

void MainWindow::drawPanes(bool restoring) {
    if (!m_session->draw(restoring)) {
        QMessageBox::critical(m_view, tr("描画無効"), tr("描画色と背景色が同じ色です"));
    }
}

bool MainWindow::waitForDrawing(int timeoutMs) { return m_view->waitForDrawing(timeoutMs); }

void MainWindow::cancelDrawing() {
    m_session->cancel();
    m_findFigure->cancel();
}

void MainWindow::drawRandom() {
    m_settingsPane->randomStep(static_cast<std::uint32_t>(m_clock.elapsed()));
    drawFigure();
}

bool MainWindow::applySettings(const DrawSettings& settings, bool restoring) {
    // A newer program's category, or a formula this catalog does not have,
    // never reaches the panes.
    if (!isValidFormula(settings.formula())) {
        QMessageBox::warning(
            this, tr("Orbelle"),
            tr("このソフトウェアでは描画できません、\n\n最新のOrbelleを使用してください。"),
            QMessageBox::Ok);
        return false;
    }
    m_settingsPane->apply(settings);
    m_colourPane->apply(settings);
    m_transformPane->apply(settings);
    drawPanes(restoring);
    return true;
}

void MainWindow::resetLayout() {
    using enum Pane;
    for (const Pane pane : {Transform, ColourStroke, DrawSettings, Favorites, History}) {
        QDockWidget* d = dock(pane);
        d->setFloating(false);
        d->show();
        d->raise();
    }
    // Adding a pane again takes it out of any tab group it was in.
    addDockWidget(Qt::RightDockWidgetArea, dock(ColourStroke), Qt::Horizontal);
    splitDockWidget(dock(ColourStroke), dock(Transform), Qt::Vertical);
    addDockWidget(Qt::RightDockWidgetArea, dock(DrawSettings), Qt::Horizontal);
    addDockWidget(Qt::LeftDockWidgetArea, dock(History), Qt::Vertical);
    splitDockWidget(dock(History), dock(Favorites), Qt::Vertical);
    resizeDocks({dock(History), dock(ColourStroke), dock(DrawSettings)},
                {kDefaultPaneWidth, kDefaultPaneWidth, kDefaultPaneWidth}, Qt::Horizontal);
    // Each column of two panes splits its height evenly, so the history
    // shows rows of drawings rather than its toolbar alone.
    resizeDocks({dock(ColourStroke), dock(Transform), dock(History), dock(Favorites)},
                {kDefaultPaneHeight, kDefaultPaneHeight, kDefaultPaneHeight, kDefaultPaneHeight},
                Qt::Vertical);
}

void MainWindow::applyFirstRunLayout() {
    // The marker says the default layout has been applied once; from then on
    // the stored layout stays. Deleting it brings the default back.
    // Without a stored layout (a first run that ended without closing its
    // window) the default layout is applied as well.
    const QString marker = m_appDataDir + kLayoutMarkerFile;
    if (QFileInfo(marker).exists() && m_layoutRestored) {
        return;
    }
    // Made only where nothing is: a link in its place is never followed.
    (void)createEmptyOwnFile(toLocalPath(marker));
    resetLayout();
}

void MainWindow::setDocumentTitle(const QString& title) {
    setWindowTitle((title.isEmpty() ? tr("無題") : title) + QStringLiteral(" - Orbelle"));
}

void MainWindow::showStatusMessage(const QString& text) { statusBar()->showMessage(text); }

void MainWindow::restoreLayout() {
    QSettings settings;
    restoreWindowPlacement(*this, settings.value(SettingsKeys::Geometry).toByteArray());
    // The user toolbars are made first, so the state can place them.
    m_windowCommands->toolBars()->restore();
    m_layoutRestored =
        restoreState(settings.value(SettingsKeys::State).toByteArray(), kLayoutVersion);
    const bool statusVisible = settings.value(SettingsKeys::StatusBar, true).toBool();
    command(CommandId::ViewStatusBar)->setChecked(statusVisible);
    statusBar()->setVisible(statusVisible);
}

void MainWindow::saveLayout() const {
    QSettings settings;
    settings.setValue(SettingsKeys::Geometry, saveGeometry());
    settings.setValue(SettingsKeys::State, saveState(kLayoutVersion));
    settings.setValue(SettingsKeys::StatusBar, command(CommandId::ViewStatusBar)->isChecked());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    m_session->close();
    m_findFigure->cancel();
    saveLayout();
    QMainWindow::closeEvent(event);
}

} // namespace orbelle
