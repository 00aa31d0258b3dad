#pragma once
// Nearest-neighbour stretch of a square of the canvas onto a square of
// size x size pixels, with no smoothing: what the view shows and what export
// and printing take.

#include "engine/canvas.h"
#include "engine/sourcesquare.h"

#include <cstdint>
#include <vector>

namespace orbelle {

/// Canvas coordinate shown at picture coordinate d (0 <= d < size) for a
/// square starting at origin with the given side.
inline std::int64_t stretchSource(int origin, int side, int size, int d) {
    return origin + (static_cast<std::int64_t>(d) * side) / size;
}

/// Fills the rectangle (x0, y0, width, height) of the size x size stretched
/// picture into out, whose rows are stride words apart (0xFFRRGGBB words).
/// Source pixels outside the canvas read white.
void stretchRegion(const Canvas& canvas, const SourceSquare& square, int size, int x0, int y0,
                   int width, int height, std::uint32_t* out, std::size_t stride);

/// Fills out (size * size words, row after row, 0xFFRRGGBB) with the square
/// stretched to size x size.
void stretchSquare(const Canvas& canvas, const SourceSquare& square, int size, std::uint32_t* out);

/// Convenience form returning a new buffer.
std::vector<std::uint32_t> stretchSquare(const Canvas& canvas, const SourceSquare& square,
                                         int size);

} // namespace orbelle
