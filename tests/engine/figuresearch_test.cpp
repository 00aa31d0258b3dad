// The figure finder's search: steps as Draw Random, respects locks, stops
// when a figure qualifies, when told to, or after its tries.

#include "engine/figuresearch.h"

#include "engine/drawsettings.h"
#include "engine/figurequality.h"
#include "formulas/formula.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orbelle;

namespace {

// A search over the start-up formula, its rows as Draw Random takes them.
FigureSearch startupSearch() {
    const DrawSettings s = DrawSettings::startup();
    const FormulaInfo& info = formulaInfo(s.formula());
    FigureSearch search;
    search.formula = s.formula();
    for (int i = 0; i < kRowCount; ++i)
        search.rows[i] = WalkRow{i < info.paramCount, false, info.ranges[i], s.params[i]};
    return search;
}

FigureVerdict verdictOf(FormulaId id, const std::array<WalkRow, kRowCount>& rows, int side) {
    ParamRows params{};
    for (int i = 0; i < kRowCount; ++i)
        params[i] = rows[i].value;
    std::optional<FormulaRun> run = prepareFormula(id, params);
    std::vector<Point> dots(static_cast<std::size_t>(run->iterations()));
    run->source->generate(dots.data(), dots.size());
    return judgeFigure(dots, 0, side);
}

int alwaysUp(std::uint32_t) { return 1; } // number mod 4 = 1: every free row steps up

} // namespace

TEST(FigureSearch, StopsAtTheFirstQualifyingTry) {
    // Only "回数" free, stepping up from 1 (501 dots, under 1% of 600 x 600
    // display pixels whatever they do) until the figure covers enough.
    FigureSearch search = startupSearch();
    for (WalkRow& row : search.rows)
        row.locked = true;
    search.rows[0].locked = false;
    search.rows[0].value = 1;
    const SearchResult r = searchFigure(search, {}, alwaysUp);
    ASSERT_EQ(r.end, SearchEnd::Found);
    EXPECT_EQ(r.rows[0].value, 1 + r.tries); // one step up per try
    EXPECT_GT(r.tries, 1);
    for (int i = 1; i < kRowCount; ++i)
        EXPECT_EQ(r.rows[i].value, search.rows[i].value) << i;
    EXPECT_TRUE(verdictOf(search.formula, r.rows, 600).worthShowing());
    std::array<WalkRow, kRowCount> before = r.rows;
    before[0].value -= 1;
    EXPECT_FALSE(verdictOf(search.formula, before, 600).worthShowing());
}

TEST(FigureSearch, GivesUpAfterItsTriesWithLockedRowsUntouched) {
    // "回数" locked at 1: no try can cover 1% of the square.
    FigureSearch search = startupSearch();
    search.rows[0].value = 1;
    search.rows[0].locked = true;
    search.rows[3].locked = true;
    search.tick = 12345;
    int calls = 0;
    int lastTry = 0;
    const SearchResult r = searchFigure(search, [&](int t) {
        ++calls;
        lastTry = t;
        return true;
    });
    EXPECT_EQ(r.end, SearchEnd::GaveUp);
    EXPECT_EQ(r.tries, 200);
    EXPECT_EQ(calls, 200); // 501 dots fit in one batch
    EXPECT_EQ(lastTry, 200);
    EXPECT_EQ(r.rows[0].value, 1);
    EXPECT_EQ(r.rows[3].value, search.rows[3].value);
    int moved = 0;
    for (int i = 0; i < kRowCount; ++i)
        moved += r.rows[i].value != search.rows[i].value;
    EXPECT_GT(moved, 0); // the free rows walked
    // The walk is Draw Random's: the same ticks give the same rows.
    std::array<WalkRow, kRowCount> walked = search.rows;
    for (std::uint32_t t = 0; t < 200; ++t)
        randomWalk(walked, 12345 + t);
    for (int i = 0; i < kRowCount; ++i)
        EXPECT_EQ(r.rows[i].value, walked[i].value) << i;
}

TEST(FigureSearch, StopsWhenToldAndOnNoFormula) {
    FigureSearch search = startupSearch();
    search.rows[0].value = 1; // locked: no try qualifies
    search.rows[0].locked = true;
    SearchResult r = searchFigure(search, [](int t) { return t < 3; });
    EXPECT_EQ(r.end, SearchEnd::Cancelled);
    EXPECT_EQ(r.tries, 2);

    // Stopped within a try's dots (499501 of them, many batches): the first
    // batch passes, the second stops.
    search.rows[0].value = 999;
    int calls = 0;
    r = searchFigure(search, [&](int) { return ++calls < 3; });
    EXPECT_EQ(r.end, SearchEnd::Cancelled);
    EXPECT_EQ(r.tries, 1);

    search.formula = FormulaId{42, 0};
    r = searchFigure(search);
    EXPECT_EQ(r.end, SearchEnd::GaveUp);
    EXPECT_EQ(r.tries, 0);
}
