#pragma once
// Drawing a figure afresh at another size: the same formula run as the Draw
// operation, with every dot placed in double precision on a picture of
// side x side pixels that shows a chosen square of the canvas, and every dot
// scaled with the picture. The result looks like the canvas square stretched
// to that side, only sharper; no 6000 x 6000 canvas is involved.

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
/// side / square.side (at least one pixel). Pixels that lie outside the
/// canvas read white, as in the stretched canvas. With equal colours in a
/// plain mode out is left untouched and the result says SameColours.
/// side must be at least 1 and square.side positive; otherwise nothing is done.
DrawResult drawScaled(const DrawSettings& settings, const SourceSquare& square, int side,
                      std::uint32_t* out, std::size_t stride);

/// The same with the formula already prepared (or nothing, which only fills
/// the background); tests feed chosen points this way.
DrawResult drawScaledRun(const DrawSettings& settings, std::optional<FormulaRun> run,
                         const SourceSquare& square, int side, std::uint32_t* out,
                         std::size_t stride);

} // namespace orbelle
