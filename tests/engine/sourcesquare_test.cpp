#include "engine/sourcesquare.h"

#include "engine/enginetest.h"
#include "engine/stretch.h"

#include <limits>

using namespace orbelle;

TEST(SourceSquare, EmptyCanvasShowsTheCentre) {
    EXPECT_EQ(sourceSquare({}, 100), (SourceSquare{2500, 2500, 1000}));
}

TEST(SourceSquare, FigureWithMargins) {
    const FigureBounds figure{-1000, 1000, -1000, 1000};
    EXPECT_EQ(sourceSquare(figure, 100), (SourceSquare{1500, 1500, 3000}));
    EXPECT_EQ(sourceSquare(figure, -999), (SourceSquare{401, 401, 5198}));
    EXPECT_EQ(sourceSquare(figure, 600), (SourceSquare{2000, 2000, 2000}));
}

TEST(SourceSquare, NearTheEdgeShowsTheWholeCanvas) {
    EXPECT_EQ(sourceSquare({-2600, 0, 0, 0}, 100), (SourceSquare{0, 0, 6000}));
    EXPECT_EQ(sourceSquare({0, 2500, 0, 10}, 100), (SourceSquare{0, 0, 6000}));
}

TEST(SourceSquare, FigureReachingExactlyTheCanvasEdge) {
    // zoom 100: margin 500. Bounds +-2499 give ext 4998, half 2499 and the
    // square from 1 to 5999 (side 4998 + 1000): still inside.
    EXPECT_EQ(sourceSquare({-2499, 2499, -2499, 2499}, 100), (SourceSquare{1, 1, 5998}));
    // One pixel further on any side puts that edge at exactly 0 or 6000:
    // cx = trunc(-1) = -1 gives left = -1 - 2499 - 500 + 3000 = 0, cx = 1 gives
    // right = 1 + 2499 + 500 + 3000 = 6000; the same for top and bottom.
    const SourceSquare whole{0, 0, 6000};
    EXPECT_EQ(sourceSquare({-2500, 2498, -2499, 2499}, 100), whole); // left = 0
    EXPECT_EQ(sourceSquare({-2498, 2500, -2499, 2499}, 100), whole); // right = 6000
    EXPECT_EQ(sourceSquare({-2499, 2499, -2500, 2498}, 100), whole); // top = 0
    EXPECT_EQ(sourceSquare({-2499, 2499, -2498, 2500}, 100), whole); // bottom = 6000
    // The cut square at exactly 100 pixels is kept: zoom 999 (margin -399) on
    // ext = trunc(899) = 899, half 449: right - left = 2 x 449 - 798 = 100, and
    // the side is ext + 2m = 101; cy = 5 gives top = 5 - 449 + 399 + 3000.
    EXPECT_EQ(sourceSquare({-449.5, 449.5, 0, 10}, 999), (SourceSquare{2950, 2955, 101}));
}

TEST(SourceSquare, TinyCutFallsBackToTheHundredSquare) {
    // zoom 999: margin -399 on a figure 700 wide leaves under 100 pixels.
    EXPECT_EQ(sourceSquare({-350, 350, -10, 10}, 999), (SourceSquare{2950, 2950, 100}));
    EXPECT_EQ(sourceSquare({100, 500, 100, 300}, 999), (SourceSquare{3250, 3150, 100}));
}

TEST(SourceSquare, InfiniteBoundsDoNotOverflow) {
    const double inf = std::numeric_limits<double>::infinity();
    const SourceSquare s = sourceSquare({-inf, 10, 0, 10}, 100);
    EXPECT_EQ(s, (SourceSquare{0, 0, 6000}));
}

TEST(Stretch, NearestNeighbourWithoutSmoothing) {
    Canvas& canvas = test::sharedCanvas();
    canvas.clear(kWhite);
    canvas.row(2501)[2500] = Canvas::toPixel(packRgb(255, 0, 0));
    // The 1000 square from 2500 onto 2000 pixels: every source pixel is a 2 x 2 block.
    const auto out = stretchSquare(canvas, {2500, 2500, 1000}, 2000);
    const std::uint32_t red = Canvas::toPixel(packRgb(255, 0, 0));
    EXPECT_EQ(out[2 * 2000 + 0], red);
    EXPECT_EQ(out[3 * 2000 + 1], red);
    EXPECT_EQ(out[1 * 2000 + 0], Canvas::toPixel(kWhite));
    EXPECT_EQ(out[2 * 2000 + 2], Canvas::toPixel(kWhite));
    // Parts of a square outside the canvas read white.
    const auto edge = stretchSquare(canvas, {5950, 5950, 100}, 100);
    EXPECT_EQ(edge[99 * 100 + 99], Canvas::toPixel(kWhite));
}
