// What the view shows while a drawing writes the canvas, and what a stopped
// drawing leaves behind: only complete pictures reach the screen, and a stop
// gives the canvas, the picture and the export back as they were.

#include "view/mainview.h"

#include "engine/colour.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QScrollBar>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

using namespace orbelle;

namespace {

constexpr int kDeadlineMs = 60000;
// "回数" of the drawing that is held half-way; no other drawing uses it.
constexpr int kHeldCount = 321;

// FNV-1a over every canvas pixel: equal canvases give equal digests, and one
// changed pixel changes it.
std::uint64_t digest(const Canvas& canvas) {
    std::uint64_t h = 14695981039346656037ull;
    const std::uint32_t* p = canvas.pixels();
    for (std::size_t k = 0; k < static_cast<std::size_t>(Canvas::kSize) * Canvas::kSize; ++k) {
        h = (h ^ p[k]) * 1099511628211ull;
    }
    return h;
}

// Draws with the engine; a drawing of kHeldCount stops at a batch boundary
// once past half its work (the canvas is then cleared and partly drawn) and
// stays there, letting readers in and obeying a stop, until let go.
class HeldDrawing {
  public:
    explicit HeldDrawing(MainView& view) {
        view.setDrawFunction(
            [this](const DrawSettings& s, Canvas& canvas, const DrawProgress& progress) {
                if (!progress || s.params[0] != kHeldCount) {
                    return draw(s, canvas, progress);
                }
                return draw(s, canvas, [&](std::int64_t done, std::int64_t total) {
                    if (done * 2 > total && !m_letGo.load()) {
                        m_held = true;
                        while (!m_letGo.load()) {
                            if (!progress(done, total)) {
                                return false;
                            }
                            std::this_thread::sleep_for(std::chrono::milliseconds(1));
                        }
                    }
                    return progress(done, total);
                });
            });
    }
    /// Processes events until the drawing is held; false at the deadline.
    bool waitUntilHeld() const {
        QDeadlineTimer deadline(kDeadlineMs);
        while (!m_held.load() && !deadline.hasExpired()) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return m_held.load();
    }
    void letGo() { m_letGo = true; }

  private:
    std::atomic<bool> m_held{false};
    std::atomic<bool> m_letGo{false};
};

DrawSettings heldFigure(DrawColourMode mode, int penWidth) {
    DrawSettings s = DrawSettings::startup();
    s.params[0] = kHeldCount;
    s.rotY = 40;
    s.penWidth = penWidth;
    s.setDrawColourMode(mode);
    return s;
}

class HeldPictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_view.resize(500, 500);
        m_view.show();
    }
    QImage frame() { return m_view.viewport()->grab().toImage(); }

    MainView m_view;
};

struct HoldCase {
    const char* name;
    MainView::Showing showing;
    DrawColourMode mode;
    int penWidth;
};

class NoPartialFrame : public HeldPictureTest, public ::testing::WithParamInterface<HoldCase> {};

} // namespace

// Every frame painted while the drawing is half done is the previous picture,
// also scrolled; once complete the view shows exactly what the same drawing
// made on the calling thread shows.
TEST_P(NoPartialFrame, WhileADrawingRunsTheViewShowsThePreviousPicture) {
    const HoldCase& c = GetParam();
    HeldDrawing held(m_view);
    ASSERT_EQ(m_view.drawFigure(DrawSettings::startup()).status, DrawStatus::Drawn);
    const QImage before = frame();
    m_view.horizontalScrollBar()->setValue(250);
    const QImage beforeScrolled = frame();
    m_view.horizontalScrollBar()->setValue(0);
    // Drawn again and not painted yet when the next drawing starts, as when
    // a live drawing follows the one just completed.
    ASSERT_EQ(m_view.drawFigure(DrawSettings::startup()).status, DrawStatus::Drawn);

    const DrawSettings next = heldFigure(c.mode, c.penWidth);
    ASSERT_TRUE(m_view.startDrawing(next, c.showing));
    ASSERT_TRUE(held.waitUntilHeld());
    for (int look = 0; look < 10; ++look) {
        QApplication::processEvents();
        EXPECT_EQ(frame(), before) << "look " << look;
    }
    m_view.horizontalScrollBar()->setValue(250);
    EXPECT_EQ(frame(), beforeScrolled);
    m_view.horizontalScrollBar()->setValue(0);

    held.letGo();
    ASSERT_TRUE(m_view.waitForDrawing(kDeadlineMs));
    const QImage after = frame();
    EXPECT_NE(after, before);
    ASSERT_EQ(m_view.drawFigure(next).status, DrawStatus::Drawn);
    EXPECT_EQ(frame(), after);
}

INSTANTIATE_TEST_SUITE_P(
    Drawings, NoPartialFrame,
    ::testing::Values(
        HoldCase{"LivePen1", MainView::Showing::CompleteOnly, DrawColourMode::Black, 1},
        HoldCase{"LiveThickGradient", MainView::Showing::CompleteOnly, DrawColourMode::Gradient,
                 30},
        HoldCase{"LiveDensity", MainView::Showing::CompleteOnly, DrawColourMode::Density, 2},
        HoldCase{"DrawDensity", MainView::Showing::ProgressWhenSlow, DrawColourMode::Density, 2}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

struct PreviousCase {
    const char* name;
    std::optional<DrawColourMode> mode; // nothing: no drawing before
    int penWidth;
};

class StopRestores : public HeldPictureTest, public ::testing::WithParamInterface<PreviousCase> {};

} // namespace

// Stopped half-way, a drawing leaves the canvas pixel for pixel as it was, and
// with it the picture, the export and the record of what is shown.
TEST_P(StopRestores, AStoppedDrawingLeavesTheCanvasAsItWas) {
    const PreviousCase& c = GetParam();
    HeldDrawing held(m_view);
    if (c.mode) {
        DrawSettings previous = DrawSettings::startup();
        previous.setDrawColourMode(*c.mode);
        previous.penWidth = c.penWidth;
        previous.rotX = 20;
        ASSERT_EQ(m_view.drawFigure(previous).status, DrawStatus::Drawn);
    }
    const std::uint64_t canvasBefore = digest(m_view.canvas());
    const QImage exportBefore = m_view.exportPicture(300);
    const QImage frameBefore = frame();
    const std::optional<DrawSettings> shownBefore = m_view.shownSettings();
    const FigureBounds boundsBefore = m_view.bounds();
    QSignalSpy cancelled(&m_view, &MainView::drawingCancelled);
    QSignalSpy finished(&m_view, &MainView::drawingFinished);

    ASSERT_TRUE(m_view.startDrawing(heldFigure(DrawColourMode::Gradient, 12)));
    ASSERT_TRUE(held.waitUntilHeld());
    EXPECT_NE(m_view.exportPicture(300), exportBefore); // the canvas is half drawn
    m_view.cancelDrawing();
    ASSERT_TRUE(m_view.waitForDrawing(kDeadlineMs));

    EXPECT_EQ(cancelled.count(), 1);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(digest(m_view.canvas()), canvasBefore);
    EXPECT_EQ(m_view.exportPicture(300), exportBefore);
    EXPECT_EQ(frame(), frameBefore);
    EXPECT_EQ(m_view.shownSettings(), shownBefore);
    EXPECT_EQ(m_view.bounds(), boundsBefore);
}

INSTANTIATE_TEST_SUITE_P(Previous, StopRestores,
                         ::testing::Values(PreviousCase{"NoDrawing", std::nullopt, 1},
                                           PreviousCase{"Plain", DrawColourMode::Black, 1},
                                           PreviousCase{"ThickGradient", DrawColourMode::Gradient,
                                                        40},
                                           PreviousCase{"Density", DrawColourMode::Density, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

// A new drawing asked for while the previous picture is being put back takes
// over, and is shown as the same drawing made on the calling thread shows.
TEST_F(HeldPictureTest, ADrawingDuringTheRestoringTakesOver) {
    HeldDrawing held(m_view);
    ASSERT_EQ(m_view.drawFigure(DrawSettings::startup()).status, DrawStatus::Drawn);
    ASSERT_TRUE(m_view.startDrawing(heldFigure(DrawColourMode::Black, 1)));
    ASSERT_TRUE(held.waitUntilHeld());
    QSignalSpy cancelled(&m_view, &MainView::drawingCancelled);
    m_view.cancelDrawing();
    ASSERT_TRUE(cancelled.wait(kDeadlineMs));
    EXPECT_TRUE(m_view.isDrawing()); // the previous picture is being drawn again
    DrawSettings next = DrawSettings::startup();
    next.rotZ = 90;
    ASSERT_TRUE(m_view.startDrawing(next));
    ASSERT_TRUE(m_view.waitForDrawing(kDeadlineMs));
    ASSERT_TRUE(m_view.shownSettings().has_value());
    EXPECT_EQ(m_view.shownSettings()->rotZ, 90);
    const std::uint64_t drawn = digest(m_view.canvas());
    const QImage shown = frame();
    ASSERT_EQ(m_view.drawFigure(next).status, DrawStatus::Drawn);
    EXPECT_EQ(digest(m_view.canvas()), drawn);
    EXPECT_EQ(frame(), shown);
}
