#include "engine/colour.h"

#include "engine/drawsettings.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace orbelle;

TEST(ColourConversion, PrimariesAndGrey) {
    EXPECT_EQ(rgbToHsv(255, 0, 0), (Hsv{0, 255, 255}));
    EXPECT_EQ(rgbToHsv(0, 255, 0), (Hsv{120, 255, 255}));
    EXPECT_EQ(rgbToHsv(0, 0, 255), (Hsv{240, 255, 255}));
    EXPECT_EQ(rgbToHsv(128, 128, 128), (Hsv{0, 0, 128}));
    EXPECT_EQ(rgbToHsv(0, 0, 0), (Hsv{0, 0, 0}));
    // Truncation, not rounding: the editor's example colour.
    EXPECT_EQ(rgbToHsv(10, 200, 30), (Hsv{126, 242, 200}));
    // Red is the maximum and blue above green: the hue wraps below 360.
    EXPECT_EQ(rgbToHsv(255, 0, 10).h, 357);
}

TEST(ColourConversion, HsvToRgb) {
    for (int v : {0, 1, 128, 255}) {
        EXPECT_EQ(hsvToRgb(0, 0, v), packRgb(v, v, v)) << v;
        EXPECT_EQ(hsvToRgb(200, 0, v), packRgb(v, v, v)) << v;
    }
    EXPECT_EQ(hsvToRgb(0, 255, 255), packRgb(255, 0, 0));
    EXPECT_EQ(hsvToRgb(360, 255, 255), packRgb(255, 0, 0)); // 360 turns like 0
    EXPECT_EQ(hsvToRgb(120, 255, 255), packRgb(0, 255, 0));
    EXPECT_EQ(hsvToRgb(240, 255, 255), packRgb(0, 0, 255));
    EXPECT_EQ(hsvToRgb(126, 242, 200), packRgb(10, 200, 29));
}

TEST(ColourConversion, HsvToRgbInEverySector) {
    // V = 200, S = 153 (s = 0.6), and hues 15 + 60 k, so f = 0.25 in each
    // sector k: p = (1 - 0.6) 200 = 80, q = (1 - 0.6 x 0.25) 200 = 170,
    // t = (1 - 0.75 x 0.6) 200 = 110. The sectors give (V, t, p), (q, V, p),
    // (p, V, t), (p, q, V), (t, p, V), (V, p, q).
    EXPECT_EQ(hsvToRgb(15, 153, 200), packRgb(200, 110, 80));
    EXPECT_EQ(hsvToRgb(75, 153, 200), packRgb(170, 200, 80));
    EXPECT_EQ(hsvToRgb(135, 153, 200), packRgb(80, 200, 110));
    EXPECT_EQ(hsvToRgb(195, 153, 200), packRgb(80, 170, 200));
    EXPECT_EQ(hsvToRgb(255, 153, 200), packRgb(110, 80, 200));
    EXPECT_EQ(hsvToRgb(315, 153, 200), packRgb(200, 80, 170));
    // Full saturation: p = 0, q = 150, t = 50.
    EXPECT_EQ(hsvToRgb(15, 255, 200), packRgb(200, 50, 0));
    EXPECT_EQ(hsvToRgb(75, 255, 200), packRgb(150, 200, 0));
    EXPECT_EQ(hsvToRgb(135, 255, 200), packRgb(0, 200, 50));
    EXPECT_EQ(hsvToRgb(195, 255, 200), packRgb(0, 150, 200));
    EXPECT_EQ(hsvToRgb(255, 255, 200), packRgb(50, 0, 200));
    EXPECT_EQ(hsvToRgb(315, 255, 200), packRgb(200, 0, 150));
    // A half rounds away from zero: f = 0.5, V = 201 gives q = t = 100.5 -> 101.
    EXPECT_EQ(hsvToRgb(30, 255, 201), packRgb(201, 101, 0));
    EXPECT_EQ(hsvToRgb(90, 255, 201), packRgb(101, 201, 0));
}

TEST(ColourBlend, ShorterWayRoundTheHueCircle) {
    // From hue 350 to hue 10 the hue climbs through 360 and on from 0.
    const std::int32_t a = hsvToRgb(350, 255, 255);
    const std::int32_t b = hsvToRgb(10, 255, 255);
    ASSERT_EQ(rgbToHsv(a).h, 350);
    ASSERT_EQ(rgbToHsv(b).h, 10);
    std::int32_t out[20];
    blendHsv(a, b, 20, out);
    EXPECT_EQ(out[0], a);
    for (int j = 0; j < 20; ++j) {
        const int h = rgbToHsv(out[j]).h;
        EXPECT_TRUE(h >= 349 || h <= 10) << "entry " << j << " hue " << h;
    }
    // Exactly opposite hues: the hue increases.
    blendHsv(hsvToRgb(0, 255, 255), hsvToRgb(180, 255, 255), 4, out);
    EXPECT_EQ(out[1], hsvToRgb(45, 255, 255));
}

TEST(ColourBlend, LastEntryStopsShortOfTheTarget) {
    std::int32_t out[120];
    blendHsv(packRgb(255, 0, 0), packRgb(255, 255, 0), 120, out);
    EXPECT_EQ(out[0], packRgb(255, 0, 0));
    EXPECT_EQ(out[119], hsvToRgb(59, 255, 255));
}

TEST(ColourRamps, AllStopsTicked) {
    GradientInputs in;
    in.colours = kDefaultGradientColors;
    const ColourRamp smooth = buildSmoothRamp(in);
    const ColourRamp stepped = buildSteppedRamp(in);
    // Stored backwards: entry 719 is colour 0.
    EXPECT_EQ(smooth[719], kDefaultGradientColors[0]);
    EXPECT_EQ(smooth[719 - 120], kDefaultGradientColors[1]);
    // Stepped: 60 of C0, 120 each of C1..C5, 60 of C6, reversed.
    for (int m = 660; m < 720; ++m)
        EXPECT_EQ(stepped[m], kDefaultGradientColors[0]) << m;
    for (int m = 540; m < 660; ++m)
        EXPECT_EQ(stepped[m], kDefaultGradientColors[1]) << m;
    for (int m = 0; m < 60; ++m)
        EXPECT_EQ(stepped[m], kDefaultGradientColors[6]) << m;
}

TEST(ColourRamps, NoStopsTickedLeavesTwoAnchors) {
    GradientInputs in;
    in.colours = {packRgb(0, 0, 255), 1, 2, 3, 4, 5, packRgb(255, 0, 0)};
    in.stopOn = {false, false, false, false, false};
    const ColourRamp stepped = buildSteppedRamp(in);
    for (int m = 0; m < 360; ++m)
        ASSERT_EQ(stepped[m], packRgb(255, 0, 0)) << m;
    for (int m = 360; m < 720; ++m)
        ASSERT_EQ(stepped[m], packRgb(0, 0, 255)) << m;
    const ColourRamp smooth = buildSmoothRamp(in);
    std::int32_t blend[720];
    blendHsv(in.colours[0], in.colours[6], 720, blend);
    for (int m = 0; m < 720; ++m)
        ASSERT_EQ(smooth[m], blend[719 - m]) << m;
}

TEST(ColourRamps, RampIndexWalksAndRepeats) {
    EXPECT_EQ(rampIndex(0, 100000, 1), 0);
    EXPECT_EQ(rampIndex(50000, 100000, 1), 360);
    EXPECT_EQ(rampIndex(100000, 100000, 1), 0);
    EXPECT_EQ(rampIndex(99999, 100000, 1), 719);
    // Three repeats: per = 33333.
    EXPECT_EQ(rampIndex(33333, 100000, 3), 0);
    EXPECT_EQ(rampIndex(33332, 100000, 3), 719);
    // Degenerate inputs from damaged records never divide by zero.
    EXPECT_EQ(rampIndex(5, 10, 30), 0);
    EXPECT_EQ(rampIndex(5, 100000, 0), 0);
    EXPECT_EQ(rampIndex(5, -500, 1), 0);
}

TEST(ColourRamps, WalkerMatchesTheIndexFormula) {
    for (auto [first, N, repeat] :
         {std::tuple{0, 100000, 1}, std::tuple{1, 100000, 3}, std::tuple{0, 500, 30},
          std::tuple{1, 499500, 7}, std::tuple{0, 700, 1}, std::tuple{0, 10, 30}}) {
        RampWalker walker(first, N, repeat);
        for (std::int64_t i = first; i <= N; ++i) {
            ASSERT_EQ(walker.next(), rampIndex(i, N, repeat)) << i << " of " << N << " x" << repeat;
        }
    }
}
