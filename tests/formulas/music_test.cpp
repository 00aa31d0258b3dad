#include "formulatest.h"

#include "numeric.h"

#include <cmath>

using namespace orbelle;
using namespace orbelle::test;

namespace {

constexpr int kMusic = 6;
constexpr int kMusicCount = 16;

// The state and rotation of a music step, written out independently of the
// library: X = ((c v) - ((A W) s)) + delta, Y = ((W c) + (((A v) K) s)) + delta,
// where v is t except in item 15.
struct HandRotation {
    double t, y, A, K, c, s;

    explicit HandRotation(const ParamRows& r)
        : t(r[4] / 10.0), y(r[5] / 10.0), A((r[6] / 1000.0 + 999.5) / 1000.0),
          K((r[3] + 999999999600.0) / 1000000000000.0) {
        const double theta = r[2] * 0.000001 + 6.283185307179586 / r[1];
        c = std::cos(theta);
        s = std::sin(theta);
    }

    Point turn(double v, double W, double delta, double scale) {
        const double X = ((c * v) - ((A * W) * s)) + delta;
        const double Y = ((W * c) + (((A * v) * K) * s)) + delta;
        t = X;
        y = Y;
        return {X * scale, Y * scale};
    }
};

// Compares a formula's first points with a hand-written step, bit for bit.
template <class Step> void expectByHand(FormulaId id, const ParamRows& r, Step step) {
    HandRotation h(r);
    const auto points = firstPoints(id, r, 40);
    for (std::size_t k = 0; k < points.size(); ++k) {
        const Point want = step(h);
        ASSERT_EQ(points[k].x, want.x) << "point " << k;
        ASSERT_EQ(points[k].y, want.y) << "point " << k;
    }
}

ParamRows withRow(ParamRows r, int row, std::int32_t value) {
    r[row] = value;
    return r;
}

} // namespace

TEST(MusicFormulas, DotCountsWithDefaults) {
    for (int item = 0; item < kMusicCount; ++item) {
        const FormulaId id{kMusic, item};
        const std::int64_t n = std::int64_t{defaultRows(id)[0]} * 500;
        const bool fromZero = item == 5 || item == 6;
        EXPECT_EQ(defaultDotCount(id), fromZero ? n + 1 : n) << "item " << item;
    }
    EXPECT_EQ(defaultDotCount({kMusic, 5}), 100001);
    EXPECT_EQ(defaultDotCount({kMusic, 6}), 100001);
    EXPECT_EQ(defaultDotCount({kMusic, 10}), 151000);
}

TEST(MusicFormulas, EveryItemDrawsAFiniteFigure) {
    for (int item = 0; item < kMusicCount; ++item) {
        const auto points = firstPoints({kMusic, item}, 2000);
        bool moved = false;
        for (const Point& p : points) {
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << "item " << item;
            moved = moved || p.x != points[0].x || p.y != points[0].y;
        }
        EXPECT_TRUE(moved) << "item " << item;
    }
}

// Item 8: a t of exactly 0 becomes 1e-14, in W and in the rotation.
TEST(MusicFormulas, VivaldiByHand) {
    auto step = [](const ParamRows& r) {
        const double B = (r[7] / 500.0) * 0.0000001, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 10.0, F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
        const double e1 = r[14] / 50.0, e2 = r[15] / 50.0, e3 = r[16] / 500.0;
        const double e4 = r[17] / 5000.0;
        return [=](HandRotation& h) {
            if (h.t == 0) h.t = 1e-14;
            const double t = h.t;
            const double P = ((t - G) * t) * (t - E);
            const double u = ((t - e1) * C) / (std::abs(P) * H + B);
            const double W = u + ((std::sin(e2 / t) * e3) / t + (frac(t) * e4 + (F + h.y)));
            return h.turn(t, W, -D, 1.0);
        };
    };
    const ParamRows r = defaultRows({kMusic, 8});
    expectByHand({kMusic, 8}, r, step(r));
    const ParamRows zero = withRow(r, 4, 0);
    expectByHand({kMusic, 8}, zero, step(zero));
}

// Item 9: rows 15 and 17 enter unscaled; the display scale 0.1 brings
// sin(67 t) 292 back onto the canvas.
TEST(MusicFormulas, TchaikovskyByHand) {
    const ParamRows r = defaultRows({kMusic, 9});
    const double B = (r[7] / 10.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
    const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 5000.0, H = r[13] / 5000.0;
    const double e1 = r[14] / 5000.0, e3 = r[16] / 500.0;
    const double r15 = r[15], r17 = r[17];
    EXPECT_EQ(r15, 292.0);
    EXPECT_EQ(r17, 67.0);
    expectByHand({kMusic, 9}, r, [=](HandRotation& h) {
        const double t = h.t;
        const double product = (((((t - G) * t) * (t - E)) * (t + G)) * (t + E));
        const double u = C / (std::sqrt(std::sqrt(std::abs(product))) * H + B);
        const double W = u + ((std::sin(t * r17) * r15) / (std::abs(t * e1) + e3) + (F + h.y));
        return h.turn(t, W, -D, 0.1);
    });
}

// Item 11 divides by t unguarded: from t = 0, e3 / t is infinite, the
// quotient vanishes and W is F + y exactly.
TEST(MusicFormulas, MendelssohnFromZeroIsUnguarded) {
    const ParamRows r = withRow(defaultRows({kMusic, 11}), 4, 0);
    HandRotation h(r);
    const double D = r[9] / 500.0, F = r[11] / 500.0;
    const Point want = h.turn(0.0, F + h.y, -D, 1.0);
    const Point got = firstPoints({kMusic, 11}, r, 1)[0];
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
}

// Item 12: its own A and no offset; D moves the figure only through W.
TEST(MusicFormulas, SchumannByHand) {
    auto step = [](const ParamRows& r) {
        const double A = (r[6] / 500.0 + 499) / 500.0;
        const double B = r[7] / 500.0, C = (r[8] / 500.0) * 3, D = r[9] / 50.0;
        const double E = (r[10] / 500.0) * (-5);
        return [=](HandRotation& h) {
            const double t = h.t;
            const double u = (std::sin(B + t) * C) * std::tan(t);
            const double W = (u * std::exp((E * t) * t) + h.y) + D;
            const double X = (h.c * t) - ((A * W) * h.s);
            const double Y = (W * h.c) + (((A * t) * h.K) * h.s);
            h.t = X;
            h.y = Y;
            return Point{X * 5.71, Y * 5.71};
        };
    };
    const ParamRows r = defaultRows({kMusic, 12});
    expectByHand({kMusic, 12}, r, step(r));
    const ParamRows moved = withRow(r, 9, -250);
    expectByHand({kMusic, 12}, moved, step(moved));
}

// Item 15 turns V in place of t; with t = y at the start W and V share |t - E|.
TEST(MusicFormulas, RavelByHand) {
    auto step = [](const ParamRows& r) {
        const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0;
        return [=](HandRotation& h) {
            const double W = C / (std::abs(h.t - E) + B) + (F + h.y);
            const double V = C / (std::abs(h.y - E) + B) + (h.t - F);
            return h.turn(V, W, -D, 1.33);
        };
    };
    const ParamRows r = defaultRows({kMusic, 15});
    expectByHand({kMusic, 15}, r, step(r));
    const ParamRows level = withRow(r, 5, r[4]);
    expectByHand({kMusic, 15}, level, step(level));
}
