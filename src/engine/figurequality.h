#pragma once
// Whether a figure is worth showing, judged on the picture the main view
// shows of it: the dots after the 3D transform and the centre offset, as far
// as they fall in the square the view cuts around the figure. That square is
// divided into a grid of 256 x 256 cells; a cell holding 8 dots or more is
// piled. A figure is worth showing when
//   - its orbit stays finite (no dot is infinite or NaN) and at least half
//     of its dots fall in the square (the others escaped the view);
//   - at least half of the dots in the square lie in piled cells: an orbit
//     that draws lines or areas comes back to the places it has been and
//     piles its dots up, scattered dust leaves a few dots per cell;
//   - its piled cells, its lines and areas, cover at least 1% of the grid (a
//     single straight line, which crosses at most 2 x 256 - 1 cells, never
//     does);
//   - the 1000 dots from the middle of the orbit on fall on at least 50
//     distinct canvas pixels (the orbit has not settled into a short cycle
//     within its first half; a cycle reached later leaves the picture that
//     came before it).
// The pen width plays no part: the judgement is on where the dots fall.

#include "engine/drawsettings.h"
#include "formulas/formula.h"

#include <cstdint>
#include <span>

namespace orbelle {

constexpr int kQualityGrid = 256;      // cells across the shown square
constexpr int kMinShownPercent = 50;   // of the dots, in the square
constexpr int kMinCoveragePercent = 1; // of the grid's cells, piled
constexpr int kPiledDots = 8;          // dots that make a cell piled
constexpr int kMinPiledPercent = 50;   // of the dots in the square
constexpr int kCycleWindow = 1000;     // the dots the cycle test looks at
constexpr int kMinCyclePositions = 50; // distinct positions a figure needs there

/// The settings that place a figure's dots in the view: the 3D values, the
/// shifts and the enlargement ("拡大"), as DrawSettings holds them.
struct FigurePlacement {
    std::int32_t rotX = 0;
    std::int32_t rotY = 0;
    std::int32_t rotZ = 0;
    std::int32_t scaleZ = 100;
    std::int32_t zoom = 100;
    std::int32_t shiftV = 0;
    std::int32_t shiftH = 0;

    static FigurePlacement of(const DrawSettings& s) {
        return {s.rotX, s.rotY, s.rotZ, s.scaleZ, s.zoom, s.shiftV, s.shiftH};
    }
};

struct FigureVerdict {
    bool finite = true;         // no dot is infinite or NaN
    int coveredCells = 0;       // cells of the grid that dots fall on
    std::int64_t dots = 0;      // dots judged
    std::int64_t shownDots = 0; // dots in the square
    std::int64_t piledDots = 0; // dots in cells holding kPiledDots dots or more
    int piledCells = 0;         // cells holding kPiledDots dots or more
    int middlePositions = 0;    // distinct canvas pixels among the 1000 dots from the middle

    static constexpr int kCells = kQualityGrid * kQualityGrid;

    bool escapes() const { return !finite || shownDots * 100 < dots * kMinShownPercent; }
    bool coversEnough() const { return piledCells * 100 >= kCells * kMinCoveragePercent; }
    bool isDust() const { return piledDots * 100 < shownDots * kMinPiledPercent; }
    bool cycles() const { return middlePositions < kMinCyclePositions; }
    bool worthShowing() const { return !escapes() && !cycles() && !isDust() && coversEnough(); }
    /// Why the figure is refused: "escapes" (a dot not finite), "short
    /// cycle", "dust", "escapes" (most dots off the square), "covers too
    /// little", the first that applies in this order; or "good".
    const char* reason() const;
};

/// Judges the dots of one run of a formula: dots[k] is the point of
/// iteration startIndex + k of count (as FormulaRun names them), after the
/// display scale. An orbit with a dot that is not finite gets finite = false
/// and nothing else is counted. A dot falls on the canvas pixel of its box
/// corner, as Draw places it (after the 3D transform and the centre
/// offset); the dots from the middle are those from index dots.size() / 2
/// on. Dots outside the shown square (see
/// sourcesquare.h) or off the canvas fall on no cell.
FigureVerdict judgeFigure(std::span<const Point> dots, int startIndex, std::int32_t count,
                          const FigurePlacement& placement);

} // namespace orbelle
