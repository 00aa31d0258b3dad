#include "engine/draw.h"

#include "engine/colour.h"
#include "engine/dotshape.h"
#include "engine/transform.h"
#include "enginetest.h"
#include "formulas/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

using namespace orbelle;
using test::runOf;

namespace {

// One canvas for the whole suite: it is 144 MB.
Canvas& sharedCanvas() {
    static auto canvas = std::make_unique<Canvas>();
    return *canvas;
}

DrawSettings plainSettings() {
    DrawSettings s = DrawSettings::startup();
    return s;
}

int countColour(const Canvas& c, std::int32_t colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            n += c.colourAt(x, y) == colour;
    return n;
}

} // namespace

TEST(DrawColours, ModesGiveTheirColours) {
    EXPECT_EQ(drawingColour(0, 123), kBlack);
    EXPECT_EQ(drawingColour(1, 123), kWhite);
    EXPECT_EQ(drawingColour(2, 123), 123);
    EXPECT_EQ(drawingColour(3, 123), kBlack);
    EXPECT_EQ(drawingColour(7, 123), kBlack);
    EXPECT_EQ(backgroundColour(0, 5), kBlack);
    EXPECT_EQ(backgroundColour(1, 5), kWhite);
    EXPECT_EQ(backgroundColour(2, 5), 5);
    EXPECT_EQ(backgroundColour(9, 5), kWhite);
}

TEST(DrawColours, EqualColoursInPlainModesDrawNothing) {
    Canvas& canvas = sharedCanvas();
    canvas.clear(packRgb(1, 2, 3));
    DrawSettings s = plainSettings();
    for (auto [drawMode, backMode] : {std::pair{1, 1}, std::pair{0, 0}}) {
        s.drawColorMode = drawMode;
        s.backColorMode = backMode;
        const DrawResult r = draw(s, canvas);
        EXPECT_EQ(r.status, DrawStatus::SameColours);
        EXPECT_EQ(r.dotCount, 0);
        EXPECT_EQ(canvas.colourAt(3000, 3000), packRgb(1, 2, 3));
    }
    // Custom colours that happen to be equal count too.
    s.drawColorMode = 2;
    s.backColorMode = 2;
    s.drawColor = s.backColor = packRgb(9, 9, 9);
    EXPECT_EQ(draw(s, canvas).status, DrawStatus::SameColours);
    // The gradient mode never does, even on white with its hidden black pen.
    s.drawColorMode = 3;
    s.backColorMode = 0;
    EXPECT_EQ(draw(s, canvas).status, DrawStatus::Drawn);
}

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

TEST(DrawFrame, InvalidFormulaClearsAndDrawsNothing) {
    Canvas& canvas = sharedCanvas();
    DrawSettings s = plainSettings();
    s.backColorMode = 2;
    s.backColor = packRgb(10, 20, 30);
    s.category = 12;
    const DrawResult r = draw(s, canvas);
    EXPECT_EQ(r.status, DrawStatus::Drawn);
    EXPECT_EQ(r.dotCount, 0);
    EXPECT_EQ(r.bounds, FigureBounds{});
    EXPECT_EQ(canvas.colourAt(3000, 3000), packRgb(10, 20, 30));
}

TEST(DrawTransform, AnglesAndDepth) {
    // Z alone turns the plane about the origin.
    Transform3D t = Transform3D::fromDegrees(0, 0, 90, 100);
    double x = 10, y = 0;
    t.apply(x, y, 0, 0);
    EXPECT_NEAR(x, 0, 1e-12);
    EXPECT_NEAR(y, 10, 1e-12);
    // X at 90 degrees with no Y: the figure collapses onto the horizontal
    // line through its origin (depth 0 for the middle dot).
    t = Transform3D::fromDegrees(90, 0, 0, 100);
    x = 7;
    y = 5;
    t.apply(x, y, 50, 100);
    EXPECT_NEAR(y, 0, 1e-12);
    EXPECT_EQ(x, 7);
    // zf = 0: rotated as a flat sheet, depth never enters.
    t = Transform3D::fromDegrees(30, 40, 0, 0);
    double xa = 3, ya = 4, xb = 3, yb = 4;
    t.apply(xa, ya, 0, 1000);
    t.apply(xb, yb, 1000, 1000);
    EXPECT_EQ(xa, xb);
    EXPECT_EQ(ya, yb);
}

TEST(DrawTransform, NoRotationLeavesPointsWhereTheFormulaPutsThem) {
    Canvas& canvas = sharedCanvas();
    DrawSettings s = plainSettings();
    s.scaleZ = 999;
    drawRun(s, runOf({{100.5, -200.25}}), canvas);
    EXPECT_EQ(canvas.colourAt(3100, 2799), kBlack);
    EXPECT_EQ(canvas.colourAt(3101, 2800), kBlack);
    EXPECT_EQ(canvas.colourAt(3099, 2799), kWhite);
}

TEST(DrawGradient, ImmediateFlagCases) {
    DrawSettings s = plainSettings();
    auto immediate = [&](int rx, int ry, int rz, int zScale) {
        s.rotX = rx;
        s.rotY = ry;
        s.rotZ = rz;
        s.scaleZ = zScale;
        return immediateDrawing(s, Transform3D::fromDegrees(rx, ry, rz, zScale));
    };
    s.drawColorMode = 0;
    EXPECT_TRUE(immediate(180, 0, 0, 100)); // plain modes always draw at once
    s.drawColorMode = 3;
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
    s.drawColorMode = 3;
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
    s.drawColorMode = 3;
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

TEST(DotShapes, PenWidthsGiveRoundDots) {
    const DotShape one(1);
    ASSERT_EQ(one.spans().size(), 2u);
    for (const auto& s : one.spans()) {
        EXPECT_EQ(s.x0, 0);
        EXPECT_EQ(s.x1, 1);
    }
    // Pen 20: the box of 21 plus half the pen outside: about 41 pixels across,
    // symmetric about the box centre.
    const DotShape wide(20);
    int minX = 100, maxX = -100;
    for (const auto& s : wide.spans()) {
        minX = std::min(minX, s.x0);
        maxX = std::max(maxX, s.x1);
        EXPECT_EQ(s.x0 + s.x1, 20) << s.dy; // centred on 10.5 - 0.5
    }
    EXPECT_EQ(maxX - minX + 1, 41);
}

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
