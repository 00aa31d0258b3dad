#include "engine/drawscaled.h"

#include "engine/enginetest.h"
#include "engine/stretch.h"

using namespace orbelle;
using namespace orbelle::test;

namespace {

constexpr std::uint32_t kBlackPixel = 0xFF000000u;
constexpr std::uint32_t kWhitePixel = 0xFFFFFFFFu;

struct Picture {
    explicit Picture(int side)
        : side(side), pixels(static_cast<std::size_t>(side) * side, 0x12345678u) {}
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * side + x]; }
    int count(std::uint32_t pixel) const {
        int n = 0;
        for (const std::uint32_t p : pixels)
            n += p == pixel;
        return n;
    }
    int side;
    std::vector<std::uint32_t> pixels;
};

} // namespace

// One point at the canvas centre, pen 1: on the canvas its box starts at
// (3000, 3000) and covers 2 x 2 pixels round the corner (3001, 3001). The
// square from (2900, 2900) with side 200 shown at 400 pixels doubles
// everything: the corner lands on (200, 200), the centre on the pixel corner
// (202, 202), and the dot is the disc of 4 x 2^2 = 16 pixels' area, radius
// sqrt(16 / pi) = 2.257. Pixel (i, j) is covered when its centre lies within
// it: rows 200..203 span 200..203 (1.5^2 + 1.5^2 = 4.5 <= 5.09), and
// (2.5^2 + 0.5^2 = 6.5) leaves out rows 199 and 204 and columns 199 and 204.
TEST(DrawScaled, EnlargedDotCoversTheScaledArea) {
    Picture picture(400);
    const DrawSettings s = DrawSettings::startup();
    const DrawResult r =
        drawScaledRun(s, runOf({{0, 0}}), {2900, 2900, 200}, 400, picture.pixels.data(), 400);
    ASSERT_EQ(r.status, DrawStatus::Drawn);
    EXPECT_EQ(picture.count(kBlackPixel), 16);
    EXPECT_EQ(picture.count(kWhitePixel), 400 * 400 - 16);
    for (int j = 199; j <= 204; ++j) {
        const bool inked = j >= 200 && j <= 203;
        EXPECT_EQ(picture.at(199, j), kWhitePixel) << j;
        EXPECT_EQ(picture.at(200, j), inked ? kBlackPixel : kWhitePixel) << j;
        EXPECT_EQ(picture.at(203, j), inked ? kBlackPixel : kWhitePixel) << j;
        EXPECT_EQ(picture.at(204, j), kWhitePixel) << j;
    }
}

// The whole canvas shown at 600 pixels: scale 0.1. A pen-3 dot covers 32
// canvas pixels, so its disc has radius sqrt(32 / pi) * 0.1 = 0.319 round the
// box centre, 2 canvas pixels past the corner (0.2 picture pixels). The dot
// at canvas (3000, 3000) is centred on (300.2, 300.2), 0.42 from the nearest
// pixel centre: it covers nothing, as most canvas pixels fall between the
// stretched picture's samples. The one at (3003, 3003) lands on 300.3,
// rounded to the quarter 300.25, centre 300.45: it covers pixel (300, 300).
TEST(DrawScaled, DotSmallerThanAPixelCoversThePixelCentresItReaches) {
    Picture picture(600);
    DrawSettings s = DrawSettings::startup();
    s.penWidth = 3;
    drawScaledRun(s, runOf({{0, 0}}), {0, 0, 6000}, 600, picture.pixels.data(), 600);
    EXPECT_EQ(picture.count(kBlackPixel), 0);
    drawScaledRun(s, runOf({{3, 3}}), {0, 0, 6000}, 600, picture.pixels.data(), 600);
    EXPECT_EQ(picture.count(kBlackPixel), 1);
    EXPECT_EQ(picture.at(300, 300), kBlackPixel);
}

TEST(DrawScaled, PixelsBeyondTheCanvasReadWhite) {
    // Square (5950, 5950) side 100 at 200 pixels: canvas pixels 5950..5999 are
    // picture pixels 0..99; the rest lies beyond the canvas.
    Picture picture(200);
    DrawSettings s = DrawSettings::startup();
    s.backColorMode = 0; // black background, white dots
    s.drawColorMode = 1;
    drawScaledRun(s, std::nullopt, {5950, 5950, 100}, 200, picture.pixels.data(), 200);
    EXPECT_EQ(picture.at(0, 0), kBlackPixel);
    EXPECT_EQ(picture.at(99, 99), kBlackPixel);
    EXPECT_EQ(picture.at(100, 50), kWhitePixel);
    EXPECT_EQ(picture.at(50, 100), kWhitePixel);
    EXPECT_EQ(picture.count(kBlackPixel), 100 * 100);
    EXPECT_EQ(picture.count(kWhitePixel), 200 * 200 - 100 * 100);
}

TEST(DrawScaled, EqualPlainColoursLeaveThePictureAlone) {
    Picture picture(50);
    DrawSettings s = DrawSettings::startup();
    s.drawColorMode = 0;
    s.backColorMode = 0;
    const DrawResult r = drawScaled(s, {0, 0, 6000}, 50, picture.pixels.data(), 50);
    EXPECT_EQ(r.status, DrawStatus::SameColours);
    EXPECT_EQ(picture.count(0x12345678u), 50 * 50);
}

// The re-drawing runs the same formula as the canvas drawing: the same bounds
// and dots, and the picture shows the figure where the stretched canvas does.
TEST(DrawScaled, StartupFigureMatchesTheCanvasDrawing) {
    const DrawSettings s = DrawSettings::startup();
    Canvas& canvas = sharedCanvas();
    const DrawResult onCanvas = draw(s, canvas);
    EXPECT_EQ(measureFigure(s), onCanvas.bounds);

    const SourceSquare square = sourceSquare(onCanvas.bounds, s.zoom);
    const int kSide = square.side; // scale 1: the canvas drawing again
    const std::vector<std::uint32_t> stretched = stretchSquare(canvas, square, kSide);
    Picture picture(kSide);
    const DrawResult redrawn = drawScaled(s, square, kSide, picture.pixels.data(), kSide);
    EXPECT_EQ(redrawn.bounds, onCanvas.bounds);
    EXPECT_EQ(redrawn.dotCount, onCanvas.dotCount);

    // Share of drawn pixels in a 20 x 20 grid of whole blocks (a side that is
    // no multiple of 20 leaves a strip at the right and bottom unchecked): the
    // two agree block by block.
    const int kBlock = kSide / 20;
    double worst = 0;
    int inked = 0;
    for (int by = 0; by + kBlock <= kSide; by += kBlock) {
        for (int bx = 0; bx + kBlock <= kSide; bx += kBlock) {
            int a = 0;
            int b = 0;
            for (int y = by; y < by + kBlock; ++y) {
                for (int x = bx; x < bx + kBlock; ++x) {
                    a += stretched[static_cast<std::size_t>(y) * kSide + x] != kWhitePixel;
                    b += picture.at(x, y) != kWhitePixel;
                }
            }
            worst = std::max(worst, std::abs(a - b) / double(kBlock * kBlock));
            inked += a > 0;
        }
    }
    EXPECT_GT(inked, 20);
    EXPECT_LT(worst, 0.2);
}
