#include "stretch.h"

#include <algorithm>

namespace orbelle {

void stretchSquare(const Canvas& canvas, const SourceSquare& square, int size,
                   std::uint32_t* out) {
    if (size <= 0) {
        return;
    }
    constexpr std::uint32_t kOutside = 0xFFFFFFFFu;
    // Source column of every destination column, computed once.
    std::vector<std::int64_t> columns(static_cast<std::size_t>(size));
    for (int x = 0; x < size; ++x) {
        columns[x] = square.left + (static_cast<std::int64_t>(x) * square.side) / size;
    }
    for (int y = 0; y < size; ++y) {
        const std::int64_t sy = square.top + (static_cast<std::int64_t>(y) * square.side) / size;
        std::uint32_t* dest = out + static_cast<std::size_t>(y) * size;
        if (sy < 0 || sy >= Canvas::kSize) {
            std::fill(dest, dest + size, kOutside);
            continue;
        }
        const std::uint32_t* src = canvas.pixels() + static_cast<std::size_t>(sy) * Canvas::kSize;
        for (int x = 0; x < size; ++x) {
            const std::int64_t sx = columns[x];
            dest[x] = (sx < 0 || sx >= Canvas::kSize) ? kOutside : src[sx];
        }
    }
}

std::vector<std::uint32_t> stretchSquare(const Canvas& canvas, const SourceSquare& square,
                                         int size) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(size > 0 ? size : 0) *
                                   (size > 0 ? size : 0));
    stretchSquare(canvas, square, size, out.data());
    return out;
}

} // namespace orbelle
