#pragma once
// The shape of one dot: the ellipse inscribed in the box (left, top) to
// (left + d, top + d), d = w + 1, filled and outlined by a pen of width w
// centred on the outline. The shape is computed once per drawing as a list of
// row spans, so plotting a dot is a few clipped row fills.

#include "engine/canvas.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace orbelle {

class DotShape {
  public:
    /// Shape for pen width w (1..100; other values are clamped into that range).
    explicit DotShape(int penWidth);

    /// Draws the dot whose box starts at (left, top) in the given pixel word.
    /// Any part outside the canvas is clipped; coordinates far off the canvas
    /// (even INT32_MIN) draw nothing and cannot overflow.
    void plot(Canvas& canvas, std::int32_t left, std::int32_t top, std::uint32_t pixel) const {
        int x0, y0, x1, y1;
        if (!canvasBox(left, top, x0, y0, x1, y1)) {
            return;
        }
        canvas.markDrawn(x0, y0, x1, y1);
        cover(left, top, [&canvas, pixel](int row, int a, int b) {
            std::uint32_t* line = canvas.drawingRow(row);
            std::fill(line + a, line + b + 1, pixel);
        });
    }

    /// The canvas pixels (inclusive box, clipped to the canvas) the dot whose
    /// box starts at (left, top) covers; false when it misses the canvas.
    bool canvasBox(std::int32_t left, std::int32_t top, int& x0, int& y0, int& x1, int& y1) const {
        const std::int64_t x = left;
        const std::int64_t y = top;
        if (x + m_maxDx < 0 || x + m_minDx >= Canvas::kSize || y + m_maxDy < 0 ||
            y + m_minDy >= Canvas::kSize) {
            return false;
        }
        x0 = static_cast<int>(std::max<std::int64_t>(x + m_minDx, 0));
        y0 = static_cast<int>(std::max<std::int64_t>(y + m_minDy, 0));
        x1 = static_cast<int>(std::min<std::int64_t>(x + m_maxDx, Canvas::kSize - 1));
        y1 = static_cast<int>(std::min<std::int64_t>(y + m_maxDy, Canvas::kSize - 1));
        return true;
    }

    /// Calls fill(row, first, last) for every row span of the dot whose box
    /// starts at (left, top), clipped to the canvas (columns inclusive).
    template <class Fill> void cover(std::int32_t left, std::int32_t top, Fill&& fill) const {
        const std::int64_t x = left;
        const std::int64_t y = top;
        if (x + m_maxDx < 0 || x + m_minDx >= Canvas::kSize || y + m_maxDy < 0 ||
            y + m_minDy >= Canvas::kSize) {
            return;
        }
        if (x + m_minDx >= 0 && x + m_maxDx < Canvas::kSize && y + m_minDy >= 0 &&
            y + m_maxDy < Canvas::kSize) {
            // Wholly inside: no clipping per span.
            const int left32 = static_cast<int>(x);
            const int top32 = static_cast<int>(y);
            for (const Span& s : m_spans) {
                fill(top32 + s.dy, left32 + s.x0, left32 + s.x1);
            }
            return;
        }
        for (const Span& s : m_spans) {
            const std::int64_t row = y + s.dy;
            if (row < 0 || row >= Canvas::kSize) {
                continue;
            }
            const std::int64_t x0 = std::max<std::int64_t>(x + s.x0, 0);
            const std::int64_t x1 = std::min<std::int64_t>(x + s.x1, Canvas::kSize - 1);
            if (x0 <= x1) {
                fill(static_cast<int>(row), static_cast<int>(x0), static_cast<int>(x1));
            }
        }
    }

    /// Offsets (relative to left, top) of the pixels the dot covers, for tests.
    struct Span {
        int dy;
        int x0;
        int x1; // inclusive
    };
    const std::vector<Span>& spans() const { return m_spans; }

    /// The pen width the shape was made for (after clamping).
    int penWidth() const { return m_penWidth; }
    /// The box around all spans, relative to left, top (inclusive).
    int minDx() const { return m_minDx; }
    int maxDx() const { return m_maxDx; }
    int minDy() const { return m_minDy; }
    int maxDy() const { return m_maxDy; }

  private:
    std::vector<Span> m_spans;
    int m_penWidth = 1;
    int m_minDx = 0, m_maxDx = 0, m_minDy = 0, m_maxDy = 0;
};

} // namespace orbelle
