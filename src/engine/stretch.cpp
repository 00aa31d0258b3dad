#include "engine/stretch.h"

#include <algorithm>

namespace orbelle {

void stretchRegion(const Canvas& canvas, const SourceSquare& square, int size, int x0, int y0,
                   int width, int height, std::uint32_t* out, std::size_t stride) {
    if (size <= 0 || width <= 0 || height <= 0) {
        return;
    }
    constexpr std::uint32_t kOutside = 0xFFFFFFFFu;
    // Source column of every destination column, computed once.
    std::vector<std::int64_t> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        columns[x] = stretchSource(square.left, square.side, size, x0 + x);
    }
    for (int y = 0; y < height; ++y) {
        const std::int64_t sy = stretchSource(square.top, square.side, size, y0 + y);
        std::uint32_t* dest = out + static_cast<std::size_t>(y) * stride;
        if (sy < 0 || sy >= Canvas::kSize) {
            std::fill(dest, dest + width, kOutside);
            continue;
        }
        const std::uint32_t* src = canvas.pixels() + static_cast<std::size_t>(sy) * Canvas::kSize;
        for (int x = 0; x < width; ++x) {
            const std::int64_t sx = columns[x];
            dest[x] = (sx < 0 || sx >= Canvas::kSize) ? kOutside : src[sx];
        }
    }
}

void stretchSquare(const Canvas& canvas, const SourceSquare& square, int size, std::uint32_t* out) {
    stretchRegion(canvas, square, size, 0, 0, size, size, out,
                  static_cast<std::size_t>(size > 0 ? size : 0));
}

std::vector<std::uint32_t> stretchSquare(const Canvas& canvas, const SourceSquare& square,
                                         int size) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(size > 0 ? size : 0) *
                                   (size > 0 ? size : 0));
    stretchSquare(canvas, square, size, out.data());
    return out;
}

} // namespace orbelle
