#pragma once
// Drawing a figure afresh at another size: the same formula run as the Draw
// operation, every dot at the truncated canvas position the canvas gives it,
// placed on a picture of side x side pixels that shows a chosen square of the
// canvas, and scaled with the picture (see scaleddotshape.h). At the
// square's own side the picture is the canvas square pixel for pixel; at
// other sides it covers the share of pixels the stretched canvas covers, with
// finer edges. No 6000 x 6000 canvas is involved.

#include "engine/draw.h"
#include "engine/sourcesquare.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace orbelle {

/// The largest side a re-drawn picture may have (1 GB of pixels).
constexpr int kMaxRedrawSide = 16000;

/// Bounds of the figure settings draw, without drawing it (the same formula
/// run as draw); all zero for a FormulaId that names no formula.
FigureBounds measureFigure(const DrawSettings& settings);

/// Draws settings onto out, side x side pixels (0xFFRRGGBB words, rows stride
/// words apart), showing square of the canvas: canvas coordinate c lands on
/// (c - square origin) * side / square.side, dots are scaled by
/// side / square.side. Pixels that lie outside the canvas read white, as in
/// the stretched canvas. In the density mode the largest count is the
/// picture's own. With equal colours in a plain mode out is left untouched
/// and the result says SameColours. side must be at least 1 and square.side
/// positive; otherwise nothing is done. progress is called as for draw (the
/// dots count twice: computed, then painted) and stops the drawing by
/// returning false, which leaves out partly painted and the result Cancelled.
/// The painting runs on all cores; only the calling thread calls progress.
DrawResult drawScaled(const DrawSettings& settings, const SourceSquare& square, int side,
                      std::uint32_t* out, std::size_t stride, const DrawProgress& progress = {});

/// The same with the formula already prepared (or nothing, which only fills
/// the background); tests feed chosen points this way.
DrawResult drawScaledRun(const DrawSettings& settings, std::optional<FormulaRun> run,
                         const SourceSquare& square, int side, std::uint32_t* out,
                         std::size_t stride, const DrawProgress& progress = {});

} // namespace orbelle
