// "よい図形を探す" in the window: the search runs in the background, lands on
// a figure worth showing, gives up after 200 tries drawing the last one, and
// stops on Esc leaving the panes as they were.

#include "app/commands/findfigurecommand.h"

#include "app/windowtest.h"
#include "engine/drawrandom.h"
#include "engine/figurequality.h"
#include "formulas/formula.h"
#include "panes/drawsettingspane.h"
#include "view/figurefinder.h"
#include "view/mainview.h"

#include <QShortcut>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

using namespace orbelle;

namespace {

class FindFigureTest : public test::OpenWindowTest {
  protected:
    void SetUp() override {
        OpenWindowTest::SetUp();
        ASSERT_TRUE(m_window->waitForDrawing());
        QObject::connect(m_window.get(), &MainWindow::drawingRecorded,
                         [this](const DrawSettings& s) { recorded.push_back(s); });
        QObject::connect(finder(), &FindFigureCommand::searchEnded,
                         [this](const SearchResult& r) { results.push_back(r); });
    }
    void TearDown() override {
        // The worker may still wait in a test's observer.
        release = true;
    }

    FindFigureCommand* finder() const { return m_window->findFigureCommand(); }
    DrawSettingsPane* pane() const { return m_window->settingsPane(); }
    QString status() const { return statusText(*m_window); }

    // Waits until the search and the drawing it starts have ended.
    bool waitForSearch() {
        return QTest::qWaitFor([this] { return !finder()->isSearching(); }, 60000) &&
               m_window->waitForDrawing();
    }

    // Holds the worker at its first report until release is set.
    void holdTheSearch() {
        finder()->finder()->setTryObserver([this](int) {
            reached = true;
            const auto give = std::chrono::steady_clock::now() + std::chrono::seconds(30);
            while (!release && std::chrono::steady_clock::now() < give) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
    bool waitUntilHeld() {
        return QTest::qWaitFor([this] { return reached.load(); }, 30000);
    }

    std::array<std::int32_t, kRowCount> values() const {
        std::array<std::int32_t, kRowCount> v{};
        for (int i = 0; i < kRowCount; ++i)
            v[i] = pane()->paramValue(i);
        return v;
    }
    static std::array<std::int32_t, kRowCount> valuesOf(const std::array<WalkRow, kRowCount>& r) {
        std::array<std::int32_t, kRowCount> v{};
        for (int i = 0; i < kRowCount; ++i)
            v[i] = r[i].value;
        return v;
    }

    std::vector<DrawSettings> recorded;
    std::vector<SearchResult> results;
    std::atomic<bool> reached{false};
    std::atomic<bool> release{false};
};

} // namespace

TEST_F(FindFigureTest, TheMenuCommandIsShiftF4) {
    QAction* action = m_window->command(CommandId::FindFigure);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("よい図形を探す"));
    EXPECT_EQ(action->shortcut(), QKeySequence(QStringLiteral("Shift+F4")));
    EXPECT_TRUE(action->isEnabled());
}

// From the start-up figure with row 2 locked and the clock at 777, the first
// try takes one Draw Random step with tick 777; that figure is worth showing,
// so it is drawn.
TEST_F(FindFigureTest, LandsOnAFigureWorthShowing) {
    pane()->setLocked(2, true);
    finder()->setClock([] { return 777u; });
    std::array<WalkRow, kRowCount> expected = pane()->walkRows();
    const std::int32_t lockedValue = expected[2].value;
    randomWalk(expected, 777);
    {
        // The step's figure, judged here on its own points.
        ParamRows params{};
        for (int i = 0; i < kRowCount; ++i)
            params[i] = expected[i].value;
        std::optional<FormulaRun> run = prepareFormula(pane()->selectedFormula(), params);
        ASSERT_TRUE(run);
        std::vector<Point> dots(static_cast<std::size_t>(run->iterations()));
        run->source->generate(dots.data(), dots.size());
        ASSERT_TRUE(judgeFigure(dots, 0, m_window->view()->displaySize()).worthShowing());
    }

    m_window->command(CommandId::FindFigure)->trigger();
    EXPECT_TRUE(finder()->isSearching()); // the trigger returned at once
    ASSERT_TRUE(waitForSearch());
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].end, SearchEnd::Found);
    EXPECT_EQ(results[0].tries, 1);
    EXPECT_EQ(values(), valuesOf(expected));
    EXPECT_EQ(pane()->paramValue(2), lockedValue);
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0].params, valuesOf(expected));
    EXPECT_EQ(status(), QStringLiteral("よい図形が見つかりました (1回目)"));
}

// "回数" locked at 1 leaves 501 dots, too few to cover 1% of the view: all
// 200 tries fail and the last one (200 steps, ticks 4242 to 4441) is drawn.
TEST_F(FindFigureTest, GivesUpAfter200TriesAndDrawsTheLast) {
    pane()->setParamValue(0, 1);
    pane()->setLocked(0, true);
    finder()->setClock([] { return 4242u; });
    std::array<WalkRow, kRowCount> expected = pane()->walkRows();
    for (std::uint32_t t = 0; t < 200; ++t)
        randomWalk(expected, 4242 + t);

    m_window->command(CommandId::FindFigure)->trigger();
    ASSERT_TRUE(waitForSearch());
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].end, SearchEnd::GaveUp);
    EXPECT_EQ(results[0].tries, 200);
    EXPECT_EQ(values(), valuesOf(expected));
    EXPECT_EQ(pane()->paramValue(0), 1);
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0].params, valuesOf(expected));
    EXPECT_EQ(status(),
              QStringLiteral("200回試してもよい図形は見つからず、最後に試した図形を描画しました"));
}

TEST_F(FindFigureTest, EscapeStopsTheSearchAndKeepsThePanes) {
    const auto before = values();
    holdTheSearch();
    m_window->command(CommandId::FindFigure)->trigger();
    ASSERT_TRUE(waitUntilHeld());
    // The window goes on: a second request while one runs is ignored.
    EXPECT_TRUE(finder()->isSearching());
    m_window->command(CommandId::FindFigure)->trigger();
    EXPECT_TRUE(status().startsWith(QStringLiteral("よい図形を探しています")));

    auto* escape = m_window->findChild<QShortcut*>();
    ASSERT_NE(escape, nullptr);
    emit escape->activated();
    release = true;
    ASSERT_TRUE(waitForSearch());
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].end, SearchEnd::Cancelled);
    EXPECT_EQ(values(), before);
    EXPECT_TRUE(recorded.empty());
    EXPECT_EQ(status(), QStringLiteral("図形の探索を中止しました"));

    // The next search runs as usual.
    finder()->finder()->setTryObserver({});
    m_window->command(CommandId::FindFigure)->trigger();
    ASSERT_TRUE(waitForSearch());
    EXPECT_EQ(results.size(), 2u);
    EXPECT_NE(results[1].end, SearchEnd::Cancelled);
}

// Values changed while the search runs win over what it finds.
TEST_F(FindFigureTest, ASearchOverChangedSettingsIsDropped) {
    holdTheSearch();
    m_window->command(CommandId::FindFigure)->trigger();
    ASSERT_TRUE(waitUntilHeld());
    pane()->setParamValue(1, pane()->paramValue(1) + 1);
    const auto changed = values();
    release = true;
    ASSERT_TRUE(waitForSearch());
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(values(), changed);
    EXPECT_TRUE(recorded.empty());
    EXPECT_EQ(status(), QStringLiteral("探索中に描画設定値が変わったため、見つけた値は使いません"));
}
