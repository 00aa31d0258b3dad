#pragma once
// The figure finder: steps the free parameter rows as Draw Random does, one
// step per try, until the formula's dots make a figure worth showing (see
// figurequality.h) or the tries run out. Only the formula's points are
// computed; nothing is drawn.

#include "engine/drawrandom.h"
#include "formulas/catalog.h"

#include <array>
#include <cstdint>
#include <functional>

namespace orbelle {

constexpr int kMaxFinderTries = 200;

struct FigureSearch {
    FormulaId formula;
    std::array<WalkRow, kRowCount> rows{}; // as Draw Random takes them
    std::uint32_t tick = 0;                // try k steps with tick + k, as Draw Random with a tick
    std::int32_t zoom = 0;                 // the enlargement the figure is shown with
    int displaySide = 600;                 // display pixels across the shown square
    int maxTries = kMaxFinderTries;
};

enum class SearchEnd {
    Found,     // the rows of the last try make a figure worth showing
    GaveUp,    // no try qualified: the rows are those of the last try
    Cancelled, // stopped: the rows are those of the last try begun
};

struct SearchResult {
    SearchEnd end = SearchEnd::GaveUp;
    std::array<WalkRow, kRowCount> rows{};
    int tries = 0; // tries begun (1..maxTries)
};

/// Runs the search. proceed (if set) is called with the number of the try
/// under way (1..maxTries) before each try and between batches of its dots;
/// returning false stops the search there (Cancelled). A formula that does
/// not exist, or a maxTries below 1, ends at once with GaveUp and no try.
/// Locked and inactive rows never change.
SearchResult searchFigure(const FigureSearch& search, const std::function<bool(int)>& proceed = {},
                          const SeededDraw& draw = crtFirstRand);

} // namespace orbelle
