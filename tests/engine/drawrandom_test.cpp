#include "engine/drawrandom.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace orbelle;

namespace {

/// Rows 0..activeCount-1 active and free on the range 1..999 at value 500.
std::array<WalkRow, kRowCount> freeRows(int activeCount) {
    std::array<WalkRow, kRowCount> rows{};
    for (int i = 0; i < kRowCount; ++i) {
        rows[i] = WalkRow{i < activeCount, false, ParamRange{1, 999}, 500};
    }
    return rows;
}

} // namespace

TEST(DrawRandomTest, GeneratorIsTheCRuntimeLcg) {
    // First rand() after srand(seed), worked out by hand:
    // seed 1: 214013 + 2531011 = 2745024, bits 16-30 give 41.
    EXPECT_EQ(crtFirstRand(1), 41);
    EXPECT_EQ(crtFirstRand(0), 38); // 2531011 >> 16
    // Seed 0xFFFFFFFF: -214013 + 2531011 = 2316998, >> 16 gives 35.
    EXPECT_EQ(crtFirstRand(0xFFFFFFFFu), 35);
    for (std::uint32_t seed : {7u, 123456u, 0x80000000u}) {
        const int n = crtFirstRand(seed);
        EXPECT_GE(n, 0);
        EXPECT_LE(n, 32767);
    }
}

TEST(DrawRandomTest, StepNeverReachesABound) {
    const ParamRange range{1, 999};
    EXPECT_EQ(randomStep(500, range, 1), 501);
    EXPECT_EQ(randomStep(500, range, 2), 499);
    EXPECT_EQ(randomStep(500, range, 0), 500);
    EXPECT_EQ(randomStep(500, range, 3), 500);
    EXPECT_EQ(randomStep(500, range, 32765), 501); // 32765 mod 4 = 1
    EXPECT_EQ(randomStep(998, range, 1), 998);     // would reach max
    EXPECT_EQ(randomStep(2, range, 2), 2);         // would reach min
    EXPECT_EQ(randomStep(1, range, 1), 2);         // at min it can move inwards
    EXPECT_EQ(randomStep(1, range, 2), 1);
    EXPECT_EQ(randomStep(999, range, 2), 998);
}

TEST(DrawRandomTest, SeedsFollowTheRowIndexAndStopAtTheFirstInactiveRow) {
    auto rows = freeRows(10);
    rows[1].locked = true;
    rows[12].value = 42; // beyond P: never looked at
    std::vector<std::uint32_t> seeds;
    randomWalk(rows, 0xFFFFFFF0u, [&seeds](std::uint32_t seed) {
        seeds.push_back(seed);
        return 1; // always up
    });
    // Row 1 is locked: no draw, but the offset still grows by 100.
    const std::vector<std::uint32_t> expected{0xFFFFFFF0u, 184, 284, 384, 484, 584, 684, 784, 884};
    EXPECT_EQ(seeds, expected);
    EXPECT_EQ(rows[0].value, 501);
    EXPECT_EQ(rows[1].value, 500);
    for (int i = 2; i < 10; ++i) {
        EXPECT_EQ(rows[i].value, 501) << i;
    }
    for (int i = 10; i < kRowCount; ++i) {
        EXPECT_EQ(rows[i].value, i == 12 ? 42 : 500) << i;
    }
}

TEST(DrawRandomTest, WalkWithTheCrtGenerator) {
    // All rows locked: nothing changes.
    auto locked = freeRows(20);
    for (WalkRow& row : locked) {
        row.locked = true;
    }
    const auto lockedBefore = locked;
    randomWalk(locked, 12345);
    for (int i = 0; i < kRowCount; ++i) {
        EXPECT_EQ(locked[i].value, lockedBefore[i].value);
    }

    // The same tick gives the same steps; every row moves by at most one.
    auto a = freeRows(20);
    auto b = freeRows(20);
    randomWalk(a, 987654);
    randomWalk(b, 987654);
    for (int i = 0; i < kRowCount; ++i) {
        EXPECT_EQ(a[i].value, b[i].value);
        EXPECT_LE(std::abs(a[i].value - 500), 1);
    }

    // Near the bounds over many ticks: max - 1 never rises, min + 1 never
    // falls, and each free row goes up and down about a quarter of the time.
    int ups = 0;
    int downs = 0;
    for (std::uint32_t tick = 0; tick < 4000; ++tick) {
        auto rows = freeRows(3);
        rows[0].value = 998;
        rows[1].value = 2;
        randomWalk(rows, tick);
        EXPECT_LE(rows[0].value, 998);
        EXPECT_GE(rows[1].value, 2);
        ups += rows[2].value == 501;
        downs += rows[2].value == 499;
    }
    EXPECT_NEAR(ups, 1000, 150);
    EXPECT_NEAR(downs, 1000, 150);
}
