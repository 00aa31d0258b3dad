#include "app/drawingsession.h"

#include "app/commands/findfigurecommand.h"
#include "app/drawingrecorder.h"
#include "app/windowtest.h"
#include "engine/canvas.h"
#include "engine/colour.h"
#include "engine/draw.h"
#include "panes/colourpane.h"
#include "panes/drawsettingspane.h"
#include "panes/transformpane.h"
#include "view/mainview.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>

#include <atomic>
#include <thread>
#include <vector>

using namespace orbelle;
using orbelle::test::MessageCatcher;

namespace {

constexpr int kDeadlineMs = 20000;

using Recorder = orbelle::test::DrawingRecorder;

class LiveDrawingTest : public test::WindowTest {
  protected:
    static QAction* liveCommand(const MainWindow& window) {
        return window.command(CommandId::LiveDrawing);
    }
    static DrawingSession* live(const MainWindow& window) {
        return window.findChild<DrawingSession*>();
    }
    /// A window with "自動描画" on; its values settle by time only when asked.
    std::unique_ptr<MainWindow> openLive(bool settlesByTime) {
        auto window = open();
        liveCommand(*window)->setChecked(true);
        if (!settlesByTime) {
            live(*window)->setSettleTime(600000);
        }
        return window;
    }
    /// The slider of "Y軸回転" (0-359, its value shown as it is).
    static QSlider* rotationSlider(const MainWindow& window) {
        return window.transformPane()->findChild<QSlider*>(QStringLiteral("slider11211"));
    }
    /// Waits until the view shows a drawing of Y rotation `degrees`.
    static bool shows(const MainWindow& window, int degrees) {
        return QTest::qWaitFor(
            [&] {
                const std::optional<DrawSettings> shown = window.view()->shownSettings();
                return !window.view()->isDrawing() && shown && shown->rotY == degrees;
            },
            kDeadlineMs);
    }
};

// Holds the view's drawings on the worker until the test lets them end,
// drawn or stopped (as a stopped engine drawing reports it). Once opened
// it lets every later drawing through until closed again.
class Gate {
  public:
    enum class Outcome { Wait, Draw, Stop };

    explicit Gate(MainView& view) : m_view(view) {
        view.setDrawFunction([this](const DrawSettings& s, Canvas& canvas, const DrawProgress&) {
            ++m_draws;
            m_waiting = true;
            Outcome outcome;
            while ((outcome = m_outcome.load()) == Outcome::Wait) {
                std::this_thread::yield();
            }
            m_waiting = false;
            if (outcome == Outcome::Stop) {
                // The previous drawing, drawn again to restore the canvas,
                // goes through.
                m_outcome = Outcome::Draw;
                DrawResult stopped;
                stopped.status = DrawStatus::Cancelled;
                return stopped;
            }
            return draw(s, canvas);
        });
    }
    ~Gate() {
        m_outcome = Outcome::Draw;
        m_view.waitForDrawing();
        m_view.setDrawFunction(
            [](const DrawSettings& s, Canvas& canvas, const DrawProgress& progress) {
                return draw(s, canvas, progress);
            });
    }
    Gate(const Gate&) = delete;
    Gate& operator=(const Gate&) = delete;

    bool waiting() const { return m_waiting.load(); }
    /// Drawings begun so far.
    int draws() const { return m_draws.load(); }
    /// Draw lets the held drawing and the rest through, Stop ends the held one stopped.
    void open(Outcome outcome) { m_outcome = outcome; }
    /// Holds the next drawing again.
    void close() { m_outcome = Outcome::Wait; }

  private:
    MainView& m_view;
    std::atomic<Outcome> m_outcome{Outcome::Wait};
    std::atomic<bool> m_waiting{false};
    std::atomic<int> m_draws{0};
};

} // namespace

TEST_F(LiveDrawingTest, TheCommandIsOffAtFirstAndItsStateIsKept) {
    {
        auto window = open();
        QAction* command = liveCommand(*window);
        ASSERT_NE(command, nullptr);
        EXPECT_EQ(command->text(), QStringLiteral("自動描画"));
        EXPECT_TRUE(command->isCheckable());
        EXPECT_FALSE(command->isChecked());
        ASSERT_NE(live(*window), nullptr);
        EXPECT_EQ(live(*window)->settleTime(), 1000);
        command->trigger();
        EXPECT_TRUE(command->isChecked());
    }
    {
        auto window = open();
        EXPECT_TRUE(liveCommand(*window)->isChecked());
        liveCommand(*window)->trigger();
    }
    auto window = open();
    EXPECT_FALSE(liveCommand(*window)->isChecked());
}

TEST_F(LiveDrawingTest, WhileOffAnEditDrawsNothing) {
    auto window = open();
    QSignalSpy finished(window->view(), &MainView::drawingFinished);
    rotationSlider(*window)->setValue(40);
    window->colourPane()->setPenWidth(3);
    window->settingsPane()->setParamValue(0, 150);
    for (int pass = 0; pass < 3; ++pass) {
        QApplication::processEvents();
    }
    EXPECT_FALSE(window->view()->isDrawing());
    EXPECT_FALSE(window->view()->shownSettings().has_value());
    EXPECT_EQ(finished.count(), 0);

    // The same edits with the command on start a drawing in the next pass.
    liveCommand(*window)->setChecked(true);
    rotationSlider(*window)->setValue(41);
    QApplication::processEvents();
    EXPECT_TRUE(window->view()->isDrawing() || window->view()->shownSettings().has_value());
    EXPECT_TRUE(shows(*window, 41));
}

TEST_F(LiveDrawingTest, EveryKindOfEditDrawsWithoutADrawCommand) {
    auto window = openLive(false); // nothing settles by time here
    Recorder recorder(*window);
    MessageCatcher catcher;

    rotationSlider(*window)->setValue(30);
    ASSERT_TRUE(shows(*window, 30));

    const auto shownNow = [&] { return *window->view()->shownSettings(); };
    const auto drawnWith = [&](const auto& holds) {
        return QTest::qWaitFor(
            [&] {
                return !window->view()->isDrawing() && window->view()->shownSettings() &&
                       holds(*window->view()->shownSettings());
            },
            kDeadlineMs);
    };
    window->settingsPane()->setParamValue(0, 150); // a parameter row
    EXPECT_TRUE(drawnWith([](const DrawSettings& s) { return s.params[0] == 150; }));
    window->colourPane()->setPenWidth(4); // the pen
    EXPECT_TRUE(drawnWith([](const DrawSettings& s) { return s.penWidth == 4; }));
    window->colourPane()->setDrawColourMode(DrawColourMode::Gradient, true); // a colour
    EXPECT_TRUE(drawnWith([](const DrawSettings& s) { return s.drawColorMode == 3; }));
    window->colourPane()->setGradientStopOn(2, false); // the gradient
    EXPECT_TRUE(drawnWith([](const DrawSettings& s) { return s.gradientStopOn[2] == 0; }));
    window->colourPane()->setGradientRepeat(3);
    EXPECT_TRUE(drawnWith([](const DrawSettings& s) { return s.gradientRepeat == 3; }));
    window->transformPane()->setValue(TransformPane::ShiftH, -20); // a 3D value
    EXPECT_TRUE(drawnWith([](const DrawSettings& s) { return s.shiftH == -20; }));
    // A formula of another category loads its own defaults: one drawing of them.
    window->settingsPane()->selectCategory(1);
    EXPECT_TRUE(drawnWith([](const DrawSettings& s) { return s.category == 1 && s.item == 0; }));
    EXPECT_EQ(shownNow().params[0], window->settingsPane()->paramValue(0));

    EXPECT_EQ(recorder.count(), 0); // no value has settled yet
    EXPECT_EQ(catcher.count(), 0);
}

TEST_F(LiveDrawingTest, QuickEditsOfADragGiveOneHistoryEntryWhenTheSliderIsLetGo) {
    auto window = openLive(false);
    Recorder recorder(*window);
    QSlider* slider = rotationSlider(*window);

    slider->setSliderDown(true);
    for (const int degrees : {10, 20, 35, 50, 64}) {
        slider->setValue(degrees);
        ASSERT_TRUE(shows(*window, degrees)); // every step is drawn
    }
    EXPECT_EQ(recorder.count(), 0);
    slider->setSliderDown(false); // let go
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.count() >= 1; }, kDeadlineMs));
    EXPECT_EQ(recorder.count(), 1);
    EXPECT_EQ(recorder.last().rotY, 64);
    EXPECT_EQ(recorder.last().drawColor, kBlack);
    EXPECT_EQ(recorder.last().backColor, kWhite);

    // Letting go once more records nothing new: the drawing is in already.
    slider->setSliderDown(true);
    slider->setSliderDown(false);
    QApplication::processEvents();
    EXPECT_EQ(recorder.count(), 1);
}

TEST_F(LiveDrawingTest, AValueUnchangedForTheSettleTimeIsRecordedOnce) {
    auto window = openLive(true);
    Recorder recorder(*window);
    ASSERT_EQ(live(*window)->settleTime(), DrawingSession::kSettleMs);

    // Edits in quick succession, each let into the event loop once.
    for (const int row : {100, 120, 140, 160}) {
        window->settingsPane()->setParamValue(0, row);
        QApplication::processEvents();
    }
    EXPECT_EQ(recorder.count(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.count() >= 1; }, kDeadlineMs));
    EXPECT_EQ(recorder.count(), 1);
    EXPECT_EQ(recorder.last().params[0], 160);

    live(*window)->settle();
    EXPECT_EQ(recorder.count(), 1);
}

TEST_F(LiveDrawingTest, ASettledDrawingStillRunningIsRecordedOnlyIfItCompletes) {
    auto window = openLive(false);
    Recorder recorder(*window);
    Gate gate(*window->view());

    // Settled while it runs, then completed: recorded on completion.
    rotationSlider(*window)->setValue(90);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.waiting(); }, kDeadlineMs));
    live(*window)->settle();
    QApplication::processEvents();
    EXPECT_EQ(recorder.count(), 0);
    gate.open(Gate::Outcome::Draw);
    ASSERT_TRUE(window->waitForDrawing());
    ASSERT_EQ(recorder.count(), 1);
    EXPECT_EQ(recorder.last().rotY, 90);

    // Settled while it runs, then stopped: nothing enters.
    gate.close();
    rotationSlider(*window)->setValue(91);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.waiting(); }, kDeadlineMs));
    live(*window)->settle();
    window->cancelDrawing();
    gate.open(Gate::Outcome::Stop);
    ASSERT_TRUE(window->waitForDrawing());
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("描画を中止しました"));
    live(*window)->settle();
    EXPECT_EQ(recorder.count(), 1);

    // Settled while it runs, then passed by further edits: the drawing runs
    // to its end and is shown, the edits meanwhile give one drawing of the
    // last values, and that one has not settled yet.
    gate.close();
    const int drawsBefore = gate.draws();
    rotationSlider(*window)->setValue(92);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.waiting(); }, kDeadlineMs));
    live(*window)->settle();
    for (const int degrees : {93, 94, 95}) {
        rotationSlider(*window)->setValue(degrees);
        QApplication::processEvents();
    }
    gate.open(Gate::Outcome::Draw);
    ASSERT_TRUE(shows(*window, 95));
    EXPECT_EQ(gate.draws() - drawsBefore, 2); // 92, then 95
    QApplication::processEvents();
    EXPECT_EQ(recorder.count(), 1);
    live(*window)->settle();
    ASSERT_EQ(recorder.count(), 2);
    EXPECT_EQ(recorder.last().rotY, 95);

    // A live edit supersedes a running drawing of another kind, which is
    // then never recorded.
    gate.close();
    window->command(CommandId::Draw)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.waiting(); }, kDeadlineMs));
    rotationSlider(*window)->setValue(96);
    QApplication::processEvents();
    gate.open(Gate::Outcome::Draw);
    ASSERT_TRUE(shows(*window, 96));
    QApplication::processEvents();
    EXPECT_EQ(recorder.count(), 2);
    live(*window)->settle();
    ASSERT_EQ(recorder.count(), 3);
    EXPECT_EQ(recorder.last().rotY, 96);
}

TEST_F(LiveDrawingTest, ClosingTheWindowRecordsTheLiveDrawingOnShow) {
    auto window = openLive(false);
    Recorder recorder(*window);
    rotationSlider(*window)->setValue(150);
    ASSERT_TRUE(shows(*window, 150));
    EXPECT_EQ(recorder.count(), 0);
    window->close();
    ASSERT_EQ(recorder.count(), 1);
    EXPECT_EQ(recorder.last().rotY, 150);
}

TEST_F(LiveDrawingTest, ADrawCommandRecordsAtOnceAndTakesThePlaceOfThePendingLiveRecord) {
    auto window = openLive(true);
    Recorder recorder(*window);

    rotationSlider(*window)->setValue(200);
    ASSERT_TRUE(shows(*window, 200));
    EXPECT_EQ(recorder.count(), 0);
    window->command(CommandId::Draw)->trigger();
    ASSERT_TRUE(window->waitForDrawing());
    ASSERT_EQ(recorder.count(), 1);
    EXPECT_EQ(recorder.last().rotY, 200);
    live(*window)->settle(); // the live drawing it replaced is not added
    EXPECT_EQ(recorder.count(), 1);

    // Draw Random's own steps are no live edits: one entry, the random one.
    window->command(CommandId::DrawRandom)->trigger();
    ASSERT_TRUE(window->waitForDrawing());
    QApplication::processEvents();
    ASSERT_TRUE(window->waitForDrawing());
    EXPECT_EQ(recorder.count(), 2);
    live(*window)->settle();
    EXPECT_EQ(recorder.count(), 2);
    EXPECT_EQ(recorder.last().params, window->captureSettings().params);

    // Enlarge sets "拡大" and draws at once: one entry.
    window->command(CommandId::Enlarge)->trigger();
    ASSERT_TRUE(window->waitForDrawing());
    QApplication::processEvents();
    ASSERT_TRUE(window->waitForDrawing());
    EXPECT_EQ(recorder.count(), 3);
    EXPECT_EQ(recorder.last().zoom, 200);
    live(*window)->settle();
    EXPECT_EQ(recorder.count(), 3);
}

TEST_F(LiveDrawingTest, TheFigureFinderDrawsAndRecordsItsFigureOnce) {
    auto window = openLive(false);
    Recorder recorder(*window);
    QSignalSpy started(window->view(), &MainView::drawingFinished);

    // The rows the search lands on are written into the pane and drawn at
    // once; the live drawing those edits ask for is that same drawing.
    window->command(CommandId::FindFigure)->trigger();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !window->findFigureCommand()->isSearching() && !window->view()->isDrawing(); },
        kDeadlineMs));
    QApplication::processEvents();
    ASSERT_TRUE(window->waitForDrawing());
    EXPECT_EQ(started.count(), 1);
    ASSERT_EQ(recorder.count(), 1);
    EXPECT_EQ(recorder.last().params, window->captureSettings().params);
    live(*window)->settle();
    EXPECT_EQ(recorder.count(), 1);
}

TEST_F(LiveDrawingTest, ARecordWrittenIntoThePanesIsNoLiveEdit) {
    auto window = openLive(true);
    Recorder recorder(*window);
    DrawSettings settings = DrawSettings::startup();
    settings.penWidth = 7;
    settings.rotX = 45;
    settings.params[0] = 300;

    // Opening a file or a favourite: drawn and recorded once.
    ASSERT_TRUE(window->applySettings(settings, false));
    ASSERT_TRUE(window->waitForDrawing());
    QApplication::processEvents();
    ASSERT_TRUE(window->waitForDrawing());
    EXPECT_EQ(recorder.count(), 1);
    live(*window)->settle();
    EXPECT_EQ(recorder.count(), 1);

    // A history replay: drawn, never recorded.
    settings.rotX = 46;
    ASSERT_TRUE(window->applySettings(settings, true));
    ASSERT_TRUE(window->waitForDrawing());
    QApplication::processEvents();
    ASSERT_TRUE(window->waitForDrawing());
    live(*window)->settle();
    EXPECT_EQ(recorder.count(), 1);
    EXPECT_EQ(window->view()->shownSettings()->rotX, 46);
}

TEST_F(LiveDrawingTest, EqualColoursAreToldInTheStatusBarWithoutAMessageBox) {
    auto window = openLive(true);
    MessageCatcher catcher;
    window->colourPane()->setCustomDrawColor(kWhite);
    window->colourPane()->setDrawColourMode(DrawColourMode::Custom, true); // white on white
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return window->statusBar()->currentMessage() ==
                   QStringLiteral("描画色と背景色が同じ色です");
        },
        kDeadlineMs));
    EXPECT_FALSE(window->view()->isDrawing());
    EXPECT_EQ(catcher.count(), 0);
}

TEST_F(LiveDrawingTest, UpAndDownInAValueBoxDrawOnlyUnderLiveDrawing) {
    auto window = open();
    auto* count = window->settingsPane()->findChild<QLineEdit*>(QStringLiteral("edit10300"));
    ASSERT_NE(count, nullptr);
    ASSERT_EQ(window->settingsPane()->paramValue(0), 200);
    QTest::keyClick(count, Qt::Key_Up);
    EXPECT_EQ(window->settingsPane()->paramValue(0), 201);
    for (int pass = 0; pass < 3; ++pass) {
        QApplication::processEvents();
    }
    EXPECT_FALSE(window->view()->isDrawing());
    EXPECT_FALSE(window->view()->shownSettings().has_value());

    liveCommand(*window)->setChecked(true);
    QTest::keyClick(count, Qt::Key_Down);
    QTest::keyClick(count, Qt::Key_Down);
    EXPECT_EQ(window->settingsPane()->paramValue(0), 199);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const std::optional<DrawSettings> shown = window->view()->shownSettings();
            return !window->view()->isDrawing() && shown && shown->params[0] == 199;
        },
        kDeadlineMs));
}

TEST_F(LiveDrawingTest, EscDuringALiveDrawingPutsThePreviousFigureBack) {
    auto window = openLive(false);
    rotationSlider(*window)->setValue(30);
    ASSERT_TRUE(shows(*window, 30));
    const QImage before = window->view()->exportPicture(200);
    Gate gate(*window->view());
    rotationSlider(*window)->setValue(31);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.waiting(); }, kDeadlineMs));
    window->cancelDrawing(); // what Esc does
    gate.open(Gate::Outcome::Stop);
    ASSERT_TRUE(window->waitForDrawing());
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("描画を中止しました"));
    ASSERT_TRUE(window->view()->shownSettings().has_value());
    EXPECT_EQ(window->view()->shownSettings()->rotY, 30);
    EXPECT_EQ(window->view()->exportPicture(200), before);
    EXPECT_EQ(rotationSlider(*window)->value(), 31); // the edit itself stays
}
