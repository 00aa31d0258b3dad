#include "formulas/formulatest.h"
#include "formulas/numeric.h"

#include <cmath>
#include <set>
#include <utility>

using namespace orbelle;
using namespace orbelle::test;

namespace {

constexpr int kGame = 4;

} // namespace

// "チェス" and "ボーリング": the quartic term. "ボーリング" replaces a state t of
// 0 by 1e-14 before the step, so from 初期Ｘ = 0 sin(e5 / t) stays finite.
TEST(GameFormulas, ChessAndBowlingByHand) {
    const ParamRows bowling = defaultRows({kGame, 11});
    const std::pair<int, ParamRows> cases[] = {{0, defaultRows({kGame, 0})},
                                               {0, secondRows({kGame, 0})},
                                               {11, bowling},
                                               {11, secondRows({kGame, 11})},
                                               {11, withRow(bowling, 4, 0)}};
    for (const auto& [item, r] : cases) {
        HandRotation h(r);
        const double B = (r[7] / 10.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 1000.0, F = r[11] / 500.0, G = r[12] / 100.0;
        const double H = r[13] / 500.0, e1 = r[14] / 500.0, e2 = r[15] / 500.0;
        const double e3 = r[16] / 500.0, e4 = r[17] / 500.0, e5 = r[18] / 500.0;
        std::vector<Point> expected;
        for (int k = 0; k < 50; ++k) {
            if (item == 11 && h.t == 0)
                h.t = 1e-14;
            const double t = h.t;
            const double num = ((t - e1) * (C * t)) * (e1 + t);
            const double q4 = num / (std::abs((((G + t) * t) * (t - G)) * (t - E)) * H + B);
            const double wave = std::sin(e3 * t) * e2 + (F + h.y);
            const double w = item == 0 ? q4 + (wave + std::atan(e4 * t) * e5)
                                       : q4 + (wave - std::sin(e5 / t) * e4);
            expected.push_back(h.step(w, -D, 0.267));
        }
        ASSERT_TRUE(std::isfinite(expected[0].x) && std::isfinite(expected[0].y));
        SCOPED_TRACE(testing::Message() << item << " t0 " << r[4]);
        expectSamePoints({kGame, item}, r, expected);
    }
}

// "トランプ" (the sine of an integer), "バックギャモン" (H / 5000),
// "スロット", "インベーダー" (G / 50) and "テトリス" (plotted unscaled): the
// cubic term.
TEST(GameFormulas, CardsAndTetrisByHand) {
    for (int item : {2, 3, 4, 5, 6}) {
        SCOPED_TRACE(item);
        expectByHandForBothRowSets({kGame, item}, 50, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.001, C = r[8] / 500.0, D = r[9] / 100.0;
            const double E = r[10] / 500.0, F = r[11] / 100.0;
            const double G = item == 5 ? r[12] / 50.0 : r[12] / 500.0;
            const double H = item == 3 ? r[13] / 5000.0 : r[13] / 500.0;
            const double e1 = r[14] / 500.0, e2 = r[15] / 500.0, e3 = r[16] / 500.0;
            const double t = h.t;
            const double rc = C / (std::abs(std::sin(e2 * t) * e1 + ((t - E) * t) * (E + t)) + B);
            double w = 0;
            double scale = 0;
            switch (item) {
            case 2: {
                const std::int32_t n = trunc32(H * t);
                w = ((std::sin(static_cast<double>(n)) * G) + (F + h.y)) + rc;
                scale = 0.727;
                break;
            }
            case 3:
                w = ((tri(std::tan(H * t)) * G) + (F + h.y)) + rc;
                scale = 0.571;
                break;
            case 4:
                w = rc + (std::sin(H * t) * G + (F + h.y));
                scale = 0.667;
                break;
            case 5: {
                const double v = std::sin(H * t);
                w = rc + ((G * v) * v + (F + h.y));
                scale = 0.571;
                break;
            }
            default:
                w = ((tri(H * t) * G) * std::sin(e3 * t) + (F + h.y)) + rc;
                scale = 1.0;
                break;
            }
            return h.step(w, -D, scale);
        });
    }
}

// "オセロ" and "ショウギ": the root-cubic term, with their own divisors.
TEST(GameFormulas, OthelloAndShogiByHand) {
    for (int item : {1, 13}) {
        SCOPED_TRACE(item);
        expectByHandForBothRowSets({kGame, item}, 50, [&](HandRotation& h, const RowDoubles& r) {
            const bool othello = item == 1;
            const double B = othello ? (r[7] / 10.0) * 0.00001 : (r[7] / 500.0) * 0.00001;
            const double C = r[8] / 50.0, D = r[9] / 500.0, F = r[11] / 500.0;
            const double E = othello ? r[10] / 500.0 : r[10] / 10.0;
            const double G = othello ? r[12] / 5000.0 : r[12] / 10.0;
            const double H = othello ? r[13] / 5000.0 : r[13] / 500.0;
            const double e1 = r[14] / 500.0, e2 = r[15] / 500.0, e3 = r[16] / 500.0;
            const double e4 = r[17] / 100.0;
            const double t = h.t;
            const double rq = (std::sqrt(std::abs(t - e1)) * (C * t)) /
                              (std::abs(((t - G) * t) * (t - E)) * H + B);
            const double w =
                othello ? rq + ((std::exp(-(t * t)) * e2 + (F + h.y)) + std::sin(e3 * t) * e4)
                        : rq + (std::sin(e3 * t) * e2 + (F + h.y));
            return h.step(w, -D, othello ? 0.133 : 0.571);
        });
    }
}

// "ビリヤード" and "ウノ": the tent in the denominator; the rows are varied so
// that t starts inside the tent, on its rising and on its falling side.
TEST(GameFormulas, BilliardsAndUnoByHand) {
    for (int item : {10, 12}) {
        const ParamRows defaults = defaultRows({kGame, item});
        ParamRows inside = withRow(withRow(defaults, 13, 900), 4, -30);
        for (const ParamRows& r :
             {defaults, secondRows({kGame, item}), inside, withRow(inside, 4, 30)}) {
            HandRotation h(r);
            const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 10.0, F = r[11] / 500.0, G = r[12] / 500.0;
            const double H = r[13] / 10.0, e1 = r[14] / 10.0, e2 = r[15] / 500.0;
            const double e3 = r[16] / 500.0;
            std::vector<Point> expected;
            for (int k = 0; k < 50; ++k) {
                const double t = h.t;
                double tn;
                if (-H < t && t <= 0) {
                    tn = (e1 / H) * t + e1;
                } else if (0 < t && t < H) {
                    tn = e1 - (e1 / H) * t;
                } else {
                    tn = (t - H) * (H + t);
                }
                const double num = item == 10
                                       ? (t - static_cast<double>(trunc32(t))) * ((t - E) * C)
                                       : (t - E) * C;
                const double w = num / (tn * G + B) + (std::sin(e3 * t) * e2 + (F + h.y));
                expected.push_back(h.step(w, -D, 0.5));
            }
            SCOPED_TRACE(testing::Message() << item << " t0 " << r[4] << " H " << r[13]);
            expectSamePoints({kGame, item}, r, expected);
        }
    }
}

// "モノポリー", "ビンゴ" (an integer count of steps in the denominator) and
// "イゴ" (B divided by a sine).
TEST(GameFormulas, MonopolyBingoAndGoByHand) {
    {
        SCOPED_TRACE("monopoly");
        expectByHandForBothRowSets({kGame, 7}, 50, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 10.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0;
            const double H = r[13] / 5000.0, e1 = r[14] / 500.0;
            const double t = h.t;
            const double u = (std::cos(t - G) * C) / (std::abs(std::atan(t)) * E + B) + (F + h.y);
            return h.step(u + (std::sin(t + e1) + 1) * H, -D, 0.25);
        });
    }
    {
        SCOPED_TRACE("bingo");
        expectByHandForBothRowSets({kGame, 9}, 50, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.00001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 10.0, F = r[11] / 500.0, G = r[12] / 500.0;
            const double H = r[13] / 500.0, e1 = r[14] / 500.0;
            const double t = h.t;
            const double v = std::sin(e1 * t);
            const double n = static_cast<double>(trunc32((v * 10) * v));
            const double w =
                (std::sqrt(std::abs(t - E)) * C) / (std::log(std::abs(t) * G + 0.5) + (n * H + B)) +
                (F + h.y);
            return h.step(w, -D, 0.5);
        });
    }
    {
        SCOPED_TRACE("go");
        expectByHandForBothRowSets({kGame, 14}, 50, [&](HandRotation& h, const RowDoubles& r) {
            const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 50.0, D = r[9] / 500.0;
            const double E = r[10] / 10.0, F = r[11] / 500.0, G = r[12] / 10.0;
            const double H = r[13] / 500.0, e1 = r[14] / 50.0, e2 = r[15] / 50.0;
            const double e3 = r[16] / 1000.0 + 1;
            const double t = h.t;
            const double den = std::abs(((t - G) * t) * (t - E)) * H + B / (std::sin(t - e2) + e3);
            return h.step((std::abs(t - e1) * C) / den + (F + h.y), -D, 2.0);
        });
    }
}

// "ナンプレ" and "ハナフダ": F alternates, starting negative.
TEST(GameFormulas, AlternatingFormulasByHand) {
    for (int item : {8, 16}) {
        forBothRowSets({kGame, item}, [&](const ParamRows& r) {
            HandRotation h(r);
            const double B = (r[7] / 500.0) * 0.0001, C = r[8] / 500.0, D = r[9] / 100.0;
            const double E = r[10] / 500.0, G = r[12] / 500.0, H = r[13] / 500.0;
            double F = r[11] / 1000.0;
            std::vector<Point> expected;
            for (int k = 0; k < 50; ++k) {
                F = -F;
                const double t = h.t;
                const double rs = (std::sqrt(std::abs(t - G)) * C) / (std::abs(t - E) + B);
                double w;
                if (item == 8) {
                    const double e1 = r[14] / 10.0, e2 = r[15] / 10.0;
                    w = rs + ((std::sin(t - e1) * H) * std::sin(t - e2) + (F + h.y));
                } else {
                    const double e1 = r[14] / 100.0;
                    w = rs + (std::sin(t - e1) * H + (F + h.y));
                }
                expected.push_back(h.step(w, -D, item == 8 ? 5.0 : 4.0));
            }
            SCOPED_TRACE(item);
            expectSamePoints({kGame, item}, r, expected);
        });
    }
}

// "マージャン": atan2 with t as ordinate; y < 0 and y = 0 start the angle
// beyond and at +-pi/2.
TEST(GameFormulas, MahjongByHand) {
    const ParamRows defaults = defaultRows({kGame, 15});
    for (const ParamRows& r :
         {defaults, secondRows({kGame, 15}), withRow(defaults, 5, -300), withRow(defaults, 5, 0)}) {
        HandRotation h(r);
        const double B = (r[7] / 500.0) * 0.01, C = r[8] / 50.0, D = r[9] / 500.0;
        const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 10.0, H = r[13] / 500.0;
        const double e1 = r[14] / 500.0;
        if (r[5] == 0) {
            EXPECT_EQ(std::atan2(h.t, h.y), kPi / 2);
        } else if (r[5] < 0) {
            EXPECT_GT(std::atan2(h.t, h.y), kPi / 2);
        }
        std::vector<Point> expected;
        for (int k = 0; k < 50; ++k) {
            const double t = h.t;
            const double a = std::atan2(t, h.y);
            const double den = std::abs(a * e1 + ((t - G) * t) * (t - E)) * H + B;
            const double w = (C * t) / den + (F + h.y);
            expected.push_back(h.step(w, -D, 1.6));
        }
        SCOPED_TRACE(r[5]);
        expectSamePoints({kGame, 15}, r, expected);
    }
}
