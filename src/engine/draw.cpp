#include "engine/draw.h"

#include "engine/colour.h"
#include "engine/coverageraster.h"
#include "engine/dotshape.h"
#include "engine/plotframe.h"
#include "engine/transform.h"
#include "formulas/numeric.h"

#include <algorithm>
#include <memory>

namespace orbelle {
namespace {

// The 6000 x 6000 canvas as a plotting target: a dot's box starts at the
// truncated canvas coordinates. Thick pens keep their dots in a coverage
// raster, which paints each pixel once at the end.
class CanvasTarget {
  public:
    struct Position {
        std::int32_t left;
        std::int32_t top;
    };

    CanvasTarget(Canvas& canvas, int penWidth, std::int64_t dots)
        : m_canvas(canvas), m_shape(penWidth) {
        // Counts beyond the catalog's ranges keep the dot-by-dot path, which
        // stores nothing.
        if (m_shape.penWidth() >= kCoverageMinPenWidth && dots <= detail::kMostDeferredDots) {
            m_layered = std::make_unique<CoverageRaster>(m_shape);
            m_layered->reserve(static_cast<std::size_t>(dots));
        }
    }

    Position locate(double x, double y) const { return {trunc32(x), trunc32(y)}; }
    void plot(Position p, std::uint32_t pixel) {
        if (m_layered) {
            m_layered->add(p.left, p.top, pixel);
        } else {
            m_shape.plot(m_canvas, p.left, p.top, pixel);
        }
    }
    bool keepsDots() const { return m_layered != nullptr; }
    bool paintKept(bool firstOnTop, const std::function<bool(std::size_t)>& report) {
        return m_layered->paint(m_canvas,
                                firstOnTop ? CoverageRaster::Order::FirstOnTop
                                           : CoverageRaster::Order::LastOnTop,
                                report);
    }

  private:
    Canvas& m_canvas;
    DotShape m_shape;
    std::unique_ptr<CoverageRaster> m_layered;
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

DrawResult draw(const DrawSettings& s, Canvas& canvas, const DrawProgress& progress) {
    return drawRun(s, prepareFormula(s.formula(), s.params), canvas, progress);
}

DrawResult drawRun(const DrawSettings& s, std::optional<FormulaRun> run, Canvas& canvas,
                   const DrawProgress& progress) {
    DrawResult result;
    result.drawColor = drawingColour(s.drawColourMode(), s.drawColor);
    result.backColor = backgroundColour(s.backColourMode(), s.backColor);
    const bool gradient = s.drawColourMode() == DrawColourMode::Gradient;
    if (!gradient && result.drawColor == result.backColor) {
        result.status = DrawStatus::SameColours;
        return result;
    }

    canvas.clear(result.backColor);
    CanvasTarget target(canvas, s.penWidth, run ? run->iterations() : 0);
    return detail::plotFigure(s, run, target, result, progress);
}

} // namespace orbelle
