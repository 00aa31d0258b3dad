// The gradient mode: when dots are deferred, and which ramp entry each dot
// takes.

#include "engine/colour.h"
#include "engine/draw.h"
#include "engine/enginetest.h"
#include "engine/transform.h"

#include <array>
#include <limits>

using namespace orbelle;
using namespace orbelle::test;

TEST(DrawGradient, ImmediateFlagCases) {
    DrawSettings s = plainSettings();
    auto immediate = [&](int rx, int ry, int rz, int zScale) {
        s.rotX = rx;
        s.rotY = ry;
        s.rotZ = rz;
        s.scaleZ = zScale;
        return immediateDrawing(s, Transform3D::fromDegrees(rx, ry, rz, zScale));
    };
    s.setDrawColourMode(DrawColourMode::Black);
    EXPECT_TRUE(immediate(180, 0, 0, 100)); // plain modes always draw at once
    s.setDrawColourMode(DrawColourMode::Gradient);
    EXPECT_FALSE(immediate(180, 0, 0, 100));
    EXPECT_TRUE(immediate(180, 0, 0, -100)); // depth factor turns it back
    EXPECT_TRUE(immediate(0, 0, 0, -100));   // no X or Y rotation
    EXPECT_TRUE(immediate(0, 0, 180, -100)); // Z alone does not count
    EXPECT_FALSE(immediate(0, 180, 0, 100));
    EXPECT_TRUE(immediate(90, 0, 0, 100)); // cos 90 is not negative enough: 6e-17 > 0
}

TEST(DrawGradient, DeferredDrawingPutsTheFirstDotOnTop) {
    Canvas& canvas = sharedCanvas();
    DrawSettings s = plainSettings();
    s.setDrawColourMode(DrawColourMode::Gradient);
    s.gradientSmooth = 0;
    s.gradientStopOn = {0, 0, 0, 0, 0};
    s.gradientColors = {packRgb(0, 0, 255), 0, 0, 0, 0, 0, packRgb(255, 0, 0)};
    // Dots 0 and 8 of ten share a place; the others fall off the canvas. Dot 0
    // has ramp entry 0 (the colour 6 end), dot 8 entry 640 (colour 0).
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<Point> same(10, Point{nan, nan});
    same[0] = same[8] = Point{0, 0};
    drawRun(s, runOf(same), canvas);
    EXPECT_EQ(canvas.colourAt(3000, 3000), packRgb(0, 0, 255)); // later dot on top
    s.rotX = 180;
    s.scaleZ = 1; // a tiny positive depth: cos 180 * zf < 0 turns the order round
    drawRun(s, runOf(same), canvas);
    EXPECT_EQ(canvas.colourAt(3000, 3000), packRgb(255, 0, 0)); // first dot on top
}

TEST(DrawGradient, DotColoursFollowTheRamp) {
    Canvas& canvas = sharedCanvas();
    DrawSettings s = plainSettings();
    s.setDrawColourMode(DrawColourMode::Gradient);
    s.gradientSmooth = 0;
    s.gradientRepeat = 2;
    std::vector<Point> points;
    for (int k = 0; k < 600; ++k)
        points.push_back(
            {static_cast<double>(4 * (k % 300) - 600), static_cast<double>(4 * (k / 300))});
    drawRun(s, runOf(points), canvas);
    GradientInputs in;
    in.colours = s.gradientColors;
    const ColourRamp ramp = buildSteppedRamp(in);
    for (int k : {0, 1, 150, 299, 300, 599}) {
        const int x = 3000 + 4 * (k % 300) - 600, y = 3000 + 4 * (k / 300);
        EXPECT_EQ(canvas.colourAt(x, y), ramp[rampIndex(k, 599, 2)]) << k;
    }
}

TEST(DrawGradient, AnOrbitFromOneStartsPartWayAlongTheRamp) {
    // Dots i = 1 ... 10 (N = 10), repeat 1: per = 10 and dot i takes ramp
    // entry ((i mod 10) x 720) / 10, that is 72 i for i < 10 and 0 for i = 10.
    // The stepped ramp with every stop ticked holds, from entry 0: 60 of C6,
    // then 120 each of C5, C4, C3, C2, C1, then 60 of C0. So the dots take
    // C5 C5 C4 C4 C3 C2 C2 C1 C1 C6 (entries 72, 144, ..., 648, 0).
    Canvas& canvas = sharedCanvas();
    DrawSettings s = plainSettings();
    s.setDrawColourMode(DrawColourMode::Gradient);
    s.gradientSmooth = 0;
    s.gradientRepeat = 1;
    s.gradientStopOn = {1, 1, 1, 1, 1};
    std::array<std::int32_t, 7> c{};
    for (int k = 0; k < 7; ++k)
        c[k] = packRgb(10 * (k + 1), 255 - 10 * k, 3 * k);
    s.gradientColors = c;
    std::vector<Point> points;
    for (int i = 1; i <= 10; ++i)
        points.push_back({10.0 * i, 0});
    drawRun(s, runOf(points, 1), canvas);
    const std::int32_t expected[10] = {c[5], c[5], c[4], c[4], c[3], c[2], c[2], c[1], c[1], c[6]};
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(canvas.colourAt(3000 + 10 * i, 3000), expected[i - 1]) << "dot " << i;
    }
    EXPECT_EQ(rampIndex(1, 10, 1), 72);
    RampWalker walker(1, 10, 1);
    EXPECT_EQ(walker.next(), 72);
    EXPECT_EQ(walker.next(), 144);
}
