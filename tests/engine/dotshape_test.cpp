#include "engine/dotshape.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace orbelle;

TEST(DotShapes, PenWidthsGiveRoundDots) {
    const DotShape one(1);
    ASSERT_EQ(one.spans().size(), 2u);
    for (const auto& s : one.spans()) {
        EXPECT_EQ(s.x0, 0);
        EXPECT_EQ(s.x1, 1);
    }
    // Pen 20: the box of 21 plus half the pen outside: about 41 pixels across,
    // symmetric about the box centre.
    const DotShape wide(20);
    int minX = 100, maxX = -100;
    for (const auto& s : wide.spans()) {
        minX = std::min(minX, s.x0);
        maxX = std::max(maxX, s.x1);
        EXPECT_EQ(s.x0 + s.x1, 20) << s.dy; // centred on 10.5 - 0.5
    }
    EXPECT_EQ(maxX - minX + 1, 41);
}
