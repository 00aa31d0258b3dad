#include "formulas/formulatest.h"
#include "formulas/numeric.h"

#include <cmath>
#include <set>
#include <utility>

using namespace orbelle;
using namespace orbelle::test;

// Item 0, "太陽": E = (r10 / 500) x -5, so a positive "定数Ｅ" damps.
TEST(GalaxyFormulas, SunFirstPointsByHand) {
    forBothRowSets({1, 0}, [&](const ParamRows& r) {
        const auto d = asDouble(r);
        const double B = d[7] / 500, C = d[8] / 50000, D = d[9] / 50, E = (d[10] / 500) * -5;
        ASSERT_LT(E, 0);
        ASSERT_EQ(E, -(d[10] / 500) * 5);
        expectFirstPointsByHand({1, 0}, r, 50, [&](HandRotation& h) {
            const double t = h.t, y = h.y;
            const double v = std::sin(t);
            double p = std::sin(t * t) * (std::cos(t) * v);
            p = (p + v) * B;
            p = p + y;
            const double W = (p + (std::exp((t * E) * t) * (std::tan(t) * C))) + D;
            return h.step(W, -D, 10.0);
        });
    });
}

// Items 1 "地球" and 6 "木星", step by step.
TEST(GalaxyFormulas, EarthAndJupiterFirstPointsByHand) {
    for (int item : {1, 6}) {
        SCOPED_TRACE(item);
        expectByHandForBothRowSets({1, item}, 50, [&](HandRotation& h, const RowDoubles& d) {
            const double B = (d[7] / 500) * 0.01, C = d[8] / 5, D = d[9] / 500, E = d[10] / 500;
            const double F = d[11] / 500, G = item == 1 ? d[12] / 5000 : d[12] / 50000;
            const double H = d[13] / 50, e1 = d[14] / 50, e2 = d[15] * 500;
            const double t = h.t, y = h.y;
            double W;
            if (item == 1) {
                W = arcUpper(t * G - e2) * e1 + (F + y);
                W = W + ((((t * E) * t - H) * C) / (std::abs((t * E) * t + H) + B));
            } else {
                W = frac(G * t - e2) * e1 + (F + y);
                W = W + ((frac((E * t) * t - H) * C) / (std::abs((E * t) * t + H) + B));
            }
            return h.step(W, -D, 0.222);
        });
    }
}

// Item 2, "月", step by step.
TEST(GalaxyFormulas, MoonFirstPointsByHand) {
    expectByHandForBothRowSets({1, 2}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 10) * 0.00001, C = d[8] / 50, D = d[9] / 500, E = d[10] / 1000;
        const double F = d[11] / 500, G = d[12] / 100, H = d[13] / 500, e1 = d[14] / 500;
        const double e2 = d[15] / 500, e3 = d[16] / 500;
        const double t = h.t, y = h.y;
        const double num = std::sqrt(std::abs(t - e1)) * (C * t);
        const double u = num / (std::abs(((t - G) * t) * (t - E)) * H + B);
        const double W = u + (std::sin(e3 * t) * e2 + (F + y));
        return h.step(W, -D, 0.4);
    });
}

namespace {

// Item 8, "天王星": signed sine under the root, damped term with - e5, the
// denominator guard, offset +D.
void checkUranusByHand(const ParamRows& r, std::size_t n) {
    const DampedTerms k(asDouble(r));
    const double H1 = (r[13] / 50.0) * 0.01;
    expectFirstPointsByHand({1, 8}, r, n, [&](HandRotation& h) {
        const double t = h.t, y = h.y, v = std::sin(t);
        const double den = k.denominator(t, DampedTerms::root(v), k.e5);
        return h.step(((k.F + y) + H1 * v) + k.C / den, k.D, 3.64);
    });
}

} // namespace

TEST(GalaxyFormulas, UranusFirstPointsByHand) {
    forBothRowSets({1, 8}, [](const ParamRows& r) { checkUranusByHand(r, 50); });
}

TEST(GalaxyFormulas, UranusGuardsReplaceExactZeros) {
    // t0 = 0: the root is 0 and becomes 1e-14; B = 0 and H = 0: the
    // denominator is exactly 0 and becomes 1e-24.
    ParamRows r = defaultRows({1, 8});
    r[4] = 0;
    r[7] = 0;
    r[13] = 0;
    checkUranusByHand(r, 1);
    const auto d = asDouble(r);
    HandRotation h(r);
    ASSERT_EQ(h.t, 0.0);
    const double W = ((d[11] / 500 + d[5] / 10) + 0.0 * 0.0) + (d[8] / 100) / 1e-24;
    const auto points = firstPoints({1, 8}, r, 1);
    EXPECT_EQ(points[0].x, h.step(W, d[9] / 500, 3.64).x);
}

// Item 9, "海王星", step by step.
TEST(GalaxyFormulas, NeptuneFirstPointsByHand) {
    expectByHandForBothRowSets({1, 9}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = d[7] / 500, C = d[8] / 50000, D = d[9] / 50, E = (d[10] / 500) * -5;
        const double F = d[11] / 500, G = d[12] / 500, H = d[13] / 500, e1 = d[14] / 500;
        const double t = h.t, y = h.y;
        double p = std::sin(t - G) * std::cos(t - F);
        p = p * std::sin(t * t);
        p = p + std::cos(H + t);
        p = p + std::sin(t - H);
        p = p * B + y;
        const double m = (std::tan(e1 + t * t) * C) * std::tan(t);
        const double W = (p + (m * std::exp((t * E) * t))) + D;
        return h.step(W, -D, 8.0);
    });
}

// Item 13, "タイタン": pow(|t|, 12/13) and (y + F).
TEST(GalaxyFormulas, TitanFirstPointsByHand) {
    expectByHandForBothRowSets({1, 13}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 500) * 0.00001, C = d[8] / 50, D = d[9] / 500, E = d[10] / 500;
        const double F = d[11] / 500, G = d[12] / 10, H = d[13] / 500;
        const double t = h.t, y = h.y;
        const double num = std::pow(std::abs(t), 0.9230769230769231) * C;
        const double W = num / (std::abs(((t - G) * t) * (t - E)) * H + B) + (y + F);
        return h.step(W, -D, 0.444);
    });
}

// Item 15, "エウロパ": its own A and no F.
TEST(GalaxyFormulas, EuropaFirstPointsByHand) {
    forBothRowSets({1, 15}, [&](const ParamRows& r) {
        const auto d = asDouble(r);
        HandRotation start(r);
        const double A = (d[6] / 500 + 499) / 500;
        ASSERT_NE(A, start.A);
        start.A = A;
        const double B = (d[7] / 500) * 0.01, C = d[8] / 500, D = d[9] / 50, E = d[10] / 500;
        expectSamePoints({1, 15}, r, pointsByHand(start, 50, [&](HandRotation& h) {
                             const double t = h.t, y = h.y;
                             const double W =
                                 std::abs(std::log(std::abs(t)) + D) * E + (C / (t * t + B) + y);
                             return h.step(W, -D, 4.0);
                         }));
    });
}

// Item 16, "アンタレス": D inside W, no offset in the step.
TEST(GalaxyFormulas, AntaresFirstPointsByHand) {
    expectByHandForBothRowSets({1, 16}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 50) * 0.01, C = d[8] / 100, D = d[9] / 500, E = d[10] / 500;
        const double t = h.t, y = h.y;
        const double u = std::log(std::abs(t)) * t;
        double W = C / (std::abs(u * std::sin((E * t) * t)) + B);
        W = W + y;
        W = W + D;
        return h.stepNoOffset(W, 2.25);
    });
}

namespace {

// Item 17, "シリウス", its own map, by hand: θ in thousandths, its own A, and
// the step written out in full (only t, y and K are the common ones).
void checkSiriusByHand(const ParamRows& r, std::size_t n) {
    const auto d = asDouble(r);
    HandRotation start(r);
    const double theta = d[2] * 0.001 + 6.283185307179586 / d[1];
    start.c = std::cos(theta);
    start.s = std::sin(theta);
    start.A = (d[6] / 500 + 499) / 500;
    const double B = d[7] / 500, Cp = (d[8] / 5) * 5, D = d[9] / 500, E = d[10] / 450;
    const double r10 = d[10];
    expectSamePoints({1, 17}, r, pointsByHand(start, n, [&](HandRotation& h) {
                         const double t = h.t, y = h.y, c = h.c, s = h.s, A = h.A, K = h.K;
                         double X = (std::sqrt(std::abs(t)) * r10) / 500;
                         X = X + ((c * t - (A * y) * s) - B * t);
                         X = X + Cp / (t * t + E);
                         X = X + D;
                         const double second = (((A * t) * K) * s + c * y) - B * y;
                         double Y =
                             Cp / (y * y + E) + ((std::sqrt(std::abs(y)) * r10) / 500 + second);
                         Y = Y + D;
                         h.t = X;
                         h.y = Y;
                         return Point{X * 1.333, Y * 1.333};
                     }));
}

} // namespace

TEST(GalaxyFormulas, SiriusFirstPointsByHand) {
    ASSERT_EQ(defaultRows({1, 17})[9], 0); // D = 0 with the defaults
    forBothRowSets({1, 17}, [](const ParamRows& r) { checkSiriusByHand(r, 50); });
}

TEST(GalaxyFormulas, SiriusWithOffsetAndOtherAngle) {
    ParamRows r = defaultRows({1, 17});
    r[9] = 37;
    r[2] = -120;
    r[1] = 36;
    checkSiriusByHand(r, 50);
}

TEST(GalaxyFormulas, SiriusTurnsInThousandths) {
    // "初期角" moves θ by thousandths: r2 = 75 and r2 = 76 give first points
    // that differ by far more than a millionth of a turn would.
    ParamRows r = defaultRows({1, 17});
    const auto a = firstPoints({1, 17}, r, 1);
    r[2] += 1;
    const auto b = firstPoints({1, 17}, r, 1);
    const double t = 10.0, y = 15.0;
    const double thetaA = 75 * 0.001 + 6.283185307179586 / 7;
    const double thetaB = 76 * 0.001 + 6.283185307179586 / 7;
    const double A = (290.0 / 500 + 499) / 500;
    const double expected = ((std::cos(thetaB) * t - (A * y) * std::sin(thetaB)) -
                             (std::cos(thetaA) * t - (A * y) * std::sin(thetaA))) *
                            1.333;
    EXPECT_NEAR(b[0].x - a[0].x, expected, 1e-9);
    EXPECT_GT(std::abs(b[0].x - a[0].x), 0.01);
}

// "アンタレス" with t0 = 0: log 0 is -infinity, 0 x -infinity is NaN, and
// every following dot is NaN (off the canvas) without error.
TEST(GalaxyFormulas, AntaresLogOfZeroGivesNaN) {
    ParamRows r = defaultRows({1, 16});
    r[4] = 0;
    const auto points = firstPoints({1, 16}, r, 20);
    for (const Point& p : points) {
        EXPECT_TRUE(std::isnan(p.x));
        EXPECT_TRUE(std::isnan(p.y));
        EXPECT_EQ(trunc32(p.x), INT32_MIN);
    }
}

// "エウロパ" with t0 = 0: log 0 is -infinity, the first point is infinite
// and the state never becomes finite again.
TEST(GalaxyFormulas, EuropaLogOfZeroGivesInfinity) {
    ParamRows r = defaultRows({1, 15});
    r[4] = 0;
    const auto points = firstPoints({1, 15}, r, 20);
    EXPECT_TRUE(std::isinf(points[0].x));
    EXPECT_TRUE(std::isinf(points[0].y));
    for (const Point& p : points) {
        EXPECT_FALSE(std::isfinite(p.x) && std::isfinite(p.y));
        EXPECT_EQ(trunc32(p.x), INT32_MIN);
    }
}

// Item 3, "水星": the sine of ((t - H) E)(t - e1) times the log of
// ((t - G)^2 + 1) + e2.
TEST(GalaxyFormulas, MercuryFirstPointsByHand) {
    expectByHandForBothRowSets({1, 3}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 50) * 0.01, C = d[8] / 100, D = d[9] / 500, E = d[10] / 500;
        const double F = d[11] / 500, G = d[12] / 500, H = d[13] / 500, e1 = d[14] / 500;
        const double e2 = d[15] / 500;
        const double t = h.t, y = h.y;
        const double g = t - G;
        const double w = std::sin(((t - H) * E) * (t - e1));
        return h.step(C / (std::abs(w * std::log(((g * g) + 1) + e2)) + B) + (F + y), -D, 1.33);
    });
}

// Item 4, "金星": F enters only the cosine of the wave; D enters W and the step.
TEST(GalaxyFormulas, VenusFirstPointsByHand) {
    expectByHandForBothRowSets({1, 4}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = d[7] / 500, C = d[8] / 50000, D = d[9] / 50, E = (d[10] / 500) * -5;
        const double F = d[11] / 500, G = d[12] / 500, H = d[13] / 500;
        const double t = h.t, y = h.y;
        double p = std::sin(t - G) * std::cos(t - F);
        p = p * std::sin(t * t);
        p = p + std::cos(H + t);
        p = p + std::sin(t - H);
        p = p * B + y;
        return h.step((p + (std::exp((E * t) * t) * (std::tan(t) * C))) + D, -D, 8.0);
    });
}

// Item 5, "火星": H = r13 / 5000 inside the tangent.
TEST(GalaxyFormulas, MarsFirstPointsByHand) {
    expectByHandForBothRowSets({1, 5}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 50) * 0.01, C = d[8] / 100, D = d[9] / 500, E = d[10] / 500;
        const double F = d[11] / 500, G = d[12] / 500, H = d[13] / 5000, e1 = d[14] / 500;
        const double e2 = d[15] / 500, e3 = d[16] / 500;
        const double t = h.t, y = h.y;
        const double u = std::sin(e3 * t) * G + e2;
        return h.step(C / (std::abs(u + std::tan(H * t - e1) * E) + B) + (F + y), -D, 1.14);
    });
}

// Item 7, "土星": frac (not the arc) of (e4 t) t + e5.
TEST(GalaxyFormulas, SaturnFirstPointsByHand) {
    expectByHandForBothRowSets({1, 7}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 500) * 0.0001, C = d[8] / 500, D = d[9] / 100, E = d[10] / 500;
        const double F = d[11] / 100, G = d[12] / 500, H = d[13] / 500, e1 = d[14] / 100;
        const double e2 = d[15] / 500, e3 = d[16] / 5000, e4 = d[17] / 5000, e5 = d[18] / 5000;
        const double t = h.t, y = h.y;
        const double u = (std::sqrt(std::abs(t - G)) * C) / (std::abs(t - E) + B);
        double W = frac((e4 * t) * t + e5) * e3;
        W = W + (std::sin(e2 * t - e1) * H + (F + y));
        return h.step(W + u, -D, 4.0);
    });
}

// Item 10, "冥王星": B in hundred-thousandths of r7 / 10, G and H in
// five-thousandths.
TEST(GalaxyFormulas, PlutoFirstPointsByHand) {
    expectByHandForBothRowSets({1, 10}, 50, [&](HandRotation& h, const RowDoubles& d) {
        const double B = (d[7] / 10) * 0.00001, C = d[8] / 50, D = d[9] / 500, E = d[10] / 500;
        const double F = d[11] / 500, G = d[12] / 5000, H = d[13] / 5000, e1 = d[14] / 500;
        const double t = h.t, y = h.y;
        const double W = (std::tan(t - H) * C) / (std::exp(std::abs(t - e1) * G) * E + B) + (F + y);
        return h.step(W, -D, 0.0667);
    });
}

// Items 11 "フォボス", 12 "ダイモス" and 14 "イオ": a tangent or sine over a
// small B, each with its own scale.
TEST(GalaxyFormulas, PhobosDeimosIoFirstPointsByHand) {
    for (int item : {11, 12, 14}) {
        SCOPED_TRACE(item);
        expectByHandForBothRowSets({1, item}, 50, [&](HandRotation& h, const RowDoubles& d) {
            const double B = (d[7] / 500) * 0.00001, C = d[8] / 50, D = d[9] / 500;
            const double E = d[10] / 500, F = d[11] / 500, G = d[12] / 500, H = d[13] / 500;
            const double e1 = d[14] / 500, e2 = d[15] / 500, e3 = d[16] / 5000;
            const double scale = item == 11 ? 0.00667 : item == 12 ? 0.667 : 0.5;
            const double t = h.t, y = h.y;
            double W;
            if (item == 11) {
                W = C / (std::abs(std::tan(G * t - E)) + B) + (F + y);
            } else if (item == 12) {
                W = (std::sin(e1 * t - e2) * C) / (std::abs(G * t - H) * E + B) + (F + y);
            } else {
                const double a = e1 * t - e2;
                const double u = (std::sin(a) * C) / (std::abs(G * t - H) * E + B);
                W = u + (std::cos(a) * e3 + (F + y));
            }
            return h.step(W, -D, scale);
        });
    }
}
