#pragma once
// Helpers for the engine tests: a point source that yields chosen points, one
// shared canvas and pixel counts over it.

#include "engine/canvas.h"
#include "engine/drawsettings.h"
#include "formulas/formula.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace orbelle::test {

class ListSource final : public PointSource {
  public:
    explicit ListSource(std::vector<Point> points) : m_points(std::move(points)) {}
    void generate(Point* out, std::size_t count) override {
        for (std::size_t k = 0; k < count; ++k) {
            out[k] = m_next < m_points.size() ? m_points[m_next++] : Point{};
        }
    }

  private:
    std::vector<Point> m_points;
    std::size_t m_next = 0;
};

/// A run over the given points with start index i0; N = i0 + points - 1.
inline FormulaRun runOf(std::vector<Point> points, int startIndex = 0) {
    const auto count = static_cast<std::int32_t>(startIndex + points.size() - 1);
    return FormulaRun{std::make_unique<ListSource>(std::move(points)), startIndex, count};
}

/// One canvas for the whole test program: it is 144 MB.
inline Canvas& sharedCanvas() {
    static auto canvas = std::make_unique<Canvas>();
    return *canvas;
}

/// The record a fresh start shows: black dots on white, pen 1, no rotation.
inline DrawSettings plainSettings() { return DrawSettings::startup(); }

/// "シリウス" (category 1, item 17): eleven rows, row 1 1..36, row 10 1..450.
inline DrawSettings sirius() {
    DrawSettings s = DrawSettings::startup();
    s.category = 1;
    s.item = 17;
    s.params = {200, 18, 70, 400, 300, 500, 392, 71, 95, 50, 50};
    return s;
}

/// Number of pixels of the given colour in the box (x0, y0) to (x1, y1),
/// both corners included.
inline int countColour(const Canvas& c, std::int32_t colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            n += c.colourAt(x, y) == colour;
    return n;
}

/// Number of pixels of the whole canvas that differ from the given colour,
/// read through the const interface (which leaves the drawn region known).
inline std::int64_t pixelsOtherThan(const Canvas& c, std::int32_t colour) {
    const std::uint32_t pixel = Canvas::toPixel(colour);
    const std::uint32_t* p = c.pixels();
    std::int64_t n = 0;
    for (std::size_t k = 0; k < static_cast<std::size_t>(Canvas::kSize) * Canvas::kSize; ++k)
        n += p[k] != pixel;
    return n;
}

} // namespace orbelle::test
