#include "engine/drawrandom.h"

namespace orbelle {

int crtFirstRand(std::uint32_t seed) {
    const std::uint32_t state = seed * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

std::int32_t randomStep(std::int32_t value, ParamRange range, int number) {
    const int r = number % 4;
    // Compare in 64 bits so that a value at an extreme of int32 cannot wrap.
    const std::int64_t v = value;
    if (r == 1 && v + 1 < range.max) {
        return value + 1;
    }
    if (r == 2 && v - 1 > range.min) {
        return value - 1;
    }
    return value;
}

void randomWalk(std::array<WalkRow, kRowCount>& rows, std::uint32_t tick, const SeededDraw& draw) {
    for (std::uint32_t i = 0; i < rows.size(); ++i) {
        WalkRow& row = rows[i];
        if (!row.active) {
            return;
        }
        if (!row.locked) {
            row.value = randomStep(row.value, row.range, draw(tick + 100u * i));
        }
    }
}

} // namespace orbelle
