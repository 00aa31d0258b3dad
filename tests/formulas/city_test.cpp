#include "formulas/formulatest.h"

#include "formulas/numeric.h"

#include <cmath>
#include <set>
#include <utility>

using namespace orbelle;
using namespace orbelle::test;

namespace {

constexpr int kCity = 8;

// "東京" step by step: its own A, D inside W, offset -G.
std::vector<Point> tokyoByHand(const ParamRows& r, std::size_t n) {
    HandRotation start(r);
    start.A = (r[6] / 500.0 + 499) / 500.0;
    const double B = r[7] / 500.0, C = (r[8] / 500.0) * 3, D = r[9] / 50.0;
    const double E = (r[10] / 500.0) * (-5), F = r[11] / 500.0, G = r[12] / 500.0;
    const double H = r[13] / 500.0, e1 = r[14] / 500.0, e2 = r[15] / 5000.0;
    return pointsByHand(start, n, [&](HandRotation& h) {
        const double t = h.t;
        const double m = std::exp((E * t) * t) * (std::tan(t) * ((B + t) * C));
        const double f = (e2 * t + H) - static_cast<double>(trunc32(e2 * t + H));
        const double root = std::sqrt(std::abs(f));
        const double W = ((root * e1 + (F + h.y)) + m) + D;
        return h.step(W, -G, 4.44);
    });
}

// "ベルリン" step by step; z flips before it is used.
std::vector<Point> berlinByHand(const ParamRows& r, std::size_t n) {
    const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
    const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0, H = r[13] / 500.0;
    const double e1 = r[14] / 500.0, e2 = r[15] / 500.0;
    double z = r[16] / 100.0;
    return pointsByHand(HandRotation(r), n, [&](HandRotation& h) {
        const double t = h.t;
        z = -z;
        const double num = (std::sqrt(std::abs(t - e2)) * C) * std::sin(t);
        const double v = num / (std::abs((G * t) * t - H) * E + B);
        const double W = v + (std::sin((e1 * t) * t) * z + (F + h.y));
        return h.step(W, -D, 0.5);
    });
}

// "モスクワ" step by step, with its guarded denominator.
std::vector<Point> moscowByHand(const ParamRows& r, std::size_t n) {
    const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
    const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0, H = r[13] / 500.0;
    const double e1 = r[14] / 500.0, e2 = r[15] / 500.0, e3 = r[16] / 500.0;
    const double e4 = r[17] / 5000.0, e5 = r[18] / 5000.0, e6 = r[19] / 5000.0;
    return pointsByHand(HandRotation(r), n, [&](HandRotation& h) {
        const double t = h.t;
        const double a = e6 * t + e5;
        const double v = std::abs(std::tan(G * t - e3) * E) + std::abs((t - e2) * t);
        const double fa = a - static_cast<double>(trunc32(a));
        const double lower = 1 - std::sqrt(std::abs(1 - fa * fa));
        const double ea = (a - 1) - static_cast<double>(trunc32(a));
        const double upper = std::sqrt(std::abs(1 - ea * ea));
        double den = (v + lower * e4) * H + B;
        if (den == 0)
            den = 1e-24;
        const double W = (upper * e4 + (F + h.y)) + ((t - e1) * (C * t)) / den;
        return h.step(W, -D, 3.33);
    });
}

// "バグダッド" step by step.
std::vector<Point> baghdadByHand(const ParamRows& r, std::size_t n) {
    const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0, D = r[9] / 500.0;
    const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0, H = r[13] / 500.0;
    const double e1 = r[14] / 50.0;
    return pointsByHand(HandRotation(r), n, [&](HandRotation& h) {
        const double t = h.t;
        const double u = static_cast<double>(trunc32(t)) - t;
        const double v = ((t - H) * (C * t)) / (std::abs(((t - E) * t) * (t - G)) + B);
        const double W = v + ((F + h.y) - std::cos(t) * ((u * e1) * u));
        return h.step(W, -D, 0.667);
    });
}

} // namespace

TEST(CityFormulas, FirstPointsMatchTheStepWrittenOut) {
    const FormulaId tokyo{kCity, 0}, berlin{kCity, 6}, moscow{kCity, 8}, baghdad{kCity, 13};
    using ByHand = std::vector<Point> (*)(const ParamRows&, std::size_t);
    const std::pair<FormulaId, ByHand> walked[] = {{tokyo, tokyoByHand},
                                                   {berlin, berlinByHand},
                                                   {moscow, moscowByHand},
                                                   {baghdad, baghdadByHand}};
    for (const auto& walk : walked) {
        forBothRowSets(walk.first, [&](const ParamRows& r) {
            expectSamePoints(walk.first, r, walk.second(r, 50));
        });
    }

    // "定数Ｇ" = 0: no offset at all, so a -0 coordinate stays -0.
    ParamRows noG = defaultRows(tokyo);
    noG[12] = 0;
    expectSamePoints(tokyo, noG, tokyoByHand(noG, 30));

    // An integral start makes the fraction term of "バグダッド" vanish.
    ParamRows integral = defaultRows(baghdad);
    integral[4] = 500;
    expectSamePoints(baghdad, integral, baghdadByHand(integral, 30));

    // "ベルリン" with "要素３" = 0: the alternating term is zero either way.
    ParamRows still = defaultRows(berlin);
    still[16] = 0;
    expectSamePoints(berlin, still, berlinByHand(still, 30));
}

// In the exponential items "定数Ｄ" enters W (and so is turned with it) while
// "定数Ｇ" shifts both coordinates of the rotated point alike.
TEST(CityFormulas, ExponentialItemsShiftByG) {
    for (int item : {0, 1, 2, 7, 9}) {
        const FormulaId id{kCity, item};
        const ParamRows base = defaultRows(id);
        const Point p = firstPoints(id, base, 1)[0];

        ParamRows shiftedG = base;
        shiftedG[12] += 100; // G grows by 0.2
        const Point g = firstPoints(id, shiftedG, 1)[0];
        EXPECT_NEAR(p.x - g.x, p.y - g.y, 1e-9) << "item " << item;
        EXPECT_GT(p.x - g.x, 0.1) << "item " << item;

        ParamRows shiftedD = base;
        shiftedD[9] += 100;
        const Point d = firstPoints(id, shiftedD, 1)[0];
        EXPECT_GT(std::abs((p.x - d.x) - (p.y - d.y)), 0.1) << "item " << item;
    }
}

TEST(CityFormulas, ZeroDenominatorsAreGuardedOnlyWhereIntended) {
    // B = 0 and H = 0 make the denominator of "モスクワ" exactly zero at once;
    // the guard turns it into 1e-24 and the first point stays finite.
    ParamRows zeroDen = defaultRows({kCity, 8});
    zeroDen[7] = 0;
    zeroDen[13] = 0;
    const auto moscow = firstPoints({kCity, 8}, zeroDen, 3);
    EXPECT_TRUE(std::isfinite(moscow[0].x) && std::isfinite(moscow[0].y));
    expectSamePoints({kCity, 8}, zeroDen, moscowByHand(zeroDen, 3));

    ParamRows washington = defaultRows({kCity, 3});
    washington[7] = 0;
    washington[13] = 0;
    const Point w = firstPoints({kCity, 3}, washington, 1)[0];
    EXPECT_TRUE(std::isfinite(w.x) && std::isfinite(w.y));
    EXPECT_GT(std::abs(w.x), 1e20);

    // "エルサレム" divides by tent(H, e1, t) G + B unguarded: B = G = 0 gives
    // a division by zero and a point off every canvas.
    ParamRows jerusalem = defaultRows({kCity, 11});
    jerusalem[7] = 0;
    jerusalem[12] = 0;
    const Point j = firstPoints({kCity, 11}, jerusalem, 1)[0];
    EXPECT_FALSE(std::isfinite(j.x) && std::isfinite(j.y));
}

namespace {

// The fraction v - trunc32(v), written out.
double fractionOf(double v) { return v - static_cast<double>(trunc32(v)); }

// The constants of the exponential items and their term exp((E t) t) (tan(t) ((B + t) C)).
struct ExponentialRows {
    double A, B, C, D, E, F, G, H, e1, e2;
    ExponentialRows(const ParamRows& r, double e2Divisor)
        : A((r[6] / 500.0 + 499) / 500.0), B(r[7] / 500.0), C((r[8] / 500.0) * 3), D(r[9] / 50.0),
          E((r[10] / 500.0) * (-5)), F(r[11] / 500.0), G(r[12] / 500.0), H(r[13] / 500.0),
          e1(r[14] / 500.0), e2(r[15] / e2Divisor) {}
    double m(double t) const { return std::exp((E * t) * t) * (std::tan(t) * ((B + t) * C)); }
    // The start state with this A in place of the common one.
    HandRotation start(const ParamRows& r) const {
        HandRotation h(r);
        h.A = A;
        return h;
    }
};

} // namespace

// The items not walked above, each written out from its own constants and W.
TEST(CityFormulas, RemainingFirstPointsMatchTheStepWrittenOut) {
    constexpr std::size_t n = 40;
    {
        SCOPED_TRACE("京都");
        forBothRowSets({kCity, 1}, [&](const ParamRows& r) {
            const ExponentialRows k(r, 5000.0);
            expectSamePoints({kCity, 1}, r, pointsByHand(k.start(r), n, [&](HandRotation& h) {
                                 const double t = h.t, y = h.y;
                                 const double f = fractionOf(k.e2 * t + k.H);
                                 const double W = (((f * f) * k.e1 + (k.F + y)) + k.m(t)) + k.D;
                                 return h.step(W, -k.G, 4.0);
                             }));
        });
    }
    {
        SCOPED_TRACE("ニューヨーク");
        forBothRowSets({kCity, 2}, [&](const ParamRows& r) {
            const ExponentialRows k(r, 5000.0);
            expectSamePoints({kCity, 2}, r, pointsByHand(k.start(r), n, [&](HandRotation& h) {
                                 const double t = h.t, y = h.y;
                                 const double f = fractionOf(k.e2 * t + k.H);
                                 const double lower = 1 - std::sqrt(std::abs(1 - f * f));
                                 const double W = ((lower * k.e1 + (k.F + y)) + k.m(t)) + k.D;
                                 return h.step(W, -k.G, 4.0);
                             }));
        });
    }
    {
        SCOPED_TRACE("ワシントン");
        expectByHandForBothRowSets({kCity, 3}, n, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0;
            const double H = r[13] / 500.0, e1 = r[14] / 500.0, e2 = r[15] / 500.0;
            const double e3 = r[16] / 500.0, e4 = r[17] / 500.0, e5 = r[18] / 500.0;
            const double e6 = r[19] / 500.0;
            const double t = h.t, y = h.y;
            const double v = std::abs(std::tan(G * t - e3) * E) + std::abs((t - e2) * t);
            double den = (v + std::asin(fractionOf(e6 * t + e5)) * e4) * H + B;
            if (den == 0)
                den = 1e-24;
            return h.step(((t - e1) * (C * t)) / den + (F + y), -D, 4.0);
        });
    }
    {
        SCOPED_TRACE("パリ");
        expectByHandForBothRowSets({kCity, 4}, n, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 10.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0;
            const double t = h.t, y = h.y;
            const double u = std::cos(t - G) * C;
            return h.step(u / (std::abs(std::log(std::abs(t) + 0.5)) * E + B) + (F + y), -D, 0.4);
        });
    }
    {
        SCOPED_TRACE("ロンドン");
        expectByHandForBothRowSets({kCity, 5}, n, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 10.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 100.0;
            const double H = r[13] / 500.0;
            const double t = h.t, y = h.y;
            const double u = std::cos(t - H) * C;
            const double W = u / (std::abs(std::atan(G + t) * std::atan(t)) * E + B) + (F + y);
            return h.step(W, -D, 0.667);
        });
    }
    {
        SCOPED_TRACE("北京");
        forBothRowSets({kCity, 7}, [&](const ParamRows& r) {
            const ExponentialRows k(r, 500000.0);
            expectSamePoints({kCity, 7}, r, pointsByHand(k.start(r), n, [&](HandRotation& h) {
                                 const double t = h.t, y = h.y;
                                 const double f = fractionOf((k.e2 * t) * t + k.H);
                                 const double W = (((f * f) * k.e1 + (k.F + y)) + k.m(t)) + k.D;
                                 return h.step(W, -k.G, 3.08);
                             }));
        });
    }
    {
        SCOPED_TRACE("ソウル");
        forBothRowSets({kCity, 9}, [&](const ParamRows& r) {
            const ExponentialRows k(r, 500000.0);
            const double e3 = r[16] / 500000.0, e4 = r[17] / 500.0, e5 = r[18] / 500.0;
            expectSamePoints({kCity, 9}, r, pointsByHand(k.start(r), n, [&](HandRotation& h) {
                                 const double t = h.t, y = h.y;
                                 const double f = fractionOf((k.e2 * t) * t + k.H);
                                 const double arc = std::asin(fractionOf(e3 * t + e5)) * e4;
                                 const double W =
                                     (((f * f) * k.e1 + (arc + (k.F + y))) + k.m(t)) + k.D;
                                 return h.step(W, -k.G, 2.67);
                             }));
        });
    }
    {
        SCOPED_TRACE("ローマ");
        expectByHandForBothRowSets({kCity, 10}, n, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0;
            const double H = r[13] / 500.0, e1 = r[14] / 500.0, e2 = r[15] / 500.0;
            const double e3 = r[16] / 500.0;
            const double t = h.t, y = h.y;
            const double u = (t - e1) * (C * t);
            const double v = std::exp(-(t * t)) * E;
            const double spread = std::abs(v * std::tan(G * t - e3)) + std::abs((t - e2) * t);
            return h.step(u / (spread * H + B) + (F + y), -D, 4.0);
        });
    }
    {
        SCOPED_TRACE("エルサレム");
        expectByHandForBothRowSets({kCity, 11}, n, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 10.0, F = r[11] / 500.0, G = r[12] / 500.0;
            const double H = r[13] / 10.0, e1 = r[14] / 10.0, e2 = r[15] / 500.0;
            const double e3 = r[16] / 500.0;
            const double t = h.t, y = h.y;
            double tentH;
            if (-H < t && t <= 0) {
                tentH = (e1 / H) * t + e1;
            } else if (0 < t && t < H) {
                tentH = e1 - (e1 / H) * t;
            } else {
                tentH = (t - H) * (H + t);
            }
            const double u = (t - E) * C;
            const double v = fractionOf(std::tan(t * e3)) * e2 + (y + F);
            return h.step(u / (tentH * G + B) + v, -D, 0.8);
        });
    }
    {
        SCOPED_TRACE("バチカン");
        expectByHandForBothRowSets({kCity, 12}, n, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 10.0;
            const double H = r[13] / 500.0, e1 = r[14] / 5000.0, e2 = r[15] / 50.0;
            const double t = h.t, y = h.y;
            const double u = (C * t) / (std::abs(((t - G) * t) * (t - E)) * H + B);
            const double stair = static_cast<double>(trunc32(std::sin(t) * e2));
            return h.step(u + (stair * e1 + (F + y)), -D, 0.8);
        });
    }
}
