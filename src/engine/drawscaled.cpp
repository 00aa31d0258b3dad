#include "engine/drawscaled.h"

#include "engine/densityshading.h"
#include "engine/pictureraster.h"
#include "engine/plotframe.h"
#include "engine/scaleddotshape.h"
#include "engine/stretch.h"
#include "formulas/numeric.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace orbelle {
namespace {

// The picture pixels that show a canvas pixel when square is stretched to side.
PictureRaster::Region canvasRegion(const SourceSquare& square, int side) {
    PictureRaster::Region g{side, side, -1, -1};
    for (int d = 0; d < side; ++d) {
        const std::int64_t cx = stretchSource(square.left, square.side, side, d);
        if (cx >= 0 && cx < Canvas::kSize) {
            g.x0 = std::min(g.x0, d);
            g.x1 = std::max(g.x1, d);
        }
        const std::int64_t cy = stretchSource(square.top, square.side, side, d);
        if (cy >= 0 && cy < Canvas::kSize) {
            g.y0 = std::min(g.y0, d);
            g.y1 = std::max(g.y1, d);
        }
    }
    return g;
}

// The picture as a plotting target. A dot's box corner is truncated to
// canvas pixels as on the canvas and then placed on the picture by the scaled
// dot shape, which also gives the dot's pixels. The dots are kept and painted
// by a picture raster at the end; a count beyond the catalog's ranges (a
// record that skipped the range checks) is painted dot by dot as it comes.
class PictureTarget {
  public:
    struct Position {
        std::int64_t x;
        std::int64_t y;
        int phaseX;
        int phaseY;
    };

    PictureTarget(std::uint32_t* out, std::size_t stride, int side, const SourceSquare& square,
                  const DrawSettings& s, std::uint32_t background, std::int64_t dots)
        : m_out(out), m_stride(stride), m_side(side), m_square(square),
          m_density(s.drawColourMode() == DrawColourMode::Density), m_background(background),
          m_repeat(s.gradientRepeat), m_shape(s.penWidth, side, square.side),
          m_region(canvasRegion(square, side)), m_raster(m_shape, side, m_region),
          m_direct(dots > detail::kMostDeferredDots) {
        if (m_density) {
            m_ramp = detail::rampPixelsOf(s);
        }
        if (m_direct) {
            fillBackground();
        } else {
            m_raster.reserve(static_cast<std::size_t>(std::max<std::int64_t>(dots, 0)));
        }
    }

    Position locate(double x, double y) const {
        const ScaledDotShape::Placement px =
            m_shape.place(std::int64_t{trunc32(x)} - m_square.left);
        const ScaledDotShape::Placement py = m_shape.place(std::int64_t{trunc32(y)} - m_square.top);
        return {px.corner, py.corner, px.phase, py.phase};
    }

    void plot(Position p, std::uint32_t pixel) {
        if (!m_direct) {
            m_raster.add(p.x, p.y, p.phaseX, p.phaseY, pixel);
            return;
        }
        const PictureRaster::Region& g = m_region;
        const ScaledDotShape::Phase& phase = m_shape.phase(p.phaseX, p.phaseY);
        for (std::size_t k = 0; k < phase.rows.size(); ++k) {
            const std::int64_t row = p.y + phase.firstRow + static_cast<std::int64_t>(k);
            const std::int64_t a = std::max<std::int64_t>(p.x + phase.rows[k].x0, g.x0);
            const std::int64_t b = std::min<std::int64_t>(p.x + phase.rows[k].x1, g.x1);
            if (row < g.y0 || row > g.y1 || a > b) {
                continue;
            }
            std::uint32_t* line = m_out + static_cast<std::size_t>(row) * m_stride;
            if (m_density) {
                countSpan(line, static_cast<int>(a), static_cast<int>(b), countedX1() + 1);
            } else {
                std::fill(line + a, line + b + 1, pixel);
            }
        }
    }

    bool keepsDots() const { return !m_direct; }
    bool paintKept(bool firstOnTop, const std::function<bool(std::size_t)>& report) {
        if (m_density) {
            return m_raster.paintDensity(m_out, m_stride, m_background, m_ramp, m_repeat, report);
        }
        return m_raster.paint(m_out, m_stride,
                              firstOnTop ? PictureRaster::Order::FirstOnTop
                                         : PictureRaster::Order::LastOnTop,
                              m_background, report);
    }

    /// Completes a picture painted dot by dot (a kept one is complete).
    void finish() {
        if (!m_direct) {
            return;
        }
        const PictureRaster::Region& g = m_region;
        if (m_density && g.x0 <= g.x1 && g.y0 <= g.y1) {
            const DensityBox box{g.x0, g.y0, countedX1(), g.y1};
            const std::uint32_t top = resolveDensityCounts(m_out, m_stride, box, m_background);
            paintDensityCounts(m_out, m_stride, box, m_background, top, m_ramp, m_repeat);
        }
        constexpr std::uint32_t kOutside = 0xFFFFFFFFu;
        for (int y = 0; y < m_side; ++y) {
            std::uint32_t* line = m_out + static_cast<std::size_t>(y) * m_stride;
            if (y < g.y0 || y > g.y1 || g.x1 < g.x0) {
                std::fill(line, line + m_side, kOutside);
                continue;
            }
            std::fill(line, line + g.x0, kOutside);
            std::fill(line + g.x1 + 1, line + m_side, kOutside);
        }
    }

  private:
    // A density span's count ends in the word after its last column.
    int countedX1() const { return std::min(m_region.x1 + 1, m_side - 1); }

    void fillBackground() {
        for (int y = 0; y < m_side; ++y) {
            std::uint32_t* line = m_out + static_cast<std::size_t>(y) * m_stride;
            std::fill(line, line + m_side, m_background);
        }
    }

    std::uint32_t* m_out;
    std::size_t m_stride;
    int m_side;
    SourceSquare m_square;
    bool m_density;
    std::uint32_t m_background;
    int m_repeat;
    std::array<std::uint32_t, kRampSize> m_ramp{};
    ScaledDotShape m_shape;
    PictureRaster::Region m_region;
    PictureRaster m_raster;
    bool m_direct;
};

} // namespace

FigureBounds measureFigure(const DrawSettings& s) {
    FigureBounds b;
    std::optional<FormulaRun> run = prepareFormula(s.formula(), s.params);
    if (!run) {
        return b;
    }
    constexpr std::size_t kChunk = 4096;
    Point points[kChunk];
    for (std::int64_t i = run->startIndex; i <= run->count;) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(kChunk, run->count - i + 1));
        run->source->generate(points, n);
        for (std::size_t k = 0; k < n; ++k, ++i) {
            b.minX = std::min(b.minX, points[k].x);
            b.maxX = std::max(b.maxX, points[k].x);
            b.minY = std::min(b.minY, points[k].y);
            b.maxY = std::max(b.maxY, points[k].y);
        }
    }
    return b;
}

DrawResult drawScaled(const DrawSettings& s, const SourceSquare& square, int side,
                      std::uint32_t* out, std::size_t stride, const DrawProgress& progress) {
    return drawScaledRun(s, prepareFormula(s.formula(), s.params), square, side, out, stride,
                         progress);
}

DrawResult drawScaledRun(const DrawSettings& s, std::optional<FormulaRun> run,
                         const SourceSquare& square, int side, std::uint32_t* out,
                         std::size_t stride, const DrawProgress& progress) {
    DrawResult result;
    result.drawColor = drawingColour(s.drawColourMode(), s.drawColor);
    result.backColor = backgroundColour(s.backColourMode(), s.backColor);
    if (side < 1 || square.side <= 0 || out == nullptr || stride < static_cast<std::size_t>(side)) {
        return result;
    }
    if (!usesRamp(s.drawColourMode()) && result.drawColor == result.backColor) {
        result.status = DrawStatus::SameColours;
        return result;
    }
    const std::uint32_t back = Canvas::toPixel(result.backColor);
    PictureTarget target(out, stride, side, square, s, back, run ? run->iterations() : 0);
    if (!run) {
        // Nothing to draw: the background, and white beyond the canvas.
        std::function<bool(std::size_t)> none;
        target.paintKept(false, none);
        target.finish();
        return result;
    }
    result = detail::plotFigure(s, run, target, result, progress);
    if (result.status == DrawStatus::Drawn) {
        target.finish();
    }
    return result;
}

} // namespace orbelle
