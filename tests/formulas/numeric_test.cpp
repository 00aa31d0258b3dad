#include "formulas/numeric.h"

#include <gtest/gtest.h>

#include <limits>

using namespace orbelle;

TEST(Numeric, Trunc32EdgesAndNonFinite) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(trunc32(std::nan("")), INT32_MIN);
    EXPECT_EQ(trunc32(inf), INT32_MIN);
    EXPECT_EQ(trunc32(-inf), INT32_MIN);
    EXPECT_EQ(trunc32(2147483647.0), 2147483647);
    EXPECT_EQ(trunc32(2147483647.9), 2147483647);
    EXPECT_EQ(trunc32(2147483648.0), INT32_MIN);
    EXPECT_EQ(trunc32(-2147483648.0), INT32_MIN);
    EXPECT_EQ(trunc32(-2147483648.9), INT32_MIN);
    EXPECT_EQ(trunc32(-2147483649.0), INT32_MIN);
    EXPECT_EQ(trunc32(-2.7), -2);
    EXPECT_EQ(trunc32(2.7), 2);
    EXPECT_EQ(trunc32(-0.0), 0);
}

TEST(Numeric, FracKeepsSignAndTriangles) {
    EXPECT_DOUBLE_EQ(frac(2.25), 0.25);
    EXPECT_DOUBLE_EQ(frac(-2.25), -0.25);
    EXPECT_DOUBLE_EQ(tri(2.25), 0.25);
    EXPECT_DOUBLE_EQ(tri(-2.25), 0.75);
    EXPECT_DOUBLE_EQ(triScaled(0.3, 2.0), std::abs(frac(0.6) - 0.5) * 2.0);
    // Beyond 32 bits trunc32 gives INT32_MIN, so frac is v - INT32_MIN, not a
    // fraction.
    EXPECT_EQ(frac(1e12), 1e12 + 2147483648.0);
}

TEST(Numeric, TentPieces) {
    EXPECT_DOUBLE_EQ(tent(2, 4, -1), 2); // rising side
    EXPECT_DOUBLE_EQ(tent(2, 4, 0), 4);  // peak belongs to the rising side
    EXPECT_DOUBLE_EQ(tent(2, 4, 1), 2);  // falling side
    EXPECT_DOUBLE_EQ(tent(2, 4, 3), 5);  // (3 - 2)(2 + 3)
    EXPECT_DOUBLE_EQ(tent(2, 4, -2), 0); // (-2 - 2)(2 - 2)
}

TEST(Numeric, ArcsAndPowers) {
    EXPECT_DOUBLE_EQ(arcUpper(1.5), std::sqrt(std::abs(1 - 0.25))); // e = 0.5 - 1
    EXPECT_DOUBLE_EQ(arcLower(0.6), 1 - std::sqrt(1 - 0.36));
    EXPECT_DOUBLE_EQ(fracPow6(1.5), 0.015625);
    EXPECT_EQ(fracPow10(0.5), 0.5 * 0.5 * 0.5 * 0.5 * 0.5 * 0.5 * 0.5 * 0.5 * 0.5 * 0.5);
    EXPECT_DOUBLE_EQ(sqrtFrac(-3.25), 0.5);
    EXPECT_EQ(sinOfInt(3), std::sin(3.0));
}

TEST(Numeric, GuardReplacesOnlyExactZero) {
    EXPECT_EQ(guardZero(0.0, 1e-14), 1e-14);
    EXPECT_EQ(guardZero(-0.0, 1e-14), 1e-14);
    EXPECT_EQ(guardZero(1e-300, 1e-14), 1e-300);
    EXPECT_TRUE(std::isnan(guardZero(std::nan(""), 1e-14)));
}

TEST(Numeric, RatioConstantsAreTheDecimalDoubles) {
    // Exact: a ratio stands in for the decimal literal it replaces, so the
    // two must be the very same double, not merely close.
    EXPECT_EQ((ratioValue<std::ratio<667, 100>>), 6.67);
    EXPECT_EQ((ratioValue<std::ratio<333, 100>>), 3.33);
    EXPECT_EQ((ratioValue<std::ratio<267, 1000>>), 0.267);
    EXPECT_EQ((ratioValue<std::ratio<571, 1000>>), 0.571);
    EXPECT_EQ((ratioValue<std::ratio<286, 1000>>), 0.286);
    EXPECT_EQ((ratioValue<std::ratio<8, 10>>), 0.8);
    EXPECT_EQ((ratioValue<std::ratio<11, 10>>), 1.1);
    EXPECT_EQ((ratioValue<std::ratio<6, 7>>), 0.8571428571428571);
    EXPECT_EQ((ratioValue<std::ratio<25, 24>>), 1.0416666666666667);
    EXPECT_EQ((ratioValue<std::ratio<2>>), 2.0);
}
