#include "engine/scaleddotshape.h"

#include <algorithm>
#include <cmath>

namespace orbelle {
namespace {

constexpr double kPi = 3.141592653589793;

// a / b rounded down, for b > 0.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// The rows of the canvas's own shape, one per row from its top to its bottom.
ScaledDotShape::Phase canvasPhase(const DotShape& shape) {
    ScaledDotShape::Phase phase;
    phase.firstRow = shape.minDy();
    phase.widest = (shape.minDy() + shape.maxDy()) / 2;
    phase.rows.assign(static_cast<std::size_t>(shape.maxDy() - shape.minDy() + 1), {1, 0});
    for (const DotShape::Span& s : shape.spans()) {
        phase.rows[static_cast<std::size_t>(s.dy - shape.minDy())] = {s.x0, s.x1};
    }
    return phase;
}

// The pixels whose centres lie within radius of (cx, cy), relative to the
// corner pixel (0, 0), whose centre is (0.5, 0.5).
ScaledDotShape::Phase discPhase(double cx, double cy, double radius) {
    ScaledDotShape::Phase phase;
    const auto top = static_cast<int>(std::floor(cy - radius)) - 1;
    const auto bottom = static_cast<int>(std::ceil(cy + radius)) + 1;
    std::vector<ScaledDotShape::RowSpan> rows;
    int first = 0;
    for (int j = top; j <= bottom; ++j) {
        const double dy = (j + 0.5) - cy;
        const double rest = radius * radius - dy * dy;
        if (rest < 0) {
            continue;
        }
        const double half = std::sqrt(rest);
        const auto x0 = static_cast<int>(std::ceil(cx - half - 0.5));
        const auto x1 = static_cast<int>(std::floor(cx + half - 0.5));
        if (x0 > x1) {
            continue;
        }
        if (rows.empty()) {
            first = j;
        }
        // Rows with pixels follow one another: a row between two of them
        // lies nearer the centre than one of them.
        rows.resize(static_cast<std::size_t>(j - first), {1, 0});
        rows.push_back({x0, x1});
    }
    phase.firstRow = first;
    const int middle = static_cast<int>(std::floor(cy));
    const int last = first + static_cast<int>(rows.size()) - 1;
    phase.widest = rows.empty() ? 0 : std::clamp(middle, first, last);
    phase.rows = std::move(rows);
    return phase;
}

// The pixels whose centres lie in the rectangle from (x0, y0), width by
// height, relative to the corner pixel (0, 0).
ScaledDotShape::Phase rectanglePhase(double x0, double y0, double width, double height) {
    ScaledDotShape::Phase phase;
    const auto first = static_cast<int>(std::ceil(x0 - 0.5));
    const auto last = static_cast<int>(std::ceil(x0 + width - 0.5)) - 1;
    phase.firstRow = static_cast<int>(std::ceil(y0 - 0.5));
    const int bottom = static_cast<int>(std::ceil(y0 + height - 0.5)) - 1;
    if (first > last || phase.firstRow > bottom) {
        return phase;
    }
    phase.rows.assign(static_cast<std::size_t>(bottom - phase.firstRow + 1), {first, last});
    phase.widest = phase.firstRow;
    return phase;
}

// True when the shape's rows all span the same columns (the 2 x 2 dot of
// pen 1).
bool isRectangle(const DotShape& shape) {
    const std::vector<DotShape::Span>& spans = shape.spans();
    return std::all_of(spans.begin(), spans.end(), [&](const DotShape::Span& s) {
        return s.x0 == spans.front().x0 && s.x1 == spans.front().x1;
    });
}

} // namespace

ScaledDotShape::ScaledDotShape(int penWidth, int side, int squareSide)
    : m_exact(side == squareSide), m_side(side), m_squareSide(squareSide) {
    const DotShape canvasShape(penWidth);
    if (m_exact) {
        m_phases.assign(1, canvasPhase(canvasShape));
    } else {
        std::size_t pixels = 0;
        for (const DotShape::Span& s : canvasShape.spans()) {
            pixels += static_cast<std::size_t>(s.x1 - s.x0 + 1);
        }
        const double scale = static_cast<double>(side) / squareSide;
        const bool rectangle = isRectangle(canvasShape);
        const DotShape::Span& top = canvasShape.spans().front();
        const double width = (top.x1 - top.x0 + 1) * scale;
        const double height = (canvasShape.maxDy() - canvasShape.minDy() + 1) * scale;
        const double radius = std::sqrt(static_cast<double>(pixels) / kPi) * scale;
        const double centre = (canvasShape.penWidth() + 1) / 2.0 * scale;
        // Small dots take finer positions; a large one's shapes would take
        // much memory and its position matters little beside its size.
        const double rows = rectangle ? height : 2 * radius;
        m_phaseCount = rows <= 64 ? kMostPhases : rows <= 512 ? 8 : 4;
        const int n = m_phaseCount;
        m_phases.resize(static_cast<std::size_t>(n * n));
        for (int py = 0; py < n; ++py) {
            for (int px = 0; px < n; ++px) {
                const double fx = px / double(n);
                const double fy = py / double(n);
                m_phases[static_cast<std::size_t>(py * n + px)] =
                    rectangle ? rectanglePhase(fx + top.x0 * scale,
                                               fy + canvasShape.minDy() * scale, width, height)
                              : discPhase(centre + fx, centre + fy, radius);
            }
        }
    }
    m_minDx = m_minDy = 1 << 30;
    m_maxDx = m_maxDy = -(1 << 30);
    for (const Phase& p : m_phases) {
        for (std::size_t k = 0; k < p.rows.size(); ++k) {
            const RowSpan& r = p.rows[k];
            if (r.x0 > r.x1) {
                continue;
            }
            m_minDx = std::min(m_minDx, r.x0);
            m_maxDx = std::max(m_maxDx, r.x1);
            m_minDy = std::min(m_minDy, p.firstRow + static_cast<int>(k));
            m_maxDy = std::max(m_maxDy, p.firstRow + static_cast<int>(k));
        }
    }
}

ScaledDotShape::Placement ScaledDotShape::place(std::int64_t offset) const {
    if (m_exact) {
        return {offset, 0};
    }
    // offset * side / squareSide in parts of a pixel, to the nearest one.
    const std::int64_t twice = 2 * offset * m_side * m_phaseCount + m_squareSide;
    const std::int64_t parts = floorDiv(twice, 2 * static_cast<std::int64_t>(m_squareSide));
    const std::int64_t corner = floorDiv(parts, m_phaseCount);
    return {corner, static_cast<int>(parts - corner * m_phaseCount)};
}

} // namespace orbelle
