// Every formula of the catalog with its defaults: where its orbit starts, how
// many dots it draws, and that its first points make a finite figure that
// spreads out. The thresholds are each formula's own, in the table below.

#include "formulas/catalog.h"
#include "formulas/formula.h"
#include "formulas/formulatest.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace orbelle;
using namespace orbelle::test;

namespace {

// What the first points of every formula of a family must show.
struct FamilySpread {
    std::size_t sampled;   // first points looked at
    std::size_t minPixels; // distinct whole-number positions, more than this
    double minWidth;       // x extent, more than this (0: not checked)
    bool mustMove;         // some point differs from the first
};

// By category: gem, galaxy, flower, astrology, game, metal, music, wheel, city, virtue.
constexpr FamilySpread kFamilySpread[kCategoryCount] = {
    {2000, 500, 0.0, false}, {2000, 200, 0.0, false}, {2000, 0, 10.0, false},
    {2000, 0, 10.0, false},  {2000, 20, 0.0, false},  {2000, 20, 0.0, false},
    {2000, 0, 0.0, true},    {2000, 0, 0.0, true},    {500, 20, 0.0, false},
    {500, 20, 0.0, false},
};

struct SweepCase {
    FormulaId id;
    int startIndex;    // i0 of the orbit
    std::int64_t dots; // N + 1 - i0 written out; 0 where only the rule is checked
};

// Family by family, in catalog order.
const SweepCase kSweep[] = {
    {{0, 0}, 0, 100001},  {{0, 1}, 0, 100001},  {{0, 2}, 1, 150000},  {{0, 3}, 0, 100001},
    {{0, 4}, 0, 100001},  {{0, 5}, 0, 100001},  {{0, 6}, 0, 100001},  {{0, 7}, 0, 100001},
    {{0, 8}, 1, 100000},  {{0, 9}, 1, 150000},  {{0, 10}, 1, 100000}, {{0, 11}, 1, 150000},
    {{0, 12}, 1, 100000}, {{0, 13}, 1, 150000}, {{0, 14}, 1, 150000}, {{0, 15}, 1, 100000},
    {{0, 16}, 1, 100000}, {{0, 17}, 1, 100000}, {{0, 18}, 1, 100000}, {{1, 0}, 1, 100000},
    {{1, 1}, 1, 150000},  {{1, 2}, 1, 100000},  {{1, 3}, 0, 100001},  {{1, 4}, 1, 100000},
    {{1, 5}, 0, 100001},  {{1, 6}, 1, 100000},  {{1, 7}, 1, 100000},  {{1, 8}, 0, 100001},
    {{1, 9}, 1, 100000},  {{1, 10}, 1, 100000}, {{1, 11}, 1, 200000}, {{1, 12}, 1, 100000},
    {{1, 13}, 1, 150000}, {{1, 14}, 1, 100000}, {{1, 15}, 1, 100000}, {{1, 16}, 0, 100001},
    {{1, 17}, 1, 50000},  {{2, 0}, 1, 0},       {{2, 1}, 1, 0},       {{2, 2}, 1, 0},
    {{2, 3}, 1, 105500},  {{2, 4}, 1, 0},       {{2, 5}, 1, 0},       {{2, 6}, 1, 0},
    {{2, 7}, 1, 0},       {{2, 8}, 1, 0},       {{2, 9}, 1, 0},       {{2, 10}, 1, 0},
    {{2, 11}, 1, 0},      {{2, 12}, 1, 0},      {{2, 13}, 1, 0},      {{2, 14}, 1, 0},
    {{2, 15}, 1, 0},      {{2, 16}, 1, 0},      {{2, 17}, 1, 0},      {{3, 0}, 1, 0},
    {{3, 1}, 1, 0},       {{3, 2}, 1, 0},       {{3, 3}, 1, 0},       {{3, 4}, 1, 0},
    {{3, 5}, 1, 0},       {{3, 6}, 1, 0},       {{3, 7}, 1, 0},       {{3, 8}, 1, 0},
    {{3, 9}, 1, 0},       {{3, 10}, 1, 0},      {{3, 11}, 1, 0},      {{3, 12}, 1, 0},
    {{3, 13}, 1, 0},      {{3, 14}, 1, 0},      {{3, 15}, 1, 0},      {{3, 16}, 1, 0},
    {{3, 17}, 0, 200001}, {{4, 0}, 1, 0},       {{4, 1}, 1, 0},       {{4, 2}, 1, 0},
    {{4, 3}, 1, 0},       {{4, 4}, 1, 0},       {{4, 5}, 1, 0},       {{4, 6}, 1, 0},
    {{4, 7}, 1, 0},       {{4, 8}, 1, 0},       {{4, 9}, 1, 0},       {{4, 10}, 1, 0},
    {{4, 11}, 1, 0},      {{4, 12}, 1, 0},      {{4, 13}, 1, 0},      {{4, 14}, 1, 0},
    {{4, 15}, 1, 150000}, {{4, 16}, 1, 0},      {{5, 0}, 1, 150000},  {{5, 1}, 1, 0},
    {{5, 2}, 1, 0},       {{5, 3}, 1, 0},       {{5, 4}, 1, 0},       {{5, 5}, 1, 0},
    {{5, 6}, 1, 0},       {{5, 7}, 1, 0},       {{5, 8}, 1, 0},       {{5, 9}, 1, 0},
    {{5, 10}, 1, 0},      {{5, 11}, 1, 0},      {{5, 12}, 1, 0},      {{5, 13}, 1, 0},
    {{5, 14}, 1, 0},      {{5, 15}, 1, 50000},  {{6, 0}, 1, 0},       {{6, 1}, 1, 0},
    {{6, 2}, 1, 0},       {{6, 3}, 1, 0},       {{6, 4}, 1, 0},       {{6, 5}, 0, 100001},
    {{6, 6}, 0, 100001},  {{6, 7}, 1, 0},       {{6, 8}, 1, 0},       {{6, 9}, 1, 0},
    {{6, 10}, 1, 151000}, {{6, 11}, 1, 0},      {{6, 12}, 1, 0},      {{6, 13}, 1, 0},
    {{6, 14}, 1, 0},      {{6, 15}, 1, 0},      {{7, 0}, 0, 100001},  {{7, 1}, 0, 100001},
    {{7, 2}, 0, 100001},  {{7, 3}, 0, 100001},  {{7, 4}, 0, 100001},  {{7, 5}, 0, 100001},
    {{7, 6}, 0, 100001},  {{7, 7}, 0, 100001},  {{7, 8}, 1, 150000},  {{7, 9}, 1, 150000},
    {{7, 10}, 1, 150000}, {{7, 11}, 1, 150000}, {{7, 12}, 0, 100001}, {{7, 13}, 0, 100001},
    {{7, 14}, 0, 100001}, {{8, 0}, 1, 0},       {{8, 1}, 1, 0},       {{8, 2}, 1, 0},
    {{8, 3}, 1, 150000},  {{8, 4}, 1, 0},       {{8, 5}, 1, 75000},   {{8, 6}, 1, 0},
    {{8, 7}, 1, 0},       {{8, 8}, 1, 0},       {{8, 9}, 1, 0},       {{8, 10}, 1, 0},
    {{8, 11}, 1, 0},      {{8, 12}, 1, 0},      {{8, 13}, 1, 0},      {{9, 0}, 1, 0},
    {{9, 1}, 1, 0},       {{9, 2}, 1, 0},       {{9, 3}, 1, 0},       {{9, 4}, 1, 0},
    {{9, 5}, 1, 145000},  {{9, 6}, 1, 0},       {{9, 7}, 1, 0},       {{9, 8}, 1, 0},
    {{9, 9}, 1, 0},       {{9, 10}, 1, 0},      {{9, 11}, 1, 0},      {{9, 12}, 1, 0},
    {{9, 13}, 1, 0},      {{9, 14}, 1, 0},
};

class EveryFormula : public ::testing::TestWithParam<SweepCase> {};

std::string caseName(const ::testing::TestParamInfo<SweepCase>& info) {
    return "Category" + std::to_string(info.param.id.category) + "Item" +
           std::to_string(info.param.id.item);
}

} // namespace

TEST(EveryFormulaTable, CoversTheCatalog) {
    int covered = 0;
    for (int category = 0; category < kCategoryCount; ++category) {
        for (int item = 0; item < itemCount(category); ++item) {
            EXPECT_EQ(kSweep[covered].id, (FormulaId{category, item})) << covered;
            ++covered;
        }
    }
    EXPECT_EQ(covered, 166);
    EXPECT_EQ(std::size(kSweep), 166u);
}

TEST_P(EveryFormula, DrawsItsDotsAsAFiniteSpreadFigure) {
    const SweepCase& c = GetParam();
    const ParamRows rows = defaultRows(c.id);
    auto run = prepareFormula(c.id, rows);
    ASSERT_TRUE(run);
    // N = r0 x 500 and the orbit runs i0 ... N: N + 1 dots from 0, N from 1.
    const std::int64_t n = std::int64_t{rows[0]} * 500;
    EXPECT_EQ(run->startIndex, c.startIndex);
    EXPECT_EQ(run->count, n);
    EXPECT_EQ(defaultDotCount(c.id), c.startIndex == 0 ? n + 1 : n);
    if (c.dots != 0) {
        EXPECT_EQ(defaultDotCount(c.id), c.dots);
    }

    const FamilySpread& family = kFamilySpread[c.id.category];
    const FigureSpread figure = figureSpread(c.id, family.sampled);
    ASSERT_TRUE(figure.allFinite);
    EXPECT_GT(figure.pixels, family.minPixels);
    if (family.minWidth > 0) {
        EXPECT_GT(figure.widthX, family.minWidth);
    }
    if (family.mustMove) {
        EXPECT_TRUE(figure.moved);
    }
}

INSTANTIATE_TEST_SUITE_P(Catalog, EveryFormula, ::testing::ValuesIn(kSweep), caseName);
