// The 3D transform: each rotation alone, all three together against a
// composition written out here, and the drawing without any rotation.

#include "engine/draw.h"
#include "engine/enginetest.h"
#include "engine/transform.h"

#include <cmath>

using namespace orbelle;
using namespace orbelle::test;

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

TEST(DrawTransform, RightAnglesAboutAllThreeAxes) {
    // zf = 1000 / 10000 = 0.1; dot 60 of N = 101 has depth (60 - 101 / 2) x 0.1
    // = (60 - 50) x 0.1 = 1. The point (x, y, z) = (1, 2, 1):
    //   Z by 90 degrees: (x, y) -> (x cos - y sin, x sin + y cos) = (-2, 1);
    //   X by 90 degrees: (y, z) -> (y cos - z sin, y sin + z cos) = (-1, 1);
    //   Y by 90 degrees: x -> x cos + z sin = 1; depth dropped.
    const Transform3D t = Transform3D::fromDegrees(90, 90, 90, 1000);
    double x = 1, y = 2;
    t.apply(x, y, 60, 101);
    EXPECT_NEAR(x, 1, 1e-12);
    EXPECT_NEAR(y, -1, 1e-12);
}

TEST(DrawTransform, AllThreeRotationsTurnZThenXThenY) {
    const double pi = 3.141592653589793;
    const int degX = 30, degY = 50, degZ = 70, scaleZ = 2500; // zf = 0.25
    const double ax = degX * pi / 180, ay = degY * pi / 180, az = degZ * pi / 180;
    const Transform3D t = Transform3D::fromDegrees(degX, degY, degZ, scaleZ);
    const std::int32_t N = 1001; // N / 2 = 500
    for (const std::int64_t i : {0, 1, 500, 777, 1001}) {
        SCOPED_TRACE(i);
        const double x0 = 12.5, y0 = -7.25;
        const double z0 = static_cast<double>(i - 500) * 0.25;
        // Z: a turn in the drawing plane.
        const double x1 = std::cos(az) * x0 - std::sin(az) * y0;
        const double y1 = std::sin(az) * x0 + std::cos(az) * y0;
        // X: the vertical axis tilts against the depth.
        const double y2 = std::cos(ax) * y1 - std::sin(ax) * z0;
        const double z2 = std::sin(ax) * y1 + std::cos(ax) * z0;
        // Y: a turn about the vertical axis; the depth is then dropped.
        const double x3 = std::cos(ay) * x1 + std::sin(ay) * z2;
        double x = x0, y = y0;
        t.apply(x, y, i, N);
        EXPECT_NEAR(x, x3, 1e-9);
        EXPECT_NEAR(y, y2, 1e-9);
    }
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
