// The common frame of a drawing: where dots land, the figure bounds, the
// shifts and the clipping at the canvas edges.

#include "engine/draw.h"
#include "engine/enginetest.h"
#include "formulas/numeric.h"

#include <cmath>
#include <limits>

using namespace orbelle;
using namespace orbelle::test;

TEST(DrawFrame, StartupDiamondDrawsAroundTheCentre) {
    Canvas& canvas = sharedCanvas();
    const DrawResult r = draw(plainSettings(), canvas);
    EXPECT_EQ(r.status, DrawStatus::Drawn);
    EXPECT_EQ(r.dotCount, 100001);
    EXPECT_EQ(r.drawColor, kBlack);
    EXPECT_EQ(r.backColor, kWhite);
    EXPECT_LE(r.bounds.minX, 0);
    EXPECT_GE(r.bounds.maxX, 0);
    // Dot 0 lies at trunc(3000 + px0), trunc(3000 + py0) and is a 2 x 2 box.
    auto run = prepareFormula({0, 0}, plainSettings().params);
    Point p0;
    run->source->generate(&p0, 1);
    const int x = trunc32(3000 + p0.x), y = trunc32(3000 + p0.y);
    EXPECT_EQ(countColour(canvas, kBlack, x, y, x + 1, y + 1), 4);
    EXPECT_EQ(canvas.colourAt(0, 0), kWhite);
}

TEST(DrawFrame, BoundsContainTheOriginAndIgnoreNaN) {
    Canvas& canvas = sharedCanvas();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const DrawResult r =
        drawRun(plainSettings(), runOf({{10, 20}, {nan, 5}, {30, nan}, {40, 25}}), canvas);
    EXPECT_EQ(r.bounds, (FigureBounds{0, 40, 0, 25}));
    EXPECT_EQ(r.dotCount, 4);
    const double inf = std::numeric_limits<double>::infinity();
    const DrawResult r2 = drawRun(plainSettings(), runOf({{-inf, 1}}), canvas);
    EXPECT_EQ(r2.bounds.minX, -inf);
    EXPECT_EQ(r2.bounds.maxY, 1);
}

TEST(DrawFrame, ShiftsMoveTheOrigin) {
    EXPECT_EQ(centreOffset(0, 0).x, 3000);
    EXPECT_EQ(centreOffset(100, 0).x, 6000);
    EXPECT_EQ(centreOffset(-100, 0).x, 0);
    EXPECT_EQ(centreOffset(0, 100).y, 0);
    EXPECT_EQ(centreOffset(0, -100).y, 6000);
    EXPECT_EQ(centreOffset(1, -1).x, 3030);
    EXPECT_EQ(centreOffset(1, -1).y, 3030);
    // A damaged record's huge shift neither overflows nor wraps round.
    EXPECT_GT(centreOffset(INT32_MAX, 0).x, 6000);
}

TEST(DrawFrame, DotsFarOffTheCanvasDrawNothing) {
    Canvas& canvas = sharedCanvas();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const DrawResult r = drawRun(
        plainSettings(), runOf({{nan, nan}, {1e300, -1e300}, {-3002, 0}, {0, 3000}}), canvas);
    EXPECT_EQ(r.status, DrawStatus::Drawn);
    EXPECT_EQ(countColour(canvas, kBlack, 0, 0, 5999, 5999), 0);
}

TEST(DrawFrame, DotsAtTheEdgeAreClipped) {
    Canvas& canvas = sharedCanvas();
    DrawSettings s = plainSettings();
    s.penWidth = 5;
    drawRun(s, runOf({{2998, 2998}, {-3003, -3003}}), canvas);
    EXPECT_EQ(canvas.colourAt(5999, 5999), kBlack);
    EXPECT_EQ(canvas.colourAt(0, 0), kBlack);
}

TEST(DrawFrame, DotInTheLastColumnStaysInItsRows) {
    Canvas& canvas = sharedCanvas();
    // px = 2999, py = -2900: the pen-1 dot's 2 x 2 box starts at (5999, 100);
    // its right half lies past the canvas. Written unclipped, it would land in
    // column 0 of rows 101 and 102.
    drawRun(plainSettings(), runOf({{2999, -2900}}), canvas);
    EXPECT_EQ(canvas.colourAt(5999, 100), kBlack);
    EXPECT_EQ(canvas.colourAt(5999, 101), kBlack);
    EXPECT_EQ(canvas.colourAt(0, 101), kWhite);
    EXPECT_EQ(canvas.colourAt(0, 102), kWhite);
    EXPECT_EQ(pixelsOtherThan(canvas, kWhite), 2);

    // A wide dot over either side edge touches no column on the far side.
    DrawSettings wide = plainSettings();
    wide.penWidth = 20;
    drawRun(wide, runOf({{2995, -2900}}), canvas);
    EXPECT_GT(countColour(canvas, kBlack, 5980, 80, 5999, 130), 0);
    EXPECT_EQ(countColour(canvas, kBlack, 0, 0, 99, 5999), 0);
    drawRun(wide, runOf({{-3010, 2000}}), canvas);
    EXPECT_GT(countColour(canvas, kBlack, 0, 4980, 20, 5030), 0);
    EXPECT_EQ(countColour(canvas, kBlack, 5900, 0, 5999, 5999), 0);
}

TEST(DrawFrame, InvalidFormulaClearsAndDrawsNothing) {
    Canvas& canvas = sharedCanvas();
    DrawSettings s = plainSettings();
    s.setBackColourMode(BackColourMode::Custom);
    s.backColor = packRgb(10, 20, 30);
    s.category = 12;
    const DrawResult r = draw(s, canvas);
    EXPECT_EQ(r.status, DrawStatus::Drawn);
    EXPECT_EQ(r.dotCount, 0);
    EXPECT_EQ(r.bounds, FigureBounds{});
    EXPECT_EQ(canvas.colourAt(3000, 3000), packRgb(10, 20, 30));
}
