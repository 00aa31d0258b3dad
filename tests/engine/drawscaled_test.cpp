#include "engine/drawscaled.h"

#include "engine/enginetest.h"
#include "engine/stretch.h"

#include <algorithm>

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
// rounded to the sixteenth 300.3125, centre 300.5125: it covers pixel
// (300, 300).
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

namespace {

// The records of the identity and coverage tables: the start-up figure, a
// tilted one, and one with every member moved (turned round, so the gradient
// paints its first dots on top; shifted to the canvas's right edge, so part
// of the square lies beyond the canvas), each with fewer dots.
struct ScaledCase {
    const char* name;
    DrawSettings settings;
};

std::vector<ScaledCase> scaledCases() {
    DrawSettings startup = DrawSettings::startup();
    startup.params[0] = 40;
    DrawSettings tilted = sirius();
    tilted.params[0] = 60;
    tilted.rotX = 30;
    DrawSettings moved = everyMemberMoved();
    moved.params[0] = 40;
    return {{"startup", startup}, {"tilted", tilted}, {"moved", moved}};
}

constexpr DrawColourMode kModes[] = {DrawColourMode::Black, DrawColourMode::White,
                                     DrawColourMode::Custom, DrawColourMode::Gradient,
                                     DrawColourMode::Density};
constexpr int kPens[] = {1, 2, 10, 100};

DrawSettings withModeAndPen(DrawSettings s, DrawColourMode mode, int pen) {
    s.setDrawColourMode(mode);
    s.setBackColourMode(mode == DrawColourMode::White ? BackColourMode::Black
                                                      : BackColourMode::Custom);
    s.drawColor = packRgb(200, 30, 60);
    s.backColor = packRgb(10, 40, 90);
    s.penWidth = pen;
    return s;
}

// The stretched canvas square at side, as the scaled export makes it.
std::vector<std::uint32_t> scaledExport(const DrawSettings& s, int side, SourceSquare* square) {
    Canvas& canvas = sharedCanvas();
    const DrawResult drawn = draw(s, canvas);
    *square = sourceSquare(drawn.bounds, s.zoom);
    return stretchSquare(canvas, *square, side < 0 ? square->side : side);
}

} // namespace

// At the square's own side the re-drawing is the scaled export pixel for
// pixel, in every colour mode and pen width.
TEST(DrawScaled, AtTheSquaresOwnSideEqualsTheScaledExport) {
    for (const ScaledCase& c : scaledCases()) {
        for (const DrawColourMode mode : kModes) {
            for (const int pen : kPens) {
                const DrawSettings s = withModeAndPen(c.settings, mode, pen);
                SourceSquare square;
                const std::vector<std::uint32_t> expected = scaledExport(s, -1, &square);
                Picture picture(square.side);
                drawScaled(s, square, square.side, picture.pixels.data(), square.side);
                std::size_t differing = 0;
                for (std::size_t k = 0; k < expected.size(); ++k) {
                    differing += expected[k] != picture.pixels[k];
                }
                EXPECT_EQ(differing, 0u) << c.name << " mode " << static_cast<int>(mode) << " pen "
                                         << pen << " side " << square.side;
            }
        }
    }
}

// At other sides the re-drawing covers the share of pixels the scaled export
// covers, within a tenth of it.
TEST(DrawScaled, AtOtherSidesCoversTheScaledExportsShare) {
    const ScaledCase c = scaledCases().front();
    for (const int pen : kPens) {
        for (const double factor : {0.3, 0.5, 0.77, 1.47, 3.0}) {
            const DrawSettings s = withModeAndPen(c.settings, DrawColourMode::Black, pen);
            SourceSquare square;
            scaledExport(s, -1, &square);
            const int side = static_cast<int>(square.side * factor);
            const std::vector<std::uint32_t> expected = scaledExport(s, side, &square);
            Picture picture(side);
            drawScaled(s, square, side, picture.pixels.data(), side);
            const std::uint32_t back = Canvas::toPixel(s.backColor);
            const auto inked = static_cast<double>(std::count_if(
                expected.begin(), expected.end(), [back](std::uint32_t p) { return p != back; }));
            const double redrawn = side * static_cast<double>(side) - picture.count(back);
            EXPECT_NEAR(redrawn / inked, 1.0, 0.1) << "pen " << pen << " factor " << factor;
        }
    }
}

// A stop asked for while the dots are painted leaves the drawing Cancelled;
// the progress runs from 0 to twice the dots (computed, then painted).
TEST(DrawScaled, ProgressReportsTheShareAndStops) {
    DrawSettings s = withModeAndPen(scaledCases().front().settings, DrawColourMode::Gradient, 100);
    const std::int64_t dots = 40 * 500 + 1;
    SourceSquare square{2000, 2000, 2000};
    Picture picture(3000);
    std::int64_t last = -1;
    bool rising = true;
    const DrawResult whole = drawScaled(s, square, 3000, picture.pixels.data(), 3000,
                                        [&](std::int64_t done, std::int64_t total) {
                                            rising = rising && done >= last && total == 2 * dots;
                                            last = done;
                                            return true;
                                        });
    EXPECT_EQ(whole.status, DrawStatus::Drawn);
    EXPECT_TRUE(rising);
    EXPECT_EQ(last, 2 * dots);
    const DrawResult stopped =
        drawScaled(s, square, 3000, picture.pixels.data(), 3000,
                   [&](std::int64_t done, std::int64_t) { return done <= dots; });
    EXPECT_EQ(stopped.status, DrawStatus::Cancelled);
}
