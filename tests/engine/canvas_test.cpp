// Clearing the canvas: a clear limited to the drawn region must leave exactly
// what a full clear leaves.

#include "engine/canvas.h"
#include "engine/draw.h"
#include "engine/enginetest.h"

using namespace orbelle;
using namespace orbelle::test;

TEST(CanvasClear, LimitedClearLeavesTheSamePixelsAsAFullOne) {
    Canvas& canvas = sharedCanvas();
    DrawSettings s = plainSettings();
    s.penWidth = 7;
    draw(s, canvas);      // full figure, black on white
    canvas.clear(kWhite); // only the drawn box is refilled
    for (int y = 0; y < Canvas::kSize; y += 7)
        for (int x = 0; x < Canvas::kSize; x += 3)
            ASSERT_EQ(canvas.colourAt(x, y), kWhite);
    // A direct write outside the plotting path makes the next clear a full one.
    canvas.row(10)[10] = Canvas::toPixel(kBlack);
    canvas.clear(kWhite);
    EXPECT_EQ(canvas.colourAt(10, 10), kWhite);
    // A new background colour always fills everything.
    draw(s, canvas);
    canvas.clear(packRgb(1, 2, 3));
    EXPECT_EQ(canvas.colourAt(0, 0), packRgb(1, 2, 3));
    EXPECT_EQ(canvas.colourAt(3000, 3000), packRgb(1, 2, 3));
}

TEST(CanvasClear, EveryPixelIsClearedAfterALimitedClear) {
    Canvas& canvas = sharedCanvas();
    canvas.clear(kWhite);
    DrawSettings s = plainSettings();
    s.penWidth = 7;
    draw(s, canvas);
    ASSERT_GT(pixelsOtherThan(canvas, kWhite), 0);
    canvas.clear(kWhite);
    EXPECT_EQ(pixelsOtherThan(canvas, kWhite), 0);

    // Wide dots cut by all four edges and the four corners.
    s.penWidth = 30;
    const std::vector<Point> edges = {{-3010, -3010}, {2995, 2995}, {-3010, 2995}, {2995, -3010},
                                      {0, -3012},     {0, 2996},    {-3012, 0},    {2996, 0}};
    drawRun(s, runOf(edges), canvas);
    ASSERT_GT(pixelsOtherThan(canvas, kWhite), 0);
    canvas.clear(kWhite);
    EXPECT_EQ(pixelsOtherThan(canvas, kWhite), 0);

    // Two drawings in turn: each one's clear removes what the one before drew.
    drawRun(s, runOf({{-2000, -2000}}), canvas);
    drawRun(s, runOf({{2000, 2000}}), canvas);
    canvas.clear(kWhite);
    EXPECT_EQ(pixelsOtherThan(canvas, kWhite), 0);

    // A new background colour reaches every pixel too.
    draw(plainSettings(), canvas);
    canvas.clear(packRgb(1, 2, 3));
    EXPECT_EQ(pixelsOtherThan(canvas, packRgb(1, 2, 3)), 0);
    // And back to white after a drawing on that colour.
    s.setBackColourMode(BackColourMode::Custom);
    s.backColor = packRgb(1, 2, 3);
    draw(s, canvas);
    canvas.clear(kWhite);
    EXPECT_EQ(pixelsOtherThan(canvas, kWhite), 0);
}
