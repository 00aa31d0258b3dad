#pragma once
// Dots of a re-drawing painted onto a picture of any side with every picture
// pixel written once.
//
// As the canvas's thick-pen raster does (see coverageraster.h), this raster
// keeps the dots first and paints them from the topmost to the bottommost,
// filling only what no dot above has covered, then fills what stays uncovered
// with the background (or white where the picture shows no canvas pixel).
// The result is that of painting the background and then every dot in
// order. The picture is painted in bands of rows, shared out among the
// machine's cores, each band with a coverage mask of its own, so the working
// memory stays small beside the picture. In the density mode the dots are
// counted instead (see densityshading.h) and the counts shaded at the end.

#include "engine/scaleddotshape.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace orbelle {

class PictureRaster {
  public:
    /// The picture pixels that show a canvas pixel (inclusive); dots are
    /// clipped to it.
    struct Region {
        int x0 = 0;
        int y0 = 0;
        int x1 = -1;
        int y1 = -1;
    };

    PictureRaster(const ScaledDotShape& shape, int side, Region region);

    void reserve(std::size_t dots) { m_dots.reserve(dots); }

    /// Adds a dot with its corner at picture pixel (x, y) and the positions
    /// phaseX, phaseY within it (see ScaledDotShape). Dots wholly outside the
    /// region are dropped at once.
    void add(std::int64_t x, std::int64_t y, int phaseX, int phaseY, std::uint32_t pixel) {
        if (x + m_shape.maxDx() < m_region.x0 || x + m_shape.minDx() > m_region.x1 ||
            y + m_shape.maxDy() < m_region.y0 || y + m_shape.minDy() > m_region.y1) {
            return;
        }
        m_dots.push_back({static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), pixel,
                          static_cast<std::uint32_t>(phaseY * m_shape.phases() + phaseX)});
    }

    /// Dots kept so far (those that reach the region).
    std::size_t size() const { return m_dots.size(); }

    /// Which dot ends up on top where dots overlap.
    enum class Order {
        LastOnTop,  // painted in the order added
        FirstOnTop, // painted from the last added to the first
    };

    /// Called between rounds of work with the share done, in dots
    /// (0..size()); false stops the work. No thread writes the picture while
    /// it runs.
    using Progress = std::function<bool(std::size_t done)>;

    /// Paints the whole picture (side x side words, rows stride words apart):
    /// the kept dots over the background, white outside the region. Returns
    /// false when progress stopped it, leaving the picture partly painted.
    bool paint(std::uint32_t* out, std::size_t stride, Order order, std::uint32_t background,
               const Progress& progress = {});

    /// The density mode: counts the kept dots into the whole picture and
    /// shades the counts with the largest count of the picture (see
    /// densityshading.h); background where no dot comes, white outside the
    /// region. Returns false when progress stopped it.
    bool paintDensity(std::uint32_t* out, std::size_t stride, std::uint32_t background,
                      const std::array<std::uint32_t, 720>& ramp, int repeat,
                      const Progress& progress = {});

  private:
    struct Dot {
        std::int32_t x;
        std::int32_t y;
        std::uint32_t pixel;
        std::uint32_t phase;
    };
    struct Bands;
    Bands sortIntoBands(Order order, const Progress& progress, bool& goOn) const;
    // Rows of dot's rows within the region and band rows top..bottom.
    void rowsIn(const Dot& dot, int top, int bottom, int& first, int& last) const;

    const ScaledDotShape& m_shape;
    int m_side;
    Region m_region;
    std::vector<Dot> m_dots;
};

} // namespace orbelle
