#pragma once
// The random walk of Draw Random: every free parameter row steps by -1, 0 or
// +1, never onto a bound of its range. Plain C++ so it can be tested without
// widgets; the drawing settings pane feeds it its rows and takes the values
// back.

#include "formulas/catalog.h"

#include <array>
#include <cstdint>
#include <functional>

namespace orbelle {

/// What the walk needs to know of one parameter row.
struct WalkRow {
    bool active = false; // the row belongs to the selected formula
    bool locked = false; // its keep-fixed box is ticked
    ParamRange range;
    std::int32_t value = 0;
};

/// One number 0..32767 from a generator freshly seeded with seed.
using SeededDraw = std::function<int(std::uint32_t seed)>;

/// The C runtime's generator: state = state * 214013 + 2531011 (mod 2^32),
/// result bits 16-30. Returns the first number after seeding with seed.
int crtFirstRand(std::uint32_t seed);

/// The step of one free row for a drawn number: r = number mod 4; r = 1 goes up
/// and r = 2 down, unless the new value would reach the range's max or min.
std::int32_t randomStep(std::int32_t value, ParamRange range, int number);

/// Walks rows 0, 1, ... until the first inactive row. Each free row draws one
/// number from a generator seeded with tick + 100 * i (32-bit wrap-around),
/// where i is the row's index; locked rows are left alone but still count.
void randomWalk(std::array<WalkRow, kRowCount>& rows, std::uint32_t tick,
                const SeededDraw& draw = crtFirstRand);

} // namespace orbelle
