// Fitting the picture to the window: the largest display size shown whole,
// and zooming from there.

#include "view/mainview.h"

#include "view/patterncanvas.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace orbelle;

namespace {

/// Lets the scroll bars be laid out: polls until the viewport has the
/// expected height or a deadline passes.
int settledViewportHeight(const MainView& view, int expected) {
    (void)QTest::qWaitFor([&] { return view.viewport()->height() == expected; }, 5000);
    return view.viewport()->height();
}

} // namespace

TEST(FitToWindowTest, TheLargestSizeWithoutScrollBars) {
    MainView view;
    view.resize(700, 520);
    view.show();
    ASSERT_EQ(view.displaySize(), 800);
    ASSERT_GT(view.verticalScrollBar()->maximum(), 0);

    view.fitToWindow();
    // With no scroll bar the viewport is the whole widget less its frame.
    const int frame = 2 * view.frameWidth();
    EXPECT_EQ(view.displaySize(), 520 - frame);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(settledViewportHeight(view, 520 - frame), 520 - frame);

    // 520 - frame lies between the steps 462 and 555: in goes to 555, out to
    // 462.
    view.zoomIn();
    EXPECT_EQ(view.displaySize(), 555);
    view.fitToWindow();
    view.zoomOut();
    EXPECT_EQ(view.displaySize(), 462);
    view.zoomIn();
    view.zoomIn();
    view.zoomIn();
    view.zoomIn();
    EXPECT_EQ(view.displaySize(), 960); // 555, 666, 800, 960

    // A wide window fits the height; a larger one goes past the 800 default.
    view.resize(1500, 1100);
    view.fitToWindow();
    EXPECT_EQ(view.displaySize(), 1100 - frame);
    view.zoomOut();
    EXPECT_EQ(view.displaySize(), 960);
}

TEST(FitToWindowTest, ZoomOutCentresInTheRoomTheScrollBarsLeave) {
    MainView view;
    view.resize(700, 520);
    view.show();
    const int frame = 2 * view.frameWidth();
    const int bar = view.verticalScrollBar()->sizeHint().width();
    // 800 needs both bars; 666 fits across (698 - frame) but not down, so the
    // horizontal bar goes and the height grows back to 520 - frame.
    view.zoomOut();
    ASSERT_EQ(view.displaySize(), 666);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.verticalScrollBar()->value(), 665 / 2 - (520 - frame) / 2);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 666 - (520 - frame));
    EXPECT_EQ(settledViewportHeight(view, 520 - frame), 520 - frame);
    EXPECT_EQ(view.viewport()->width(), 700 - frame - bar);
}

// Fitted to a wide window the picture sits in the middle of the width: 1500
// wide and 1100 high less the frame leaves (1500 - 1100) / 2 = 200 pixels on
// either side. Zooming ends the fit and the picture goes back to the top
// left of its scroll area.
TEST(FitToWindowTest, TheFittedPictureIsCentred) {
    MainView view;
    view.setDrawFunction(&test::drawPattern);
    view.resize(1500, 1100);
    view.show();
    view.drawFigure(DrawSettings::startup());
    view.fitToWindow();
    const int frame = 2 * view.frameWidth();
    ASSERT_EQ(view.displaySize(), 1100 - frame);
    (void)QTest::qWaitFor([&] { return view.viewport()->width() == 1500 - frame; }, 5000);
    EXPECT_EQ(view.pictureOrigin(), QPoint(200, 0));

    const QImage shown = view.viewport()->grab().toImage();
    const QRgb background =
        view.viewport()->palette().color(view.viewport()->backgroundRole()).rgb();
    const int size = view.displaySize();
    for (const int y : {0, 5, size / 2, size - 1}) {
        const int sourceY = 1500 + static_cast<int>(static_cast<long long>(y) * 3000 / size);
        EXPECT_EQ(test::packed(shown.pixel(200, y)), test::patternColour(1500, sourceY)) << y;
        EXPECT_EQ(test::packed(shown.pixel(200 + size - 1, y)),
                  test::patternColour(1500 + (size - 1) * 3000 / size, sourceY))
            << y;
        EXPECT_EQ(shown.pixel(199, y), background) << y;
        EXPECT_EQ(shown.pixel(200 + size, y), background) << y;
    }

    view.zoomOut();
    EXPECT_EQ(view.pictureOrigin(), QPoint(0, 0));
}
