#pragma once
// The side of the square in which the view shows the picture, as a function
// of the number of Zoom In commands minus Zoom Out commands.

namespace orbelle {

/// Bounds on the shown side: the picture never vanishes and never outgrows
/// what a scroll bar (an int range) and the tile cache handle comfortably.
constexpr int kMinDisplaySize = 10;
constexpr int kMaxDisplaySize = 60000;

/// trunc(800 * 1.2^step), the power taken by repeated squaring of 1.2 over the
/// bits of |step| and inverted for a negative step. Steps -3..3 give 462, 555,
/// 666, 800, 960, 1152, 1382. Not bounded: callers keep the step within
/// kMinDisplaySize..kMaxDisplaySize.
int displaySizeForStep(int step);

} // namespace orbelle
