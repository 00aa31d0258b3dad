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
// (3000, 3000) and its centre is the pixel corner (3001, 3001). The square
// from (2900, 2900) with side 200 shown at 400 pixels doubles everything: the
// centre lands on the corner (202, 202) and the radius 1.5 becomes 3. Pixel
// (i, j) is covered when (i + 0.5 - 202)^2 + (j + 0.5 - 202)^2 <= 9: rows 201
// and 202 span 199..204, rows 200 and 203 span 199..204 (2.5^2 + 1.5^2 = 8.5),
// rows 199 and 204 span 200..203 (1.5^2 + 2.5^2 = 8.5; 2.5^2 + 2.5^2 = 12.5).
TEST(DrawScaled, EnlargedDotCoversTheScaledCircle) {
    Picture picture(400);
    const DrawSettings s = DrawSettings::startup();
    const DrawResult r =
        drawScaledRun(s, runOf({{0, 0}}), {2900, 2900, 200}, 400, picture.pixels.data(), 400);
    ASSERT_EQ(r.status, DrawStatus::Drawn);
    EXPECT_EQ(picture.count(kBlackPixel), 2 * (6 + 6 + 4));
    EXPECT_EQ(picture.count(kWhitePixel), 400 * 400 - 32);
    for (int j = 199; j <= 204; ++j) {
        const int first = (j == 199 || j == 204) ? 200 : 199;
        const int last = (j == 199 || j == 204) ? 203 : 204;
        EXPECT_EQ(picture.at(first - 1, j), kWhitePixel) << j;
        EXPECT_EQ(picture.at(first, j), kBlackPixel) << j;
        EXPECT_EQ(picture.at(last, j), kBlackPixel) << j;
        EXPECT_EQ(picture.at(last + 1, j), kWhitePixel) << j;
    }
}

// The whole canvas shown at 60 pixels: scale 0.01, the dot far smaller than a
// pixel still marks the pixel at its centre, (3001 * 0.01) = 30.01 -> 30.
TEST(DrawScaled, DotSmallerThanAPixelMarksOnePixel) {
    Picture picture(60);
    const DrawSettings s = DrawSettings::startup();
    drawScaledRun(s, runOf({{0, 0}}), {0, 0, 6000}, 60, picture.pixels.data(), 60);
    EXPECT_EQ(picture.count(kBlackPixel), 1);
    EXPECT_EQ(picture.at(30, 30), kBlackPixel);
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
