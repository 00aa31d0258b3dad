#include "view/mainview.h"

#include "support/guiapplication.h"
#include "view/displaysize.h"
#include "view/patterncanvas.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QMainWindow>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

using namespace orbelle;
using test::drawPattern;
using test::packed;

namespace {

// Independent nearest-neighbour mapping: the pixel of the canvas that a
// picture of side size shows at (x, y) for a square.
std::int32_t expectedAt(const Canvas& canvas, const SourceSquare& s, int size, int x, int y) {
    const long long sx = s.left + static_cast<long long>(x) * s.side / size;
    const long long sy = s.top + static_cast<long long>(y) * s.side / size;
    if (sx < 0 || sy < 0 || sx >= Canvas::kSize || sy >= Canvas::kSize) {
        return kWhite;
    }
    return canvas.colourAt(static_cast<int>(sx), static_cast<int>(sy));
}

class MainViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_view = std::make_unique<MainView>();
        m_view->resize(500, 500);
        m_view->show();
    }

    // Paints the viewport as the screen would and returns its pixels.
    QImage paintViewport() { return m_view->viewport()->grab().toImage(); }

    std::unique_ptr<MainView> m_view;
};

} // namespace

TEST_F(MainViewTest, EmptyCanvasShowsItsWhiteCentre) {
    EXPECT_EQ(m_view->currentSquare(), (SourceSquare{2500, 2500, 1000}));
    EXPECT_EQ(m_view->displaySize(), 800);
    const QImage shown = paintViewport();
    EXPECT_EQ(m_view->shownSquare(), (SourceSquare{2500, 2500, 1000}));
    EXPECT_EQ(packed(shown.pixel(0, 0)), kWhite);
    EXPECT_EQ(packed(shown.pixel(250, 250)), kWhite);
    EXPECT_EQ(m_view->lastDrawColor(), kBlack);
    EXPECT_EQ(m_view->lastBackColor(), kWhite);
}

TEST_F(MainViewTest, FigureIsCutWithItsMarginAndStretchedWithoutSmoothing) {
    int zoom = 100;
    m_view->setZoomSource([&zoom] { return zoom; });
    m_view->setDrawFunction(&drawPattern);
    ASSERT_EQ(m_view->drawFigure(DrawSettings::startup()).status, DrawStatus::Drawn);

    QImage shown = paintViewport();
    const SourceSquare square{1500, 1500, 3000};
    EXPECT_EQ(m_view->shownSquare(), square);
    for (const QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(3, 7), QPoint(255, 256),
                           QPoint(460, 460), QPoint(123, 456)}) {
        EXPECT_EQ(packed(shown.pixel(p)), expectedAt(m_view->canvas(), square, 800, p.x(), p.y()))
            << p.x() << "," << p.y();
    }

    // Scrolled: the same picture, moved.
    m_view->horizontalScrollBar()->setValue(200);
    m_view->verticalScrollBar()->setValue(100);
    shown = paintViewport();
    EXPECT_EQ(packed(shown.pixel(10, 20)), expectedAt(m_view->canvas(), square, 800, 210, 120));

    // The live zoom value widens the margin at the next repaint.
    zoom = -999;
    shown = paintViewport();
    const SourceSquare wide{401, 401, 5198};
    EXPECT_EQ(m_view->shownSquare(), wide);
    EXPECT_EQ(packed(shown.pixel(10, 20)), expectedAt(m_view->canvas(), wide, 800, 210, 120));
}

TEST_F(MainViewTest, RepaintsReuseTheScaledPictureUntilSomethingChanges) {
    m_view->setDrawFunction(&drawPattern);
    m_view->drawFigure(DrawSettings::startup());
    paintViewport();
    const auto built = m_view->tilesBuilt();
    EXPECT_GT(built, 0);
    paintViewport();
    paintViewport();
    EXPECT_EQ(m_view->tilesBuilt(), built);

    m_view->drawFigure(DrawSettings::startup());
    paintViewport();
    EXPECT_GT(m_view->tilesBuilt(), built);
}

TEST_F(MainViewTest, ExportImageIsTheLastShownSquareStretched) {
    int zoom = 100;
    m_view->setZoomSource([&zoom] { return zoom; });
    m_view->setDrawFunction(&drawPattern);
    m_view->drawFigure(DrawSettings::startup());
    paintViewport();

    // A new zoom value not yet painted: export still takes what is shown.
    zoom = 600;
    QImage image = m_view->exportImage();
    ASSERT_EQ(image.size(), QSize(6000, 6000));
    ASSERT_EQ(image.format(), QImage::Format_RGB888);
    const SourceSquare shown{1500, 1500, 3000};
    for (const QPoint p :
         {QPoint(0, 0), QPoint(1, 1), QPoint(5999, 5999), QPoint(1234, 4321), QPoint(3001, 2999)}) {
        EXPECT_EQ(packed(image.pixel(p)), expectedAt(m_view->canvas(), shown, 6000, p.x(), p.y()));
    }

    paintViewport();
    image = m_view->exportImage();
    const SourceSquare cut{2000, 2000, 2000};
    EXPECT_EQ(m_view->shownSquare(), cut);
    for (const QPoint p : {QPoint(0, 0), QPoint(2, 2), QPoint(5999, 0), QPoint(4567, 891)}) {
        EXPECT_EQ(packed(image.pixel(p)), expectedAt(m_view->canvas(), cut, 6000, p.x(), p.y()));
    }
}

TEST_F(MainViewTest, RealDrawingAndEqualColours) {
    DrawSettings settings = DrawSettings::startup();
    const DrawResult result = m_view->drawFigure(settings);
    ASSERT_EQ(result.status, DrawStatus::Drawn);
    EXPECT_EQ(m_view->bounds(), result.bounds);
    EXPECT_EQ(m_view->shownSquare(), sourceSquare(result.bounds, 100));
    const FigureBounds before = m_view->bounds();
    const std::int32_t centre = m_view->canvas().colourAt(3000, 3000);

    settings.setDrawColourMode(DrawColourMode::White); // white on white
    settings.setBackColourMode(BackColourMode::White);
    EXPECT_EQ(m_view->drawFigure(settings).status, DrawStatus::SameColours);
    EXPECT_EQ(m_view->bounds(), before);
    EXPECT_EQ(m_view->canvas().colourAt(3000, 3000), centre);
    EXPECT_EQ(m_view->lastBackColor(), kWhite);
    EXPECT_EQ(m_view->lastDrawColor(), kBlack);
}

TEST(DisplaySize, StepsGrowByAFifth) {
    const int expected[] = {462, 555, 666, 800, 960, 1152, 1382};
    for (int step = -3; step <= 3; ++step) {
        EXPECT_EQ(displaySizeForStep(step), expected[step + 3]) << step;
    }
}

TEST_F(MainViewTest, ZoomChangesOnlyTheShownSizeWithinItsBounds) {
    m_view->zoomIn();
    m_view->zoomIn();
    EXPECT_EQ(m_view->displaySize(), 1152);
    const QScrollBar* h = m_view->horizontalScrollBar();
    EXPECT_EQ(h->pageStep(), 115);
    EXPECT_EQ(h->singleStep(), 11);
    EXPECT_EQ(h->maximum(), 1152 - m_view->viewport()->width());
    // Centred: the middle of 0 .. 1151 at the middle of the window.
    EXPECT_EQ(h->value(), 1151 / 2 - m_view->viewport()->width() / 2);
    EXPECT_EQ(m_view->verticalScrollBar()->value(), 1151 / 2 - m_view->viewport()->height() / 2);

    m_view->zoomOut();
    m_view->zoomOut();
    m_view->zoomOut();
    EXPECT_EQ(m_view->displaySize(), 666);
    EXPECT_EQ(m_view->canvas().colourAt(0, 0), kWhite);

    for (int k = 0; k < 100; ++k) {
        m_view->zoomOut();
    }
    EXPECT_EQ(m_view->displaySize(), displaySizeForStep(-24));
    EXPECT_GE(m_view->displaySize(), kMinDisplaySize);
    paintViewport();
    for (int k = 0; k < 200; ++k) {
        m_view->zoomIn();
    }
    EXPECT_EQ(m_view->displaySize(), displaySizeForStep(23));
    EXPECT_LE(m_view->displaySize(), kMaxDisplaySize);
    EXPECT_EQ(m_view->horizontalScrollBar()->maximum(),
              m_view->displaySize() - m_view->viewport()->width());
    paintViewport(); // the largest picture paints from a bounded tile cache
}

TEST_F(MainViewTest, CentreLeavesASmallPictureAlone) {
    m_view->resize(1000, 1000);
    QApplication::processEvents();
    m_view->centre();
    EXPECT_EQ(m_view->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(m_view->verticalScrollBar()->value(), 0);
}

TEST_F(MainViewTest, RightClickShowsNoMenu) {
    QMainWindow window; // a main window offers a toolbar menu on right clicks
    window.setCentralWidget(m_view.release());
    window.show();
    auto* view = qobject_cast<MainView*>(window.centralWidget());
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20),
                            view->viewport()->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(view->viewport(), &event);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

// A density drawing's canvas holds counts until its last pass: while it runs
// the view goes on showing the previous picture, then shows the new one.
TEST_F(MainViewTest, ADensityDrawingShowsThePreviousPictureUntilItEnds) {
    DrawSettings settings = DrawSettings::startup();
    ASSERT_EQ(m_view->drawFigure(settings).status, DrawStatus::Drawn);
    const QImage before = paintViewport();

    settings.setDrawColourMode(DrawColourMode::Density);
    settings.params[0] = 999;
    settings.penWidth = 100; // slow enough for many progress reports
    ASSERT_TRUE(m_view->startDrawing(settings));
    int looks = 0;
    while (m_view->isDrawing()) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (m_view->isDrawing()) {
            EXPECT_EQ(paintViewport(), before) << "look " << looks;
            ++looks;
        }
    }
    EXPECT_GT(looks, 0);
    ASSERT_TRUE(m_view->waitForDrawing());
    EXPECT_NE(paintViewport(), before);
}

TEST_F(MainViewTest, PicturesTakenDuringABackgroundDrawingAndASynchronousDrawAfterOne) {
    // A thick pen on a long orbit, held at a batch boundary once past half its
    // work (the dots are computed first, so it is then painting) until the
    // pictures for printing and exporting are taken. Held, it still lets
    // readers in, as at any boundary.
    DrawSettings slow = DrawSettings::startup();
    slow.params[0] = 999;
    slow.penWidth = 100;
    std::atomic<bool> held{false};
    std::atomic<bool> released{false};
    m_view->setDrawFunction(
        [&](const DrawSettings& s, Canvas& canvas, const DrawProgress& progress) {
            if (!progress) { // drawn on the calling thread
                return draw(s, canvas);
            }
            return draw(s, canvas, [&](std::int64_t done, std::int64_t total) {
                if (done * 2 > total && !released.load()) {
                    held = true;
                    while (!released.load()) {
                        if (!progress(done, total)) {
                            return false;
                        }
                        std::this_thread::sleep_for(std::chrono::milliseconds(1));
                    }
                }
                return progress(done, total);
            });
        });
    ASSERT_TRUE(m_view->startDrawing(slow));
    QDeadlineTimer deadline(60000);
    while (!held.load() && m_view->isDrawing() && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    ASSERT_TRUE(held.load());
    for (int taken = 0; taken < 20; ++taken) {
        ASSERT_TRUE(m_view->isDrawing());
        const QImage printed = m_view->exportPicture(400);
        ASSERT_EQ(printed.size(), QSize(400, 400));
        QApplication::processEvents();
    }
    released = true;
    m_view->cancelDrawing();
    // Drawing on the calling thread right after stopping the worker: the
    // canvas is handed over whole, and the result is the one shown.
    const DrawSettings quick = DrawSettings::startup();
    const DrawResult result = m_view->drawFigure(quick);
    ASSERT_EQ(result.status, DrawStatus::Drawn);
    EXPECT_FALSE(m_view->isDrawing());
    EXPECT_EQ(m_view->bounds(), result.bounds);
    ASSERT_TRUE(m_view->shownSettings().has_value());
    EXPECT_EQ(m_view->shownSettings()->params[0], quick.params[0]);
    const QImage after = m_view->exportPicture(64);
    ASSERT_FALSE(after.isNull());
    EXPECT_EQ(packed(after.pixel(0, 0)), kWhite); // the margin round the figure
}
