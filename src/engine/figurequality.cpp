#include "engine/figurequality.h"

#include "engine/canvas.h"
#include "engine/draw.h"
#include "engine/sourcesquare.h"
#include "engine/transform.h"
#include "formulas/numeric.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace orbelle {

const char* FigureVerdict::reason() const {
    // Dust that has mostly left the view is named for what the view shows.
    if (!finite) {
        return "escapes";
    }
    if (cycles()) {
        return "short cycle";
    }
    if (isDust()) {
        return "dust";
    }
    if (escapes()) {
        return "escapes";
    }
    if (!coversEnough()) {
        return "covers too little";
    }
    return "good";
}

FigureVerdict judgeFigure(std::span<const Point> dots, int startIndex, std::int32_t count,
                          const FigurePlacement& placement) {
    FigureVerdict verdict;
    verdict.dots = static_cast<std::int64_t>(dots.size());
    FigureBounds b;
    for (const Point& p : dots) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            verdict.finite = false;
            return verdict;
        }
        b.minX = std::min(b.minX, p.x);
        b.maxX = std::max(b.maxX, p.x);
        b.minY = std::min(b.minY, p.y);
        b.maxY = std::max(b.maxY, p.y);
    }

    const SourceSquare square = sourceSquare(b, placement.zoom);
    const Transform3D transform =
        Transform3D::fromDegrees(placement.rotX, placement.rotY, placement.rotZ, placement.scaleZ);
    const bool transformOn = placement.rotX != 0 || placement.rotY != 0 || placement.rotZ != 0;
    const CentreOffset offset = centreOffset(placement.shiftH, placement.shiftV);
    const double offX = offset.x;
    const double offY = offset.y;
    // The shown part of the canvas, in 64 bits: the small square round the
    // centre of a far figure may lie beyond the canvas.
    const std::int64_t x0 = std::max<std::int64_t>(square.left, 0);
    const std::int64_t y0 = std::max<std::int64_t>(square.top, 0);
    const std::int64_t x1 =
        std::min<std::int64_t>(std::int64_t{square.left} + square.side, Canvas::kSize);
    const std::int64_t y1 =
        std::min<std::int64_t>(std::int64_t{square.top} + square.side, Canvas::kSize);

    std::vector<std::uint32_t> grid(static_cast<std::size_t>(FigureVerdict::kCells));
    const std::size_t middleFrom = dots.size() / 2;
    const std::size_t middleTo = std::min(dots.size(), middleFrom + kCycleWindow);
    std::vector<std::pair<std::int32_t, std::int32_t>> middle;
    middle.reserve(middleTo - middleFrom);
    for (std::size_t k = 0; k < dots.size(); ++k) {
        double px = dots[k].x;
        double py = dots[k].y;
        if (transformOn) {
            transform.apply(px, py, startIndex + static_cast<std::int64_t>(k), count);
        }
        const std::int64_t left = trunc32(offX + px);
        const std::int64_t top = trunc32(offY + py);
        if (k >= middleFrom && k < middleTo) {
            middle.emplace_back(static_cast<std::int32_t>(left), static_cast<std::int32_t>(top));
        }
        if (left < x0 || left >= x1 || top < y0 || top >= y1) {
            continue;
        }
        const std::int64_t cx = (left - square.left) * kQualityGrid / square.side;
        const std::int64_t cy = (top - square.top) * kQualityGrid / square.side;
        ++grid[static_cast<std::size_t>(cy * kQualityGrid + cx)];
        ++verdict.shownDots;
    }
    for (const std::uint32_t dotsInCell : grid) {
        verdict.coveredCells += dotsInCell > 0;
        if (dotsInCell >= kPiledDots) {
            ++verdict.piledCells;
            verdict.piledDots += dotsInCell;
        }
    }

    std::sort(middle.begin(), middle.end());
    verdict.middlePositions =
        static_cast<int>(std::unique(middle.begin(), middle.end()) - middle.begin());
    return verdict;
}

} // namespace orbelle
