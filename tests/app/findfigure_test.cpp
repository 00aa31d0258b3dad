// "よい図形を探す" in the window: the search runs in the background, lands on
// a figure worth showing, gives up after 200 tries drawing the last one, and
// stops on Esc leaving the panes as they were.

#include "app/commands/findfigurecommand.h"

#include "app/windowtest.h"
#include "engine/figuresearchstep.h"
#include "formulas/formula.h"
#include "panes/drawsettingspane.h"
#include "panes/transformpane.h"
#include "view/figurefinder.h"

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
    static ParamRows valuesOf(const std::array<WalkRow, kRowCount>& r) {
        ParamRows v{};
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

// From the start-up figure with row 2 locked and the seed 777, the first try
// moves every other row by a step of -1 or +1 drawn from that seed; that
// figure is worth showing, so it is drawn.
TEST_F(FindFigureTest, LandsOnAFigureWorthShowing) {
    pane()->setLocked(2, true);
    finder()->setSeedSource([] { return std::uint64_t{777}; });
    std::array<WalkRow, kRowCount> expected = pane()->walkRows();
    const std::int32_t lockedValue = expected[2].value;
    SearchRandom random(777);
    searchStep(expected, 0, random);
    const std::optional<FigureVerdict> verdict =
        judgeRows(pane()->selectedFormula(), valuesOf(expected), FigurePlacement{});
    ASSERT_TRUE(verdict);
    ASSERT_TRUE(verdict->worthShowing());

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

// The figure is judged as the 3D pane places it: "X軸回転" 90 with "Z軸倍率"
// 0 lays the start-up figure flat on one line, which no step of the free
// rows widens (row 0 is locked so each try stays quick).
TEST_F(FindFigureTest, JudgesTheFigureAsThe3DPanePlacesIt) {
    m_window->transformPane()->setValue(TransformPane::RotX, 90);
    m_window->transformPane()->setValue(TransformPane::ScaleZ, 0);
    pane()->setParamValue(0, 20);
    pane()->setLocked(0, true);
    m_window->command(CommandId::FindFigure)->trigger();
    ASSERT_TRUE(waitForSearch());
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].end, SearchEnd::GaveUp);
    EXPECT_EQ(results[0].tries, 200);
    EXPECT_FALSE(results[0].verdict.coversEnough());
}

// "回数" locked at 1 leaves 501 dots, too few to cover 1% of the view: all
// 200 tries fail and the last one (200 steps from the seed 4242) is drawn.
TEST_F(FindFigureTest, GivesUpAfter200TriesAndDrawsTheLast) {
    pane()->setParamValue(0, 1);
    pane()->setLocked(0, true);
    finder()->setSeedSource([] { return std::uint64_t{4242}; });
    std::array<WalkRow, kRowCount> expected = pane()->walkRows();
    SearchRandom random(4242);
    for (int failed = 0; failed < 200; ++failed)
        searchStep(expected, failed, random);

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
