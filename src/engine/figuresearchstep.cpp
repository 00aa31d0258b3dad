#include "engine/figuresearchstep.h"

#include <algorithm>
#include <limits>

namespace orbelle {

std::int64_t SearchRandom::between(std::int64_t lo, std::int64_t hi) {
    const std::uint64_t span = static_cast<std::uint64_t>(hi - lo) + 1;
    if (span == 0) { // the whole 64-bit range
        return static_cast<std::int64_t>(m_engine());
    }
    // The largest multiple of span the engine can reach; outputs at or above
    // it are drawn again.
    const std::uint64_t top = std::numeric_limits<std::uint64_t>::max() -
                              std::numeric_limits<std::uint64_t>::max() % span;
    std::uint64_t x = m_engine();
    while (x >= top) {
        x = m_engine();
    }
    return lo + static_cast<std::int64_t>(x % span);
}

std::int64_t stepWidth(ParamRange range, int failedTries) {
    const std::int64_t tenth = (static_cast<std::int64_t>(range.max) - range.min) / 10;
    const int doublings = std::clamp(failedTries / kFailedTriesPerWidening, 0, 40);
    return std::max<std::int64_t>(1, std::min(std::int64_t{1} << doublings, tenth));
}

std::int32_t reflectIntoRange(std::int64_t value, ParamRange range) {
    if (value > range.max) {
        value = 2 * static_cast<std::int64_t>(range.max) - value;
    } else if (value < range.min) {
        value = 2 * static_cast<std::int64_t>(range.min) - value;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, range.min, range.max));
}

void searchStep(std::array<WalkRow, kRowCount>& rows, int failedTries, SearchRandom& random) {
    for (WalkRow& row : rows) {
        if (!row.active) {
            return;
        }
        if (row.locked) {
            continue;
        }
        const std::int64_t w = stepWidth(row.range, failedTries);
        // -w..w without 0: every free row moves.
        std::int64_t step = random.between(-w, w - 1);
        if (step >= 0) {
            ++step;
        }
        row.value = reflectIntoRange(row.value + step, row.range);
    }
}

} // namespace orbelle
