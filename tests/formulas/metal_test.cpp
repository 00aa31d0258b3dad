#include "formulas/formulatest.h"
#include "formulas/numeric.h"

#include <cmath>
#include <set>
#include <utility>

using namespace orbelle;
using namespace orbelle::test;

namespace {

constexpr int kMetal = 5;

} // namespace

// "ネオン", "リン" and "セシウム" divide by t: from 初期Ｘ = 0 they start at
// t = 1e-14 and stay finite.
TEST(MetalFormulas, GuardedFormulasStartFromZero) {
    for (int item : {3, 7, 14}) {
        const FormulaId id{kMetal, item};
        for (const Point& p : firstPoints(id, withRow(defaultRows(id), 4, 0), 50)) {
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << item;
        }
    }
}

// "クロム" and "ヘリウム" are one formula with different defaults.
TEST(MetalFormulas, ChromiumAndHeliumDrawTheSameFigure) {
    for (int defaultsOf : {4, 13}) {
        forBothRowSets({kMetal, defaultsOf}, [&](const ParamRows& r) {
            const auto chromium = firstPoints({kMetal, 4}, r, 2000);
            const auto helium = firstPoints({kMetal, 13}, r, 2000);
            for (std::size_t k = 0; k < chromium.size(); ++k) {
                ASSERT_EQ(chromium[k].x, helium[k].x) << k;
                ASSERT_EQ(chromium[k].y, helium[k].y) << k;
            }
        });
    }
}

// "ゴールド": the library pow of |t|, which is 0 for t = 0.
TEST(MetalFormulas, GoldByHand) {
    const ParamRows defaults = defaultRows({kMetal, 0});
    for (const ParamRows& r : {defaults, secondRows({kMetal, 0}), withRow(defaults, 4, 0)}) {
        HandRotation h(r);
        const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
        std::vector<Point> expected;
        for (int k = 0; k < 50; ++k) {
            const double t = h.t;
            const double den = std::abs(((t - G) * t) * (t - E)) * H + B;
            const double w = (std::pow(std::abs(t), 1.0588235294117647) * C) / den + (F + h.y);
            expected.push_back(h.step(w, -D, 2.0));
        }
        SCOPED_TRACE(r[4]);
        expectSamePoints({kMetal, 0}, r, expected);
    }
}

// "シルバー" and "セシウム": the angle is taken from the y at the start of the
// iteration; "セシウム" guards t and divides by it.
TEST(MetalFormulas, SilverAndCesiumByHand) {
    const ParamRows cesium = defaultRows({kMetal, 14});
    const std::pair<int, ParamRows> cases[] = {{1, defaultRows({kMetal, 1})},
                                               {1, secondRows({kMetal, 1})},
                                               {14, cesium},
                                               {14, secondRows({kMetal, 14})},
                                               {14, withRow(cesium, 4, 0)}};
    for (const auto& [item, r] : cases) {
        HandRotation h(r);
        const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0;
        const double H = r[13] / 50000.0, e1 = r[14] / 500.0, e2 = r[15] / 500.0;
        const double e3 = r[16] / 500.0, e4 = r[17] / 500.0;
        std::vector<Point> expected;
        for (int k = 0; k < 50; ++k) {
            if (item == 14 && h.t == 0)
                h.t = 1e-14;
            const double t = h.t;
            const double phi = std::atan2(h.y, t);
            const double y2 = (h.y + F) - phi * H;
            const double u = ((t - e1) * C) / (std::abs(((t - E) * t) * (t - G)) + B);
            const double wave = item == 1 ? std::sin(t * e2 - e3) : std::sin(e2 / t - e3);
            const double w = u + (y2 + wave * e4);
            expected.push_back(h.step(w, -D, item == 1 ? 1.33 : 1.48));
        }
        SCOPED_TRACE(testing::Message() << item << " t0 " << r[4]);
        expectSamePoints({kMetal, item}, r, expected);
    }
}

// "コバルト": frac and the upper arc.
TEST(MetalFormulas, CobaltByHand) {
    expectByHandForBothRowSets({kMetal, 2}, 50, [&](HandRotation& h, const RowDoubles& r) {
        const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 10.0, F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
        const double e1 = r[14] / 500.0, e2 = r[15] / 500.0, e3 = r[16] / 500.0;
        const double e4 = r[17] / 500.0, e5 = r[18] / 5000.0, e6 = r[19] / 5000.0;
        const double t = h.t;
        const double u = std::sqrt(std::abs(t - e1)) * (C * t);
        const double z = u / (std::abs(frac(e3 * t + e4) * e2 + ((t - G) * t) * (t - E)) * H + B);
        const double w = (arcUpper(e6 * t + e4) * e5 + (F + h.y)) + z;
        return h.step(w, -D, 0.8);
    });
}

// "アルゴン": its own A ("定数Ａ" = 250 gives 0.999), and D both inside W and
// in the step.
TEST(MetalFormulas, ArgonByHand) {
    const ParamRows defaults = defaultRows({kMetal, 15});
    for (const ParamRows& r : {defaults, secondRows({kMetal, 15}), withRow(defaults, 6, 250)}) {
        HandRotation h(r);
        h.A = (r[6] / 500.0 + 499) / 500;
        if (r[6] == 250) {
            EXPECT_EQ(h.A, 0.999);
        }
        const double B = (r[7] / 500.0) * 0.01, C = r[8] / 500.0, D = r[9] / 50.0;
        const double E = r[10] / 50.0;
        std::vector<Point> expected;
        for (int k = 0; k < 50; ++k) {
            const double t = h.t;
            const double u = t * t + B;
            const double w = ((C / u + h.y) - (std::sin((E * t) * 100) * E) / std::sqrt(u)) + D;
            expected.push_back(h.step(w, -D, 1.33));
        }
        SCOPED_TRACE(r[6]);
        expectSamePoints({kMetal, 15}, r, expected);
    }
}

// "クロム" ("ヘリウム"), "リチウム", "ニッケル", "ガリウム" and "チタン": a
// numerator over the cubic |((t - G) t)(t - E)| H + B.
TEST(MetalFormulas, QuotientsOverTheCubicByHand) {
    for (int item : {4, 5, 8, 10, 11, 13}) {
        SCOPED_TRACE(item);
        expectByHandForBothRowSets({kMetal, item}, 50, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = item == 8 ? r[10] / 10.0 : r[10] / 500.0;
            const double F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
            const double e1 = r[14] / 500.0;
            const double t = h.t;
            const double den = std::abs(((t - G) * t) * (t - E)) * H + B;
            double num = 0;
            double scale = 0;
            switch (item) {
            case 4:
            case 13:
                num = std::pow(std::abs(t), 1.0833333333333333) * C;
                scale = 0.667;
                break;
            case 5:
                num = std::pow(std::abs(t), 1.25) * C;
                scale = 0.667;
                break;
            case 8:
                num = std::sqrt(std::abs(t - e1)) * (C * t);
                scale = 0.571;
                break;
            case 10:
                num = std::sqrt(std::abs(t)) * C;
                scale = 0.5;
                break;
            default:
                num = C * t;
                scale = 0.8;
                break;
            }
            return h.step(num / den + (F + h.y), -D, scale);
        });
    }
}

// "ネオン" and "リン": t guarded before the step and divided by; from
// 初期Ｘ = 0 the first step runs on t = 1e-14.
TEST(MetalFormulas, NeonAndPhosphorusByHand) {
    for (int item : {3, 7}) {
        const ParamRows defaults = defaultRows({kMetal, item});
        for (const ParamRows& r : {defaults, secondRows({kMetal, item}), withRow(defaults, 4, 0)}) {
            HandRotation h(r);
            const double B = (r[7] / 500.0) * (item == 3 ? 0.0000001 : 0.000000001);
            const double C = r[8] / 50.0, D = r[9] / 500.0, E = r[10] / 10.0;
            const double F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
            const double e1 = r[14] / 50.0, e2 = r[15] / 50.0, e3 = r[16] / 500.0;
            const double e4 = r[17] / 50.0;
            std::vector<Point> expected;
            for (int k = 0; k < 50; ++k) {
                if (h.t == 0)
                    h.t = 1e-14;
                const double t = h.t;
                const double u = ((t - e1) * C) / (std::abs(((t - G) * t) * (t - E)) * H + B);
                const double wave =
                    item == 3 ? (std::sin(e2 / t) * e3) * std::cos(e4 / t) : std::sin(e2 / t) * e3;
                expected.push_back(h.step(u + (wave + (F + h.y)), -D, 0.8));
            }
            ASSERT_TRUE(std::isfinite(expected[0].x) && std::isfinite(expected[0].y));
            SCOPED_TRACE(testing::Message() << item << " t0 " << r[4]);
            expectSamePoints({kMetal, item}, r, expected);
        }
    }
}

// "マグネシウム" (plotted unscaled, a quartic of (t - E) and (t - H)),
// "マンガン" and "ゲルマニウム" (the sine of e1 y).
TEST(MetalFormulas, MagnesiumManganeseAndGermaniumByHand) {
    {
        SCOPED_TRACE("magnesium");
        expectByHandForBothRowSets({kMetal, 6}, 50, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 500.0, D = r[9] / 50.0;
            const double E = r[10] / 500.0, F = r[11] / 50.0, G = r[12] / 500.0;
            const double H = r[13] / 500.0;
            const double t = h.t;
            const double den = (((t - E) * (t - E)) * (t - H)) * (t - H) + B;
            return h.step(((t - G) * C) / den + (F + h.y), -D, 1.0);
        });
    }
    {
        SCOPED_TRACE("manganese");
        expectByHandForBothRowSets({kMetal, 9}, 50, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.0000001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 10.0, F = r[11] / 500.0, G = r[12] / 10.0;
            const double H = r[13] / 500.0, e1 = r[14] / 50.0, e2 = r[15] / 500.0;
            const double e3 = r[16] / 500.0, e4 = r[17] / 50.0, e5 = r[18] / 10.0;
            const double t = h.t;
            const double u = (std::sqrt(std::abs(e5 + t)) * ((t - e1) * C)) /
                             (std::abs(((t - G) * t) * (t - E)) * H + B);
            const double w = u + ((std::cos(t) * e3) / ((e4 * t) * t + e2) + (F + h.y));
            return h.step(w, -D, 0.5);
        });
    }
    {
        SCOPED_TRACE("germanium");
        expectByHandForBothRowSets({kMetal, 12}, 50, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 10.0, F = r[11] / 500.0, G = r[12] / 500.0;
            const double H = r[13] / 500.0, e1 = r[14] / 500.0;
            const double t = h.t;
            const double u =
                (std::sqrt(std::abs(t - E)) * C) / (std::log(std::abs(t) * G + 0.5) + B);
            const double w = u + (std::sin(e1 * h.y) * H + (F + h.y));
            return h.step(w, -D, 1.33);
        });
    }
}
