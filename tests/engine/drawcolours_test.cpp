// The colour modes: the colour each mode stands for and the plain modes whose
// colours coincide.

#include "engine/colourmode.h"
#include "engine/draw.h"
#include "engine/enginetest.h"

using namespace orbelle;
using namespace orbelle::test;

TEST(DrawColours, ModesGiveTheirColours) {
    EXPECT_EQ(drawingColour(DrawColourMode::Black, 123), kBlack);
    EXPECT_EQ(drawingColour(DrawColourMode::White, 123), kWhite);
    EXPECT_EQ(drawingColour(DrawColourMode::Custom, 123), 123);
    EXPECT_EQ(drawingColour(DrawColourMode::Gradient, 123), kBlack);
    EXPECT_EQ(drawingColour(DrawColourMode::Density, 123), kBlack);
    DrawSettings damaged;
    damaged.drawColorMode = 7;
    damaged.backColorMode = 9;
    EXPECT_EQ(drawingColour(damaged.drawColourMode(), 123), kBlack);
    EXPECT_EQ(backgroundColour(BackColourMode::Black, 5), kBlack);
    EXPECT_EQ(backgroundColour(BackColourMode::White, 5), kWhite);
    EXPECT_EQ(backgroundColour(BackColourMode::Custom, 5), 5);
    EXPECT_EQ(backgroundColour(damaged.backColourMode(), 5), kWhite);
}

TEST(DrawColours, OnlyTheGradientHasNoSingleColour) {
    EXPECT_EQ(plainDrawingColour(DrawColourMode::Black, 42), kBlack);
    EXPECT_EQ(plainDrawingColour(DrawColourMode::White, 42), kWhite);
    EXPECT_EQ(plainDrawingColour(DrawColourMode::Custom, 42), 42);
    EXPECT_EQ(plainDrawingColour(DrawColourMode::Gradient, 42), std::nullopt);
    EXPECT_EQ(plainDrawingColour(DrawColourMode::Density, 42), std::nullopt);
}

TEST(DrawColours, StoredModesMapOneToOne) {
    EXPECT_EQ(drawColourModeFromStored(0), DrawColourMode::Black);
    EXPECT_EQ(drawColourModeFromStored(1), DrawColourMode::White);
    EXPECT_EQ(drawColourModeFromStored(2), DrawColourMode::Custom);
    EXPECT_EQ(drawColourModeFromStored(3), DrawColourMode::Gradient);
    EXPECT_EQ(drawColourModeFromStored(4), DrawColourMode::Density);
    EXPECT_EQ(drawColourModeFromStored(5), std::nullopt);
    EXPECT_EQ(drawColourModeFromStored(-1), std::nullopt);
    EXPECT_EQ(backColourModeFromStored(0), BackColourMode::Black);
    EXPECT_EQ(backColourModeFromStored(1), BackColourMode::White);
    EXPECT_EQ(backColourModeFromStored(2), BackColourMode::Custom);
    EXPECT_EQ(backColourModeFromStored(3), std::nullopt);
    EXPECT_EQ(backColourModeFromStored(-1), std::nullopt);
    DrawSettings s;
    s.setDrawColourMode(DrawColourMode::Gradient);
    s.setBackColourMode(BackColourMode::Custom);
    EXPECT_EQ(s.drawColorMode, 3);
    EXPECT_EQ(s.backColorMode, 2);
}

TEST(DrawColours, EqualColoursInPlainModesDrawNothing) {
    Canvas& canvas = sharedCanvas();
    canvas.clear(packRgb(1, 2, 3));
    DrawSettings s = plainSettings();
    for (auto [drawMode, backMode] : {std::pair{DrawColourMode::White, BackColourMode::White},
                                      std::pair{DrawColourMode::Black, BackColourMode::Black}}) {
        s.setDrawColourMode(drawMode);
        s.setBackColourMode(backMode);
        const DrawResult r = draw(s, canvas);
        EXPECT_EQ(r.status, DrawStatus::SameColours);
        EXPECT_EQ(r.dotCount, 0);
        EXPECT_EQ(canvas.colourAt(3000, 3000), packRgb(1, 2, 3));
    }
    // Custom colours that happen to be equal count too.
    s.setDrawColourMode(DrawColourMode::Custom);
    s.setBackColourMode(BackColourMode::Custom);
    s.drawColor = s.backColor = packRgb(9, 9, 9);
    EXPECT_EQ(draw(s, canvas).status, DrawStatus::SameColours);
    // The gradient mode never does, even on black with its hidden black pen.
    s.setDrawColourMode(DrawColourMode::Gradient);
    s.setBackColourMode(BackColourMode::Black);
    EXPECT_EQ(draw(s, canvas).status, DrawStatus::Drawn);
}
