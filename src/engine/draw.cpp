#include "engine/draw.h"

#include "engine/colour.h"
#include "engine/coverageraster.h"
#include "engine/densityshading.h"
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
            m_layered = std::make_unique<CoverageRaster>(m_shape, canvas.rasterWorkspace());
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

// The canvas as a counting target for the density mode: every dot counts
// into the pixel words it covers (see densityshading.h), and shade turns the
// counts into colours.
class DensityTarget {
  public:
    using Position = CanvasTarget::Position;

    DensityTarget(Canvas& canvas, int penWidth) : m_canvas(canvas), m_shape(penWidth) {}

    Position locate(double x, double y) const { return {trunc32(x), trunc32(y)}; }
    void plot(Position p, std::uint32_t) {
        int x0, y0, x1, y1;
        if (!m_shape.canvasBox(p.left, p.top, x0, y0, x1, y1)) {
            return;
        }
        // The word after a span's last column takes the span's end.
        x1 = std::min(x1 + 1, Canvas::kSize - 1);
        m_canvas.markDrawn(x0, y0, x1, y1);
        m_box.x0 = std::min(m_box.x0, x0);
        m_box.y0 = std::min(m_box.y0, y0);
        m_box.x1 = std::max(m_box.x1, x1);
        m_box.y1 = std::max(m_box.y1, y1);
        m_shape.cover(p.left, p.top, [this](int row, int first, int last) {
            countSpan(m_canvas.drawingRow(row), first, last, Canvas::kSize);
        });
    }
    bool keepsDots() const { return false; }
    bool paintKept(bool, const std::function<bool(std::size_t)>&) { return true; }

    void shade(std::uint32_t background, const std::array<std::uint32_t, kRampSize>& ramp,
               int repeat) {
        std::uint32_t* pixels = m_canvas.drawingRow(0);
        const std::uint32_t top = resolveDensityCounts(pixels, Canvas::kSize, m_box, background);
        paintDensityCounts(pixels, Canvas::kSize, m_box, background, top, ramp, repeat);
    }

  private:
    Canvas& m_canvas;
    DotShape m_shape;
    DensityBox m_box{Canvas::kSize, Canvas::kSize, -1, -1};
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
    if (!usesRamp(s.drawColourMode()) && result.drawColor == result.backColor) {
        result.status = DrawStatus::SameColours;
        return result;
    }

    canvas.clear(result.backColor);
    if (s.drawColourMode() == DrawColourMode::Density) {
        // A stopped drawing is shaded too, so the canvas shows colours.
        DensityTarget target(canvas, s.penWidth);
        result = detail::plotFigure(s, run, target, result, progress);
        target.shade(Canvas::toPixel(result.backColor), detail::rampPixelsOf(s), s.gradientRepeat);
        return result;
    }
    CanvasTarget target(canvas, s.penWidth, run ? run->iterations() : 0);
    return detail::plotFigure(s, run, target, result, progress);
}

} // namespace orbelle
