#include "formulas/formulatest.h"

#include "formulas/numeric.h"

#include <cmath>
#include <set>
#include <utility>

using namespace orbelle;
using namespace orbelle::test;

namespace {

constexpr int kVirtue = 9;

// The power step with exponent p, as items 4, 5, 7, 8 and 12 define it.
std::vector<Point> powerByHand(const ParamRows& r, double p, double scale, std::size_t n) {
    const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
    const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
    return pointsByHand(HandRotation(r), n, [&](HandRotation& h) {
        const double t = h.t;
        const double P = ((t - G) * t) * (t - E);
        const double W = (std::pow(std::abs(t), p) * C) / (std::abs(P) * H + B) + (F + h.y);
        return h.step(W, -D, scale);
    });
}

// "義": W and V are both taken from the old t and y; V is turned in place of t.
std::vector<Point> righteousnessByHand(const ParamRows& r, std::size_t n) {
    const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 500.0, D = r[9] / 500.0;
    const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0, H = r[13] / 500.0;
    const double e1 = r[14] / 500.0;
    return pointsByHand(HandRotation(r), n, [&](HandRotation& h) {
        const double t = h.t, y = h.y;
        const double W = ((H * t - e1) * C) / (std::abs(((t - E) * t) * (t - G)) + B) + (F + y);
        const double V = ((H * y - e1) * C) / (std::abs(((E + y) * y) * (G + y)) + B) + (F + t);
        return h.stepTurning(V, W, -D, 1.0);
    });
}

// "孝": k = "定数Ｅ" unscaled, D inside W and no offset after the rotation.
std::vector<Point> filialityByHand(const ParamRows& r, std::size_t n) {
    const double B = (r[7] / 50.0) * 0.01, C = r[8] / 100.0, D = r[9] / 500.0;
    const double k = r[10];
    return pointsByHand(HandRotation(r), n, [&](HandRotation& h) {
        const double t = h.t;
        const double u = std::log(std::abs(t)) * t;
        const double tk = t * k;
        const double scaled = std::abs((tk - static_cast<double>(trunc32(tk))) - 0.5) * k;
        const double W = (C / (std::abs(scaled * u) + B) + h.y) + D;
        return h.stepNoOffset(W, 5.71);
    });
}

// "和": t = 0 becomes 1e-14 before anything else in the step.
std::vector<Point> harmonyByHand(const ParamRows& r, std::size_t n) {
    const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
    const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
    const double e1 = r[14] / 500.0, e2 = r[15] / 500.0;
    return pointsByHand(HandRotation(r), n, [&](HandRotation& h) {
        if (h.t == 0)
            h.t = 1e-14;
        const double t = h.t;
        const double u = std::pow(std::abs(t), 1.3333333333333333);
        const double q = e2 / t;
        const double fq = q - static_cast<double>(trunc32(q));
        const double P = ((t - G) * t) * (t - E);
        const double W = ((u - fq * e1) * C) / (std::abs(P) * H + B) + (F + h.y);
        return h.step(W, -D, 0.444);
    });
}

// "楽", with the same guard of t.
std::vector<Point> joyByHand(const ParamRows& r, std::size_t n) {
    const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0, D = r[9] / 500.0;
    const double E = r[10] / 10.0, F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
    const double e1 = r[14] / 500.0, e2 = r[15] / 500.0;
    return pointsByHand(HandRotation(r), n, [&](HandRotation& h) {
        if (h.t == 0)
            h.t = 1e-14;
        const double t = h.t;
        const double swing = std::sin(e2 / t - E) * (H * t) + ((t - G) * e1) * t;
        const double W = C / (std::abs(swing) + B) + (F + h.y);
        return h.step(W, -D, 1.0);
    });
}

} // namespace

TEST(VirtueFormulas, FirstPointsMatchTheStepWrittenOut) {
    const FormulaId righteousness{kVirtue, 1}, filiality{kVirtue, 6}, harmony{kVirtue, 14};
    const FormulaId joy{kVirtue, 13};
    using ByHand = std::vector<Point> (*)(const ParamRows&, std::size_t);
    const std::pair<FormulaId, ByHand> walked[] = {{righteousness, righteousnessByHand},
                                                   {filiality, filialityByHand},
                                                   {harmony, harmonyByHand},
                                                   {joy, joyByHand}};
    for (const auto& walk : walked) {
        forBothRowSets(walk.first, [&](const ParamRows& r) {
            expectSamePoints(walk.first, r, walk.second(r, 50));
        });
    }
}

// Items 4, 5, 7, 8 and 12 differ only in the exponent and the display scale.
TEST(VirtueFormulas, PowerItemsFollowTheirExponents) {
    const struct {
        int item;
        double p, scale;
    } powers[] = {{4, 1.0769230769230769, 1.0},
                  {5, 0.967741935483871, 0.5},
                  {7, 1.0333333333333334, 0.5},
                  {8, 1.1428571428571428, 0.667},
                  {12, 0.9444444444444444, 0.333}};
    for (const auto& power : powers) {
        SCOPED_TRACE(power.item);
        const FormulaId id{kVirtue, power.item};
        forBothRowSets(id, [&](const ParamRows& r) {
            expectSamePoints(id, r, powerByHand(r, power.p, power.scale, 40));
        });
    }
}

TEST(VirtueFormulas, EdgeRowsAndStarts) {
    // "孝" with "定数Ｅ" = 0: the scaled triangle vanishes and W = (C / B + y) + D.
    ParamRows flat = defaultRows({kVirtue, 6});
    flat[10] = 0;
    const auto filiality = firstPoints({kVirtue, 6}, flat, 20);
    expectSamePoints({kVirtue, 6}, flat, filialityByHand(flat, 20));
    {
        HandRotation h(flat);
        const double W = ((flat[8] / 100.0) / ((flat[7] / 50.0) * 0.01) + h.y) + flat[9] / 500.0;
        EXPECT_EQ(filiality[0].x, h.stepNoOffset(W, 5.71).x);
    }

    // "楽" and "和" with "初期Ｘ" = 0 start from t = 1e-14 (e2 / 0 would be infinite).
    ParamRows joy = defaultRows({kVirtue, 13});
    joy[4] = 0;
    const auto joyPoints = firstPoints({kVirtue, 13}, joy, 20);
    EXPECT_TRUE(std::isfinite(joyPoints[0].x) && std::isfinite(joyPoints[0].y));
    expectSamePoints({kVirtue, 13}, joy, joyByHand(joy, 20));

    ParamRows harmony = defaultRows({kVirtue, 14});
    harmony[4] = 0;
    const auto harmonyPoints = firstPoints({kVirtue, 14}, harmony, 20);
    EXPECT_TRUE(std::isfinite(harmonyPoints[0].x) && std::isfinite(harmonyPoints[0].y));
    expectSamePoints({kVirtue, 14}, harmony, harmonyByHand(harmony, 20));
}

// "礼" turns V, which is W with t and y exchanged, both from the old state.
TEST(VirtueFormulas, ProprietyTurnsTheMirroredTerm) {
    const FormulaId id{kVirtue, 2};
    forBothRowSets(id, [&](const ParamRows& r) {
        HandRotation h(r);
        const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0;
        std::vector<Point> want;
        for (int k = 0; k < 40; ++k) {
            const double t = h.t, y = h.y;
            const double W = C / (std::abs((t - G) * (t - E)) + B) + (F + y);
            const double V = C / (std::abs((y - G) * (y - E)) + B) + (F + t);
            want.push_back(h.stepTurning(V, W, -D, 1.0));
        }
        expectSamePoints(id, r, want);
    });
}

// The items not walked above, each written out from its own constants and W.
TEST(VirtueFormulas, RemainingFirstPointsMatchTheStepWrittenOut) {
    constexpr std::size_t n = 40;
    {
        SCOPED_TRACE("仁");
        expectByHandForBothRowSets({kVirtue, 0}, n, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 10.0;
            const double H = r[13] / 500.0, e1 = r[14] / 500.0, e2 = r[15] / 500.0;
            const double t = h.t, y = h.y;
            const double u = std::pow(std::abs(t), 1.0833333333333333);
            const double et = e1 * t;
            const double triangle = std::abs((et - static_cast<double>(trunc32(et))) - 0.5);
            const double P = ((t - G) * t) * (t - E);
            const double W = ((triangle * e2 + u) * C) / (std::abs(P) * H + B) + (F + y);
            return h.step(W, -D, 0.444);
        });
    }
    {
        SCOPED_TRACE("智");
        expectByHandForBothRowSets({kVirtue, 3}, n, [&](HandRotation& h, const RowDoubles& r) {
            const double B = r[7] / 500.0, C = r[8] / 50000.0, D = r[9] / 50.0, E = r[10] / 500.0;
            const double t = h.t, y = h.y;
            const double u = std::exp(-std::abs(t)) * C;
            const double W = (u + (std::sin(t * t) * B + y)) + E;
            return h.step(W, -D, 10.0);
        });
    }
    {
        SCOPED_TRACE("地");
        expectByHandForBothRowSets({kVirtue, 9}, n, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.001, C = r[8] / 500.0, D = r[9] / 100.0;
            const double E = r[10] / 500.0, F = r[11] / 100.0;
            const double t = h.t, y = h.y;
            const double W = C / ((t - E) * (t - E) + B) + (F + y);
            return h.step(W, -D, 1.6);
        });
    }
    {
        SCOPED_TRACE("人");
        expectByHandForBothRowSets({kVirtue, 10}, n, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.001, C = r[8] / 500.0, D = r[9] / 100.0;
            const double E = r[10] / 500.0, F = r[11] / 100.0, G = r[12] / 500.0;
            const double t = h.t, y = h.y;
            const double W = ((t - G) * C) / ((t - E) * (t - E) + B) + (F + y);
            return h.step(W, -D, 1.14);
        });
    }
    {
        SCOPED_TRACE("知");
        expectByHandForBothRowSets({kVirtue, 11}, n, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 5000.0;
            const double H = r[13] / 500.0, e1 = r[14] / 500.0, e2 = r[15] / 500.0;
            const double t = h.t, y = h.y;
            const double u = std::sqrt(std::abs(t - H)) * C;
            const double spread = std::abs(std::sinh(e1 * t + e2) * std::sinh(G * t - E));
            const double W = u / (spread + B) + (F + y);
            return h.step(W, -D, 0.133);
        });
    }
}
