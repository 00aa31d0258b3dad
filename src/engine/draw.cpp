#include "engine/draw.h"

#include "engine/colour.h"
#include "engine/dotshape.h"
#include "engine/plotframe.h"
#include "engine/transform.h"
#include "formulas/numeric.h"

#include <algorithm>

namespace orbelle {
namespace {

// The 6000 x 6000 canvas as a plotting target: a dot's box starts at the
// truncated canvas coordinates.
struct CanvasTarget {
    struct Position {
        std::int32_t left;
        std::int32_t top;
    };
    Canvas& canvas;
    DotShape shape;

    Position locate(double x, double y) const { return {trunc32(x), trunc32(y)}; }
    void plot(Position p, std::uint32_t pixel) { shape.plot(canvas, p.left, p.top, pixel); }
};

} // namespace

CentreOffset centreOffset(std::int32_t shiftH, std::int32_t shiftV) {
    // 64-bit intermediates: a shift read from a damaged file cannot overflow.
    const auto x = 3000 + (static_cast<std::int64_t>(shiftH) * 3000) / 100;
    const auto y = 3000 - (static_cast<std::int64_t>(shiftV) * 3000) / 100;
    return {static_cast<std::int32_t>(std::clamp<std::int64_t>(x, INT32_MIN, INT32_MAX)),
            static_cast<std::int32_t>(std::clamp<std::int64_t>(y, INT32_MIN, INT32_MAX))};
}

bool immediateDrawing(const DrawSettings& s, const Transform3D& transform) {
    return !(s.drawColourMode() == DrawColourMode::Gradient &&
             (transform.cosY * transform.cosX) * transform.zf < 0 && (s.rotX != 0 || s.rotY != 0));
}

DrawResult draw(const DrawSettings& s, Canvas& canvas) {
    return drawRun(s, prepareFormula(s.formula(), s.params), canvas);
}

DrawResult drawRun(const DrawSettings& s, std::optional<FormulaRun> run, Canvas& canvas) {
    DrawResult result;
    result.drawColor = drawingColour(s.drawColourMode(), s.drawColor);
    result.backColor = backgroundColour(s.backColourMode(), s.backColor);
    const bool gradient = s.drawColourMode() == DrawColourMode::Gradient;
    if (!gradient && result.drawColor == result.backColor) {
        result.status = DrawStatus::SameColours;
        return result;
    }

    canvas.clear(result.backColor);
    CanvasTarget target{canvas, DotShape(s.penWidth)};
    return detail::plotFigure(s, run, target, result);
}

} // namespace orbelle
