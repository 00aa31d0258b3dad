#include "formulas/formulatest.h"

#include "formulas/numeric.h"

#include <cmath>

using namespace orbelle;
using namespace orbelle::test;

namespace {

constexpr int kMusic = 6;

} // namespace

// Item 8: a t of exactly 0 becomes 1e-14, in W and in the rotation.
TEST(MusicFormulas, VivaldiByHand) {
    auto step = [](const ParamRows& r) {
        const double B = (r[7] / 500.0) * 0.0000001, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 10.0, F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
        const double e1 = r[14] / 50.0, e2 = r[15] / 50.0, e3 = r[16] / 500.0;
        const double e4 = r[17] / 5000.0;
        return [=](HandRotation& h) {
            if (h.t == 0)
                h.t = 1e-14;
            const double t = h.t;
            const double P = ((t - G) * t) * (t - E);
            const double u = ((t - e1) * C) / (std::abs(P) * H + B);
            const double W = u + ((std::sin(e2 / t) * e3) / t + (frac(t) * e4 + (F + h.y)));
            return h.step(W, -D, 1.0);
        };
    };
    forBothRowSets({kMusic, 8}, [&](const ParamRows& r) {
        expectFirstPointsByHand({kMusic, 8}, r, 40, step(r));
        const ParamRows zero = withRow(r, 4, 0);
        expectFirstPointsByHand({kMusic, 8}, zero, 40, step(zero));
    });
}

// Item 9: rows 15 and 17 enter unscaled; the display scale 0.1 brings
// sin(67 t) 292 back onto the canvas.
TEST(MusicFormulas, TchaikovskyByHand) {
    EXPECT_EQ(defaultRows({kMusic, 9})[15], 292);
    EXPECT_EQ(defaultRows({kMusic, 9})[17], 67);
    forBothRowSets({kMusic, 9}, [](const ParamRows& r) {
        const double B = (r[7] / 10.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 5000.0, H = r[13] / 5000.0;
        const double e1 = r[14] / 5000.0, e3 = r[16] / 500.0;
        const double r15 = r[15], r17 = r[17];
        expectFirstPointsByHand({kMusic, 9}, r, 40, [=](HandRotation& h) {
            const double t = h.t;
            const double product = (((((t - G) * t) * (t - E)) * (t + G)) * (t + E));
            const double u = C / (std::sqrt(std::sqrt(std::abs(product))) * H + B);
            const double W = u + ((std::sin(t * r17) * r15) / (std::abs(t * e1) + e3) + (F + h.y));
            return h.step(W, -D, 0.1);
        });
    });
}

// Item 11 divides by t unguarded: from t = 0, e3 / t is infinite, the
// quotient vanishes and W is F + y exactly.
TEST(MusicFormulas, MendelssohnFromZeroIsUnguarded) {
    const ParamRows r = withRow(defaultRows({kMusic, 11}), 4, 0);
    HandRotation h(r);
    const double D = r[9] / 500.0, F = r[11] / 500.0;
    const Point want = h.step(F + h.y, -D, 1.0);
    const Point got = firstPoints({kMusic, 11}, r, 1)[0];
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
}

// Item 12: its own A and no offset; D moves the figure only through W.
TEST(MusicFormulas, SchumannByHand) {
    auto check = [](const ParamRows& r) {
        HandRotation start(r);
        start.A = (r[6] / 500.0 + 499) / 500.0;
        const double B = r[7] / 500.0, C = (r[8] / 500.0) * 3, D = r[9] / 50.0;
        const double E = (r[10] / 500.0) * (-5);
        expectSamePoints({kMusic, 12}, r, pointsByHand(start, 40, [=](HandRotation& h) {
                             const double t = h.t;
                             const double u = (std::sin(B + t) * C) * std::tan(t);
                             const double W = (u * std::exp((E * t) * t) + h.y) + D;
                             return h.stepNoOffset(W, 5.71);
                         }));
    };
    forBothRowSets({kMusic, 12}, [&](const ParamRows& r) {
        check(r);
        check(withRow(r, 9, -250));
    });
}

// Item 15 turns V in place of t; with t = y at the start W and V share |t - E|.
TEST(MusicFormulas, RavelByHand) {
    auto step = [](const ParamRows& r) {
        const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0;
        return [=](HandRotation& h) {
            const double W = C / (std::abs(h.t - E) + B) + (F + h.y);
            const double V = C / (std::abs(h.y - E) + B) + (h.t - F);
            return h.stepTurning(V, W, -D, 1.33);
        };
    };
    forBothRowSets({kMusic, 15}, [&](const ParamRows& r) {
        expectFirstPointsByHand({kMusic, 15}, r, 40, step(r));
        const ParamRows level = withRow(r, 5, r[4]);
        expectFirstPointsByHand({kMusic, 15}, level, 40, step(level));
    });
}

// Items 0 to 4: every row over 500 (B over 500 times 0.00001, C over 50) and
// W = u / (d H + B) + (F + y). Item 3 takes tri, item 4 sin in d.
TEST(MusicFormulas, QuotientItemsByHand) {
    struct K {
        double B, C, D, E, F, G, H, e1, e2, e3, e4, e5, e6;
        explicit K(const RowDoubles& r)
            : B((r[7] / 500.0) * 0.00001), C(r[8] / 50.0), D(r[9] / 500.0), E(r[10] / 500.0),
              F(r[11] / 500.0), G(r[12] / 500.0), H(r[13] / 500.0), e1(r[14] / 500.0),
              e2(r[15] / 500.0), e3(r[16] / 500.0), e4(r[17] / 500.0), e5(r[18] / 500.0),
              e6(r[19] / 500.0) {}
    };
    {
        expectByHandForBothRowSets({kMusic, 0}, 40, [&](HandRotation& h, const RowDoubles& r) {
            const K k(r);
            const double t = h.t;
            const double u = (k.C * t) * t;
            const double W =
                u / ((std::abs(std::tan(k.G * t) * k.E) + t * t) * k.H + k.B) + (k.F + h.y);
            return h.step(W, -k.D, 5.0);
        });
    }
    {
        expectByHandForBothRowSets({kMusic, 1}, 40, [&](HandRotation& h, const RowDoubles& r) {
            const K k(r);
            const double t = h.t;
            const double u = (t - k.e1) * (k.C * t);
            const double d = std::abs(std::tan(k.G * t - k.e3) * k.E) + std::abs((t - k.e2) * t);
            return h.step(u / (d * k.H + k.B) + (k.F + h.y), -k.D, 4.0);
        });
    }
    {
        expectByHandForBothRowSets({kMusic, 2}, 40, [&](HandRotation& h, const RowDoubles& r) {
            const K k(r);
            const double t = h.t;
            const double v = std::abs(k.G * t - k.H) * k.E + k.B;
            const double f = frac(k.e1 * t - k.e2);
            const double lower = 1 - std::sqrt(std::abs(1 - f * f));
            return h.step((lower * k.C) / v + (k.F + h.y), -k.D, 4.0);
        });
    }
    {
        expectByHandForBothRowSets({kMusic, 3}, 40, [&](HandRotation& h, const RowDoubles& r) {
            const K k(r);
            const double t = h.t;
            const double u = (t - k.e1) * (k.C * t);
            const double w = (t - k.e2) * t;
            const double z = std::abs(std::tan(k.G * t - k.e3) * k.E);
            const double wave = std::abs(frac(k.e5 * t - k.e6) - 0.5);
            const double W = u / ((std::abs(wave * k.e4 + w) + z) * k.H + k.B) + (k.F + h.y);
            return h.step(W, -k.D, 1.0);
        });
    }
    {
        expectByHandForBothRowSets({kMusic, 4}, 40, [&](HandRotation& h, const RowDoubles& r) {
            const K k(r);
            const double t = h.t;
            const double u = (t - k.e1) * (k.C * t);
            const double v = std::abs(std::sin(k.e5 * t - k.e6) * k.e4 + (t - k.e2) * t);
            const double z = std::abs(std::tan(k.G * t - k.e3) * k.E);
            return h.step(u / ((v + z) * k.H + k.B) + (k.F + h.y), -k.D, 2.0);
        });
    }
}

// Items 5 and 6: B over 50 times 0.01, C over 100, H over 5000, e4 over 500000.
// Item 5's default "要素６" is 0, so it runs with 37 as well to reach e6.
TEST(MusicFormulas, TanSumItemsByHand) {
    auto step = [](const ParamRows& r, bool withCosine) {
        const double B = (r[7] / 50.0) * 0.01, C = r[8] / 100.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0;
        const double H = r[13] / 5000.0, e1 = r[14] / 500.0, e2 = r[15] / 500.0;
        const double e3 = r[16] / 500.0, e4 = r[17] / 500000.0, e5 = r[18] / 500.0;
        const double e6 = r[19] / 500.0;
        return [=](HandRotation& h) {
            const double t = h.t;
            double u = std::sin(e3 * t) * G + e2;
            if (withCosine)
                u = u + std::cos(t - e6) * e5;
            u = u + (e4 * t) * t;
            const double W = C / (std::abs(u + std::tan(H * t - e1) * E) + B) + (F + h.y);
            return h.step(W, -D, 4.0);
        };
    };
    forBothRowSets({kMusic, 5}, [&](const ParamRows& r5) {
        expectFirstPointsByHand({kMusic, 5}, r5, 40, step(r5, true));
    });
    const ParamRows shifted = withRow(defaultRows({kMusic, 5}), 19, 37);
    expectFirstPointsByHand({kMusic, 5}, shifted, 40, step(shifted, true));
    forBothRowSets({kMusic, 6}, [&](const ParamRows& r6) {
        expectFirstPointsByHand({kMusic, 6}, r6, 40, step(r6, false));
    });
}

// Items 7, 10, 13 and 14: a numerator over |((t - G) t)(t - E)| H + B with
// G = r12 / 10.
TEST(MusicFormulas, CubicItemsByHand) {
    struct K {
        double B, C, D, E, F, G, H, e1;
        explicit K(const ParamRows& r)
            : B((r[7] / 500.0) * 0.00001), C(r[8] / 50.0), D(r[9] / 500.0), E(r[10] / 500.0),
              F(r[11] / 500.0), G(r[12] / 10.0), H(r[13] / 500.0), e1(r[14] / 500.0) {}
        double den(double t) const { return std::abs(((t - G) * t) * (t - E)) * H + B; }
    };
    const struct {
        int item;
        double scale;
    } cases[] = {{7, 1.33}, {10, 0.8}, {13, 0.333}, {14, 0.8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        forBothRowSets({kMusic, c.item}, [&](const ParamRows& r) {
            const K k(r);
            const int item = c.item;
            const double scale = c.scale;
            expectFirstPointsByHand({kMusic, item}, r, 40, [=](HandRotation& h) {
                const double t = h.t;
                double numerator = 0;
                if (item == 7) {
                    const double u = std::pow(std::abs(t), 1.0416666666666667) * k.C;
                    numerator = u * ((std::cos(t) + 1.0001) + k.e1);
                } else if (item == 10) {
                    numerator = k.C * t;
                } else if (item == 13) {
                    numerator = std::pow(std::abs(t), 1.0666666666666667) * k.C;
                } else {
                    numerator = std::abs(t) * k.C;
                }
                return h.step(numerator / k.den(t) + (k.F + h.y), -k.D, scale);
            });
        });
    }
}

// Item 11 from its defaults: tri of the start-of-iteration y, tri(e3 / t) and
// the cubic with G = r12 / 10.
TEST(MusicFormulas, MendelssohnByHand) {
    expectByHandForBothRowSets({kMusic, 11}, 40, [&](HandRotation& h, const RowDoubles& r) {
        const double B = (r[7] / 500.0) * 0.01, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
        const double e1 = r[14] / 500.0, e2 = r[15] / 500.0, e3 = r[16] / 500.0;
        const double e4 = r[17] / 500.0;
        const double t = h.t, y = h.y;
        const double a = (tri(t) * e4 + t) * C;
        const double z = ((((t - G) * t) * (t - E)) - std::tan(t) * e2) - tri(e3 / t) * e2;
        const double W = a / (std::abs(tri(y) * e1 + z) * H + B) + (F + y);
        return h.step(W, -D, 1.0);
    });
}
