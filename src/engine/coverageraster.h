#pragma once
// Thick dots painted with every canvas pixel written at most once.
//
// The picture a sequence of dots leaves is, at each pixel, the colour of the
// last dot covering it. This raster collects the dots first and then paints
// them from the topmost to the bottommost, filling only the pixels that no dot
// above has covered yet; one bit per canvas pixel (4.5 MB) remembers which are
// covered. Two coarser levels, a bit per fully covered 64-pixel word of a row
// and a bit per fully covered block of 64 x 16 pixels, let hidden rows and
// wholly hidden dots be passed over with a few word tests. The result is the
// same as DotShape::plot called for every dot in painting order; for small
// pens that direct painting is faster (see kCoverageMinPenWidth).

#include "engine/canvas.h"
#include "engine/dotshape.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace orbelle {

/// Pens at least this wide are painted through the coverage raster by the
/// Draw operation; thinner ones dot by dot (measured in bench/draw_bench.cpp).
constexpr int kCoverageMinPenWidth = 10;

class CoverageRaster {
  public:
    /// Number of dots (counting a dot once for each band of rows it
    /// reaches) painted between two calls of the progress function.
    static constexpr std::size_t kBatch = 1024;

    explicit CoverageRaster(const DotShape& shape) : m_shape(shape) {}

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
    /// drawn region as DotShape::plot does. The painting goes band by band of
    /// rows from the top of the canvas. progress (if set) is called after
    /// every kBatch dots with the share done, in dots (0..size(), size() at
    /// the end); when it returns false the painting stops there (leaving the
    /// bands above painted) and paint returns false.
    bool paint(Canvas& canvas, Order order,
               const std::function<bool(std::size_t)>& progress = {}) const;

  private:
    struct Dot {
        std::int32_t left;
        std::int32_t top;
        std::uint32_t pixel;
    };
    const DotShape& m_shape;
    std::vector<Dot> m_dots;
};

} // namespace orbelle
