#include "formulas/formulatest.h"
#include "formulas/numeric.h"

#include <cmath>

using namespace orbelle;
using namespace orbelle::test;

namespace {

constexpr int kAstrology = 3;
constexpr std::size_t kHandPoints = 40;

// The shaped cards: shaping function and display scale.
struct ShapedCase {
    int item;
    double (*f)(double);
    double scale;
};
const ShapedCase kShapedCases[] = {
    {0, fracPow8, 5.0},  {1, fracPow10, 6.67}, {2, asinFracSq, 3.33},
    {3, fracPow9, 6.66}, {4, fracPow7, 8.0},   {5, sinQuarter4, 3.33},
    {6, fracPow6, 5.0},  {7, fracSq, 4.0},     {8, sinQuarterSq, 2.0},
};

} // namespace

TEST(AstrologyFormulas, ShapedCardsByHand) {
    for (const ShapedCase& sc : kShapedCases) {
        SCOPED_TRACE(sc.item);
        expectByHandForBothRowSets(
            {kAstrology, sc.item}, kHandPoints, [&](HandRotation& h, const RowDoubles& r) {
                const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
                const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0,
                             H = r[13] / 500.0;
                const double e1 = r[14] / 500.0, e2 = r[15] / 500.0;
                const double W =
                    (sc.f(e1 * h.t - e2) * C) / (std::abs(G * h.t - H) * E + B) + (F + h.y);
                return h.step(W, -D, sc.scale);
            });
    }
}

// With "要素１" = "要素２" = 0 every shaping function sees 0 and gives 0: the
// nine figures coincide up to their display scale.
TEST(AstrologyFormulas, ShapedCardsCoincideWithoutLinearTerm) {
    ParamRows r = defaultRows({kAstrology, 0});
    r[14] = 0;
    r[15] = 0;
    const auto reference = firstPoints({kAstrology, 0}, r, 200);
    for (const ShapedCase& sc : kShapedCases) {
        SCOPED_TRACE(sc.item);
        const auto points = firstPoints({kAstrology, sc.item}, r, 200);
        for (std::size_t k = 0; k < points.size(); ++k) {
            ASSERT_DOUBLE_EQ(points[k].x / sc.scale, reference[k].x / 5.0);
            ASSERT_DOUBLE_EQ(points[k].y / sc.scale, reference[k].y / 5.0);
        }
    }
}

// Symmetric: V = P(y, t) and W = P(t, y) both from the state before the step.
TEST(AstrologyFormulas, WheelOfFortuneByHand) {
    forBothRowSets({kAstrology, 10}, [&](const ParamRows& r) {
        const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0, H = r[13] / 500.0;
        const auto P = [&](double a, double b) {
            return ((a - H) * C) / (std::abs((a - G) * (a - E)) + B) + (F + b);
        };
        expectFirstPointsByHand({kAstrology, 10}, r, kHandPoints, [&](HandRotation& h) {
            const double V = P(h.y, h.t);
            const double W = P(h.t, h.y);
            return h.stepTurning(V, W, -D, 1.0);
        });
    });
}

TEST(AstrologyFormulas, HangedManByHand) {
    forBothRowSets({kAstrology, 12}, [&](const ParamRows& r) {
        const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0;
        const auto P = [&](double a, double b) {
            return C / (std::atan(std::abs(a - E)) + B) + (F + b);
        };
        expectFirstPointsByHand({kAstrology, 12}, r, kHandPoints, [&](HandRotation& h) {
            const double V = P(h.y, h.t);
            const double W = P(h.t, h.y);
            return h.stepTurning(V, W, -D, 1.33);
        });
    });
}

TEST(AstrologyFormulas, StarByHand) {
    expectByHandForBothRowSets(
        {kAstrology, 15}, kHandPoints, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.000000001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 10.0, F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
            const double e1 = r[14] / 50.0, e2 = r[15] / 50.0, e3 = r[16] / 50.0;
            const double t = h.t;
            const double m = std::abs(((t - G) * t) * (t - E)) * H;
            const double W = (((t - e1) * C) * (t - e2)) / (m + std::exp(t - e3) * B) + (F + h.y);
            return h.step(W, -D, 1.33);
        });
}

// D enters W and the offset takes it away again.
TEST(AstrologyFormulas, WorldByHand) {
    expectByHandForBothRowSets(
        {kAstrology, 17}, kHandPoints, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 50.0) * 0.01, C = r[8] / 100.0, D = r[9] / 500.0;
            const double E = (r[10] / 500.0) * 10;
            const double t = h.t;
            const double W =
                ((C / (std::abs((std::sqrt(std::abs(t)) * t) * std::sin(E * t)) + B)) + h.y) + D;
            return h.step(W, -D, 1.0);
        });
}

TEST(AstrologyFormulas, StrengthByHand) {
    forBothRowSets({kAstrology, 11}, [&](const ParamRows& r) {
        const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0, H = r[13] / 500.0;
        const double e1 = r[14] / 500.0;
        const auto P = [&](double a, double b) {
            return (std::atan(e1 * a - H) * C) / (std::abs((a - G) * (a - E)) + B) + (F + b);
        };
        expectFirstPointsByHand({kAstrology, 11}, r, kHandPoints, [&](HandRotation& h) {
            const double V = P(h.y, h.t);
            const double W = P(h.t, h.y);
            return h.stepTurning(V, W, -D, 1.33);
        });
    });
}

// The other cards with their own perturbation, each W written out from the
// rows for the current (t, y); all of them use D = r9 / 500 as offset.
namespace {

struct OwnCardCase {
    int item;
    double scale;
    double (*W)(const RowDoubles& r, double t, double y);
};

const OwnCardCase kOwnCardCases[] = {
    // "隠者": (frac(e1 t - e2) (C t)) / (|((t - G) t)(t - E)| H + B) + (F + y),
    // E and G over 10.
    {9, 2.0,
     [](const RowDoubles& r, double t, double y) {
         const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, E = r[10] / 10.0;
         const double F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
         const double e1 = r[14] / 500.0, e2 = r[15] / 500.0;
         const double v = e1 * t - e2;
         return ((v - static_cast<double>(trunc32(v))) * (C * t)) /
                    (std::abs(((t - G) * t) * (t - E)) * H + B) +
                (F + y);
     }},
    // "節制": ((t - H) C) / (|sinh(t G - E)| + B) + (y + F), G = r12 / 5000.
    {13, 0.235,
     [](const RowDoubles& r, double t, double y) {
         const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0, E = r[10] / 500.0;
         const double F = r[11] / 500.0, G = r[12] / 5000.0, H = r[13] / 500.0;
         return ((t - H) * C) / (std::abs(std::sinh(t * G - E)) + B) + (y + F);
     }},
    // "塔": ((t - e1) C) / (|((t - G) t)(t - E)| H + tan(t - e2) B) + (F + y).
    {14, 1.33,
     [](const RowDoubles& r, double t, double y) {
         const double B = (r[7] / 500.0) * 0.000000001, C = r[8] / 50.0, E = r[10] / 10.0;
         const double F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
         const double e1 = r[14] / 50.0, e2 = r[15] / 50.0;
         const double m = std::abs(((t - G) * t) * (t - E)) * H;
         return ((t - e1) * C) / (m + std::tan(t - e2) * B) + (F + y);
     }},
    // "審判": ((sin(t - e1)(t - H)) C) / (|(t - G)(t - E)| + B) + (cos(e2 t) e3 + (F + y)).
    {16, 2.0,
     [](const RowDoubles& r, double t, double y) {
         const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0, E = r[10] / 500.0;
         const double F = r[11] / 500.0, G = r[12] / 500.0, H = r[13] / 500.0;
         const double e1 = r[14] / 500.0, e2 = r[15] / 500.0, e3 = r[16] / 500.0;
         const double u = ((std::sin(t - e1) * (t - H)) * C) / (std::abs((t - G) * (t - E)) + B);
         return u + (std::cos(e2 * t) * e3 + (F + y));
     }},
};

} // namespace

TEST(AstrologyFormulas, OwnPerturbationsByHand) {
    for (const OwnCardCase& oc : kOwnCardCases) {
        SCOPED_TRACE(oc.item);
        expectByHandForBothRowSets({kAstrology, oc.item}, kHandPoints,
                                   [&](HandRotation& h, const RowDoubles& r) {
                                       const double D = r[9] / 500.0;
                                       return h.step(oc.W(r, h.t, h.y), -D, oc.scale);
                                   });
    }
}
