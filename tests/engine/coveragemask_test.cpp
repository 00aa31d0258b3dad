#include "engine/coveragemask.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace orbelle;

namespace {

constexpr std::uint32_t kOld = 0xFF000000u;
constexpr std::uint32_t kNew = 0xFFFFFFFFu;

// One canvas row of pixel words, all kOld.
std::vector<std::uint32_t> row() { return std::vector<std::uint32_t>(Canvas::kSize, kOld); }

} // namespace

// A fill writes only the pixels no earlier fill covered, across word edges.
TEST(CoverageMask, FillsOnlyWhatIsNotCoveredYet) {
    auto mask = std::make_unique<CoverageMask>();
    std::vector<std::uint32_t> line = row();
    mask->fill(line.data(), 10, 60, 70, 0xFF0000FFu);
    mask->fill(line.data(), 10, 50, 140, kNew);
    EXPECT_EQ(line[49], kOld);
    EXPECT_EQ(line[50], kNew);
    EXPECT_EQ(line[59], kNew);
    EXPECT_EQ(line[60], 0xFF0000FFu); // the first fill stays on top
    EXPECT_EQ(line[70], 0xFF0000FFu);
    EXPECT_EQ(line[71], kNew);
    EXPECT_EQ(line[140], kNew);
    EXPECT_EQ(line[141], kOld);
    // The last pixel of the canvas's row, in its partly used last word.
    mask->fill(line.data(), 10, 5990, 5999, kNew);
    EXPECT_EQ(line[5999], kNew);
}

// A block of 8 x 8 pixels counts as full once all its 8 rows are covered,
// and clearing the rows forgets those counts: rows covered before the clear
// must not help a block fill up after it.
TEST(CoverageMask, BlocksFillUpRowByRowAndClearingForgetsThem) {
    auto mask = std::make_unique<CoverageMask>();
    std::vector<std::uint32_t> line = row();
    for (int y = 0; y < 7; ++y)
        mask->fill(line.data(), y, 0, 63, kNew);
    EXPECT_FALSE(mask->blocksFull(0, 0, 63, 7));
    mask->fill(line.data(), 7, 0, 63, kNew);
    EXPECT_TRUE(mask->blocksFull(0, 0, 63, 7));
    EXPECT_FALSE(mask->blocksFull(0, 0, 64, 7)); // the next block is empty

    mask->clearRows(0, 127);
    EXPECT_FALSE(mask->blocksFull(0, 0, 63, 7));

    auto fresh = std::make_unique<CoverageMask>();
    for (int y = 0; y < 5; ++y)
        fresh->fill(line.data(), y, 0, 63, kNew);
    fresh->clearRows(0, 127);
    for (int y = 5; y < 8; ++y)
        fresh->fill(line.data(), y, 0, 63, kNew);
    EXPECT_FALSE(fresh->blocksFull(0, 0, 63, 7)); // 3 rows covered, not 8

    // After a clear the pixels are painted again.
    line = row();
    mask->fill(line.data(), 0, 0, 63, kNew);
    EXPECT_EQ(line[0], kNew);
    EXPECT_EQ(line[63], kNew);
}
