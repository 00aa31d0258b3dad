#pragma once
// The canvas's dot shape on a picture that shows a square of the canvas at
// another side. A canvas corner (the truncated box corner a dot has on the
// canvas) lands on the picture at (corner - square origin) * scale, with
// scale = side / square side, rounded to a sixteenth, an eighth or a quarter
// pixel (the smaller the dot, the finer). At the square's own
// side the shape is the canvas's DotShape itself and every corner a whole
// pixel, so the picture repeats the canvas pixel for pixel. At any other side
// the dot is the disc, centred where the canvas dot's centre lands, whose area
// is the canvas dot's pixel count times scale squared: the picture covers the
// share of pixels the stretched canvas covers, with edges as fine as the
// picture's pixels. A canvas dot that is a rectangle (the 2 x 2 of pen 1)
// stays the rectangle, scaled: a disc that small would cover more or fewer
// pixels than its area at simple ratios of the sides. One span list per quarter-pixel position in x
// and y is made once per drawing. Used only inside the engine.

#include "engine/dotshape.h"

#include <cstdint>
#include <vector>

namespace orbelle {

class ScaledDotShape {
  public:
    /// The most positions within a pixel per axis.
    static constexpr int kMostPhases = 16;

    /// Shape of pen width penWidth (clamped to 1..100) on a picture of side
    /// pixels showing a canvas square of squareSide pixels (both positive).
    ScaledDotShape(int penWidth, int side, int squareSide);

    /// Where a dot lands whose canvas corner lies offset pixels from the
    /// square's origin: the picture pixel of its corner and the quarter pixel
    /// within it (0..phases() - 1).
    struct Placement {
        std::int64_t corner;
        int phase;
    };
    Placement place(std::int64_t offset) const;

    /// Columns first..last (inclusive, relative to the corner) of one row.
    struct RowSpan {
        int x0;
        int x1; // x1 < x0: the row is empty
    };
    /// The rows of the dot at one pair of quarter-pixel positions: row k lies
    /// firstRow + k rows below the corner; widest is the row where the rows
    /// are widest (they narrow away from it, each within the wider ones).
    struct Phase {
        int firstRow = 0;
        int widest = 0;
        std::vector<RowSpan> rows;
    };
    const Phase& phase(int phaseX, int phaseY) const {
        return m_phases[static_cast<std::size_t>(phaseY * m_phaseCount + phaseX)];
    }
    /// Positions within a pixel per axis.
    int phases() const { return m_phaseCount; }

    /// True at the square's own side: the canvas's own shape, whole pixels.
    bool exact() const { return m_exact; }

    /// The box around every phase's rows, relative to the corner (inclusive).
    int minDx() const { return m_minDx; }
    int maxDx() const { return m_maxDx; }
    int minDy() const { return m_minDy; }
    int maxDy() const { return m_maxDy; }

  private:
    bool m_exact;
    int m_side;
    int m_squareSide;
    int m_phaseCount = 1;
    std::vector<Phase> m_phases; // m_phaseCount squared
    int m_minDx = 0, m_maxDx = -1, m_minDy = 0, m_maxDy = -1;
};

} // namespace orbelle
