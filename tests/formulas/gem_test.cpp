#include "formulas/catalog.h"
#include "formulas/formula.h"
#include "formulas/formulatest.h"
#include "formulas/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

using namespace orbelle;
using namespace orbelle::test;

TEST(GemFormulas, DiamondStartAndRunShape) {
    const HandRotation start(formulaInfo({0, 0}).defaults);
    EXPECT_EQ(start.t, 17.7);
    EXPECT_EQ(start.y, 28.5);
    EXPECT_EQ(start.K, 1.0);
    auto run = prepareFormula({0, 0}, formulaInfo({0, 0}).defaults);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->startIndex, 0);
    EXPECT_EQ(run->count, 100000);
    EXPECT_EQ(run->iterations(), 100001);
}

// Item 2, "ルビー", step by step.
TEST(GemFormulas, RubyFirstPointsByHand) {
    expectByHandForBothRowSets({0, 2}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 500) * 0.01, C = d[8] / 5, D = d[9] / 500, E = d[10] / 500;
        const double F = d[11] / 500, G = d[12] / 500, H = d[13] / 50, e1 = d[14] / 50;
        const double k = (d[15] * 5) * G;
        const double t = h.t, y = h.y;
        const double R = ((((E * t) * t) - H) * C) / (std::abs(((E * t) * t) + H) + B);
        const double W = ((tri(k * t) * (std::sin(G * t) * e1)) + (F + y)) + R;
        return h.step(W, -D, 0.19);
    });
}

// Item 7, "アクアマリン", step by step.
TEST(GemFormulas, AquamarineFirstPointsByHand) {
    expectByHandForBothRowSets({0, 7}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 50) * 0.1, C = d[8] / 100, D = d[9] / 500, E = d[10] / 500;
        const double F = d[11] / 500, G = d[12] / 500, H = d[13] / 50, e1 = d[14] / 500;
        const double e2 = d[15] / 500, e3 = d[16] / 500, e4 = d[17] / 500000, e5 = d[18] / 500;
        const double t = h.t, y = h.y;
        double u = std::abs(std::sin((E * t) * t) * (e2 * t)) + B;
        u = u + std::cos((e4 * t) * t - e5) * e3;
        double den = u + tri((e1 * t) * t + G) * H;
        if (den == 0)
            den = 1e-24;
        const double W = C / den + (F + y);
        return h.step(W, D, 10.0);
    });
}

// Item 8, "ラピスラズリ", with the tent.
TEST(GemFormulas, LapisLazuliFirstPointsByHand) {
    expectByHandForBothRowSets({0, 8}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 500) * 0.00001, C = d[8] / 50, D = d[9] / 500, E = d[10] / 10;
        const double F = d[11] / 500, G = d[12] / 500, H = d[13] / 10, e1 = d[14] / 10;
        const double e2 = d[15] / 500, e3 = d[16] / 500;
        const double t = h.t, y = h.y;
        const double v = e3 * t;
        const double first = ((t - E) * C) / ((tent(H, e1, t) * G) + B);
        const double W = first + ((std::sin(v) * (frac(v) * e2)) + (F + y));
        return h.step(W, -D, 0.667);
    });
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
    const Case cases[] = {
        {11, frac, 5000, 0.222}, {13, sqrtFrac, 50000, 0.222}, {14, asinFrac, 5000, 0.286}};
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.item);
        expectByHandForBothRowSets({0, cs.item}, 50, [&](HandRotation& h, const RowDoubles& d) {
            const double B = (d[7] / 500) * 0.01, C = d[8] / 5, D = d[9] / 500, E = d[10] / 500;
            const double F = d[11] / 500, G = d[12] / cs.gDivisor, H = d[13] / 50;
            const double e1 = d[14] / 50, e2 = d[15] * 500;
            const double t = h.t, y = h.y;
            const double R = ((((E * t) * t) - H) * C) / (std::abs(H + ((E * t) * t)) + B);
            const double W = ((cs.shape(G * t - e2) * e1) + (F + y)) + R;
            return h.step(W, -D, cs.scale);
        });
    }
}

// Item 12, "クォーツ", step by step.
TEST(GemFormulas, QuartzFirstPointsByHand) {
    expectByHandForBothRowSets({0, 12}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 500) * 0.0001, C = d[8] / 500, D = d[9] / 100, E = d[10] / 500;
        const double F = d[11] / 100, G = d[12] / 500, H = d[13] / 500, e1 = d[14] / 100;
        const double e2 = d[15] / 500, e3 = d[16] / 5000, e4 = d[17] / 5000, e5 = d[18] / 5000;
        const double t = h.t, y = h.y;
        const double num = std::sqrt(std::abs(t - G)) * C;
        const double u = num / (std::abs(arcUpper(e5 + e4 * t) * e3 + (t - E)) + B);
        double W = arcUpper(t * (e4 * t) + e5) * e3;
        W = W + (std::sin(e2 * t - e1) * H + (F + y));
        W = W + u;
        return h.step(W, -D, 4.0);
    });
}

namespace {

// Item 16, "ムーンストーン", by hand, with F alternating and starting negative.
void checkMoonstoneByHand(const ParamRows& r) {
    const auto d = asDouble(r);
    const double B = (d[7] / 500) * 0.0001, C = d[8] / 500, D = d[9] / 100, E = d[10] / 500;
    const double G = d[12] / 500, H = d[13] / 500, e1 = d[14] / 10, e2 = d[15] / 10;
    const double e3 = d[16] / 100 + 1;
    double F = d[11] / 1000;
    expectFirstPointsByHand({0, 16}, r, 50, [&](HandRotation& h) {
        const double t = h.t, y = h.y;
        F = -F;
        const double u =
            (std::sqrt(std::abs(t - G)) * C) / (((std::sin(t - e1) + e3) * B) + std::abs(t - E));
        const double W = u + ((std::sin(t - e2) * H) + (F + y));
        return h.step(W, -D, 2.22);
    });
}

} // namespace

TEST(GemFormulas, MoonstoneFirstPointsByHand) { forBothRowSets({0, 16}, checkMoonstoneByHand); }

TEST(GemFormulas, MoonstoneAlternationStartsNegative) {
    // The first step uses -(r11 / 1000): with r11 = +130 and with r11 = -130
    // the first points differ, and each matches the hand computation.
    ParamRows r = defaultRows({0, 16});
    ASSERT_EQ(r[11], 130);
    const auto plus = firstPoints({0, 16}, r, 1);
    r[11] = -130;
    const auto minus = firstPoints({0, 16}, r, 1);
    EXPECT_NE(plus[0].x, minus[0].x);
    checkMoonstoneByHand(r);

    // The first point with r11 = +130 is the one computed with F = -0.13.
    const ParamRows d0 = defaultRows({0, 16});
    const auto d = asDouble(d0);
    HandRotation h(d0);
    const double t = h.t, y = h.y;
    const double u = (std::sqrt(std::abs(t - d[12] / 500)) * (d[8] / 500)) /
                     (((std::sin(t - d[14] / 10) + (d[16] / 100 + 1)) * ((d[7] / 500) * 0.0001)) +
                      std::abs(t - d[10] / 500));
    const double W = u + ((std::sin(t - d[15] / 10) * (d[13] / 500)) + (-(d[11] / 1000) + y));
    EXPECT_EQ(plus[0].x, h.step(W, -(d[9] / 100), 2.22).x);
}

TEST(GemFormulas, MoonstoneWithZeroFIsUnaffectedByAlternation) {
    ParamRows r = defaultRows({0, 16});
    r[11] = 0;
    checkMoonstoneByHand(r);
    // With F = 0 the map is the plain one with (0 + y).
    const auto d = asDouble(r);
    HandRotation h(r);
    const auto points = firstPoints({0, 16}, r, 30);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double t = h.t, y = h.y;
        const double u =
            (std::sqrt(std::abs(t - d[12] / 500)) * (d[8] / 500)) /
            (((std::sin(t - d[14] / 10) + (d[16] / 100 + 1)) * ((d[7] / 500) * 0.0001)) +
             std::abs(t - d[10] / 500));
        const double W = u + ((std::sin(t - d[15] / 10) * (d[13] / 500)) + (0.0 + y));
        ASSERT_EQ(points[i].x, h.step(W, -(d[9] / 100), 2.22).x) << i;
    }
}

// Item 18, "タンザナイト", step by step.
TEST(GemFormulas, TanzaniteFirstPointsByHand) {
    expectByHandForBothRowSets({0, 18}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 500) * 0.0001, C = d[8] / 500, D = d[9] / 50, E = d[10] / 500;
        const double F = d[11] / 50, G = d[12] / 500, H = d[13] / 500;
        const double t = h.t, y = h.y;
        const double W = (std::sqrt(std::abs(t - G) + H) * C) / (std::abs(t - E) + B) + (F + y);
        return h.step(W, -D, 4.0);
    });
}

// The two guards of "ダイヤモンド": with t0 = 0 the root is 0 and becomes
// 1e-14; with B = 0 (r7 = 0) and H = 0 (r13 = 0) the denominator is exactly 0
// and becomes 1e-24.
TEST(GemFormulas, DiamondGuardsReplaceExactZeros) {
    ParamRows r = defaultRows({0, 0});
    r[4] = 0;
    r[7] = 0;
    r[13] = 0;
    const auto d = asDouble(r);
    HandRotation h(r);
    const double C = d[8] / 100, D = d[9] / 500, F = d[11] / 500, e5 = d[18] / 500;
    const double e5s = (d[18] / 500) * 0.001;
    const double t = 0, y = d[5] / 10;
    ASSERT_EQ(h.t, t);
    const double q = 1e-14, den = 1e-24;
    const double W = ((((F + y) - tri(t) * e5s) + 0.0 * 0.0) + q * e5) + C / den;
    const Point want = h.step(W, D, 8.0);
    const auto points = firstPoints({0, 0}, r, 1);
    EXPECT_EQ(points[0].x, want.x);
    EXPECT_EQ(points[0].y, want.y);
    EXPECT_TRUE(std::isfinite(points[0].x));
}

// The denominator guard of "アクアマリン": r7 = r13 = r16 = 0 and t0 = 0 give an
// exact 0, replaced by 1e-24.
TEST(GemFormulas, AquamarineGuardReplacesExactZero) {
    ParamRows r = defaultRows({0, 7});
    r[4] = 0;
    r[7] = 0;
    r[13] = 0;
    r[16] = 0;
    const auto d = asDouble(r);
    HandRotation h(r);
    ASSERT_EQ(h.t, 0.0);
    const double W = (d[8] / 100) / 1e-24 + (d[11] / 500 + d[5] / 10);
    const Point want = h.step(W, d[9] / 500, 10.0);
    const auto points = firstPoints({0, 7}, r, 1);
    EXPECT_EQ(points[0].x, want.x);
    EXPECT_EQ(points[0].y, want.y);
}

// A NaN state flows through the guards (a NaN is not 0 and passes unchanged):
// with "分割数" = 0, 2pi / 0 is infinite, c and s are NaN and so is every point,
// which trunc32 sends far off the canvas.
TEST(GemFormulas, NaNStateFlowsThrough) {
    ParamRows r = defaultRows({0, 0});
    r[1] = 0; // 2pi / 0 = infinity: theta, c and s are NaN
    const auto points = firstPoints({0, 0}, r, 5);
    for (const Point& p : points) {
        EXPECT_TRUE(std::isnan(p.x));
        EXPECT_TRUE(std::isnan(p.y));
        EXPECT_EQ(trunc32(p.x), INT32_MIN);
    }
}

// Items 0 "ダイヤモンド", 1, 3, 5 "ターコイズ" and 6 share the damped
// denominator but differ in its cosine shift, in the sine under the root (its
// magnitude, or in "ターコイズ" signed), in the terms of W and in the scale.
TEST(GemFormulas, DampedItemsFirstPointsByHand) {
    for (int item : {0, 1, 3, 5, 6}) {
        SCOPED_TRACE(item);
        expectByHandForBothRowSets({0, item}, 50, [&](HandRotation& h, const RowDoubles& d) {
            const DampedTerms k(d);
            const double H1 = (d[13] / 50) * 0.01, e5small = (d[18] / 500) * 0.001;
            const double t = h.t, y = h.y, v = std::sin(t), a = std::abs(v);
            const double q = DampedTerms::root(v);
            // "オパール" and "ターコイズ" shift the cosine by e5; the others do not.
            const bool shifted = item == 3 || item == 5;
            const double den = k.denominator(t, q, shifted ? k.e5 : 0.0);
            double W;
            if (item == 0) {
                W = ((((k.F + y) - tri(t) * e5small) + H1 * a) + q * k.e5) + k.C / den;
            } else if (item == 1) {
                W = ((((k.F + y) - tri(t) * e5small) + H1 * a) + q * k.e5) +
                    (std::cos(t) * k.C) / den;
            } else if (item == 3) {
                W = k.C / den + (k.F + y);
            } else if (item == 5) {
                // "ターコイズ": + tri(t) H' with H' = (r13 / 50) 0.001, and H'' v.
                W = (((tri(t) * ((d[13] / 50) * 0.001)) + (k.F + y)) + H1 * v) + k.C / den;
            } else {
                // "ガーネット": its e5 is the small r18 / 500 x 0.001 and W has no root term.
                W = (((k.F + y) - tri(t) * e5small) + H1 * a) + k.C / den;
            }
            return h.step(W, k.D, shifted ? 10.0 : 8.0);
        });
    }
}

// Item 4, "エメラルド": the log of ((t - G)^2 + 1) + e2 and offset -D.
TEST(GemFormulas, EmeraldFirstPointsByHand) {
    expectByHandForBothRowSets({0, 4}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 50) * 0.01, C = d[8] / 100, D = d[9] / 500, E = d[10] / 500;
        const double F = d[11] / 500, G = d[12] / 500, H = d[13] / 5000, e1 = d[14] / 500;
        const double e2 = d[15] / 500;
        const double t = h.t, y = h.y;
        const double u = std::log(((t - G) * (t - G) + 1) + e2) * E;
        return h.step(C / (std::abs(u * std::tan(H * t - e1)) + B) + (F + y), -D, 0.5);
    });
}

// Item 9, "トパーズ": sqrtFrac twice, G = r12 / 50000, e2 = r15 x 500.
TEST(GemFormulas, TopazFirstPointsByHand) {
    expectByHandForBothRowSets({0, 9}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 500) * 0.01, C = d[8] / 5, D = d[9] / 500, E = d[10] / 500;
        const double F = d[11] / 500, G = d[12] / 50000, H = d[13] / 50, e1 = d[14] / 50;
        const double e2 = d[15] * 500;
        const double t = h.t, y = h.y;
        const double first = sqrtFrac(G * t - e2) * e1 + (F + y);
        const double W = first + (sqrtFrac((E * t) * t - H) * C) / (std::abs(H + (E * t) * t) + B);
        return h.step(W, -D, 0.222);
    });
}

// Item 10, "アレキサンド": D and F are hundredths.
TEST(GemFormulas, AlexandriteFirstPointsByHand) {
    expectByHandForBothRowSets({0, 10}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 500) * 0.001, C = d[8] / 500, D = d[9] / 100, E = d[10] / 500;
        const double F = d[11] / 100, G = d[12] / 500, H = d[13] / 500, e1 = d[14] / 500;
        const double e2 = d[15] / 500;
        const double t = h.t, y = h.y;
        const double u = C / ((std::abs(std::sin(e2 * t) * e1) + B) + (t - E) * (t - E));
        return h.step(u + (std::sin(H * t) * G + (F + y)), -D, 1.33);
    });
}

// Items 15 "アンバー" and 17 "ペリドット": the root term over |t - E| + B; the
// arc term only in "アンバー".
TEST(GemFormulas, AmberPeridotFirstPointsByHand) {
    for (int item : {15, 17}) {
        SCOPED_TRACE(item);
        expectByHandForBothRowSets({0, item}, 50, [&](HandRotation& h, const RowDoubles& d) {
            const double B = (d[7] / 500) * 0.0001, C = d[8] / 500, D = d[9] / 100;
            const double E = d[10] / 500, F = d[11] / 100, G = d[12] / 500, H = d[13] / 500;
            const double e1 = d[14] / 100, e2 = d[15] / 500, e3 = d[16] / 5000;
            const double e4 = d[17] / 5000, e5 = d[18] / 5000;
            const double t = h.t, y = h.y;
            const double u = (std::sqrt(std::abs(t - G)) * C) / (std::abs(t - E) + B);
            const double wave = std::sin(e2 * t - e1) * H + (F + y);
            const double W = item == 17 ? u + wave : (arcUpper((e4 * t) * t + e5) * e3 + wave) + u;
            return h.step(W, -D, 4.0);
        });
    }
}
