#pragma once
// The figure finder's step: every free parameter row moves by a random
// step, drawn from a 64-bit Mersenne twister seeded once per search, whose
// width grows as tries fail (1, 2, 4, 8, ... up to a tenth of the row's
// range). The numbers are turned into steps by this file's own arithmetic,
// not by a library distribution, so a seed walks the same way on every
// machine and compiler.

#include "engine/drawrandom.h"

#include <array>
#include <cstdint>
#include <random>

namespace orbelle {

constexpr int kFailedTriesPerWidening = 4; // tries at each step width

/// Whole numbers evenly spread over a range, from a seeded generator.
class SearchRandom {
  public:
    explicit SearchRandom(std::uint64_t seed) : m_engine(seed) {}
    /// A number in lo..hi (lo <= hi), each equally likely: the engine's
    /// output modulo the count, refusing the top outputs that would favour
    /// the small remainders.
    std::int64_t between(std::int64_t lo, std::int64_t hi);

  private:
    std::mt19937_64 m_engine;
};

/// The widest step of a row after failedTries failed tries:
/// 2^(failedTries / kFailedTriesPerWidening), at most a tenth of
/// max - min, and at least 1.
std::int64_t stepWidth(ParamRange range, int failedTries);

/// value + step brought back into min..max by reflection at the bound it
/// passes (max + 3 becomes max - 3), then clamped for ranges narrower than
/// the step.
std::int32_t reflectIntoRange(std::int64_t value, ParamRange range);

/// Moves every active, unlocked row (rows 0, 1, ... up to the first inactive
/// one) by a step of -w..-1 or 1..w, w = stepWidth(its range, failedTries).
void searchStep(std::array<WalkRow, kRowCount>& rows, int failedTries, SearchRandom& random);

} // namespace orbelle
