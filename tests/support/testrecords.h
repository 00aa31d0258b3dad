#pragma once
// Records the engine and store tests share, each value written out by hand.

#include "engine/drawsettings.h"

namespace orbelle::test {

/// "シリウス" (category 1, item 17): eleven rows, row 1 1..36, row 10 1..450.
inline DrawSettings sirius() {
    DrawSettings s = DrawSettings::startup();
    s.category = 1;
    s.item = 17;
    s.params = {200, 18, 70, 400, 300, 500, 392, 71, 95, 50, 50};
    return s;
}

/// Sirius with each member after the rows (one entry at least of each array)
/// moved off its start-up value: rows below zero, a white gradient colour, the
/// rotations, magnifications and shifts at or near their ends, the last lock set.
inline DrawSettings everyMemberMoved() {
    DrawSettings s = sirius();
    s.params = {100, 7, -75, 400, -100, 150, 290, 510, -200, 0, 400};
    s.penWidth = 3;
    s.setDrawColourMode(DrawColourMode::Gradient);
    s.drawColor = packRgb(10, 20, 30);
    s.setBackColourMode(BackColourMode::Custom);
    s.backColor = packRgb(1, 2, 3);
    s.gradientSmooth = 0;
    s.gradientRepeat = 30;
    s.gradientStopOn = {0, 1, 0, 1, 0};
    s.gradientColors[3] = packRgb(9, 9, 9);
    s.gradientColors[4] = 16777215;
    s.rotZ = 359;
    s.rotX = 200;
    s.rotY = 1;
    s.scaleZ = -999;
    s.zoom = 999;
    s.shiftV = -100;
    s.shiftH = 100;
    s.paramLocked[3] = 1;
    s.paramLocked[4] = 1;
    s.paramLocked[19] = 1;
    return s;
}

} // namespace orbelle::test
