#pragma once
// Whether a figure is worth showing, judged from its dots alone: the orbit
// stays finite, it covers at least 1% of the square the main view shows
// around it (counted in display pixels), and it does not settle into a short
// cycle (at least 50 distinct dot positions among its last 1000 dots). The
// figure finder keeps stepping the free parameter rows until this holds.

#include "formulas/formula.h"

#include <cstdint>
#include <vector>

namespace orbelle {

constexpr int kCycleWindow = 1000;     // the last dots the cycle test looks at
constexpr int kMinCyclePositions = 50; // distinct positions a figure needs there
constexpr int kMinCoveragePercent = 1; // of the shown square's display pixels

struct FigureVerdict {
    bool finite = true;             // no dot is infinite or NaN
    std::int64_t coveredPixels = 0; // display pixels of the shown square that dots fall on
    std::int64_t shownPixels = 0;   // display pixels of the shown square
    int recentPositions = 0;        // distinct canvas pixels among the last 1000 dots

    bool coversEnough() const { return coveredPixels * 100 >= shownPixels * kMinCoveragePercent; }
    bool cycles() const { return recentPositions < kMinCyclePositions; }
    bool worthShowing() const { return finite && coversEnough() && !cycles(); }
};

/// Judges the dots of a figure: its points as the formula gives them (after
/// the display scale, before the 3D transform and the centre offset), in
/// order. The shown square is the one the main view shows for the figure's
/// bounds and the enlargement zoom (see sourcesquare.h), divided into
/// displaySide x displaySide display pixels (displaySide is brought into
/// 1..4096); dots off the canvas fall on none. A dot position is the canvas
/// pixel of the dot's box corner. An orbit with a dot that is not finite gets
/// finite = false and nothing else is counted.
FigureVerdict judgeFigure(const std::vector<Point>& dots, std::int32_t zoom, int displaySide);

} // namespace orbelle
