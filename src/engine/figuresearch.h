#pragma once
// The figure finder: moves the free parameter rows by random steps that
// widen as tries fail (see figuresearchstep.h), each try from the rows of the
// one before, until the formula's dots make a figure worth showing (see
// figurequality.h) or the tries run out. Only the formula's points are
// computed; nothing is drawn. The desktop program and orbelle-cli run the
// same search, so a seed finds the same rows in both.

#include "engine/drawrandom.h"
#include "engine/figurequality.h"
#include "formulas/catalog.h"

#include <array>
#include <cstdint>
#include <functional>

namespace orbelle {

constexpr int kMaxFinderTries = 200;

struct FigureSearch {
    FormulaId formula;
    std::array<WalkRow, kRowCount> rows{}; // as Draw Random takes them
    std::uint64_t seed = 0;                // seeds the steps, once per search
    FigurePlacement placement;             // where the view shows the dots
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
    int tries = 0;         // tries begun (1..maxTries)
    FigureVerdict verdict; // of the last try judged
};

/// Runs the search. proceed (if set) is called with the number of the try
/// under way (1..maxTries) before each try and between batches of its dots;
/// returning false stops the search there (Cancelled). A formula that does
/// not exist, or a maxTries below 1, ends at once with GaveUp and no try.
/// Locked and inactive rows never change.
SearchResult searchFigure(const FigureSearch& search, const std::function<bool(int)>& proceed = {});

/// The figure of rows judged as a search judges a try (the first
/// 499501 dots of a longer run); nothing for a formula that does not exist.
std::optional<FigureVerdict> judgeRows(FormulaId formula, const ParamRows& rows,
                                       const FigurePlacement& placement);

} // namespace orbelle
