#include "engine/coverageraster.h"

#include "engine/colour.h"
#include "engine/dotshape.h"
#include "engine/draw.h"
#include "engine/enginetest.h"
#include "engine/transform.h"
#include "formulas/numeric.h"

#include <algorithm>
#include <functional>
#include <random>
#include <thread>

using namespace orbelle;
using namespace orbelle::test;

namespace {

// Two canvases: one painted dot by dot (the reference), one by the code under
// test.
Canvas& referenceCanvas() { return sharedCanvas(0); }
Canvas& testedCanvas() { return sharedCanvas(1); }

struct Dot {
    std::int32_t left;
    std::int32_t top;
    std::uint32_t pixel;
};

// The corners of the clusters: the top-left corner, the centre and the
// bottom-right corner of the canvas.
constexpr int kClusterOrigins[] = {0, 2900, 5999 - 300};

// Dots in one cluster (reaching off the canvas at the corners) in four
// colours, so that they overlap heavily and clip at the edges; each touches
// the canvas.
std::vector<Dot> randomDots(std::mt19937& random, int count, int penWidth, int cluster) {
    const std::uint32_t colours[] = {0xFF102030u, 0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    std::uniform_int_distribution<int> spread(-penWidth, 300);
    std::uniform_int_distribution<int> colour(0, 3);
    const int origin = kClusterOrigins[cluster];
    std::vector<Dot> dots;
    for (int k = 0; k < count; ++k) {
        dots.push_back({origin + spread(random), origin + spread(random), colours[colour(random)]});
    }
    // Far-off boxes, as NaN and huge points give.
    dots.push_back({INT32_MIN, INT32_MIN, colours[0]});
    dots.push_back({INT32_MAX - 5, 100, colours[1]});
    return dots;
}

// The reference: every dot painted on its own, the topmost last.
void paintDotByDot(Canvas& canvas, const DotShape& shape, const std::vector<Dot>& dots,
                   CoverageRaster::Order order) {
    if (order == CoverageRaster::Order::LastOnTop) {
        for (const Dot& d : dots)
            shape.plot(canvas, d.left, d.top, d.pixel);
    } else {
        for (auto it = dots.rbegin(); it != dots.rend(); ++it)
            shape.plot(canvas, it->left, it->top, it->pixel);
    }
}

// The window a cluster can reach.
void expectSameCluster(const Canvas& expected, const Canvas& actual, int penWidth, int cluster) {
    const int reach = 2 * penWidth + 400;
    const int start = kClusterOrigins[cluster] - reach;
    for (int y = std::max(start, 0); y <= std::min(start + 2 * reach, 5999); ++y) {
        for (int x = std::max(start, 0); x <= std::min(start + 2 * reach, 5999); ++x) {
            ASSERT_EQ(actual.colourAt(x, y), expected.colourAt(x, y))
                << "pen " << penWidth << " at " << x << ", " << y;
        }
    }
}

// A progress function that notes every report and stops the painting at
// report `stopAt` (counted from 1).
std::function<bool(std::size_t)> noting(std::vector<std::size_t>& reports,
                                        std::size_t stopAt = SIZE_MAX) {
    return [&reports, stopAt](std::size_t done) {
        reports.push_back(done);
        return reports.size() < stopAt;
    };
}

void expectSameCanvas(const Canvas& expected, const Canvas& actual) {
    const std::size_t n = static_cast<std::size_t>(Canvas::kSize) * Canvas::kSize;
    const std::uint32_t* a = expected.pixels();
    const std::uint32_t* b = actual.pixels();
    for (std::size_t k = 0; k < n; ++k) {
        ASSERT_EQ(b[k], a[k]) << "at " << k % Canvas::kSize << ", " << k / Canvas::kSize;
    }
}

} // namespace

TEST(CoverageRaster, SamePixelsAsPaintingEveryDotInOrder) {
    std::mt19937 random(20240611);
    Canvas& expected = referenceCanvas();
    Canvas& actual = testedCanvas();
    for (int pen = 1; pen <= 100; ++pen) {
        const DotShape shape(pen);
        // Each pen in one cluster: a limited clear suffices between pens.
        const int cluster = pen % 3;
        const std::vector<Dot> dots = randomDots(random, pen < 20 ? 1500 : 150, pen, cluster);
        for (const auto order :
             {CoverageRaster::Order::LastOnTop, CoverageRaster::Order::FirstOnTop}) {
            expected.clear(kWhite);
            actual.clear(kWhite);
            CoverageRaster raster(shape);
            for (const Dot& d : dots) {
                raster.add(d.left, d.top, d.pixel);
            }
            EXPECT_EQ(raster.size(), dots.size() - 2); // the far-off two are dropped
            ASSERT_TRUE(raster.paint(actual, order));
            paintDotByDot(expected, shape, dots, order);
            expectSameCluster(expected, actual, pen, cluster);
            if (HasFatalFailure()) {
                return;
            }
        }
    }
    // The region reported as drawn covers every painted pixel: the next
    // limited clear leaves a wholly white canvas.
    actual.clear(kWhite);
    for (int y = 0; y < Canvas::kSize; y += 3)
        for (int x = 0; x < Canvas::kSize; x += 3)
            ASSERT_EQ(actual.colourAt(x, y), kWhite) << x << ", " << y;
}

// Dots over the whole canvas, many bands of rows deep: enough for the
// painting to be shared out among threads, with and without the pauses for
// progress between rounds.
TEST(CoverageRaster, PaintingOnSeveralThreadsGivesTheSamePixels) {
    std::mt19937 random(777);
    std::uniform_int_distribution<int> place(-120, 6000);
    const std::uint32_t colours[] = {0xFF102030u, 0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    Canvas& expected = referenceCanvas();
    Canvas& actual = testedCanvas();
    for (const int pen : {12, 100}) {
        const DotShape shape(pen);
        std::vector<Dot> dots;
        for (int k = 0; k < 20000; ++k) {
            dots.push_back({place(random), place(random), colours[k % 4]});
        }
        for (const auto order :
             {CoverageRaster::Order::LastOnTop, CoverageRaster::Order::FirstOnTop}) {
            for (const bool reporting : {false, true}) {
                expected.clear(kWhite);
                actual.clear(kWhite);
                CoverageRaster raster(shape, actual.rasterWorkspace());
                for (const Dot& d : dots)
                    raster.add(d.left, d.top, d.pixel);
                std::size_t lastReport = 0;
                const auto progress = [&](std::size_t done) {
                    EXPECT_GE(done, lastReport);
                    lastReport = done;
                    return true;
                };
                ASSERT_TRUE(
                    raster.paint(actual, order,
                                 reporting ? std::function<bool(std::size_t)>(progress) : nullptr));
                if (reporting) {
                    EXPECT_EQ(lastReport, raster.size());
                }
                paintDotByDot(expected, shape, dots, order);
                SCOPED_TRACE(testing::Message() << "pen " << pen << " reporting " << reporting);
                expectSameCanvas(expected, actual);
                if (HasFatalFailure()) {
                    return;
                }
            }
        }
    }
}

// A canvas keeps the raster's working memory between drawings: what one
// drawing covered must not hide the dots of the next.
TEST(CoverageRaster, KeptWorkingMemoryStartsEachPaintingUncovered) {
    const DotShape shape(30);
    Canvas& canvas = testedCanvas();
    canvas.clear(kWhite);
    {
        CoverageRaster first(shape, canvas.rasterWorkspace());
        for (int k = 0; k < 200; ++k)
            first.add(1000 + k * 10, 1000, 0xFF000000u);
        ASSERT_TRUE(first.paint(canvas, CoverageRaster::Order::LastOnTop));
    }
    canvas.clear(kWhite);
    CoverageRaster second(shape, canvas.rasterWorkspace());
    EXPECT_EQ(second.size(), 0u); // the first drawing's dots are gone
    second.add(1500, 990, 0xFF0000FFu);
    ASSERT_TRUE(second.paint(canvas, CoverageRaster::Order::LastOnTop));
    // The dot's box is 1500..1531 x 990..1021; its middle is blue, the rest of
    // the first drawing's row white.
    EXPECT_EQ(canvas.colourAt(1515, 1005), packRgb(0, 0, 255));
    EXPECT_EQ(canvas.colourAt(1400, 1015), kWhite);
    EXPECT_EQ(canvas.colourAt(1600, 1015), kWhite);
}

// Sorting many dots into bands takes a while: progress is called during it
// too, with nothing painted yet, and may stop it there.
TEST(CoverageRaster, ReportsWhileSortingAndMayStopBeforePainting) {
    const DotShape shape(10);
    CoverageRaster raster(shape);
    for (int k = 0; k < 70000; ++k) {
        raster.add(k % 5000, 300 + k % 50, 0xFF000000u);
    }
    Canvas& canvas = testedCanvas();
    canvas.clear(kWhite);
    std::vector<std::size_t> reports;
    EXPECT_FALSE(raster.paint(canvas, CoverageRaster::Order::LastOnTop, noting(reports, 1)));
    EXPECT_EQ(reports, (std::vector<std::size_t>{0}));
    EXPECT_EQ(canvas.colourAt(2500, 350), kWhite);

    reports.clear();
    EXPECT_TRUE(raster.paint(canvas, CoverageRaster::Order::LastOnTop, noting(reports)));
    ASSERT_GE(reports.size(), 3u);
    EXPECT_EQ(reports[0], 0u); // the two sorting passes
    EXPECT_EQ(reports[1], 0u);
    EXPECT_EQ(reports.back(), 70000u);
    EXPECT_EQ(canvas.colourAt(2500, 350), kBlack);
}

TEST(CoverageRaster, StopsWhenProgressSaysSoAndReportsTheDotsDone) {
    // One band of rows, which one thread paints in rounds of kRoundDots.
    // The first 100 dots (painted last, being lowest) lie apart on the
    // right; the others overlap on the left.
    const DotShape shape(10);
    CoverageRaster raster(shape);
    constexpr int kDots = 30000;
    for (int k = 0; k < kDots; ++k) {
        if (k < 100) {
            raster.add(5000 + k, 200, 0xFF000000u);
        } else {
            raster.add((k * 7) % 4000, 200, 0xFF0000FFu);
        }
    }
    constexpr std::size_t kRound = CoverageRaster::kRoundDots;
    std::vector<std::size_t> reports;
    Canvas& canvas = testedCanvas();
    canvas.clear(kWhite);
    EXPECT_FALSE(raster.paint(canvas, CoverageRaster::Order::LastOnTop, noting(reports, 2)));
    EXPECT_EQ(reports, (std::vector<std::size_t>{kRound, 2 * kRound}));
    EXPECT_EQ(canvas.colourAt(2000, 210), packRgb(0, 0, 255));
    EXPECT_EQ(canvas.colourAt(5050, 210), kWhite); // not reached

    reports.clear();
    EXPECT_TRUE(raster.paint(canvas, CoverageRaster::Order::LastOnTop, noting(reports)));
    std::vector<std::size_t> expected;
    for (std::size_t done = kRound; done < kDots; done += kRound)
        expected.push_back(done);
    expected.push_back(kDots);
    EXPECT_EQ(reports, expected);
    EXPECT_EQ(canvas.colourAt(5050, 210), kBlack);
}

// Exactly two rounds of dots in one band: one report after the first round
// and size() at the end, with no second report of the end.
TEST(CoverageRaster, ReportsTheEndOnceWhenTheDotsFillWholeRounds) {
    const DotShape shape(10);
    CoverageRaster raster(shape);
    constexpr std::size_t kRound = CoverageRaster::kRoundDots;
    for (std::size_t k = 0; k < 2 * kRound; ++k) {
        raster.add(static_cast<std::int32_t>(k % 5000), 300, 0xFF000000u);
    }
    Canvas& canvas = testedCanvas();
    canvas.clear(kWhite);
    std::vector<std::size_t> reports;
    EXPECT_TRUE(raster.paint(canvas, CoverageRaster::Order::LastOnTop, noting(reports)));
    EXPECT_EQ(reports, (std::vector<std::size_t>{kRound, 2 * kRound}));
}

// While the progress function runs no painting thread writes: the canvas
// reads the same twice over (and the race detector sees the reads).
TEST(CoverageRaster, CanvasStaysStillWhileProgressRuns) {
    std::mt19937 random(4242);
    std::uniform_int_distribution<int> place(-100, 6000);
    const DotShape shape(100);
    Canvas& canvas = testedCanvas();
    canvas.clear(kWhite);
    CoverageRaster raster(shape, canvas.rasterWorkspace());
    for (int k = 0; k < 40000; ++k)
        raster.add(place(random), place(random), 0xFF000000u | static_cast<std::uint32_t>(k));
    const auto sum = [&] {
        std::uint64_t total = 0;
        for (int y = 0; y < Canvas::kSize; y += 5) {
            for (int x = 0; x < Canvas::kSize; x += 3)
                total = total * 31 + static_cast<std::uint32_t>(canvas.colourAt(x, y));
        }
        return total;
    };
    int reports = 0;
    EXPECT_TRUE(raster.paint(canvas, CoverageRaster::Order::FirstOnTop, [&](std::size_t) {
        const std::uint64_t before = sum();
        std::this_thread::yield();
        EXPECT_EQ(sum(), before) << "report " << reports;
        ++reports;
        return true;
    }));
    EXPECT_GE(reports, 2);
}

namespace {

// Today's Draw, spelled out: every dot painted with DotShape::plot in the
// drawing's order, the gradient colours taken from the ramp by rampIndex.
void referenceDraw(const DrawSettings& s, const std::vector<Point>& points, Canvas& canvas) {
    canvas.clear(backgroundColour(s.backColourMode(), s.backColor));
    const DotShape shape(s.penWidth);
    const Transform3D t = Transform3D::fromDegrees(s.rotX, s.rotY, s.rotZ, s.scaleZ);
    const bool turned = s.rotX != 0 || s.rotY != 0 || s.rotZ != 0;
    const auto n = static_cast<std::int32_t>(points.size() - 1);
    GradientInputs in;
    in.colours = s.gradientColors;
    for (int k = 0; k < 5; ++k)
        in.stopOn[k] = s.gradientStopOn[k] != 0;
    const ColourRamp ramp = s.gradientSmooth != 0 ? buildSmoothRamp(in) : buildSteppedRamp(in);
    std::vector<Dot> dots;
    for (std::int32_t i = 0; i <= n; ++i) {
        double x = points[static_cast<std::size_t>(i)].x;
        double y = points[static_cast<std::size_t>(i)].y;
        if (turned)
            t.apply(x, y, i, n);
        const std::int32_t colour = s.drawColorMode == 3
                                        ? ramp[rampIndex(i, n, s.gradientRepeat)]
                                        : drawingColour(s.drawColourMode(), s.drawColor);
        dots.push_back({trunc32(3000 + x), trunc32(3000 + y), Canvas::toPixel(colour)});
    }
    if (!immediateDrawing(s, t)) {
        std::reverse(dots.begin(), dots.end());
    }
    for (const Dot& d : dots)
        shape.plot(canvas, d.left, d.top, d.pixel);
}

std::vector<Point> diamondPoints(int count) {
    DrawSettings s = DrawSettings::startup();
    s.params[0] = count;
    auto run = prepareFormula(s.formula(), s.params);
    std::vector<Point> points(static_cast<std::size_t>(run->iterations()));
    run->source->generate(points.data(), points.size());
    return points;
}

} // namespace

// The whole Draw with thick and thin pens in every colour mode, in order and
// turned round, against the reference; the figure is scaled up so that it
// reaches past the canvas edges.
TEST(CoverageRaster, DrawGivesTodaysPixelsInEveryMode) {
    std::vector<Point> points = diamondPoints(8);
    for (Point& p : points) {
        p.x *= 12;
        p.y *= 12;
    }
    struct Case {
        int mode;
        int pen;
        int rotX;
    };
    const Case cases[] = {{0, 1, 0},   {0, 2, 0},    {0, 3, 0},    {1, 40, 0},  {2, 100, 0},
                          {3, 2, 0},   {3, 7, 0},    {3, 64, 0},   {3, 100, 0}, {3, 2, 180},
                          {3, 5, 180}, {3, 33, 180}, {3, 100, 180}};
    for (const Case& c : cases) {
        DrawSettings s = DrawSettings::startup();
        s.drawColorMode = c.mode;
        s.backColorMode = c.mode == 1 ? 0 : 1;
        s.drawColor = packRgb(200, 10, 90);
        s.penWidth = c.pen;
        s.rotX = c.rotX;
        s.scaleZ = c.rotX != 0 ? 1 : 0;
        s.gradientRepeat = 3;
        referenceDraw(s, points, referenceCanvas());
        const DrawResult r = drawRun(s, runOf(points), testedCanvas());
        ASSERT_EQ(r.status, DrawStatus::Drawn);
        SCOPED_TRACE(testing::Message()
                     << "mode " << c.mode << " pen " << c.pen << " rotX " << c.rotX);
        expectSameCanvas(referenceCanvas(), testedCanvas());
        if (HasFatalFailure()) {
            return;
        }
    }
}
