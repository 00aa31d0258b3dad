#include "formulas/formulatest.h"

#include "formulas/numeric.h"

#include <cmath>

using namespace orbelle;
using namespace orbelle::test;

namespace {

constexpr int kWheel = 7;

// The row-derived constants of the +D items; fine selects the scaling of
// items 3, 7 and 13. The rows are the integers or the same values as doubles.
struct DampedConstants {
    double B, C, D, E, F, G, H, e1, e2, e3, e4, e5, e6;
    template <class Rows>
    DampedConstants(const Rows& r, bool fine)
        : B((r[7] / 50.0) * (fine ? 0.01 : 0.1)), C(r[8] / 100.0), D(r[9] / 500.0),
          E(r[10] / 500.0), F(r[11] / 500.0), G(r[12] / 500.0), H(r[13] / 50.0), e1(r[14] / 500.0),
          e2(r[15] / 500.0), e3(r[16] / 500.0), e4(fine ? r[17] / 5000000000.0 : r[17] / 500000.0),
          e5(r[18] / 500.0), e6(fine ? r[19] / 50000000000.0 : r[19] / 500.0) {}
};

} // namespace

// With B, H, e2 and e6 at 0 and t0 = 0 every denominator is exactly 0: items
// 0, 6 and 7 replace it by 1e-24, the others divide by it.
TEST(WheelFormulas, OnlyItems0And6And7GuardTheDenominator) {
    ParamRows r{};
    r[0] = 200;
    r[1] = 16;
    r[8] = 100;
    for (int item : {0, 6, 7}) {
        const Point p = firstPoints({kWheel, item}, r, 1)[0];
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << "item " << item;
        EXPECT_GT(std::abs(p.x), 1e20) << "item " << item;
    }
    for (int item : {1, 2, 3, 4, 5, 13}) {
        const Point p = firstPoints({kWheel, item}, r, 1)[0];
        EXPECT_FALSE(std::isfinite(p.x)) << "item " << item;
    }
}

// Item 0: zero guard on t, damped term with exp and sin, guarded denominator.
TEST(WheelFormulas, LexusByHand) {
    auto step = [](const ParamRows& r) {
        const DampedConstants k(r, false);
        return [=](HandRotation& h) {
            if (h.t == 0)
                h.t = 1e-14;
            const double t = h.t;
            double u = (std::exp(k.e4 * t - k.e3) * k.e2) * t;
            u = std::abs(u * std::sin((k.E * t) * t - k.e5)) + k.B;
            u = u - std::cos(t) * (k.e6 * t);
            double den = u + tri(k.e1 / t + k.G) * k.H;
            if (den == 0)
                den = 1e-24;
            return h.step(k.C / den + (k.F + h.y), k.D, 13.3);
        };
    };
    forBothRowSets({kWheel, 0}, [&](const ParamRows& r) {
        expectFirstPointsByHand({kWheel, 0}, r, 40, step(r));
        const ParamRows zero = withRow(r, 4, 0);
        expectFirstPointsByHand({kWheel, 0}, zero, 40, step(zero));
    });
}

// Item 3: the root guard; t = 0 stays 0 while q becomes 1e-14.
TEST(WheelFormulas, PorscheByHand) {
    auto step = [](const ParamRows& r) {
        const DampedConstants k(r, true);
        return [=](HandRotation& h) {
            const double t = h.t;
            double q = std::sqrt(std::abs(std::sin(t)));
            if (q == 0)
                q = 1e-14;
            double u = (std::exp(k.e4 * t - k.e3) * k.e2) * t;
            u = std::abs(u * std::sin((k.E * t) * t - k.e5)) + k.B;
            u = u + std::abs(std::cos(t) * ((((t * t) * t) * t) * k.e6));
            return h.step(k.C / (tri(k.e1 / q + k.G) * k.H + u) + (k.F + h.y), k.D, 13.3);
        };
    };
    forBothRowSets({kWheel, 3}, [&](const ParamRows& r) {
        expectFirstPointsByHand({kWheel, 3}, r, 40, step(r));
        const ParamRows zero = withRow(r, 4, 0);
        expectFirstPointsByHand({kWheel, 3}, zero, 40, step(zero));
    });
}

// Item 4: powers of two and a cosine wave.
TEST(WheelFormulas, FerrariByHand) {
    expectByHandForBothRowSets({kWheel, 4}, 40, [&](HandRotation& h, const RowDoubles& r) {
        const DampedConstants k(r, false);
        if (h.t == 0)
            h.t = 1e-14;
        const double t = h.t;
        const double m = std::cos((k.E * t) * t - k.e5);
        const double u = std::abs(((std::exp2(k.e4 * t - k.e3) * k.e2) * t) * m) + k.B;
        return h.step(k.C / (tri(k.e1 / t + k.G) * k.H + u) + (k.F + h.y), k.D, 13.3);
    });
}

// Item 11: the -D family with all rows over 500.
TEST(WheelFormulas, JaguarByHand) {
    expectByHandForBothRowSets({kWheel, 11}, 40, [&](HandRotation& h, const RowDoubles& r) {
        const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0, H = r[13] / 500.0;
        const double e1 = r[14] / 500.0, e2 = r[15] / 500.0, e3 = r[16] / 500.0;
        const double e4 = r[17] / 500.0, e5 = r[18] / 500.0, e6 = r[19] / 500.0;
        const double t = h.t;
        const double u = (t - e1) * (C * t);
        const double v = std::abs(std::sin((e5 * t) * t - e6) * e4 + (t - e2) * t);
        const double W = u / ((v + std::abs(std::tan((G * t) * t - e3) * E)) * H + B) + (F + h.y);
        return h.step(W, -D, 5.0);
    });
}

// Item 12: plotted unscaled.
TEST(WheelFormulas, VolvoByHand) {
    expectByHandForBothRowSets({kWheel, 12}, 40, [&](HandRotation& h, const RowDoubles& r) {
        const double B = (r[7] / 50.0) * 0.01, C = r[8] / 100.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0, H = r[13] / 5000.0;
        const double e1 = r[14] / 500.0, e2 = r[15] / 500.0, e3 = r[16] / 500.0;
        const double t = h.t;
        const double u = (((std::sqrt(std::abs(t - e3)) * G) * (e3 + t)) + e2) * E;
        const double W = C / (std::abs(u * std::tan(H * t - e1)) + B) + (F + h.y);
        return h.step(W, -D, 1.0);
    });
}

// Items 1 and 2: tri((e1 t) t + G) H + u over a log-sine or a sine term; no
// guard on t.
TEST(WheelFormulas, RoadsterAndFairladyByHand) {
    for (int item : {1, 2}) {
        SCOPED_TRACE(item);
        expectByHandForBothRowSets({kWheel, item}, 40, [&](HandRotation& h, const RowDoubles& r) {
            const DampedConstants k(r, false);
            const double t = h.t;
            const double wave = std::sin((k.E * t) * t);
            const double u = item == 1 ? std::abs((std::log(std::abs(t)) * t) * wave) + k.B
                                       : std::abs(wave * t) + k.B;
            const double W = k.C / (tri((k.e1 * t) * t + k.G) * k.H + u) + (k.F + h.y);
            return h.step(W, k.D, item == 1 ? 8.0 : 10.0);
        });
    }
}

// Items 5, 6 and 13: the zero guard on t, also from "初期Ｘ" = 0.
TEST(WheelFormulas, ZeroGuardedItemsByHand) {
    auto lamborghini = [](const ParamRows& r) {
        const DampedConstants k(r, false);
        return [=](HandRotation& h) {
            if (h.t == 0)
                h.t = 1e-14;
            const double t = h.t;
            double u = (std::exp(k.e4 * t - k.e3) * k.e2) * t;
            u = std::abs(u * std::sin((k.E * t) * t)) + k.B;
            return h.step(k.C / (tri(k.e1 / t + k.G) * k.H + u) + (k.F + h.y), k.D, 13.3);
        };
    };
    auto wagen = [](const ParamRows& r) {
        const DampedConstants k(r, false);
        return [=](HandRotation& h) {
            if (h.t == 0)
                h.t = 1e-14;
            const double t = h.t;
            double u = (std::exp2(k.e4 * t - k.e3) * k.e2) * t;
            u = std::abs(u * std::sin((k.E * t) * t - k.e5)) + k.B;
            u = u - std::cos(t) * k.e6;
            double den = tri(k.e1 / t + k.G) * k.H + u;
            if (den == 0)
                den = 1e-24;
            return h.step(k.C / den + (k.F + h.y), k.D, 13.3);
        };
    };
    auto renault = [](const ParamRows& r) {
        const DampedConstants k(r, true);
        return [=](HandRotation& h) {
            if (h.t == 0)
                h.t = 1e-14;
            const double t = h.t;
            double u = (std::exp(k.e4 * t - k.e3) * k.e2) * t;
            u = std::abs(u * std::sin((k.E * t) * t - k.e5)) + k.B;
            u = u + std::abs(std::cos(t) * ((((t * t) * t) * t) * k.e6));
            return h.step(k.C / (tri(k.e1 / t + k.G) * k.H + u) + (k.F + h.y), k.D, 13.3);
        };
    };
    for (int start : {-1, 0}) {
        for (bool second : {false, true}) {
            SCOPED_TRACE(testing::Message() << "t0 " << start << (second ? " second rows" : ""));
            auto rows = [&](int item) {
                const ParamRows r =
                    second ? secondRows({kWheel, item}) : defaultRows({kWheel, item});
                return start == 0 ? withRow(r, 4, 0) : r;
            };
            const ParamRows r5 = rows(5), r6 = rows(6), r13 = rows(13);
            expectFirstPointsByHand({kWheel, 5}, r5, 40, lamborghini(r5));
            expectFirstPointsByHand({kWheel, 6}, r6, 40, wagen(r6));
            expectFirstPointsByHand({kWheel, 13}, r13, 40, renault(r13));
        }
    }
}

// Item 7: the root guard, the fine scaling and a guarded denominator.
TEST(WheelFormulas, CadillacByHand) {
    auto step = [](const ParamRows& r) {
        const DampedConstants k(r, true);
        return [=](HandRotation& h) {
            const double t = h.t;
            double q = std::sqrt(std::abs(std::sin(t)));
            if (q == 0)
                q = 1e-14;
            double u = (std::exp(k.e4 * t - k.e3) * k.e2) * t;
            u = std::abs(u * std::sin((k.E * t) * t - k.e5)) + k.B;
            u = u - std::cos(t) * ((((t * t) * t) * t) * k.e6);
            double den = u + tri(k.e1 / q + k.G) * k.H;
            if (den == 0)
                den = 1e-24;
            return h.step(k.C / den + (k.F + h.y), k.D, 13.3);
        };
    };
    forBothRowSets({kWheel, 7}, [&](const ParamRows& r) {
        expectFirstPointsByHand({kWheel, 7}, r, 40, step(r));
        const ParamRows zero = withRow(r, 4, 0);
        expectFirstPointsByHand({kWheel, 7}, zero, 40, step(zero));
    });
}

// Items 8 to 10: tangent terms over |(t - e2) t|, every row over 500.
TEST(WheelFormulas, TangentItemsByHand) {
    struct K {
        double B, C, D, E, F, G, H, e1, e2, e3, e4, e5;
        explicit K(const RowDoubles& r)
            : B((r[7] / 500.0) * 0.00001), C(r[8] / 50.0), D(r[9] / 500.0), E(r[10] / 500.0),
              F(r[11] / 500.0), G(r[12] / 500.0), H(r[13] / 500.0), e1(r[14] / 500.0),
              e2(r[15] / 500.0), e3(r[16] / 500.0), e4(r[17] / 500.0), e5(r[18] / 500.0) {}
    };
    const double scales[] = {3.33, 4.0, 2.67};
    for (int item : {8, 9, 10}) {
        SCOPED_TRACE(item);
        expectByHandForBothRowSets({kWheel, item}, 40, [&](HandRotation& h, const RowDoubles& r) {
            const K k(r);
            const double scale = scales[item - 8];
            const double t = h.t;
            const double u = (t - k.e1) * (k.C * t);
            double tangents = 0;
            if (item == 8) {
                const double v = std::tan((k.G * t) * t - k.e3) * k.E;
                tangents = std::abs(v * std::tan((k.e5 * t) * t - k.e4));
            } else if (item == 9) {
                tangents = std::abs(std::tan((k.G * t) * t - k.e3) * k.E);
            } else {
                const double g = k.G * t;
                tangents = std::abs((std::tan(g - k.e3) * k.E) * std::tan(g - k.e4));
            }
            const double d = tangents + std::abs((t - k.e2) * t);
            return h.step(u / (d * k.H + k.B) + (k.F + h.y), -k.D, scale);
        });
    }
}

// Item 14: C / (|tan(H t - e1) (((G t) t + e2) E)| + B) + (F + y), scale 1.14.
TEST(WheelFormulas, AudiByHand) {
    expectByHandForBothRowSets({kWheel, 14}, 40, [&](HandRotation& h, const RowDoubles& r) {
        const double B = (r[7] / 50.0) * 0.01, C = r[8] / 100.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0, H = r[13] / 5000.0;
        const double e1 = r[14] / 500.0, e2 = r[15] / 500.0;
        const double t = h.t;
        const double W =
            C / (std::abs(std::tan(H * t - e1) * (((G * t) * t + e2) * E)) + B) + (F + h.y);
        return h.step(W, -D, 1.14);
    });
}
