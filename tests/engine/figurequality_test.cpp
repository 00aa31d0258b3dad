// The finder's verdict: on hand-made orbits, whose cells are worked out
// below, and on ten figures of the catalog drawn and judged by eye.

#include "engine/figurequality.h"
#include "engine/figuresearch.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using namespace orbelle;

namespace {

// A grid of w x h dots from (x0, y0), step apart, passed over `passes` times.
std::vector<Point> grid(double x0, double y0, int w, int h, double step, int passes = 1) {
    std::vector<Point> dots;
    for (int p = 0; p < passes; ++p)
        for (int b = 0; b < h; ++b)
            for (int a = 0; a < w; ++a)
                dots.push_back({x0 + step * a, y0 + step * b});
    return dots;
}

// "拡大" 0: the shown square has a margin of 600 canvas pixels.
FigurePlacement wide() {
    FigurePlacement p;
    p.zoom = 0;
    return p;
}

FigureVerdict judge(const std::vector<Point>& dots, const FigurePlacement& p = wide()) {
    return judgeFigure(dots, 0, static_cast<std::int32_t>(dots.size()) - 1, p);
}

} // namespace

TEST(FigureQuality, AFixedPointCyclesAndCoversTooLittle) {
    const std::vector<Point> dots(5000, Point{10.0, 10.0});
    const FigureVerdict v = judge(dots);
    EXPECT_TRUE(v.finite);
    EXPECT_EQ(v.coveredCells, 1);
    EXPECT_EQ(v.shownDots, 5000);
    EXPECT_EQ(v.piledDots, 5000);
    EXPECT_EQ(v.piledCells, 1);
    EXPECT_EQ(v.middlePositions, 1);
    EXPECT_FALSE(v.coversEnough());
    EXPECT_TRUE(v.cycles());
    EXPECT_FALSE(v.worthShowing());
    EXPECT_STREQ(v.reason(), "short cycle");
}

TEST(FigureQuality, AnEscapingOrbitIsNotFinite) {
    std::vector<Point> dots = grid(-200, -200, 200, 200, 2);
    double x = 1;
    for (int k = 0; k < 2000; ++k, x *= 10)
        dots.push_back({x, -x}); // reaches infinity after about 309 steps
    EXPECT_FALSE(judge(dots).finite);
    EXPECT_TRUE(judge(dots).escapes());
    EXPECT_FALSE(judge(dots).worthShowing());
    EXPECT_STREQ(judge(dots).reason(), "escapes");

    // A finite orbit escapes the view when more than half its dots lie off
    // the square (here the whole canvas, for bounds up to 1e6).
    for (const int far : {40000, 40001}) {
        std::vector<Point> away = grid(-200, -200, 200, 200, 2);
        away.insert(away.end(), static_cast<std::size_t>(far), Point{1e6, 1e6});
        const FigureVerdict v = judge(away);
        EXPECT_TRUE(v.finite);
        EXPECT_EQ(v.shownDots, 40000);
        EXPECT_EQ(v.escapes(), far == 40001) << far;
    }

    std::vector<Point> nan = grid(-200, -200, 200, 200, 2);
    nan.push_back({std::numeric_limits<double>::quiet_NaN(), 0});
    EXPECT_FALSE(judge(nan).finite);
}

// A 200 x 200 grid, step 2, from (-200, -200): bounds -200..198, centre -1,
// extent 398, margin 600, so the square starts at -1 - 199 - 600 + 3000 =
// 2200 with side 1598. The grid's canvas columns 2800..3198 fall on cells
// 600 * 256 / 1598 = 96 to 998 * 256 / 1598 = 159, all of them (a cell is
// 6.24 pixels wide), and each cell holds 3 or 4 columns and rows: at least 9
// dots.
TEST(FigureQuality, ASpreadFigureIsWorthShowing) {
    const FigureVerdict v = judge(grid(-200, -200, 200, 200, 2));
    EXPECT_TRUE(v.finite);
    EXPECT_EQ(v.coveredCells, 64 * 64);
    EXPECT_EQ(v.piledCells, 64 * 64);
    EXPECT_EQ(v.shownDots, 40000);
    EXPECT_EQ(v.piledDots, 40000);
    EXPECT_EQ(v.middlePositions, 1000);
    EXPECT_TRUE(v.worthShowing());
    EXPECT_STREQ(v.reason(), "good");
}

// The same figure as the 3D pane and the shifts place it.
TEST(FigureQuality, TheDotsAreJudgedWhereTheViewShowsThem) {
    const std::vector<Point> dots = grid(-200, -200, 200, 200, 2);
    // "X軸回転" 90 with "Z軸倍率" 0 lays every dot on the line y = 0.
    FigurePlacement flat = wide();
    flat.rotX = 90;
    flat.scaleZ = 0;
    const FigureVerdict line = judge(dots, flat);
    EXPECT_EQ(line.coveredCells, 64);
    EXPECT_EQ(line.piledCells, 64);
    EXPECT_FALSE(line.coversEnough());

    // "左右" 30 moves the figure 900 pixels right while the square stays:
    // columns 3700..3796 remain in it (it ends before 3798), on cells
    // 1500 * 256 / 1598 = 240 to 255.
    FigurePlacement shifted = wide();
    shifted.shiftH = 30;
    const FigureVerdict v = judge(dots, shifted);
    EXPECT_EQ(v.coveredCells, 16 * 64);
    EXPECT_EQ(v.dots, 40000);
    EXPECT_EQ(v.shownDots, 49 * 200);
    EXPECT_TRUE(v.escapes()); // three quarters of the dots left the view
    EXPECT_STREQ(v.reason(), "escapes");
    shifted.shiftH = 5; // 150 pixels: columns 2950..3348 stay in the square
    EXPECT_FALSE(judge(dots, shifted).escapes());

    // "拡大" 500 narrows the margin to 100: the square of side 598 from 2700
    // has cells 2.34 pixels wide, so the columns 2800..3198 fill every cell
    // from 100 * 256 / 598 = 42 to 498 * 256 / 598 = 213.
    FigurePlacement near = wide();
    near.zoom = 500;
    const FigureVerdict close = judge(dots, near);
    EXPECT_EQ(close.shownDots, 40000);
    EXPECT_EQ(close.coveredCells, 172 * 172);
}

// 656 dots in cells of their own (a 41 x 16 grid, step 10, from (-200,
// -200): extent 400, side 1600, a cell 6.25 pixels, a column 1.6 cells
// apart). Each pass over the grid adds one dot to every cell: 8 passes pile
// them up, and 656 piled cells cover 656 * 100 >= 65536, exactly enough; one
// fewer does not. 7 passes leave dust.
TEST(FigureQuality, CoverageAndPilingThresholds) {
    std::vector<Point> dots = grid(-200, -200, 41, 16, 10, 8);
    FigureVerdict v = judge(dots);
    EXPECT_EQ(v.coveredCells, 656);
    EXPECT_EQ(v.piledCells, 656);
    EXPECT_TRUE(v.coversEnough());
    EXPECT_EQ(v.piledDots, 656 * 8);
    EXPECT_FALSE(v.isDust());
    EXPECT_TRUE(v.worthShowing());

    // Without dot 1 of the first row (not on the bounds) in every pass.
    std::vector<Point> fewer;
    for (std::size_t k = 0; k < dots.size(); ++k)
        if (k % 656 != 1)
            fewer.push_back(dots[k]);
    v = judge(fewer);
    EXPECT_EQ(v.piledCells, 655);
    EXPECT_FALSE(v.coversEnough());
    EXPECT_FALSE(v.isDust());
    EXPECT_STREQ(v.reason(), "covers too little");

    v = judge(grid(-200, -200, 41, 16, 10, 7));
    EXPECT_EQ(v.coveredCells, 656);
    EXPECT_EQ(v.piledCells, 0);
    EXPECT_EQ(v.piledDots, 0);
    EXPECT_TRUE(v.isDust());
    EXPECT_STREQ(v.reason(), "dust");

    // Half the dots piled is enough: 8 passes over the grid's first 7 rows
    // (287 cells of 8 dots) and 7 over the next 8 (328 cells of 7 dots).
    std::vector<Point> half = grid(-200, -200, 41, 7, 10, 8);
    for (const Point& p : grid(-200, -130, 41, 8, 10, 7))
        half.push_back(p);
    v = judge(half);
    EXPECT_EQ(v.piledCells, 287);
    EXPECT_EQ(v.shownDots, 2 * 2296);
    EXPECT_EQ(v.piledDots, 2296);
    EXPECT_FALSE(v.isDust());
}

// A straight line crosses at most 2 x 256 - 1 cells, under 1% of 65536.
TEST(FigureQuality, ASingleLineCoversTooLittle) {
    for (const Point dir : {Point{1, 0}, Point{0, 1}, Point{1, 1}, Point{1, 0.37}}) {
        std::vector<Point> dots;
        for (int k = -8000; k <= 8000; ++k)
            dots.push_back({dir.x * k * 0.1, dir.y * k * 0.1});
        const FigureVerdict v = judge(dots);
        EXPECT_LT(v.coveredCells, 2 * 256) << dir.x << " " << dir.y;
        EXPECT_FALSE(v.isDust());
        EXPECT_FALSE(v.coversEnough());
    }
}

// An orbit that has settled on 3 points by its middle cycles; one that
// settles later keeps the figure it drew before. 49 positions from the
// middle on are a cycle, 50 are not.
TEST(FigureQuality, ShortCyclesAreJudgedFromTheMiddle) {
    const Point cycle[3] = {{0, 0}, {150.5, 50.25}, {-100, 190}};
    for (const int before : {30000, 40000}) {
        std::vector<Point> dots = grid(-200, -200, 200, 200, 2); // 40000 dots
        dots.resize(static_cast<std::size_t>(before));
        for (int k = 0; dots.size() < 70000; ++k)
            dots.push_back(cycle[k % 3]);
        const FigureVerdict v = judge(dots); // the middle: dot 35000
        EXPECT_EQ(v.cycles(), before == 30000) << before;
        EXPECT_EQ(v.middlePositions, before == 30000 ? 3 : 1000) << before;
    }
    for (const int positions : {49, 50}) {
        std::vector<Point> dots = grid(-200, -200, 200, 200, 2);
        for (int k = 0; k < 40000; ++k)
            dots.push_back({static_cast<double>(3 * (k % positions)), 7.5});
        const FigureVerdict v = judge(dots);
        EXPECT_EQ(v.middlePositions, positions);
        EXPECT_EQ(v.cycles(), positions == 49);
    }
}

// Ten figures drawn with orbelle-cli render and looked at: the five that
// pass show lines or areas, the five refused are dust, a short cycle, an
// escaping orbit, a figure covering under 1% of the square and a single
// line.
struct CatalogFigure {
    const char* name;
    FormulaId formula;
    std::vector<std::int32_t> rows; // the first rows; the rest keep the defaults
    FigurePlacement placement;
    const char* verdict;
};

class CatalogFigures : public ::testing::TestWithParam<CatalogFigure> {};

TEST_P(CatalogFigures, GetTheVerdictSeenByEye) {
    const CatalogFigure& f = GetParam();
    ParamRows rows = formulaInfo(f.formula).defaults;
    for (std::size_t k = 0; k < f.rows.size(); ++k)
        rows[k] = f.rows[k];
    const std::optional<FigureVerdict> v = judgeRows(f.formula, rows, f.placement);
    ASSERT_TRUE(v);
    EXPECT_STREQ(v->reason(), f.verdict);
}

FigurePlacement turned(std::int32_t rotX, std::int32_t rotY, std::int32_t scaleZ) {
    FigurePlacement p;
    p.rotX = rotX;
    p.rotY = rotY;
    p.scaleZ = scaleZ;
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    ByEye, CatalogFigures,
    ::testing::Values(
        // Rings of lines round an open centre.
        CatalogFigure{"StartUp", {0, 0}, {}, {}, "good"},
        // The same, tilted: an ellipse of rings drawn out in depth.
        CatalogFigure{"StartUpTurned", {0, 0}, {}, turned(40, 20, 100), "good"},
        // Rings of loops; its orbit settles into a 23-point cycle only after
        // 63000 of its 100000 dots.
        CatalogFigure{"LateCycle", {5, 12}, {}, {}, "good"},
        // A black core in a halo of scattered dots.
        CatalogFigure{"DenseCore",
                      {7, 4},
                      {866, 32, -863, -709, -591, 818, 116, 342, 235, 882, -325, -671, -809, 802,
                       -514, 632, -438, 29, 205},
                      {},
                      "good"},
        // A grey disc of dots, an area.
        CatalogFigure{"GreyDisc",
                      {6, 5},
                      {827,  52,  -473, 160, 940,  437,  164, 562,  -235, 357,
                       -672, 628, 347,  785, -874, -727, -86, -206, 749,  832},
                      {},
                      "good"},
        // "定数H" -998: scattered dots far beyond the canvas.
        CatalogFigure{"Dust",
                      {0, 0},
                      {200, 16, 58, 400, 177, 285, 468, 87, 113, 31, -11, 39, -11, -998},
                      {},
                      "dust"},
        // Dotted rings and then a short cycle before the middle.
        CatalogFigure{"ShortCycle",
                      {9, 2},
                      {317, 78, 819, 660, 838, 426, 452, 916, 554, 930, 378, 339, -516},
                      {},
                      "short cycle"},
        CatalogFigure{"Escapes",
                      {1, 17},
                      {126, 15, -1, -636, 461, -533, 212, -641, 503, -780, 297},
                      {},
                      "escapes"},
        // A small ring of lines in the middle of its square.
        CatalogFigure{"SmallRing",
                      {4, 6},
                      {617, 136, -649, 789, 569, 562, 210, 65, -804, -95, 687, -531, 108, 467, 261,
                       -508, -480},
                      {},
                      "covers too little"},
        // "X軸回転" 90 with "Z軸倍率" 0 lays the start-up figure on one line.
        CatalogFigure{"SingleLine", {0, 0}, {}, turned(90, 0, 0), "covers too little"}),
    [](const ::testing::TestParamInfo<CatalogFigure>& info) {
        return std::string(info.param.name);
    });
