#pragma once
// The records between two drawings of one formula, for animations: frame k of
// n frames lies the fraction k / (n - 1) of the way from the first record to
// the last.

#include "engine/drawsettings.h"

#include <cstdint>

namespace orbelle {

/// a + (b - a) * k / n rounded to the nearest integer, halves away from zero
/// (-2.5 gives -3, 2.5 gives 3). n must be at least 1 and k lie in 0..n; k = 0
/// gives a, k = n gives b.
std::int32_t blendInteger(std::int32_t a, std::int32_t b, int k, int n);

/// The angle k / n of the way from a to b in degrees (both 0..359), turning the
/// short way round (350 to 10 passes 0); at exactly 180 degrees apart the angle
/// increases. The result is rounded, halves upwards, and lies in 0..359.
std::int32_t blendAngle(std::int32_t a, std::int32_t b, int k, int n);

/// Each of red, green and blue blended with blendInteger; colours are packed
/// red + 256 * green + 65536 * blue.
std::int32_t blendColour(std::int32_t a, std::int32_t b, int k, int n);

/// The record of frame k (0..frameCount - 1) of an animation of frameCount
/// frames from `from` to `to`, which name the same formula. Counts and
/// measures (parameter rows, pen width, gradient repeat, Z magnification,
/// enlargement, shifts) use blendInteger, the 3D rotations blendAngle, the
/// colours blendColour. Choices and flags (colour modes, smoothness, stop
/// boxes, locks) cannot take values in between: they keep the first record's
/// value until the middle and take the last one's from the frame k with
/// 2k >= frameCount - 1 on. Frame 0 is `from`, frame frameCount - 1 is `to`;
/// a single frame is `from`. Records within their ranges give records within
/// their ranges.
DrawSettings blendSettings(const DrawSettings& from, const DrawSettings& to, int k, int frameCount);

} // namespace orbelle
