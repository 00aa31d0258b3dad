// The finder's verdict on hand-made orbits.

#include "engine/figurequality.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace orbelle;

namespace {

// A grid of w x h dots from (x0, y0), step apart.
std::vector<Point> grid(double x0, double y0, int w, int h, double step) {
    std::vector<Point> dots;
    for (int b = 0; b < h; ++b)
        for (int a = 0; a < w; ++a)
            dots.push_back({x0 + step * a, y0 + step * b});
    return dots;
}

} // namespace

TEST(FigureQuality, AFixedPointIsNotWorthShowing) {
    const std::vector<Point> dots(5000, Point{10.0, 10.0});
    const FigureVerdict v = judgeFigure(dots, 0, 600);
    EXPECT_TRUE(v.finite);
    EXPECT_EQ(v.recentPositions, 1);
    EXPECT_EQ(v.coveredPixels, 1);
    EXPECT_EQ(v.shownPixels, 360000);
    EXPECT_TRUE(v.cycles());
    EXPECT_FALSE(v.coversEnough());
    EXPECT_FALSE(v.worthShowing());
}

TEST(FigureQuality, AThreeCycleAfterASpreadStartIsAShortCycle) {
    // A spread start (a 200 x 200 grid) that settles on three points: the
    // coverage holds, the last 1000 dots show three positions.
    std::vector<Point> dots = grid(-400, -400, 200, 200, 4);
    const Point cycle[3] = {{0, 0}, {200.5, 50.25}, {-100, 300}};
    for (int k = 0; k < 3000; ++k)
        dots.push_back(cycle[k % 3]);
    const FigureVerdict v = judgeFigure(dots, 0, 600);
    EXPECT_TRUE(v.finite);
    EXPECT_EQ(v.recentPositions, 3);
    EXPECT_TRUE(v.coversEnough());
    EXPECT_TRUE(v.cycles());
    EXPECT_FALSE(v.worthShowing());
}

TEST(FigureQuality, AnEscapingOrbitIsNotFinite) {
    std::vector<Point> dots = grid(-400, -400, 200, 200, 4);
    double x = 1;
    for (int k = 0; k < 2000; ++k, x *= 10)
        dots.push_back({x, -x}); // reaches infinity after about 309 steps
    EXPECT_FALSE(judgeFigure(dots, 0, 600).finite);
    EXPECT_FALSE(judgeFigure(dots, 0, 600).worthShowing());

    std::vector<Point> nan = grid(-400, -400, 200, 200, 4);
    nan.push_back({std::numeric_limits<double>::quiet_NaN(), 0});
    EXPECT_FALSE(judgeFigure(nan, 0, 600).finite);
    EXPECT_FALSE(judgeFigure(nan, 0, 600).worthShowing());
}

// A 200 x 200 grid, step 2, from (-200, -200): bounds -200..198, so the shown
// square has the extent 398 and a margin of 600: left = -1 - 199 - 600 + 3000
// = 2200, side 1598. At 400 display pixels a display pixel is 3.995 canvas
// pixels wide: the grid's canvas columns 2800..3198 fall on display columns
// floor(600 / 3.995) = 150 to floor(998 / 3.995) = 249, with no gap (a step
// of 2 canvas pixels is half a display pixel): 100 x 100 of 160000 (6.25%).
TEST(FigureQuality, ASpreadFigureIsWorthShowing) {
    const FigureVerdict v = judgeFigure(grid(-200, -200, 200, 200, 2), 0, 400);
    EXPECT_TRUE(v.finite);
    EXPECT_EQ(v.recentPositions, 1000);
    EXPECT_EQ(v.shownPixels, 160000);
    EXPECT_EQ(v.coveredPixels, 100 * 100);
    EXPECT_TRUE(v.worthShowing());
}

// Dots from (-500, -500) and one at (500, 500): the extent is 1000, the
// margin 600, so the square starts at 1900 with side 2200; at 100 display
// pixels each is 22 canvas pixels wide, and the dot at -500 + 22 a falls on
// display column 27 + a. The corner dot falls on (72, 72). 99 grid dots and
// the corner cover 100 of 10000 display pixels: exactly 1%.
TEST(FigureQuality, CoverageCountsDisplayPixelsOfTheShownSquare) {
    std::vector<Point> dots = grid(-500, -500, 9, 11, 22);
    dots.push_back({500, 500});
    FigureVerdict v = judgeFigure(dots, 0, 100);
    EXPECT_EQ(v.coveredPixels, 100);
    EXPECT_EQ(v.shownPixels, 10000);
    EXPECT_TRUE(v.coversEnough());
    EXPECT_TRUE(v.worthShowing());

    // A second dot on a covered display pixel adds nothing; one fewer pixel fails.
    dots.push_back({-500 + 5, -500 + 5});
    EXPECT_EQ(judgeFigure(dots, 0, 100).coveredPixels, 100);
    dots.erase(dots.begin());
    dots.pop_back();
    v = judgeFigure(dots, 0, 100);
    EXPECT_EQ(v.coveredPixels, 99);
    EXPECT_FALSE(v.coversEnough());
    EXPECT_FALSE(v.worthShowing());

    // Dots at x -500 and -490 (bounds -500..0, centre -250, extent 500): with
    // the margin 600 the square starts at 1900 with side 1700, 17 canvas
    // pixels per display pixel, and both fall on column 600 / 17 = 35;
    // enlargement 500 narrows the margin to 100, the square to 700 from
    // 2400, and they fall on columns 100 / 7 = 14 and 110 / 7 = 15.
    EXPECT_EQ(judgeFigure(grid(-500, -500, 2, 1, 10), 0, 100).coveredPixels, 1);
    EXPECT_EQ(judgeFigure(grid(-500, -500, 2, 1, 10), 500, 100).coveredPixels, 2);
}

// A line of dots spreads over many positions but covers too little; a long
// orbit that ends on 49 positions cycles, on 50 it does not.
TEST(FigureQuality, ThinLinesAndTheCycleThreshold) {
    const FigureVerdict line = judgeFigure(grid(-500, 0, 1000, 1, 1), 0, 400);
    EXPECT_EQ(line.recentPositions, 1000);
    EXPECT_FALSE(line.coversEnough());

    std::vector<Point> dots = grid(-400, -400, 200, 200, 4);
    for (int positions : {49, 50}) {
        std::vector<Point> orbit = dots;
        for (int k = 0; k < 1000; ++k)
            orbit.push_back({static_cast<double>(3 * (k % positions)), 7.5});
        const FigureVerdict v = judgeFigure(orbit, 0, 600);
        EXPECT_EQ(v.recentPositions, positions);
        EXPECT_EQ(v.cycles(), positions == 49);
        EXPECT_EQ(v.worthShowing(), positions == 50);
    }
    // Fewer than 50 dots in all can never show 50 positions.
    EXPECT_TRUE(judgeFigure(grid(0, 0, 7, 7, 30), 0, 10).cycles());
}
