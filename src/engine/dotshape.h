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
            canvas.markDrawn(left32 + m_minDx, top32 + m_minDy, left32 + m_maxDx, top32 + m_maxDy);
            for (const Span& s : m_spans) {
                std::uint32_t* line = canvas.drawingRow(top32 + s.dy) + left32;
                std::fill(line + s.x0, line + s.x1 + 1, pixel);
            }
            return;
        }
        canvas.markDrawn(static_cast<int>(std::max<std::int64_t>(x + m_minDx, 0)),
                         static_cast<int>(std::max<std::int64_t>(y + m_minDy, 0)),
                         static_cast<int>(std::min<std::int64_t>(x + m_maxDx, Canvas::kSize - 1)),
                         static_cast<int>(std::min<std::int64_t>(y + m_maxDy, Canvas::kSize - 1)));
        for (const Span& s : m_spans) {
            const std::int64_t row = y + s.dy;
            if (row < 0 || row >= Canvas::kSize) {
                continue;
            }
            std::int64_t x0 = x + s.x0;
            std::int64_t x1 = x + s.x1;
            if (x0 < 0)
                x0 = 0;
            if (x1 > Canvas::kSize - 1)
                x1 = Canvas::kSize - 1;
            std::uint32_t* line = canvas.drawingRow(static_cast<int>(row));
            for (std::int64_t k = x0; k <= x1; ++k) {
                line[k] = pixel;
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
