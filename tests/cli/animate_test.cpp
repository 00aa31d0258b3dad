// The pieces of orbelle-cli animate that need no drawing: frame names, the
// progress line and how many frames are drawn at once.

#include "cli/animate.h"

#include <gtest/gtest.h>

using namespace orbelle;

TEST(AnimateFrames, NamesHoldFourDigits) {
    EXPECT_EQ(cli::frameFileName(1), "frame0001.png");
    EXPECT_EQ(cli::frameFileName(42), "frame0042.png");
    EXPECT_EQ(cli::frameFileName(9999), "frame9999.png");
}

TEST(AnimateFrames, ProgressEstimatesTheTimeLeft) {
    // 3 frames in 6 s: 2 s each, 7 frames left.
    EXPECT_EQ(cli::progressText(3, 10, 6.0), "frame 3 of 10, about 14 s left");
    // Partial seconds round up: 0.3 s each, 2 left is 0.6 s.
    EXPECT_EQ(cli::progressText(8, 10, 2.4), "frame 8 of 10, about 1 s left");
    EXPECT_EQ(cli::progressText(10, 10, 5.0), "frame 10 of 10, about 0 s left");
}

TEST(AnimateFrames, WorkersFitTheCoresTheFramesAndTheMemory) {
    constexpr std::uint64_t kMiB = 1024 * 1024;
    // Two cores, plenty of memory.
    EXPECT_EQ(cli::workerCount(2, 120, 24000 * kMiB, 150 * kMiB), 2);
    // No more workers than frames.
    EXPECT_EQ(cli::workerCount(8, 3, 24000 * kMiB, 150 * kMiB), 3);
    EXPECT_EQ(cli::workerCount(8, 1, 24000 * kMiB, 150 * kMiB), 1);
    // Half of 1000 MiB holds three workers of 150 MiB.
    EXPECT_EQ(cli::workerCount(8, 120, 1000 * kMiB, 150 * kMiB), 3);
    // Too little memory, or no core count known: still one.
    EXPECT_EQ(cli::workerCount(8, 120, 100 * kMiB, 150 * kMiB), 1);
    EXPECT_EQ(cli::workerCount(0, 120, 24000 * kMiB, 150 * kMiB), 1);
    // Memory unknown: the cores decide.
    EXPECT_EQ(cli::workerCount(4, 120, 0, 150 * kMiB), 4);
}
