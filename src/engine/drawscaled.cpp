#include "engine/drawscaled.h"

#include "engine/densityshading.h"
#include "engine/plotframe.h"
#include "engine/stretch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace orbelle {
namespace {

// A picture coordinate in whole half pixels, rounded down; NaN and far-off
// values go far outside any picture.
std::int32_t halfPixelOf(double v) {
    if (!(v > -5.0e8 && v < 5.0e8)) {
        return INT32_MIN / 2;
    }
    return static_cast<std::int32_t>(std::floor(v * 2));
}

// The picture as a plotting target. A dot of pen width w covers, on the
// canvas, the pixels whose centres lie within w + 0.5 of the centre of its box
// (box side w + 1). Here the centre is mapped onto the picture to the nearest
// half pixel below it, and the dot covers the pixels whose centres lie within
// that radius times the scale, and at least the pixel at its centre. Four
// span lists, one per half-pixel phase in x and y, are built once. In the
// density mode the target counts the dots into the picture's words as the
// canvas does and shades the counts at the end, so the largest count and the
// scale are the picture's own.
class PictureTarget {
  public:
    struct Position {
        std::int32_t x; // centre in half pixels
        std::int32_t y;
    };

    PictureTarget(std::uint32_t* out, std::size_t stride, int side, const SourceSquare& square,
                  int penWidth, bool counting)
        : m_out(out), m_stride(stride), m_side(side), m_counting(counting), m_square(square),
          m_scale(static_cast<double>(side) / square.side) {
        const int w = std::clamp(penWidth, 1, 100);
        m_half = (w + 1) / 2.0;
        const double radius = (m_half + w / 2.0) * m_scale;
        m_reach = static_cast<int>(std::ceil(radius)) + 1;
        for (int phase = 0; phase < 4; ++phase) {
            // Centre at (fx, fy) within pixel (0, 0): 0 is its corner, 0.5 its middle.
            const double fx = (phase & 1) != 0 ? 0.5 : 0.0;
            const double fy = (phase & 2) != 0 ? 0.5 : 0.0;
            std::vector<Span>& spans = m_spans[phase];
            for (int dy = -m_reach; dy <= m_reach; ++dy) {
                const double ry = dy + 0.5 - fy;
                int first = 1;
                int last = 0;
                for (int dx = -m_reach; dx <= m_reach; ++dx) {
                    const double rx = dx + 0.5 - fx;
                    if (rx * rx + ry * ry <= radius * radius) {
                        first = std::min(first, dx);
                        last = std::max(last, dx);
                    }
                }
                if (first <= last) {
                    spans.push_back({dy, first, last});
                }
            }
            if (spans.empty()) {
                spans.push_back({0, 0, 0});
            }
        }
        // Only picture pixels that show a canvas pixel take dots.
        m_x0 = m_y0 = side;
        m_x1 = m_y1 = -1;
        for (int d = 0; d < side; ++d) {
            const std::int64_t cx = stretchSource(square.left, square.side, side, d);
            if (cx >= 0 && cx < Canvas::kSize) {
                m_x0 = std::min(m_x0, d);
                m_x1 = std::max(m_x1, d);
            }
            const std::int64_t cy = stretchSource(square.top, square.side, side, d);
            if (cy >= 0 && cy < Canvas::kSize) {
                m_y0 = std::min(m_y0, d);
                m_y1 = std::max(m_y1, d);
            }
        }
    }

    Position locate(double x, double y) const {
        return {halfPixelOf((x + m_half - m_square.left) * m_scale),
                halfPixelOf((y + m_half - m_square.top) * m_scale)};
    }

    void plot(Position p, std::uint32_t pixel) {
        const std::int64_t cx = p.x >> 1; // arithmetic shift: floor of a half
        const std::int64_t cy = p.y >> 1;
        if (cx + m_reach < m_x0 || cx - m_reach > m_x1 || cy + m_reach < m_y0 ||
            cy - m_reach > m_y1) {
            return;
        }
        const int phase = (p.x & 1) | ((p.y & 1) << 1);
        for (const Span& s : m_spans[phase]) {
            const std::int64_t row = cy + s.dy;
            if (row < m_y0 || row > m_y1) {
                continue;
            }
            const std::int64_t a = std::max<std::int64_t>(cx + s.x0, m_x0);
            const std::int64_t b = std::min<std::int64_t>(cx + s.x1, m_x1);
            if (a > b) {
                continue;
            }
            std::uint32_t* line = m_out + static_cast<std::size_t>(row) * m_stride;
            if (m_counting) {
                countSpan(line, static_cast<int>(a), static_cast<int>(b), m_side);
            } else {
                std::fill(line + a, line + b + 1, pixel);
            }
        }
    }

    // In counting mode: turns the counts into the density colours.
    void shade(std::uint32_t background, const std::array<std::uint32_t, kRampSize>& ramp,
               int repeat) {
        // Spans end within the pixels showing the canvas, plus one word.
        const DensityBox box{m_x0, m_y0, std::min(m_x1 + 1, m_side - 1), m_y1};
        const std::uint32_t top = resolveDensityCounts(m_out, m_stride, box, background);
        paintDensityCounts(m_out, m_stride, box, background, top, ramp, repeat);
    }

    // Every dot is drawn as it comes.
    bool keepsDots() const { return false; }
    bool paintKept(bool, const std::function<bool(std::size_t)>&) { return true; }

    // Paints the picture pixels that show no canvas pixel white.
    void whitenOutside(int side) {
        constexpr std::uint32_t kOutside = 0xFFFFFFFFu;
        for (int y = 0; y < side; ++y) {
            std::uint32_t* line = m_out + static_cast<std::size_t>(y) * m_stride;
            if (y < m_y0 || y > m_y1) {
                std::fill(line, line + side, kOutside);
                continue;
            }
            std::fill(line, line + std::clamp(m_x0, 0, side), kOutside);
            if (m_x1 + 1 < side) {
                std::fill(line + std::max(m_x1 + 1, 0), line + side, kOutside);
            }
        }
    }

  private:
    struct Span {
        int dy;
        int x0;
        int x1; // inclusive
    };
    std::uint32_t* m_out;
    std::size_t m_stride;
    int m_side;
    bool m_counting; // the density mode: dots are counted, not painted
    SourceSquare m_square;
    double m_scale;
    double m_half = 0;
    std::array<std::vector<Span>, 4> m_spans;
    int m_reach = 0;
    int m_x0 = 0, m_x1 = -1, m_y0 = 0, m_y1 = -1; // picture pixels showing the canvas
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
                      std::uint32_t* out, std::size_t stride) {
    return drawScaledRun(s, prepareFormula(s.formula(), s.params), square, side, out, stride);
}

DrawResult drawScaledRun(const DrawSettings& s, std::optional<FormulaRun> run,
                         const SourceSquare& square, int side, std::uint32_t* out,
                         std::size_t stride) {
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
    for (int y = 0; y < side; ++y) {
        std::uint32_t* line = out + static_cast<std::size_t>(y) * stride;
        std::fill(line, line + side, back);
    }
    const bool density = s.drawColourMode() == DrawColourMode::Density;
    PictureTarget target(out, stride, side, square, s.penWidth, density);
    result = detail::plotFigure(s, run, target, result);
    if (density) {
        target.shade(back, detail::rampPixelsOf(s), s.gradientRepeat);
    }
    target.whitenOutside(side);
    return result;
}

} // namespace orbelle
