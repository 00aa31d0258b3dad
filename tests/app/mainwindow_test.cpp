#include "app/mainwindow.h"

#include "app/commands/windowcommands.h"
#include "app/customisedialog.h"
#include "app/drawingrecorder.h"
#include "app/menuitems.h"
#include "app/toolbarcustomiser.h"
#include "app/visualstyles.h"
#include "app/windowtest.h"
#include "engine/colour.h"
#include "formulas/catalog.h"
#include "formulas/formula.h"
#include "formulas/numeric.h"
#include "panes/colourpane.h"
#include "panes/drawsettingspane.h"
#include "panes/transformpane.h"
#include "view/mainview.h"

#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QRegularExpression>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include <vector>

using namespace orbelle;
using orbelle::test::MessageCatcher;
using Pane = MainWindow::Pane;

namespace {

using test::describe;
using test::submenu;

using Recorder = orbelle::test::DrawingRecorder;

class MainWindowTest : public test::WindowTest {
  protected:
    QString marker() const { return dataFile(QStringLiteral("layout")); }
};

// The arrangement of the default layout: favorites at the left with history
// above it; at the right the drawing settings pane, and the 3D pane with the
// colour and stroke pane above it.
void expectDefaultLayout(const MainWindow& window) {
    for (const Pane pane : {Pane::Favorites, Pane::DrawSettings, Pane::ColourStroke,
                            Pane::Transform, Pane::History}) {
        const QDockWidget* dock = window.dock(pane);
        EXPECT_TRUE(dock->isVisible()) << dock->objectName().toStdString();
        EXPECT_FALSE(dock->isFloating());
        EXPECT_TRUE(window.tabifiedDockWidgets(const_cast<QDockWidget*>(dock)).isEmpty());
    }
    const auto area = [&](Pane pane) { return window.dockWidgetArea(window.dock(pane)); };
    const auto geometry = [&](Pane pane) { return window.dock(pane)->geometry(); };
    EXPECT_EQ(area(Pane::Favorites), Qt::LeftDockWidgetArea);
    EXPECT_EQ(area(Pane::History), Qt::LeftDockWidgetArea);
    EXPECT_EQ(area(Pane::DrawSettings), Qt::RightDockWidgetArea);
    EXPECT_EQ(area(Pane::ColourStroke), Qt::RightDockWidgetArea);
    EXPECT_EQ(area(Pane::Transform), Qt::RightDockWidgetArea);
    EXPECT_LT(geometry(Pane::History).bottom(), geometry(Pane::Favorites).top());
    EXPECT_EQ(geometry(Pane::History).left(), geometry(Pane::Favorites).left());
    EXPECT_LT(geometry(Pane::ColourStroke).bottom(), geometry(Pane::Transform).top());
    EXPECT_EQ(geometry(Pane::ColourStroke).left(), geometry(Pane::Transform).left());
    // The drawing settings pane has a column of its own, at the outer edge.
    EXPECT_GT(geometry(Pane::DrawSettings).left(), geometry(Pane::ColourStroke).right());
    EXPECT_LT(window.view()->geometry().right(), geometry(Pane::ColourStroke).left());
}

} // namespace

TEST_F(MainWindowTest, FirstStartAppliesTheDefaultLayoutOnce) {
    ASSERT_FALSE(QFile::exists(marker()));
    {
        auto window = open();
        EXPECT_EQ(window->windowTitle(), QStringLiteral("無題 - Orbelle"));
        ASSERT_TRUE(QFile::exists(marker()));
        EXPECT_EQ(QFile(marker()).size(), 0);
        expectDefaultLayout(*window);

        const char* titles[] = {"お気に入り", "描画設定値", "カラー・ストローク", "３Ｄ変換",
                                "ヒストリー"};
        for (int k = 0; k < 5; ++k) {
            const QDockWidget* dock = window->dock(static_cast<Pane>(k));
            EXPECT_EQ(dock->windowTitle(), QString::fromUtf8(titles[k]));
            EXPECT_FALSE(dock->objectName().isEmpty());
            EXPECT_TRUE(dock->features().testFlags(QDockWidget::DockWidgetClosable |
                                                   QDockWidget::DockWidgetMovable |
                                                   QDockWidget::DockWidgetFloatable));
        }
        // The user rearranges: history closed, favorites moved to the right.
        window->dock(Pane::History)->hide();
        window->addDockWidget(Qt::RightDockWidgetArea, window->dock(Pane::Favorites));
        window->close();
    }
    {
        auto window = open(); // the stored layout stays
        EXPECT_FALSE(window->dock(Pane::History)->isVisible());
        EXPECT_EQ(window->dockWidgetArea(window->dock(Pane::Favorites)), Qt::RightDockWidgetArea);
        window->close();
    }
    ASSERT_TRUE(QFile::remove(marker()));
    {
        auto window = open(); // no marker: the default layout again
        EXPECT_TRUE(QFile::exists(marker()));
        expectDefaultLayout(*window);
    }
    // A marker without a stored layout (the first run was killed): the
    // default layout rather than the panes piled up where they were created.
    orbelle::test::clearSettingsStore();
    {
        auto window = open();
        expectDefaultLayout(*window);
    }
}

TEST_F(MainWindowTest, LayoutResetTakesPanesOutOfTabsAndFloating) {
    auto window = open();
    window->tabifyDockWidget(window->dock(Pane::ColourStroke), window->dock(Pane::Transform));
    window->tabifyDockWidget(window->dock(Pane::ColourStroke), window->dock(Pane::History));
    window->dock(Pane::DrawSettings)->setFloating(true);
    window->dock(Pane::Favorites)->hide();
    window->command(CommandId::ResetLayout)->trigger();
    QApplication::processEvents();
    expectDefaultLayout(*window);
}

// The menus themselves are checked in commandset_test.cpp; the window adds
// its toolbar and panes to the show/hide list and gives every command a
// handler.
TEST_F(MainWindowTest, MenusListThePanesAndEveryCommandWorks) {
    auto window = open();
    const QMenu* view = window->menuBar()->actions().at(4)->menu();
    ASSERT_NE(view, nullptr);
    const QStringList panes = describe(submenu(view, "ツール バーとドッキング ウィンドウ(&T)"));
    for (const char* name :
         {"標準", "お気に入り", "描画設定値", "カラー・ストローク", "３Ｄ変換", "ヒストリー"}) {
        EXPECT_TRUE(panes.contains(QString::fromUtf8(name) + "||")) << name;
    }
    EXPECT_EQ(panes.last(), QStringLiteral("カスタマイズ...||cmd126"));
    const auto commands =
        window->findChildren<QAction*>(QRegularExpression("^cmd\\d+$"), Qt::FindDirectChildrenOnly);
    EXPECT_EQ(commands.size(), 52);
    for (const QAction* action : commands) {
        EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, StandardToolBarAndStatusBar) {
    auto window = open();
    const QToolBar* toolbar = window->standardToolBar();
    EXPECT_EQ(toolbar->windowTitle(), QStringLiteral("標準"));
    EXPECT_FALSE(toolbar->objectName().isEmpty());
    QStringList buttons;
    QList<QAction*> actions = toolbar->actions();
    // The toolbar ends with its options button, whose menu opens the customisation.
    ASSERT_FALSE(actions.isEmpty());
    const auto* options = qobject_cast<const QWidgetAction*>(actions.takeLast());
    ASSERT_NE(options, nullptr);
    const auto* optionsButton = qobject_cast<const QToolButton*>(options->defaultWidget());
    ASSERT_NE(optionsButton, nullptr);
    ASSERT_NE(optionsButton->menu(), nullptr);
    EXPECT_TRUE(
        optionsButton->menu()->actions().contains(window->command(CommandId::CustomiseToolBar)));
    for (const QAction* action : actions) {
        buttons << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
            EXPECT_FALSE(action->toolTip().isEmpty());
            EXPECT_FALSE(action->statusTip().isEmpty());
        }
    }
    EXPECT_EQ(buttons, (QStringList{"cmd11901", "cmd11902", "cmd11903", "-", "cmd10011", "cmd10012",
                                    "cmd11602", "cmd32840", "-", "cmd11807", "cmd11806", "-",
                                    "cmd10030", "cmd10031"}));

    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("レディ"));
    window->statusBar()->showMessage(QStringLiteral("prompt"));
    window->statusBar()->clearMessage();
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("レディ"));
    QStringList indicators;
    for (const QLabel* label : window->statusBar()->findChildren<QLabel*>()) {
        indicators << label->text();
    }
    for (const char* text : {"CAP", "NUM", "SCRL"}) {
        EXPECT_TRUE(indicators.contains(text)) << text;
    }
    window->command(CommandId::ViewStatusBar)->trigger();
    EXPECT_FALSE(window->statusBar()->isVisible());
}

TEST_F(MainWindowTest, CustomisedToolBarKeepsItsButtonsAcrossStarts) {
    const auto buttons = [](const MainWindow& window) {
        QStringList names;
        for (const QAction* action : window.standardToolBar()->actions()) {
            // The options button that ends the toolbar is left out.
            if (action->isSeparator()) {
                names << QStringLiteral("-");
            } else if (action->objectName().startsWith(QLatin1String("cmd"))) {
                names << action->objectName();
            }
        }
        return names;
    };
    {
        auto window = open();
        EXPECT_TRUE(window->command(CommandId::CustomiseToolBar)->isEnabled());
        window->command(CommandId::CustomiseToolBar)->trigger();
        ASSERT_NE(window->windowCommands()->toolBars()->dialog(), nullptr);
        EXPECT_TRUE(window->windowCommands()->toolBars()->dialog()->isVisible());
        // Draw (12), then the two history buttons (10, 9) off: a whole group
        // taken off leaves no separator of its own behind.
        ToolBarCustomiser* toolBars = window->windowCommands()->toolBars();
        for (const int position : {12, 10, 9}) {
            EXPECT_TRUE(toolBars->change([position](Customisation& c) {
                return c.removeButton(Customisation::kStandardToolBarId, position);
            }));
        }
        EXPECT_EQ(buttons(*window),
                  (QStringList{"cmd11901", "cmd11902", "cmd11903", "-", "cmd10011", "cmd10012",
                               "cmd11602", "cmd32840", "-", "cmd10031"}));
        EXPECT_TRUE(window->command(CommandId::Draw)->isVisible()); // still in the menu
        window->close();
    }
    auto window = open();
    const auto* standard = window->windowCommands()->toolBars()->arrangement().toolBar(
        Customisation::kStandardToolBarId);
    EXPECT_FALSE(standard->buttons.contains(CommandId::HistoryForward));
    EXPECT_FALSE(standard->buttons.contains(CommandId::HistoryBack));
    EXPECT_FALSE(standard->buttons.contains(CommandId::Draw));
    EXPECT_EQ(buttons(*window).size(), 10);
}

TEST_F(MainWindowTest, VisualStylePersistsAndEachLooksDifferent) {
    {
        auto window = open();
        EXPECT_EQ(window->windowCommands()->visualStyle(), kDefaultVisualStyle);
        EXPECT_TRUE(window->command(CommandId::StyleVisualStudio2008)->isChecked());
        QSet<QString> looks;
        for (const VisualStyle& style : visualStyles()) {
            window->command(style.id)->trigger();
            EXPECT_TRUE(window->command(style.id)->isChecked());
            const QPalette palette = QApplication::palette();
            looks.insert(QApplication::style()->name() + palette.color(QPalette::Window).name() +
                         palette.color(QPalette::Highlight).name());
        }
        EXPECT_EQ(looks.size(), static_cast<qsizetype>(visualStyles().size()));
        window->command(CommandId::StyleOffice2007Black)->trigger();
    }
    auto window = open();
    EXPECT_EQ(window->windowCommands()->visualStyle(), CommandId::StyleOffice2007Black);
    EXPECT_TRUE(window->command(CommandId::StyleOffice2007Black)->isChecked());
    EXPECT_FALSE(window->command(CommandId::StyleVisualStudio2008)->isChecked());
    EXPECT_LT(QApplication::palette().color(QPalette::Window).lightness(), 100);
}

TEST_F(MainWindowTest, DrawRecordsTheDrawingAndEqualColoursChangeNothing) {
    auto window = open();
    Recorder recorded(*window);
    triggerAndWait(*window, CommandId::Draw);
    ASSERT_EQ(recorded.count(), 1);
    const DrawSettings settings = recorded.at(0);
    EXPECT_EQ(settings, window->captureSettings());
    EXPECT_EQ(settings.drawColor, kBlack);
    EXPECT_EQ(settings.backColor, kWhite);
    const FigureBounds bounds = window->view()->bounds();
    EXPECT_NE(bounds, FigureBounds{});
    const std::int32_t sample = window->view()->canvas().colourAt(3000, 3000);

    window->colourPane()->setDrawColourMode(DrawColourMode::White, true); // white on white
    window->colourPane()->setBackColourMode(BackColourMode::White, true);
    MessageCatcher catcher;
    triggerAndWait(*window, CommandId::Draw);
    EXPECT_EQ(catcher.count(), 1);
    EXPECT_EQ(catcher.title(), QStringLiteral("描画無効"));
    EXPECT_EQ(catcher.text(), QStringLiteral("描画色と背景色が同じ色です"));
    EXPECT_EQ(catcher.icon(), QMessageBox::Critical);
    EXPECT_EQ(catcher.buttons(), QMessageBox::Ok);
    EXPECT_EQ(recorded.count(), 1);
    EXPECT_EQ(window->view()->bounds(), bounds);
    EXPECT_EQ(window->view()->canvas().colourAt(3000, 3000), sample);
}

TEST_F(MainWindowTest, EnlargeShrinkAndStandardSizeDraw) {
    auto window = open();
    Recorder recorded(*window);
    DrawSettings settings = window->captureSettings();
    settings.zoom = 950;
    window->transformPane()->apply(settings);
    triggerAndWait(*window, CommandId::Enlarge);
    EXPECT_EQ(window->transformPane()->zoomValue(), 999);
    ASSERT_EQ(recorded.count(), 1);
    EXPECT_EQ(recorded.at(0).zoom, 999);
    EXPECT_EQ(window->view()->shownSquare(), sourceSquare(window->view()->bounds(), 999));

    settings.zoom = -950;
    window->transformPane()->apply(settings);
    triggerAndWait(*window, CommandId::Shrink);
    EXPECT_EQ(window->transformPane()->zoomValue(), -999);
    triggerAndWait(*window, CommandId::StandardSize);
    EXPECT_EQ(window->transformPane()->zoomValue(), 100);
    EXPECT_EQ(recorded.count(), 3);

    // Zoom and centre change the shown size only.
    window->command(CommandId::ZoomIn)->trigger();
    window->command(CommandId::ZoomIn)->trigger();
    EXPECT_EQ(window->view()->displaySize(), 1152);
    window->command(CommandId::ZoomOut)->trigger();
    EXPECT_EQ(window->view()->displaySize(), 960);
    window->command(CommandId::CentreView)->trigger();
    EXPECT_EQ(recorded.count(), 3);
}

TEST_F(MainWindowTest, ResetCommandsReachThePanesWithoutDrawing) {
    auto window = open();
    Recorder recorded(*window);
    DrawSettings settings = window->captureSettings();
    settings.rotX = 30;
    settings.zoom = 500;
    settings.penWidth = 7;
    window->transformPane()->apply(settings);
    window->colourPane()->apply(settings);
    window->command(CommandId::Reset3D)->trigger();
    window->command(CommandId::ResetColourStroke)->trigger();
    const DrawSettings after = window->captureSettings();
    EXPECT_EQ(after.rotX, 0);
    EXPECT_EQ(after.zoom, 100);
    EXPECT_EQ(after.penWidth, 1);
    EXPECT_EQ(recorded.count(), 0);
}

TEST_F(MainWindowTest, DrawRandomDrawsOnce) {
    auto window = open();
    Recorder recorded(*window);
    triggerAndWait(*window, CommandId::DrawRandom);
    EXPECT_EQ(recorded.count(), 1);
    EXPECT_NE(window->view()->bounds(), FigureBounds{});
}

TEST_F(MainWindowTest, ApplySettingsWritesThePanesAndDraws) {
    auto window = open();
    Recorder recorded(*window);
    DrawSettings settings = DrawSettings::startup();
    settings.category = 1;
    settings.item = 2;
    settings.params = window->captureSettings().params; // any in-range values
    settings.params[0] = 20;
    settings.penWidth = 3;
    settings.rotZ = 45;
    settings.zoom = 250;
    settings.shiftH = -10;
    settings.paramLocked[4] = 1;
    // Re-captured after the formula change so that inactive rows read 0.
    window->applySettings(settings, true);
    window->waitForDrawing();
    EXPECT_EQ(recorded.count(), 0); // a history replay is not recorded again
    const DrawSettings applied = window->captureSettings();
    EXPECT_EQ(applied.category, 1);
    EXPECT_EQ(applied.item, 2);
    EXPECT_EQ(applied.params[0], 20);
    EXPECT_EQ(applied.penWidth, 3);
    EXPECT_EQ(applied.rotZ, 45);
    EXPECT_EQ(applied.zoom, 250);
    EXPECT_EQ(applied.shiftH, -10);
    EXPECT_EQ(applied.paramLocked[4], 1);

    window->applySettings(applied, false);
    window->waitForDrawing();
    ASSERT_EQ(recorded.count(), 1);
    EXPECT_EQ(recorded.at(0), applied);
}

TEST_F(MainWindowTest, RecordsNoFormulaCanDrawAreRefused) {
    auto window = open();
    Recorder recorded(*window);
    const DrawSettings before = window->captureSettings();
    for (const auto& [category, item] :
         {std::pair{10, 0}, std::pair{-1, 0}, std::pair{0, 19}, std::pair{9, -1}}) {
        DrawSettings settings = before;
        settings.category = category;
        settings.item = item;
        settings.penWidth = 9;
        MessageCatcher catcher;
        window->applySettings(settings, false);
        window->waitForDrawing();
        EXPECT_EQ(catcher.count(), 1) << category << "/" << item;
        EXPECT_EQ(catcher.title(), QStringLiteral("Orbelle"));
        EXPECT_EQ(catcher.text(),
                  QStringLiteral(
                      "このソフトウェアでは描画できません、\n\n最新のOrbelleを使用してください。"));
        EXPECT_EQ(catcher.buttons(), QMessageBox::Ok);
    }
    EXPECT_EQ(window->captureSettings(), before);
    EXPECT_EQ(recorded.count(), 0);
}

TEST_F(MainWindowTest, EachColourModeDrawsItsDotColours) {
    auto window = open();
    // The last dot of the start-up figure is drawn last, so it shows its own colour.
    auto run = prepareFormula({0, 0}, formulaInfo({0, 0}).defaults);
    std::vector<Point> points(static_cast<std::size_t>(run->iterations()));
    run->source->generate(points.data(), points.size());
    const int x = trunc32(3000 + points.back().x);
    const int y = trunc32(3000 + points.back().y);

    const auto drawWith = [&](int drawMode, int backMode, std::int32_t customDraw,
                              std::int32_t customBack) {
        DrawSettings s = window->captureSettings();
        s.drawColorMode = drawMode;
        s.backColorMode = backMode;
        s.drawColor = customDraw;
        s.backColor = customBack;
        window->colourPane()->apply(s);
        triggerAndWait(*window, CommandId::Draw);
        const Canvas& canvas = window->view()->canvas();
        return std::pair{canvas.colourAt(x, y), canvas.colourAt(0, 0)};
    };
    using Colours = std::pair<std::int32_t, std::int32_t>;
    EXPECT_EQ(drawWith(0, 1, 0, 0), (Colours{kBlack, kWhite}));
    EXPECT_EQ(drawWith(1, 0, 0, 0), (Colours{kWhite, kBlack}));
    EXPECT_EQ(drawWith(2, 2, packRgb(10, 200, 30), packRgb(1, 2, 3)),
              (Colours{packRgb(10, 200, 30), packRgb(1, 2, 3)}));
    EXPECT_EQ(window->captureSettings().drawColor, packRgb(10, 200, 30));
    // Gradient: the last dot, i = N, takes ramp entry 0 of the smooth ramp.
    GradientInputs inputs;
    inputs.colours = kDefaultGradientColors;
    EXPECT_EQ(drawWith(3, 1, 0, 0), (Colours{buildSmoothRamp(inputs)[0], kWhite}));
    EXPECT_EQ(window->captureSettings().drawColor, kBlack); // the hidden pen colour
}

namespace {

// Puts the slowest drawing into the panes: 499,501 dots, pen 100, gradient,
// which takes more than a tenth of a second, far longer than the test's
// steps between starting it and acting on it.
void setSlowDrawing(MainWindow& window) {
    DrawSettings s = window.captureSettings();
    s.params[0] = 999;
    s.penWidth = 100;
    s.drawColorMode = 3;
    window.settingsPane()->apply(s);
    window.colourPane()->apply(s);
}

} // namespace

TEST_F(MainWindowTest, DrawingsRunInTheBackgroundAndAreRecordedWhenComplete) {
    auto window = open();
    Recorder recorded(*window);
    setSlowDrawing(*window);
    window->command(CommandId::Draw)->trigger();
    EXPECT_TRUE(window->view()->isDrawing());
    EXPECT_EQ(recorded.count(), 0); // not complete yet
    ASSERT_TRUE(window->waitForDrawing());
    ASSERT_EQ(recorded.count(), 1);
    EXPECT_EQ(recorded.at(0).params[0], 999);
    EXPECT_EQ(recorded.at(0).penWidth, 100);
    EXPECT_NE(window->view()->bounds(), FigureBounds{});
    EXPECT_TRUE(window->findChild<QProgressBar*>(QStringLiteral("drawingProgress"))->isHidden());
}

TEST_F(MainWindowTest, EscapeStopsTheDrawingWithoutRecordingIt) {
    auto window = open();
    Recorder recorded(*window);
    setSlowDrawing(*window);
    window->command(CommandId::Draw)->trigger();
    ASSERT_TRUE(window->view()->isDrawing());
    auto* escape = window->findChild<QShortcut*>();
    ASSERT_NE(escape, nullptr);
    EXPECT_EQ(escape->key(), QKeySequence(Qt::Key_Escape));
    emit escape->activated();
    ASSERT_TRUE(window->waitForDrawing());
    EXPECT_EQ(recorded.count(), 0);
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("描画を中止しました"));
    EXPECT_EQ(window->view()->bounds(), FigureBounds{}); // no figure completed
    EXPECT_TRUE(window->findChild<QProgressBar*>(QStringLiteral("drawingProgress"))->isHidden());
    // The next drawing runs as usual.
    window->colourPane()->apply(DrawSettings::startup());
    window->command(CommandId::Draw)->trigger();
    ASSERT_TRUE(window->waitForDrawing());
    EXPECT_EQ(recorded.count(), 1);
}

TEST_F(MainWindowTest, ANewDrawingSupersedesTheRunningOne) {
    auto window = open();
    Recorder recorded(*window);
    setSlowDrawing(*window);
    window->command(CommandId::Draw)->trigger();
    DrawSettings quick = window->captureSettings();
    quick.params[0] = 20;
    quick.penWidth = 1;
    window->applySettings(quick, false); // writes the panes and draws
    ASSERT_TRUE(window->waitForDrawing());
    ASSERT_EQ(recorded.count(), 1); // only the second
    EXPECT_EQ(recorded.at(0).params[0], 20);
    EXPECT_EQ(recorded.at(0).penWidth, 1);
    EXPECT_FALSE(window->view()->isDrawing());
}

TEST_F(MainWindowTest, ClosingDuringADrawingStopsIt) {
    auto window = open();
    Recorder recorded(*window);
    setSlowDrawing(*window);
    window->command(CommandId::Draw)->trigger();
    ASSERT_TRUE(window->view()->isDrawing());
    window->close();
    window.reset(); // joins the worker
    EXPECT_EQ(recorded.count(), 0);
}
