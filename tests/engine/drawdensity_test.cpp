// The density mode: pixels coloured by how many dots covered them, on the
// logarithmic scale through the gradient ramp; uncovered pixels keep the
// background; the counts live in the canvas's own words.

#include "engine/allocationwatch.h"
#include "engine/colour.h"
#include "engine/densityshading.h"
#include "engine/draw.h"
#include "engine/drawscaled.h"
#include "engine/enginetest.h"

using namespace orbelle;
using namespace orbelle::test;

namespace {

DrawSettings densitySettings() {
    DrawSettings s = plainSettings();
    s.setDrawColourMode(DrawColourMode::Density);
    return s;
}

// The default smooth ramp the density settings use.
ColourRamp defaultRamp() {
    GradientInputs in;
    in.colours = kDefaultGradientColors;
    return buildSmoothRamp(in);
}

} // namespace

// Entries worked out from t = log2(c) / log2(top), p = floor(t * 720 * n)
// (at most 720 n - 1) mod 720, entry 719 - p.
TEST(DensityScale, EntriesOfTheLogScale) {
    // top 4, once through the ramp: t = 0, 1/2, 1 -> p = 0, 360, 719.
    EXPECT_EQ(densityRampEntry(1, 4, 1), 719);
    EXPECT_EQ(densityRampEntry(2, 4, 1), 359);
    EXPECT_EQ(densityRampEntry(4, 4, 1), 0);
    // log2 3 / 2 = 0.792481 -> p = 570.
    EXPECT_EQ(densityRampEntry(3, 4, 1), 149);
    // Twice through: p = 0, 720 mod 720 = 0, 1439 mod 720 = 719, 1141 mod 720 = 421.
    EXPECT_EQ(densityRampEntry(1, 4, 2), 719);
    EXPECT_EQ(densityRampEntry(2, 4, 2), 719);
    EXPECT_EQ(densityRampEntry(4, 4, 2), 0);
    EXPECT_EQ(densityRampEntry(3, 4, 2), 298);
    // top 1024, count 32: t = 5/10 -> p = 360; with 3 repeats p = 1080 mod 720 = 360.
    EXPECT_EQ(densityRampEntry(32, 1024, 1), 359);
    EXPECT_EQ(densityRampEntry(32, 1024, 3), 359);
    // Degenerate inputs: every pixel covered once, counts outside 1..top, repeat 0.
    EXPECT_EQ(densityRampEntry(1, 1, 1), 719);
    EXPECT_EQ(densityRampEntry(0, 4, 1), 719);
    EXPECT_EQ(densityRampEntry(9, 4, 1), 0);
    EXPECT_EQ(densityRampEntry(2, 4, 0), 359);
}

TEST(DensityScale, CountsResolveFromRowDifferencesAndSaturate) {
    constexpr std::uint32_t back = 0xFFFFFFFFu; // white: the first cover wraps to 0
    // Row 0: spans 0..1 and 1..1 -> counts 1, 2, then nothing.
    // Row 1: 2^21 covers of 0..1 -> saturated, then nothing.
    std::vector<std::uint32_t> words = {
        back + 1,          back + 1, back - 2,          back, //
        back + (1u << 21), back,     back - (1u << 21), back, //
    };
    const std::uint32_t top = resolveDensityCounts(words.data(), 4, {0, 0, 3, 1}, back);
    EXPECT_EQ(top, 1048575u);
    const std::vector<std::uint32_t> counts = {1, 2, back, back, 1048575, 1048575, back, back};
    EXPECT_EQ(words, counts);

    std::array<std::uint32_t, 720> ramp{};
    for (int k = 0; k < 720; ++k)
        ramp[k] = 0xFF000000u + static_cast<std::uint32_t>(k);
    paintDensityCounts(words.data(), 4, {0, 0, 3, 1}, back, top, ramp, 1);
    // Count 2 of 1048575: log2 2 / log2 1048575 = 0.05 (a hair above) -> p = 36.
    EXPECT_EQ(words[0], 0xFF000000u + 719);
    EXPECT_EQ(words[1], 0xFF000000u + 683);
    EXPECT_EQ(words[4], 0xFF000000u);
    EXPECT_EQ(words[2], back);
}

// Pen 1 covers the 2 x 2 pixels from the dot's box corner. Dots at canvas
// (3000, 3000) four times, (3010, 3000) twice and (3020, 3000) once: top 4.
TEST(DrawDensity, PixelsTakeTheRampColourOfTheirCount) {
    Canvas& canvas = sharedCanvas();
    const DrawSettings s = densitySettings();
    std::vector<Point> points = {{0, 0}, {10, 0}, {0, 0}, {20, 0}, {0, 0}, {10, 0}, {0, 0}};
    const DrawResult r = drawRun(s, runOf(points), canvas);
    EXPECT_EQ(r.status, DrawStatus::Drawn);
    EXPECT_EQ(r.dotCount, 7);
    const ColourRamp ramp = defaultRamp();
    ASSERT_NE(ramp[0], ramp[359]);
    ASSERT_NE(ramp[359], ramp[719]);
    EXPECT_EQ(countColour(canvas, ramp[0], 3000, 3000, 3001, 3001), 4);   // 4 dots
    EXPECT_EQ(countColour(canvas, ramp[359], 3010, 3000, 3011, 3001), 4); // 2 dots
    EXPECT_EQ(countColour(canvas, ramp[719], 3020, 3000, 3021, 3001), 4); // 1 dot
    EXPECT_EQ(pixelsOtherThan(canvas, kWhite), 12); // the rest is the background

    // A black background stays black, and the scale does not depend on it.
    DrawSettings dark = s;
    dark.setBackColourMode(BackColourMode::Black);
    drawRun(dark, runOf(points), canvas);
    EXPECT_EQ(canvas.colourAt(3010, 3001), ramp[359]);
    EXPECT_EQ(pixelsOtherThan(canvas, kBlack), 12);
}

// Pen 2 covers the 5 x 5 pixels from one left of and above the box corner,
// less the four corners. Dots at canvas x 3000, 3002 and 3004 (y 3000)
// overlap: in row 3001, pixel 2999 is covered by the first only, 3002 by the
// first two, 3003 by all three, 3007 by the last only; in row 2999 (three
// pixels wide) 3002 by the first two, 3003 by the second only. top 3: count 2
// takes log2 2 / log2 3 = 0.6309 -> p = 454, entry 265.
TEST(DrawDensity, ThickPensCountEveryDotOfAnOverlap) {
    Canvas& canvas = sharedCanvas();
    DrawSettings s = densitySettings();
    s.penWidth = 2;
    drawRun(s, runOf({{0, 0}, {2, 0}, {4, 0}}), canvas);
    const ColourRamp ramp = defaultRamp();
    EXPECT_EQ(canvas.colourAt(2999, 3001), ramp[719]);
    EXPECT_EQ(canvas.colourAt(3002, 3001), ramp[265]);
    EXPECT_EQ(canvas.colourAt(3003, 3001), ramp[0]);
    EXPECT_EQ(canvas.colourAt(3007, 3001), ramp[719]);
    EXPECT_EQ(canvas.colourAt(3008, 3001), kWhite);
    EXPECT_EQ(canvas.colourAt(3002, 2999), ramp[265]);
    EXPECT_EQ(canvas.colourAt(3003, 2999), ramp[719]);
    EXPECT_EQ(canvas.colourAt(2999, 2999), kWhite); // a cut corner
    // Rows 2999 and 3003 are covered from x 3000 to 3006 (7 pixels), rows
    // 3000 to 3002 from 2999 to 3007 (9 pixels).
    EXPECT_EQ(pixelsOtherThan(canvas, kWhite), 2 * 7 + 3 * 9);
}

// Dots hanging over the canvas edges count the part that lies on it; the
// word after a span that ends at the last column does not exist.
TEST(DrawDensity, DotsAcrossTheEdgesCountTheirVisiblePart) {
    Canvas& canvas = sharedCanvas();
    DrawSettings s = densitySettings();
    s.penWidth = 2;
    // Box corners at x 5999 (twice) and -1, y 3000: right dot covers 5998..5999.
    drawRun(s, runOf({{2999, 0}, {2999, 0}, {-3001, 0}}), canvas);
    const ColourRamp ramp = defaultRamp();
    EXPECT_EQ(canvas.colourAt(5999, 3001), ramp[0]);
    EXPECT_EQ(canvas.colourAt(5998, 3001), ramp[0]);
    EXPECT_EQ(canvas.colourAt(0, 3001), ramp[719]);
    EXPECT_EQ(canvas.colourAt(2, 3001), ramp[719]);
    EXPECT_EQ(canvas.colourAt(3, 3001), kWhite);
    // Right dot: rows 2999/3003 x 5999 (1 each), rows 3000-3002 x 5998-5999;
    // left dot: rows 2999/3003 x 0..1, rows 3000-3002 x 0..2.
    EXPECT_EQ(pixelsOtherThan(canvas, kWhite), 2 * 1 + 3 * 2 + 2 * 2 + 3 * 3);
}

// The next drawing's clear reaches every word the counting touched.
TEST(DrawDensity, TheNextClearRemovesEveryCount) {
    Canvas& canvas = sharedCanvas();
    drawRun(densitySettings(), runOf({{0, 0}, {5, 7}, {5, 7}}), canvas);
    ASSERT_GT(pixelsOtherThan(canvas, kWhite), 0);
    drawRun(densitySettings(), std::nullopt, canvas);
    EXPECT_EQ(pixelsOtherThan(canvas, kWhite), 0);
    // A stopped drawing leaves colours, not counts.
    drawRun(densitySettings(), runOf({{0, 0}, {0, 0}}), canvas,
            [](std::int64_t done, std::int64_t) { return done == 0; });
    EXPECT_EQ(canvas.colourAt(3000, 3000), defaultRamp()[0]);
}

// A density drawing of half a million dots allocates nothing near a canvas.
TEST(DrawDensity, NoSecondCanvasIsAllocated) {
    Canvas& canvas = sharedCanvas();
    DrawSettings s = densitySettings();
    s.params[0] = 999;
    test::startWatching();
    { // the watch sees the allocations made meanwhile
        const std::vector<char> probe(std::size_t{1} << 20);
    }
    ASSERT_GE(test::stopWatching(), std::size_t{1} << 20);
    test::startWatching();
    const DrawResult r = draw(s, canvas);
    const std::size_t largest = test::stopWatching();
    EXPECT_EQ(r.dotCount, 499501);
    EXPECT_LT(largest, std::size_t{16} << 20); // a canvas would take 144 MB
    EXPECT_GT(pixelsOtherThan(canvas, kWhite), 1000);
}

// The re-drawing at another size shades its own picture the same way. The
// square from (2900, 2900), side 200, shown at 400 pixels: the dot at canvas
// (3000, 3000) has its centre on picture (202, 202), the one at (3050, 3000)
// on (302, 202); each covers the 4 x 4 pixels round its centre (the canvas's
// 2 x 2 scaled by 2).
TEST(DrawDensity, ReDrawnPicturesShadeTheirOwnCounts) {
    const DrawSettings s = densitySettings();
    std::vector<std::uint32_t> picture(400 * 400, 0x12345678u);
    drawScaledRun(s, runOf({{0, 0}, {50, 0}, {0, 0}}), SourceSquare{2900, 2900, 200}, 400,
                  picture.data(), 400);
    const ColourRamp ramp = defaultRamp();
    const auto at = [&](int x, int y) { return Canvas::fromPixel(picture[y * 400 + x]); };
    EXPECT_EQ(at(202, 202), ramp[0]); // two dots: the top count
    EXPECT_EQ(at(200, 201), ramp[0]); // the edge of that dot
    EXPECT_EQ(at(199, 201), kWhite);
    EXPECT_EQ(at(302, 202), ramp[719]); // one dot
    EXPECT_EQ(at(100, 100), kWhite);
    EXPECT_EQ(at(204, 202), kWhite); // just past the first dot's span 200..203
}
