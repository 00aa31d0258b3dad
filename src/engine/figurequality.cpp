#include "engine/figurequality.h"

#include "engine/canvas.h"
#include "engine/sourcesquare.h"
#include "formulas/numeric.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace orbelle {

FigureVerdict judgeFigure(const std::vector<Point>& dots, std::int32_t zoom, int displaySide) {
    FigureVerdict verdict;
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

    // Coverage: the shown square cut into side x side display pixels.
    const int side = std::clamp(displaySide, 1, 4096);
    const SourceSquare square = sourceSquare(b, zoom);
    verdict.shownPixels = static_cast<std::int64_t>(side) * side;
    std::vector<bool> covered(static_cast<std::size_t>(verdict.shownPixels));
    const double scale = static_cast<double>(side) / square.side;
    for (const Point& p : dots) {
        const double cx = p.x + 3000;
        const double cy = p.y + 3000;
        if (!(cx >= 0 && cx < Canvas::kSize && cy >= 0 && cy < Canvas::kSize)) {
            continue;
        }
        const double dx = std::floor((cx - square.left) * scale);
        const double dy = std::floor((cy - square.top) * scale);
        if (dx < 0 || dx >= side || dy < 0 || dy >= side) {
            continue;
        }
        const auto k = static_cast<std::size_t>(dy) * static_cast<std::size_t>(side) +
                       static_cast<std::size_t>(dx);
        if (!covered[k]) {
            covered[k] = true;
            ++verdict.coveredPixels;
        }
    }

    // Cycle: distinct canvas pixels among the last dots.
    const std::size_t first = dots.size() > kCycleWindow ? dots.size() - kCycleWindow : 0;
    std::vector<std::pair<std::int32_t, std::int32_t>> recent;
    recent.reserve(dots.size() - first);
    for (std::size_t k = first; k < dots.size(); ++k) {
        recent.emplace_back(trunc32(dots[k].x + 3000), trunc32(dots[k].y + 3000));
    }
    std::sort(recent.begin(), recent.end());
    verdict.recentPositions =
        static_cast<int>(std::unique(recent.begin(), recent.end()) - recent.begin());
    return verdict;
}

} // namespace orbelle
