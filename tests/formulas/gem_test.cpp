#include "catalog.h"
#include "formula.h"
#include "numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace orbelle;

namespace {

std::vector<Point> firstPoints(FormulaId id, std::size_t n) {
    auto run = prepareFormula(id, formulaInfo(id).defaults);
    std::vector<Point> points(n);
    run->source->generate(points.data(), n);
    return points;
}

} // namespace

// The worked example, written out step by step from its definition.
TEST(GemFormulas, DiamondFirstPointsByHand) {
    const ParamRows r = formulaInfo({0, 0}).defaults;
    double t = r[4] / 10.0, y = r[5] / 10.0;
    EXPECT_EQ(t, 17.7);
    EXPECT_EQ(y, 28.5);
    const double A = (r[6] / 1000.0 + 999.5) / 1000;
    const double B = (r[7] / 50.0) * 0.0001, C = r[8] / 100.0, D = r[9] / 500.0;
    const double E = r[10] / 500.0, F = r[11] / 500.0, G = r[12] / 500.0, H = r[13] / 50.0;
    const double H2 = (r[13] / 50.0) * 0.01, e1 = r[14] / 500.0, e2 = r[15] / 500.0;
    const double e3 = r[16] / 500.0, e4 = r[17] / 5000000000.0, e5 = r[18] / 500.0;
    const double e5s = (r[18] / 500.0) * 0.001, e6 = r[19] / 50000.0;
    const double theta = r[2] * 0.000001 + 6.283185307179586 / r[1];
    const double c = std::cos(theta), s = std::sin(theta);
    const double K = (r[3] + 999999999600.0) / 1000000000000.0;
    EXPECT_EQ(K, 1.0);

    const auto points = firstPoints({0, 0}, 50);
    for (const Point& p : points) {
        const double a = std::abs(std::sin(t));
        double q = std::sqrt(a);
        if (q == 0) q = 1e-14;
        double u = (std::exp(e4 * t - e3) * e2) * t;
        u = std::abs(u * std::cos((E * t) * t)) + B;
        u = u + std::tan(t) * e6;
        double den = u + tri(e1 / q + G) * H;
        if (den == 0) den = 1e-24;
        y = F + y;
        const double w = ((((y - tri(t) * e5s) + H2 * a) + q * e5) + C / den);
        const double X = (c * t - (w * A) * s) + D;
        const double Y = (w * c + ((A * t) * K) * s) + D;
        ASSERT_EQ(p.x, X * 8.0);
        ASSERT_EQ(p.y, Y * 8.0);
        t = X;
        y = Y;
    }
}

TEST(GemFormulas, DiamondRunShape) {
    auto run = prepareFormula({0, 0}, formulaInfo({0, 0}).defaults);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->startIndex, 0);
    EXPECT_EQ(run->count, 100000);
    EXPECT_EQ(run->iterations(), 100001);
}

TEST(GemFormulas, InvalidIdPreparesNothing) {
    EXPECT_FALSE(prepareFormula({10, 0}, ParamRows{}));
    EXPECT_FALSE(prepareFormula({0, 19}, ParamRows{}));
    EXPECT_FALSE(prepareFormula({-1, 0}, ParamRows{}));
}
