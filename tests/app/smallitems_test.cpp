// Details of the main window a person meets: the pane toolbars and buttons,
// and the lock-key indicators.

#include "app/mainwindow.h"

#include "app/lockindicators.h"
#include "panes/colourpane.h"
#include "panes/drawsettingspane.h"
#include "panes/historypane.h"
#include "panes/transformpane.h"

#include "app/apptest.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <memory>

using namespace orbelle;

namespace {

// The program's QApplication is registered by mainwindow_test.cpp.

class SmallItemsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        orbelle::test::clearSettingsStore();
        ASSERT_TRUE(m_dataDir.isValid());
        m_window = std::make_unique<MainWindow>(m_dataDir.path() + QLatin1Char('/'));
    }

    QTemporaryDir m_dataDir;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace

// The pane toolbars and the buttons "描画" and "描画 ランダム" carry the
// window's own commands, pictures and all (the page commands show the
// chevrons drawn for them).
TEST_F(SmallItemsTest, PaneToolBarsAndDrawButtonsAreTheWindowsCommands) {
    const auto command = [this](CommandId id) { return m_window->command(id); };
    EXPECT_EQ(m_window->settingsPane()->toolBar()->actions(),
              (QList<QAction*>{command(CommandId::ZoomIn), command(CommandId::ZoomOut),
                               command(CommandId::CentreView)}));
    EXPECT_EQ(m_window->transformPane()->toolBar()->actions(),
              (QList<QAction*>{command(CommandId::Enlarge), command(CommandId::Shrink),
                               command(CommandId::StandardSize)}));
    EXPECT_EQ(m_window->historyPane()->toolBar()->actions(),
              (QList<QAction*>{
                  command(CommandId::HistoryNextPage), command(CommandId::HistoryPreviousPage),
                  command(CommandId::HistoryForward), command(CommandId::HistoryBack)}));
    QStringList historyTips;
    for (const QAction* action : m_window->historyPane()->toolBar()->actions()) {
        historyTips << action->toolTip();
    }
    EXPECT_EQ(historyTips,
              (QStringList{"後のページ", "前のページ", "一つ後に戻す", "一つ前に戻す"}));
    for (const QToolBar* bar :
         {m_window->settingsPane()->toolBar(), m_window->transformPane()->toolBar(),
          m_window->historyPane()->toolBar()}) {
        for (const QAction* action : bar->actions()) {
            EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
        }
    }
    EXPECT_EQ(m_window->colourPane()->toolBar(), nullptr);

    QSignalSpy draws(command(CommandId::Draw), &QAction::triggered);
    QSignalSpy randoms(command(CommandId::DrawRandom), &QAction::triggered);
    m_window->settingsPane()->findChild<QPushButton*>(QStringLiteral("button10030"))->click();
    m_window->settingsPane()->findChild<QPushButton*>(QStringLiteral("button10031"))->click();
    EXPECT_EQ(draws.count(), 1);
    EXPECT_EQ(randoms.count(), 1);
    ASSERT_TRUE(m_window->waitForDrawing());
}

// Enlarge, shrink and standard size set "拡大" and draw once each.
TEST_F(SmallItemsTest, TheZoomCommandsDrawOnceEach) {
    QSignalSpy recorded(m_window.get(), &MainWindow::drawingRecorded);
    TransformPane* pane = m_window->transformPane();
    pane->setValue(TransformPane::Zoom, 950);
    const std::pair<CommandId, int> steps[] = {{CommandId::Enlarge, 999},
                                               {CommandId::Enlarge, 999},
                                               {CommandId::Shrink, 899},
                                               {CommandId::StandardSize, 100}};
    for (const auto& [id, zoom] : steps) {
        m_window->command(id)->trigger();
        ASSERT_TRUE(m_window->waitForDrawing());
        EXPECT_EQ(pane->zoomValue(), zoom) << commandNumber(id);
    }
    EXPECT_EQ(recorded.count(), 4);
}

TEST_F(SmallItemsTest, LockIndicatorsThatCannotBeReadAreHidden) {
    m_window->show();
    for (const char* name : {"indicatorCAP", "indicatorNUM", "indicatorSCRL"}) {
        const QWidget* label = m_window->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_FALSE(label->isVisible()) << name;
    }
}

TEST(LockIndicatorsTest, ShowTheStatesReadAtEachKeyAndActivation) {
    QWidget window;
    auto* bar = new QStatusBar(&window);
    auto* edit = new QLineEdit(&window);
    LockStates states{true, false, false};
    int readings = 0;
    new LockIndicators(bar, [&]() -> std::optional<LockStates> {
        ++readings;
        return states;
    });
    window.show();
    const auto* caps = bar->findChild<QLabel*>(QStringLiteral("indicatorCAP"));
    const auto* num = bar->findChild<QLabel*>(QStringLiteral("indicatorNUM"));
    const auto* scroll = bar->findChild<QLabel*>(QStringLiteral("indicatorSCRL"));
    ASSERT_TRUE(caps && num && scroll);
    EXPECT_TRUE(caps->isVisible());
    EXPECT_TRUE(caps->isEnabled());
    EXPECT_FALSE(num->isEnabled());
    EXPECT_FALSE(scroll->isEnabled());

    // Num Lock pressed in another program: the next key in this one shows it.
    states = LockStates{false, true, false};
    const int before = readings;
    QTest::keyClick(edit, Qt::Key_A);
    EXPECT_GT(readings, before);
    EXPECT_FALSE(caps->isEnabled());
    EXPECT_TRUE(num->isEnabled());

    // Coming back to the program reads them too.
    states = LockStates{false, false, true};
    QEvent activate(QEvent::ApplicationActivate);
    QCoreApplication::sendEvent(qApp, &activate);
    EXPECT_TRUE(scroll->isEnabled());
    EXPECT_FALSE(num->isEnabled());
}

TEST(LockIndicatorsTest, StayHiddenWhenTheStatesCannotBeRead) {
    QWidget window;
    auto* bar = new QStatusBar(&window);
    new LockIndicators(bar, [] { return std::optional<LockStates>(); });
    window.show();
    for (const char* name : {"indicatorCAP", "indicatorNUM", "indicatorSCRL"}) {
        const auto* label = bar->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_FALSE(label->isVisible()) << name;
    }
}
