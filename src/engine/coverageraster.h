#pragma once
// Thick dots painted with every canvas pixel written at most once.
//
// The picture a sequence of dots leaves is, at each pixel, the colour of the
// last dot covering it. This raster collects the dots first and then paints
// them from the topmost to the bottommost, filling only the pixels that no dot
// above has covered yet, which a CoverageMask remembers. The result is the
// same as DotShape::plot called for every dot in painting order; for small
// pens that direct painting is faster (see kCoverageMinPenWidth). Bands of
// rows do not meet, so each is painted on its own, several at once.

#include "engine/canvas.h"
#include "engine/dotshape.h"
#include "engine/rasterworkspace.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace orbelle {

/// Pens at least this wide are painted through the coverage raster by the
/// Draw operation; thinner ones dot by dot (measured in bench/draw_bench.cpp).
constexpr int kCoverageMinPenWidth = 10;

class CoverageRaster {
  public:
    /// Dots (counting a dot once for each band of rows it reaches) painted
    /// in a round by each thread between two calls of the progress function.
    static constexpr std::size_t kRoundDots = 4096;

    /// A raster with working memory of its own.
    explicit CoverageRaster(const DotShape& shape);

    /// A raster working in memory kept elsewhere (see
    /// Canvas::rasterWorkspace), which it empties first.
    CoverageRaster(const DotShape& shape, RasterWorkspace& workspace);

    void reserve(std::size_t dots) { m_dots.reserve(dots); }

    /// Adds a dot whose box starts at (left, top), as for DotShape::plot, in
    /// the given pixel word. Dots wholly off the canvas are dropped at once.
    void add(std::int32_t left, std::int32_t top, std::uint32_t pixel) {
        const std::int64_t x = left;
        const std::int64_t y = top;
        if (x + m_shape.maxDx() < 0 || x + m_shape.minDx() >= Canvas::kSize ||
            y + m_shape.maxDy() < 0 || y + m_shape.minDy() >= Canvas::kSize) {
            return;
        }
        m_dots.push_back({left, top, pixel});
    }

    /// Dots kept so far (those that touch the canvas).
    std::size_t size() const { return m_dots.size(); }

    /// Which dot ends up on top where dots overlap.
    enum class Order {
        LastOnTop,  // painted in the order added
        FirstOnTop, // painted from the last added to the first
    };

    /// Paints the kept dots onto canvas over what it holds, reporting the
    /// drawn region as DotShape::plot does. The canvas is painted in bands of
    /// rows, shared out among the machine's cores. progress (if set) is
    /// called on the calling thread now and then while the dots are sorted
    /// into bands (with 0), after every round of about kRoundDots dots a
    /// thread with the share done, in dots (0..size()), and with size() at
    /// the end; no thread writes the canvas while it runs. When it returns
    /// false the painting stops there, leaving the canvas partly painted, and
    /// paint returns false.
    bool paint(Canvas& canvas, Order order, const std::function<bool(std::size_t)>& progress = {});

  private:
    const DotShape& m_shape;
    std::unique_ptr<RasterWorkspace> m_own;
    RasterWorkspace& m_space;
    std::vector<RasterDot>& m_dots;
};

} // namespace orbelle
