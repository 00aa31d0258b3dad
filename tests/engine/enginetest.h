#pragma once
// Helpers for the engine tests: a point source that yields chosen points, two
// shared canvases, pixel counts over them, and the shared records.

#include "engine/canvas.h"
#include "engine/drawsettings.h"
#include "formulas/formula.h"
#include "support/testrecords.h"

#include <gtest/gtest.h>

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

/// Canvas 0 or 1 of the whole test program (each is 144 MB); a test that
/// compares two drawings takes both.
inline Canvas& sharedCanvas(int which = 0) {
    static std::unique_ptr<Canvas> canvases[2];
    auto& canvas = canvases[which == 0 ? 0 : 1];
    if (!canvas)
        canvas = std::make_unique<Canvas>();
    return *canvas;
}

/// The record a fresh start shows: black dots on white, pen 1, no rotation.
inline DrawSettings plainSettings() { return DrawSettings::startup(); }

/// Stored fields first..last, which share one range (that of the panes'
/// controls, written out here).
struct FieldRange {
    const char* name;
    int first, last;
    std::int32_t min, max;
};

/// Every stored field after the twenty rows, in stored order.
inline constexpr FieldRange kFieldRanges[] = {
    {"pen width", 22, 22, 1, 100},
    {"drawing colour mode", 23, 23, 0, 4},
    {"drawing colour", 24, 24, 0, 16777215},
    {"background mode", 25, 25, 0, 2},
    {"background colour", 26, 26, 0, 16777215},
    {"smooth", 27, 27, 0, 1},
    {"repeat", 28, 28, 1, 30},
    {"stops", 29, 33, 0, 1},
    {"gradient colours", 34, 40, 0, 16777215},
    {"rotations", 41, 43, 0, 359},
    {"magnifications", 44, 45, -999, 999},
    {"shifts", 46, 47, -100, 100},
    {"locks", 48, 67, 0, 1},
};

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
