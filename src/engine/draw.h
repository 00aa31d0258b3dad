#pragma once
// The Draw operation as a pure function of a settings record and a canvas:
// derive the colours, clear the canvas, run the formula in the common frame,
// widen the figure bounds, transform and plot every dot.

#include "engine/canvas.h"
#include "engine/colourmode.h"
#include "engine/drawsettings.h"
#include "formulas/formula.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace orbelle {

/// Box around a figure's points (after the display scale, before the 3D
/// transform and the centre offset). Always contains the origin.
struct FigureBounds {
    double minX = 0;
    double maxX = 0;
    double minY = 0;
    double maxY = 0;
    friend bool operator==(const FigureBounds&, const FigureBounds&) = default;
};

enum class DrawStatus {
    Drawn,       // the canvas holds the new figure
    SameColours, // plain mode with equal drawing and background colours: nothing done
    Cancelled,   // stopped by the progress function: the canvas is partly drawn
};

/// Called by a drawing between batches of dots, on the thread that draws,
/// with the work done so far and the whole work (both in dots; a drawing that
/// paints after computing counts its dots twice). Returning false stops the
/// drawing. The canvas is not written while the function runs, so it may let
/// another thread read the canvas meanwhile.
using DrawProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

struct DrawResult {
    DrawStatus status = DrawStatus::Drawn;
    FigureBounds bounds;
    std::int32_t drawColor = kBlack; // the colours the drawing used
    std::int32_t backColor = kWhite;
    std::int64_t dotCount = 0; // iterations run (0 for an unknown formula)
};

/// Centre offset of the figure's origin on the canvas for the two shifts.
struct CentreOffset {
    std::int32_t x;
    std::int32_t y;
};
CentreOffset centreOffset(std::int32_t shiftH, std::int32_t shiftV);

/// Draws settings on the canvas. In settings, drawColor and backColor are the
/// custom colours of the Custom modes; the result names the colours actually used.
/// With equal colours in a plain mode the canvas is left untouched and the
/// result says SameColours. A FormulaId that names no formula clears the canvas
/// and draws nothing.
DrawResult draw(const DrawSettings& settings, Canvas& canvas, const DrawProgress& progress = {});

/// The same operation with the formula already prepared (or nothing, which
/// clears the canvas and draws nothing); the point source may be any source of
/// points, which lets tests feed chosen points through the frame.
DrawResult drawRun(const DrawSettings& settings, std::optional<FormulaRun> run, Canvas& canvas,
                   const DrawProgress& progress = {});

struct Transform3D;
/// False only in the gradient mode when the depth axis is turned around
/// (cos Y * cos X * zf < 0 with an X or Y rotation): then the dots are stored
/// and drawn from the last to the first.
bool immediateDrawing(const DrawSettings& settings, const Transform3D& transform);

} // namespace orbelle
