#pragma once
// Nearest-neighbour stretch of a square of the canvas onto a square of
// size x size pixels, with no smoothing: what the view shows and what export
// and printing take.

#include "canvas.h"
#include "sourcesquare.h"

#include <cstdint>
#include <vector>

namespace orbelle {

/// Fills out (size * size words, row after row, 0xFFRRGGBB) with the square
/// stretched to size x size. Source pixels outside the canvas read white.
void stretchSquare(const Canvas& canvas, const SourceSquare& square, int size,
                   std::uint32_t* out);

/// Convenience form returning a new buffer.
std::vector<std::uint32_t> stretchSquare(const Canvas& canvas, const SourceSquare& square,
                                         int size);

} // namespace orbelle
