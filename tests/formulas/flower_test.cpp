#include "formulas/formulatest.h"
#include "formulas/numeric.h"

#include <cmath>

using namespace orbelle;
using namespace orbelle::test;

namespace {

constexpr int kFlower = 2;
constexpr std::size_t kHandPoints = 40;

// The power formulas: exponent and display scale.
struct PowerCase {
    int item;
    double p;
    double scale;
};
constexpr PowerCase kPowerCases[] = {
    {1, 0.8571428571428571, 0.8},
    {2, 1.5, 0.267},
    {3, 1.0416666666666667, 1.0},
    {6, 1.1, 1.0},
    {7, 0.75, 0.4},
    {8, 1.1666666666666667, 0.8},
    {10, 0.9, 0.8},
    {13, 1.1111111111111112, 0.8},
    {14, 1.3333333333333333, 0.444},
    {15, 0.8, 0.571},
};

} // namespace

TEST(FlowerFormulas, PowerFormulasByHand) {
    for (const PowerCase& pc : kPowerCases) {
        SCOPED_TRACE(pc.item);
        expectByHandForBothRowSets(
            {kFlower, pc.item}, kHandPoints, [&](HandRotation& h, const RowDoubles& r) {
                const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
                const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 10.0,
                             H = r[13] / 500.0;
                const double num = std::pow(std::abs(h.t), pc.p) * C;
                const double den = std::abs(((h.t - G) * h.t) * (h.t - E)) * H + B;
                const double W = num / den + (F + h.y);
                return h.step(W, -D, pc.scale);
            });
    }
}

// At t = 0 the power term vanishes, also where G = E = 0 leaves only B below.
TEST(FlowerFormulas, PowerTermVanishesAtZero) {
    for (const PowerCase& pc : kPowerCases) {
        SCOPED_TRACE(pc.item);
        ParamRows r = defaultRows({kFlower, pc.item});
        r[4] = 0;
        r[10] = 0;
        r[12] = 0;
        r[7] = 1;
        HandRotation h(r);
        const Point q = h.step(r[11] / 500.0 + r[5] / 10.0, -(r[9] / 500.0), pc.scale);
        const Point p = firstPoints({kFlower, pc.item}, r, 1)[0];
        EXPECT_EQ(p.x, q.x);
        EXPECT_EQ(p.y, q.y);
    }
}

TEST(FlowerFormulas, CherryBlossomByHand) {
    expectByHandForBothRowSets(
        {kFlower, 0}, kHandPoints, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
            const double e1 = r[14] / 500.0;
            const double t = h.t;
            const double num =
                (std::pow(std::abs(t), 1.0416666666666667) * C) * ((std::sin(t) + 1.0001) + e1);
            const double W = num / (std::abs(((t - G) * t) * (t - E)) * H + B) + (F + h.y);
            return h.step(W, -D, 0.615);
        });
}

// Own A, and D only inside W: the rotation adds no offset at all.
TEST(FlowerFormulas, SunflowerByHand) {
    forBothRowSets({kFlower, 4}, [&](const ParamRows& r) {
        HandRotation start(r);
        start.A = (r[6] / 500.0 + 499) / 500;
        const double B = (r[7] / 50.0) * 0.01, C = r[8] * 0.5, D = r[9] / 500.0;
        expectSamePoints({kFlower, 4}, r, pointsByHand(start, kHandPoints, [&](HandRotation& h) {
                             const double W =
                                 ((C / std::sqrt(std::atan(h.t) * std::atan(h.t) + B)) + h.y) + D;
                             return h.stepNoOffset(W, 0.133);
                         }));
    });
}

// With a half turn (c = -1) and W = 0 the first X is -0; an added +0 offset
// would turn it into +0.
TEST(FlowerFormulas, SunflowerHasNoOffset) {
    ParamRows r = defaultRows({kFlower, 4});
    r[1] = 2;
    r[2] = 0;
    r[4] = 0;
    r[5] = 0;
    r[8] = 0;
    r[9] = 0;
    const Point p = firstPoints({kFlower, 4}, r, 1)[0];
    EXPECT_EQ(p.x, 0.0);
    EXPECT_TRUE(std::signbit(p.x));
}

TEST(FlowerFormulas, CyclamenByHand) {
    expectByHandForBothRowSets(
        {kFlower, 17}, kHandPoints, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 5000.0,
                         H = r[13] / 500.0;
            const double e1 = r[14] / 500.0, e2 = r[15] / 500.0, e3 = r[16] / 500.0;
            const double e4 = r[17] / 500.0, e5 = r[18] / 500.0, e6 = r[19] / 500.0;
            const double t = h.t;
            const double first = tri(e2 * t - e3) * e1;
            const double second = tri(e5 * t - e4) * e6 + (F + h.y);
            const double third = ((t - H) * C) / (std::abs(((t - E) * t) * (t - G)) + B);
            return h.step((first + second) + third, -D, 0.444);
        });
}

// The flowers with their own perturbation, each W written out from the rows
// for the current (t, y); all of them are offset by -D.
namespace {

struct OwnFlowerCase {
    int item;
    double scale;
    double (*D)(const RowDoubles& r);
    double (*W)(const RowDoubles& r, double t, double y);
};

const OwnFlowerCase kOwnFlowerCases[] = {
    // "アジサイ": C / (|t - E| + B) + (F + y).
    {5, 4.0, [](const RowDoubles& r) { return r[9] / 200.0; },
     [](const RowDoubles& r, double t, double y) {
         const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 500.0;
         const double E = r[10] / 500.0, F = r[11] / 200.0;
         return C / (std::abs(t - E) + B) + (F + y);
     }},
    // "アサガオ": ((tri(e2 t - e3) e1 + (F + y)) + ((t - H) C) / (|((t - E) t)(t - G)| + B).
    {9, 0.571, [](const RowDoubles& r) { return r[9] / 500.0; },
     [](const RowDoubles& r, double t, double y) {
         const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0;
         const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 5000.0;
         const double H = r[13] / 500.0, e1 = r[14] / 500.0, e2 = r[15] / 500.0;
         const double e3 = r[16] / 500.0;
         const double wave = tri(e2 * t - e3) * e1;
         return (wave + (F + y)) + ((t - H) * C) / (std::abs(((t - E) * t) * (t - G)) + B);
     }},
    // "ひなげし": C / sqrt((t - E)(t - E) + B) + (F + y), D = r9 / 100, F = r11 / 1000.
    {11, 2.22, [](const RowDoubles& r) { return r[9] / 100.0; },
     [](const RowDoubles& r, double t, double y) {
         const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0;
         const double E = r[10] / 500.0, F = r[11] / 1000.0;
         return C / std::sqrt((t - E) * (t - E) + B) + (F + y);
     }},
    // "キンモクセイ": (sqrt(|t - E|) C) / (log(|t| G + 0.5) + B) + (F + y), E = r10 / 10.
    {12, 0.4, [](const RowDoubles& r) { return r[9] / 500.0; },
     [](const RowDoubles& r, double t, double y) {
         const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0;
         const double E = r[10] / 10.0, F = r[11] / 500.0, G = r[12] / 500.0;
         return (std::sqrt(std::abs(t - E)) * C) / (std::log(std::abs(t) * G + 0.5) + B) + (F + y);
     }},
    // "パンジー": (|frac((e1 t - G) H) - 0.5| H C) / (|t - E| + B) + (F + y), e1 = r14 / 50.
    {16, 2.0, [](const RowDoubles& r) { return r[9] / 500.0; },
     [](const RowDoubles& r, double t, double y) {
         const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0;
         const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0;
         const double H = r[13] / 500.0, e1 = r[14] / 50.0;
         const double v = (e1 * t - G) * H;
         const double wave = std::abs((v - static_cast<double>(trunc32(v))) - 0.5) * H;
         return (wave * C) / (std::abs(t - E) + B) + (F + y);
     }},
};

} // namespace

TEST(FlowerFormulas, OwnPerturbationsByHand) {
    for (const OwnFlowerCase& oc : kOwnFlowerCases) {
        SCOPED_TRACE(oc.item);
        expectByHandForBothRowSets({kFlower, oc.item}, kHandPoints,
                                   [&](HandRotation& h, const RowDoubles& r) {
                                       const double D = oc.D(r);
                                       return h.step(oc.W(r, h.t, h.y), -D, oc.scale);
                                   });
    }
}
