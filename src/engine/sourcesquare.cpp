#include "engine/sourcesquare.h"

#include "formulas/numeric.h"

#include <algorithm>

namespace orbelle {

SourceSquare sourceSquare(const FigureBounds& b, std::int32_t zoom) {
    // 64-bit integers: bounds of a figure that ran to infinity truncate to
    // INT32_MIN and must not overflow the sums below.
    const std::int64_t cx = trunc32((b.minX + b.maxX) * 0.5);
    const std::int64_t cy = trunc32((b.minY + b.maxY) * 0.5);
    const std::int64_t ext =
        std::max<std::int64_t>(trunc32(b.maxX - b.minX), trunc32(b.maxY - b.minY));
    const std::int64_t m = 600 - static_cast<std::int64_t>(zoom);
    const std::int64_t half = ext / 2;
    const std::int64_t left = cx - half - m + 3000;
    const std::int64_t top = cy - half - m + 3000;
    const std::int64_t right = cx + half + m + 3000;
    const std::int64_t bottom = cy + half + m + 3000;
    if (right - left < 100 || bottom - top < 100) {
        return {static_cast<int>(std::clamp<std::int64_t>(cx + 2950, INT32_MIN, INT32_MAX)),
                static_cast<int>(std::clamp<std::int64_t>(cy + 2950, INT32_MIN, INT32_MAX)), 100};
    }
    if (left > 0 && top > 0 && right < 6000 && bottom < 6000) {
        return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(ext + 2 * m)};
    }
    return {0, 0, 6000};
}

} // namespace orbelle
