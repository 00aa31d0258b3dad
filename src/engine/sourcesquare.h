#pragma once
// The square of the canvas the main view shows around the last figure: a
// margin of 600 - zoom pixels on each side of the figure's larger extent.

#include "engine/draw.h"

namespace orbelle {

struct SourceSquare {
    int left = 0;
    int top = 0;
    int side = 0;
    friend bool operator==(const SourceSquare&, const SourceSquare&) = default;
};

/// The square for the figure bounds and the enlargement value zoom: the 100 x
/// 100 square round the centre when the cut would be under 100 pixels, the cut
/// square when it lies inside the canvas, else the whole canvas.
SourceSquare sourceSquare(const FigureBounds& bounds, std::int32_t zoom);

} // namespace orbelle
