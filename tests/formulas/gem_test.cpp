#include "catalog.h"
#include "formula.h"
#include "formulatest.h"
#include "numeric.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

using namespace orbelle;

namespace {

std::vector<Point> firstPoints(FormulaId id, std::size_t n) {
    auto run = prepareFormula(id, formulaInfo(id).defaults);
    std::vector<Point> points(n);
    run->source->generate(points.data(), n);
    return points;
}

} // namespace

// The worked example, written out step by step from its definition.
TEST(GemFormulas, DiamondFirstPointsByHand) {
    const ParamRows r = formulaInfo({0, 0}).defaults;
    double t = r[4] / 10.0, y = r[5] / 10.0;
    EXPECT_EQ(t, 17.7);
    EXPECT_EQ(y, 28.5);
    const double A = (r[6] / 1000.0 + 999.5) / 1000;
    const double B = (r[7] / 50.0) * 0.0001, C = r[8] / 100.0, D = r[9] / 500.0;
    const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0, H = r[13] / 50.0;
    const double H2 = (r[13] / 50.0) * 0.01, e1 = r[14] / 500.0, e2 = r[15] / 500.0;
    const double e3 = r[16] / 500.0, e4 = r[17] / 5000000000.0, e5 = r[18] / 500.0;
    const double e5s = (r[18] / 500.0) * 0.001, e6 = r[19] / 50000.0;
    const double theta = r[2] * 0.000001 + 6.283185307179586 / r[1];
    const double c = std::cos(theta), s = std::sin(theta);
    const double K = (r[3] + 999999999600.0) / 1000000000000.0;
    EXPECT_EQ(K, 1.0);

    const auto points = firstPoints({0, 0}, 50);
    for (const Point& p : points) {
        const double a = std::abs(std::sin(t));
        double q = std::sqrt(a);
        if (q == 0) q = 1e-14;
        double u = (std::exp(e4 * t - e3) * e2) * t;
        u = std::abs(u * std::cos((E * t) * t)) + B;
        u = u + std::tan(t) * e6;
        double den = u + tri(e1 / q + G) * H;
        if (den == 0) den = 1e-24;
        y = F + y;
        const double w = ((((y - tri(t) * e5s) + H2 * a) + q * e5) + C / den);
        const double X = (c * t - (w * A) * s) + D;
        const double Y = (w * c + ((A * t) * K) * s) + D;
        ASSERT_EQ(p.x, X * 8.0);
        ASSERT_EQ(p.y, Y * 8.0);
        t = X;
        y = Y;
    }
}

TEST(GemFormulas, DiamondRunShape) {
    auto run = prepareFormula({0, 0}, formulaInfo({0, 0}).defaults);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->startIndex, 0);
    EXPECT_EQ(run->count, 100000);
    EXPECT_EQ(run->iterations(), 100001);
}

TEST(GemFormulas, InvalidIdPreparesNothing) {
    EXPECT_FALSE(prepareFormula({10, 0}, ParamRows{}));
    EXPECT_FALSE(prepareFormula({0, 19}, ParamRows{}));
    EXPECT_FALSE(prepareFormula({-1, 0}, ParamRows{}));
}

// ---- All nineteen formulas ---------------------------------------------------

namespace {

using Rows = std::array<double, kRowCount>;

Rows asDouble(const ParamRows& r) {
    Rows d{};
    for (int k = 0; k < kRowCount; ++k) {
        d[k] = static_cast<double>(r[k]);
    }
    return d;
}

// The recurring scalings A, K, c and s, written out again for the tests.
struct Frame {
    double A, K, c, s;
};

Frame standardFrame(const Rows& d) {
    const double theta = d[2] * 0.000001 + 6.283185307179586 / d[1];
    return {(d[6] / 1000 + 999.5) / 1000, (d[3] + 999999999600.0) / 1000000000000.0,
            std::cos(theta), std::sin(theta)};
}

// Runs the rotation step by hand, X = ((c t) - ((A W) s)) + delta and
// Y = ((W c) + (((A t) K) s)) + delta with W = w(t, y) from the current t and
// y, and compares the formula's first n points bit for bit.
template <class WFn>
void checkRotationByHand(FormulaId id, const ParamRows& r, double delta, double scale, WFn w,
                         std::size_t n = 50) {
    const Rows d = asDouble(r);
    const Frame f = standardFrame(d);
    double t = d[4] / 10, y = d[5] / 10;
    const auto points = test::firstPoints(id, r, n);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double W = w(t, y);
        const double X = ((f.c * t) - ((f.A * W) * f.s)) + delta;
        const double Y = ((W * f.c) + (((f.A * t) * f.K) * f.s)) + delta;
        ASSERT_EQ(points[i].x, X * scale) << i;
        ASSERT_EQ(points[i].y, Y * scale) << i;
        t = X;
        y = Y;
    }
}

} // namespace

TEST(GemFormulas, DefaultDotCountsAndStartIndices) {
    // N + 1 dots for i0 = 0, N for i0 = 1 (r0 from the defaults).
    const std::int64_t expected[19] = {100001, 100001, 150000, 100001, 100001, 100001, 100001,
                                       100001, 100000, 150000, 100000, 150000, 100000, 150000,
                                       150000, 100000, 100000, 100000, 100000};
    const int startIndex[19] = {0, 0, 1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    for (int item = 0; item < 19; ++item) {
        SCOPED_TRACE(item);
        EXPECT_EQ(test::defaultDotCount({0, item}), expected[item]);
        auto run = prepareFormula({0, item}, test::defaultRows({0, item}));
        ASSERT_TRUE(run);
        EXPECT_EQ(run->startIndex, startIndex[item]);
        EXPECT_EQ(run->count, formulaInfo({0, item}).defaults[0] * 500);
    }
    EXPECT_EQ(test::defaultDotCount({0, 0}), 100001);
    EXPECT_EQ(test::defaultDotCount({0, 2}), 150000);
}

TEST(GemFormulas, DefaultsGiveFiniteSpreadFigures) {
    for (int item = 0; item < 19; ++item) {
        SCOPED_TRACE(item);
        const auto points = test::firstPoints({0, item}, 2000);
        std::set<std::pair<std::int32_t, std::int32_t>> pixels;
        for (const Point& p : points) {
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
            pixels.insert({trunc32(p.x), trunc32(p.y)});
        }
        EXPECT_GT(pixels.size(), 500u);
    }
}

// Item 2, "ルビー", step by step.
TEST(GemFormulas, RubyFirstPointsByHand) {
    const ParamRows r = test::defaultRows({0, 2});
    const Rows d = asDouble(r);
    const Frame f = standardFrame(d);
    const double B = (d[7] / 500) * 0.01, C = d[8] / 5, D = d[9] / 500, E = d[10] / 500;
    const double F = d[11] / 500, G = d[12] / 500, H = d[13] / 50, e1 = d[14] / 50;
    const double k = (d[15] * 5) * G;
    double t = d[4] / 10, y = d[5] / 10;
    const auto points = test::firstPoints({0, 2}, r, 50);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double R = ((((E * t) * t) - H) * C) / (std::abs(((E * t) * t) + H) + B);
        const double W = ((tri(k * t) * (std::sin(G * t) * e1)) + (F + y)) + R;
        const double X = ((f.c * t) - ((f.A * W) * f.s)) - D;
        const double Y = ((W * f.c) + (((f.A * t) * f.K) * f.s)) - D;
        ASSERT_EQ(points[i].x, X * 0.19) << i;
        ASSERT_EQ(points[i].y, Y * 0.19) << i;
        t = X;
        y = Y;
    }
}

// Item 5, "ターコイズ": signed sine under the root, T with - e5, H' and H''.
TEST(GemFormulas, TurquoiseFirstPointsByHand) {
    const ParamRows r = test::defaultRows({0, 5});
    const Rows d = asDouble(r);
    const Frame f = standardFrame(d);
    const double B = (d[7] / 50) * 0.0001, C = d[8] / 100, D = d[9] / 500, E = d[10] / 500;
    const double F = d[11] / 500, G = d[12] / 500, H = d[13] / 50;
    const double H1 = (d[13] / 50) * 0.001, H2 = (d[13] / 50) * 0.01;
    const double e1 = d[14] / 500, e2 = d[15] / 500, e3 = d[16] / 500;
    const double e4 = d[17] / 5000000000, e5 = d[18] / 500, e6 = d[19] / 50000;
    double t = d[4] / 10, y = d[5] / 10;
    const auto points = test::firstPoints({0, 5}, r, 50);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double v = std::sin(t);
        double q = std::sqrt(std::abs(v));
        if (q == 0) q = 1e-14;
        double u = (std::exp(e4 * t - e3) * e2) * t;
        u = std::abs(u * std::cos((E * t) * t - e5)) + B;
        const double T = u + std::tan(t) * e6;
        double den = T + tri(e1 / q + G) * H;
        if (den == 0) den = 1e-24;
        const double W = (((tri(t) * H1) + (F + y)) + H2 * v) + C / den;
        const double X = ((f.c * t) - ((f.A * W) * f.s)) + D;
        const double Y = ((W * f.c) + (((f.A * t) * f.K) * f.s)) + D;
        ASSERT_EQ(points[i].x, X * 10.0) << i;
        ASSERT_EQ(points[i].y, Y * 10.0) << i;
        t = X;
        y = Y;
    }
}

// Item 7, "アクアマリン", step by step.
TEST(GemFormulas, AquamarineFirstPointsByHand) {
    const ParamRows r = test::defaultRows({0, 7});
    const Rows d = asDouble(r);
    const Frame f = standardFrame(d);
    const double B = (d[7] / 50) * 0.1, C = d[8] / 100, D = d[9] / 500, E = d[10] / 500;
    const double F = d[11] / 500, G = d[12] / 500, H = d[13] / 50, e1 = d[14] / 500;
    const double e2 = d[15] / 500, e3 = d[16] / 500, e4 = d[17] / 500000, e5 = d[18] / 500;
    double t = d[4] / 10, y = d[5] / 10;
    const auto points = test::firstPoints({0, 7}, r, 50);
    for (std::size_t i = 0; i < points.size(); ++i) {
        double u = std::abs(std::sin((E * t) * t) * (e2 * t)) + B;
        u = u + std::cos((e4 * t) * t - e5) * e3;
        double den = u + tri((e1 * t) * t + G) * H;
        if (den == 0) den = 1e-24;
        const double W = C / den + (F + y);
        const double X = ((f.c * t) - ((f.A * W) * f.s)) + D;
        const double Y = ((W * f.c) + (((f.A * t) * f.K) * f.s)) + D;
        ASSERT_EQ(points[i].x, X * 10.0) << i;
        ASSERT_EQ(points[i].y, Y * 10.0) << i;
        t = X;
        y = Y;
    }
}

// Item 8, "ラピスラズリ", with the tent.
TEST(GemFormulas, LapisLazuliFirstPointsByHand) {
    const ParamRows r = test::defaultRows({0, 8});
    const Rows d = asDouble(r);
    const Frame f = standardFrame(d);
    const double B = (d[7] / 500) * 0.00001, C = d[8] / 50, D = d[9] / 500, E = d[10] / 10;
    const double F = d[11] / 500, G = d[12] / 500, H = d[13] / 10, e1 = d[14] / 10;
    const double e2 = d[15] / 500, e3 = d[16] / 500;
    double t = d[4] / 10, y = d[5] / 10;
    const auto points = test::firstPoints({0, 8}, r, 50);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double v = e3 * t;
        const double first = ((t - E) * C) / ((tent(H, e1, t) * G) + B);
        const double W = first + ((std::sin(v) * (frac(v) * e2)) + (F + y));
        const double X = ((f.c * t) - ((f.A * W) * f.s)) - D;
        const double Y = ((W * f.c) + (((f.A * t) * f.K) * f.s)) - D;
        ASSERT_EQ(points[i].x, X * 0.667) << i;
        ASSERT_EQ(points[i].y, Y * 0.667) << i;
        t = X;
        y = Y;
    }
}

// Items 11, 13 and 14: one shape, differing in the function, G's divisor and
// the scale.
TEST(GemFormulas, AmethystPearlCoralFirstPointsByHand) {
    struct Case {
        int item;
        double (*shape)(double);
        double gDivisor;
        double scale;
    };
    const Case cases[] = {{11, frac, 5000, 0.222}, {13, sqrtFrac, 50000, 0.222},
                          {14, asinFrac, 5000, 0.286}};
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.item);
        const ParamRows r = test::defaultRows({0, cs.item});
        const Rows d = asDouble(r);
        const Frame f = standardFrame(d);
        const double B = (d[7] / 500) * 0.01, C = d[8] / 5, D = d[9] / 500, E = d[10] / 500;
        const double F = d[11] / 500, G = d[12] / cs.gDivisor, H = d[13] / 50;
        const double e1 = d[14] / 50, e2 = d[15] * 500;
        double t = d[4] / 10, y = d[5] / 10;
        const auto points = test::firstPoints({0, cs.item}, r, 50);
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double R = ((((E * t) * t) - H) * C) / (std::abs(H + ((E * t) * t)) + B);
            const double W = ((cs.shape(G * t - e2) * e1) + (F + y)) + R;
            const double X = ((f.c * t) - ((f.A * W) * f.s)) - D;
            const double Y = ((W * f.c) + (((f.A * t) * f.K) * f.s)) - D;
            ASSERT_EQ(points[i].x, X * cs.scale) << i;
            ASSERT_EQ(points[i].y, Y * cs.scale) << i;
            t = X;
            y = Y;
        }
    }
}

// Item 12, "クォーツ", step by step.
TEST(GemFormulas, QuartzFirstPointsByHand) {
    const ParamRows r = test::defaultRows({0, 12});
    const Rows d = asDouble(r);
    const Frame f = standardFrame(d);
    const double B = (d[7] / 500) * 0.0001, C = d[8] / 500, D = d[9] / 100, E = d[10] / 500;
    const double F = d[11] / 100, G = d[12] / 500, H = d[13] / 500, e1 = d[14] / 100;
    const double e2 = d[15] / 500, e3 = d[16] / 5000, e4 = d[17] / 5000, e5 = d[18] / 5000;
    double t = d[4] / 10, y = d[5] / 10;
    const auto points = test::firstPoints({0, 12}, r, 50);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double num = std::sqrt(std::abs(t - G)) * C;
        const double u = num / (std::abs(arcUpper(e5 + e4 * t) * e3 + (t - E)) + B);
        double W = arcUpper(t * (e4 * t) + e5) * e3;
        W = W + (std::sin(e2 * t - e1) * H + (F + y));
        W = W + u;
        const double X = ((f.c * t) - ((f.A * W) * f.s)) - D;
        const double Y = ((W * f.c) + (((f.A * t) * f.K) * f.s)) - D;
        ASSERT_EQ(points[i].x, X * 4.0) << i;
        ASSERT_EQ(points[i].y, Y * 4.0) << i;
        t = X;
        y = Y;
    }
}

namespace {

// Item 16, "ムーンストーン", by hand, with F alternating and starting negative.
void checkMoonstoneByHand(const ParamRows& r) {
    const Rows d = asDouble(r);
    const Frame f = standardFrame(d);
    const double B = (d[7] / 500) * 0.0001, C = d[8] / 500, D = d[9] / 100, E = d[10] / 500;
    const double G = d[12] / 500, H = d[13] / 500, e1 = d[14] / 10, e2 = d[15] / 10;
    const double e3 = d[16] / 100 + 1;
    double F = d[11] / 1000;
    double t = d[4] / 10, y = d[5] / 10;
    const auto points = test::firstPoints({0, 16}, r, 50);
    for (std::size_t i = 0; i < points.size(); ++i) {
        F = -F;
        const double u = (std::sqrt(std::abs(t - G)) * C) /
                         (((std::sin(t - e1) + e3) * B) + std::abs(t - E));
        const double W = u + ((std::sin(t - e2) * H) + (F + y));
        const double X = ((f.c * t) - ((f.A * W) * f.s)) - D;
        const double Y = ((W * f.c) + (((f.A * t) * f.K) * f.s)) - D;
        ASSERT_EQ(points[i].x, X * 2.22) << i;
        ASSERT_EQ(points[i].y, Y * 2.22) << i;
        t = X;
        y = Y;
    }
}

} // namespace

TEST(GemFormulas, MoonstoneFirstPointsByHand) {
    checkMoonstoneByHand(test::defaultRows({0, 16}));
}

TEST(GemFormulas, MoonstoneAlternationStartsNegative) {
    // The first step uses -(r11 / 1000): with r11 = +130 and with r11 = -130
    // the first points differ, and each matches the hand computation.
    ParamRows r = test::defaultRows({0, 16});
    ASSERT_EQ(r[11], 130);
    const auto plus = test::firstPoints({0, 16}, r, 1);
    r[11] = -130;
    const auto minus = test::firstPoints({0, 16}, r, 1);
    EXPECT_NE(plus[0].x, minus[0].x);
    checkMoonstoneByHand(r);

    // The first point with r11 = +130 is the one computed with F = -0.13.
    const ParamRows d0 = test::defaultRows({0, 16});
    const Rows d = asDouble(d0);
    const Frame f = standardFrame(d);
    const double t = d[4] / 10, y = d[5] / 10;
    const double u = (std::sqrt(std::abs(t - d[12] / 500)) * (d[8] / 500)) /
                     (((std::sin(t - d[14] / 10) + (d[16] / 100 + 1)) * ((d[7] / 500) * 0.0001)) +
                      std::abs(t - d[10] / 500));
    const double W = u + ((std::sin(t - d[15] / 10) * (d[13] / 500)) + (-(d[11] / 1000) + y));
    const double X = ((f.c * t) - ((f.A * W) * f.s)) - d[9] / 100;
    EXPECT_EQ(plus[0].x, X * 2.22);
}

TEST(GemFormulas, MoonstoneWithZeroFIsUnaffectedByAlternation) {
    ParamRows r = test::defaultRows({0, 16});
    r[11] = 0;
    checkMoonstoneByHand(r);
    // With F = 0 the map is the plain one with (0 + y).
    const Rows d = asDouble(r);
    const Frame f = standardFrame(d);
    double t = d[4] / 10, y = d[5] / 10;
    const auto points = test::firstPoints({0, 16}, r, 30);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double u = (std::sqrt(std::abs(t - d[12] / 500)) * (d[8] / 500)) /
                         (((std::sin(t - d[14] / 10) + (d[16] / 100 + 1)) * ((d[7] / 500) * 0.0001)) +
                          std::abs(t - d[10] / 500));
        const double W = u + ((std::sin(t - d[15] / 10) * (d[13] / 500)) + (0.0 + y));
        const double X = ((f.c * t) - ((f.A * W) * f.s)) - d[9] / 100;
        const double Y = ((W * f.c) + (((f.A * t) * f.K) * f.s)) - d[9] / 100;
        ASSERT_EQ(points[i].x, X * 2.22) << i;
        t = X;
        y = Y;
    }
}

// Item 18, "タンザナイト", step by step.
TEST(GemFormulas, TanzaniteFirstPointsByHand) {
    const ParamRows r = test::defaultRows({0, 18});
    const Rows d = asDouble(r);
    const Frame f = standardFrame(d);
    const double B = (d[7] / 500) * 0.0001, C = d[8] / 500, D = d[9] / 50, E = d[10] / 500;
    const double F = d[11] / 50, G = d[12] / 500, H = d[13] / 500;
    double t = d[4] / 10, y = d[5] / 10;
    const auto points = test::firstPoints({0, 18}, r, 50);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double W = (std::sqrt(std::abs(t - G) + H) * C) / (std::abs(t - E) + B) + (F + y);
        const double X = ((f.c * t) - ((f.A * W) * f.s)) - D;
        const double Y = ((W * f.c) + (((f.A * t) * f.K) * f.s)) - D;
        ASSERT_EQ(points[i].x, X * 4.0) << i;
        ASSERT_EQ(points[i].y, Y * 4.0) << i;
        t = X;
        y = Y;
    }
}

// The two guards of "ダイヤモンド": with t0 = 0 the root is 0 and becomes
// 1e-14; with B = 0 (r7 = 0) and H = 0 (r13 = 0) the denominator is exactly 0
// and becomes 1e-24.
TEST(GemFormulas, DiamondGuardsReplaceExactZeros) {
    ParamRows r = test::defaultRows({0, 0});
    r[4] = 0;
    r[7] = 0;
    r[13] = 0;
    const Rows d = asDouble(r);
    const Frame f = standardFrame(d);
    const double C = d[8] / 100, D = d[9] / 500, F = d[11] / 500, e5 = d[18] / 500;
    const double e5s = (d[18] / 500) * 0.001;
    const double t = 0, y = d[5] / 10;
    const double q = 1e-14, den = 1e-24;
    const double W = ((((F + y) - tri(t) * e5s) + 0.0 * 0.0) + q * e5) + C / den;
    const double X = ((f.c * t) - ((f.A * W) * f.s)) + D;
    const double Y = ((W * f.c) + (((f.A * t) * f.K) * f.s)) + D;
    const auto points = test::firstPoints({0, 0}, r, 1);
    EXPECT_EQ(points[0].x, X * 8.0);
    EXPECT_EQ(points[0].y, Y * 8.0);
    EXPECT_TRUE(std::isfinite(points[0].x));
}

// The denominator guard of "アクアマリン": r7 = r13 = r16 = 0 and t0 = 0 give an
// exact 0, replaced by 1e-24.
TEST(GemFormulas, AquamarineGuardReplacesExactZero) {
    ParamRows r = test::defaultRows({0, 7});
    r[4] = 0;
    r[7] = 0;
    r[13] = 0;
    r[16] = 0;
    const Rows d = asDouble(r);
    const Frame f = standardFrame(d);
    const double W = (d[8] / 100) / 1e-24 + (d[11] / 500 + d[5] / 10);
    const double X = ((f.c * 0.0) - ((f.A * W) * f.s)) + d[9] / 500;
    const double Y = ((W * f.c) + (((f.A * 0.0) * f.K) * f.s)) + d[9] / 500;
    const auto points = test::firstPoints({0, 7}, r, 1);
    EXPECT_EQ(points[0].x, X * 10.0);
    EXPECT_EQ(points[0].y, Y * 10.0);
}

// A NaN state flows through the guards (a NaN is not 0 and passes unchanged):
// with "分割数" = 0, 2pi / 0 is infinite, c and s are NaN and so is every point,
// which trunc32 sends far off the canvas.
TEST(GemFormulas, NaNStateFlowsThrough) {
    ParamRows r = test::defaultRows({0, 0});
    r[1] = 0; // 2pi / 0 = infinity: theta, c and s are NaN
    const auto points = test::firstPoints({0, 0}, r, 5);
    for (const Point& p : points) {
        EXPECT_TRUE(std::isnan(p.x));
        EXPECT_TRUE(std::isnan(p.y));
        EXPECT_EQ(trunc32(p.x), INT32_MIN);
    }
}

// Items 1, 3 and 6 share the damped term but differ in its cosine shift, in
// the factor of tri(t) and in the terms of W.
TEST(GemFormulas, SapphireOpalGarnetFirstPointsByHand) {
    for (int item : {1, 3, 6}) {
        SCOPED_TRACE(item);
        const ParamRows r = test::defaultRows({0, item});
        const Rows d = asDouble(r);
        const double B = (d[7] / 50) * 0.0001, C = d[8] / 100, D = d[9] / 500, E = d[10] / 500;
        const double F = d[11] / 500, G = d[12] / 500, H = d[13] / 50;
        const double H1 = (d[13] / 50) * 0.01, e1 = d[14] / 500, e2 = d[15] / 500;
        const double e3 = d[16] / 500, e4 = d[17] / 5000000000, e5 = d[18] / 500;
        const double e5small = (d[18] / 500) * 0.001, e6 = d[19] / 50000;
        // "オパール" shifts the cosine by e5; the other two do not.
        const double shift = item == 3 ? e5 : 0.0;
        const double scale = item == 3 ? 10.0 : 8.0;
        checkRotationByHand({0, item}, r, D, scale, [&](double t, double y) {
            const double a = std::abs(std::sin(t));
            double q = std::sqrt(a);
            if (q == 0) q = 1e-14;
            double u = (std::exp(e4 * t - e3) * e2) * t;
            u = std::abs(u * std::cos((E * t) * t - shift)) + B;
            u = u + std::tan(t) * e6;
            double den = u + tri(e1 / q + G) * H;
            if (den == 0) den = 1e-24;
            if (item == 1) {
                return ((((F + y) - tri(t) * e5small) + H1 * a) + q * e5) + (std::cos(t) * C) / den;
            }
            if (item == 3) {
                return C / den + (F + y);
            }
            // "ガーネット": its e5 is the small r18 / 500 x 0.001 and W has no root term.
            return (((F + y) - tri(t) * e5small) + H1 * a) + C / den;
        });
    }
}

// Item 4, "エメラルド": the log of ((t - G)^2 + 1) + e2 and offset -D.
TEST(GemFormulas, EmeraldFirstPointsByHand) {
    const ParamRows r = test::defaultRows({0, 4});
    const Rows d = asDouble(r);
    const double B = (d[7] / 50) * 0.01, C = d[8] / 100, D = d[9] / 500, E = d[10] / 500;
    const double F = d[11] / 500, G = d[12] / 500, H = d[13] / 5000, e1 = d[14] / 500;
    const double e2 = d[15] / 500;
    checkRotationByHand({0, 4}, r, -D, 0.5, [&](double t, double y) {
        const double u = std::log(((t - G) * (t - G) + 1) + e2) * E;
        return C / (std::abs(u * std::tan(H * t - e1)) + B) + (F + y);
    });
}

// Item 9, "トパーズ": sqrtFrac twice, G = r12 / 50000, e2 = r15 x 500.
TEST(GemFormulas, TopazFirstPointsByHand) {
    const ParamRows r = test::defaultRows({0, 9});
    const Rows d = asDouble(r);
    const double B = (d[7] / 500) * 0.01, C = d[8] / 5, D = d[9] / 500, E = d[10] / 500;
    const double F = d[11] / 500, G = d[12] / 50000, H = d[13] / 50, e1 = d[14] / 50;
    const double e2 = d[15] * 500;
    checkRotationByHand({0, 9}, r, -D, 0.222, [&](double t, double y) {
        const double first = sqrtFrac(G * t - e2) * e1 + (F + y);
        return first + (sqrtFrac((E * t) * t - H) * C) / (std::abs(H + (E * t) * t) + B);
    });
}

// Item 10, "アレキサンド": D and F are hundredths.
TEST(GemFormulas, AlexandriteFirstPointsByHand) {
    const ParamRows r = test::defaultRows({0, 10});
    const Rows d = asDouble(r);
    const double B = (d[7] / 500) * 0.001, C = d[8] / 500, D = d[9] / 100, E = d[10] / 500;
    const double F = d[11] / 100, G = d[12] / 500, H = d[13] / 500, e1 = d[14] / 500;
    const double e2 = d[15] / 500;
    checkRotationByHand({0, 10}, r, -D, 1.33, [&](double t, double y) {
        const double u = C / ((std::abs(std::sin(e2 * t) * e1) + B) + (t - E) * (t - E));
        return u + (std::sin(H * t) * G + (F + y));
    });
}

// Items 15 "アンバー" and 17 "ペリドット": the root term over |t - E| + B; the
// arc term only in "アンバー".
TEST(GemFormulas, AmberPeridotFirstPointsByHand) {
    for (int item : {15, 17}) {
        SCOPED_TRACE(item);
        const ParamRows r = test::defaultRows({0, item});
        const Rows d = asDouble(r);
        const double B = (d[7] / 500) * 0.0001, C = d[8] / 500, D = d[9] / 100;
        const double E = d[10] / 500, F = d[11] / 100, G = d[12] / 500, H = d[13] / 500;
        const double e1 = d[14] / 100, e2 = d[15] / 500, e3 = d[16] / 5000;
        const double e4 = d[17] / 5000, e5 = d[18] / 5000;
        checkRotationByHand({0, item}, r, -D, 4.0, [&](double t, double y) {
            const double u = (std::sqrt(std::abs(t - G)) * C) / (std::abs(t - E) + B);
            const double wave = std::sin(e2 * t - e1) * H + (F + y);
            if (item == 17) {
                return u + wave;
            }
            return (arcUpper((e4 * t) * t + e5) * e3 + wave) + u;
        });
    }
}
