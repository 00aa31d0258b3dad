#include "engine/settingsblend.h"

namespace orbelle {
namespace {

// num / den rounded to the nearest integer, halves away from zero; den > 0.
std::int64_t roundedQuotient(std::int64_t num, std::int64_t den) {
    if (num >= 0) {
        return (2 * num + den) / (2 * den);
    }
    return -((-2 * num + den) / (2 * den));
}

// A choice or flag: the first value before the middle frame, the last from it on.
std::int32_t pick(std::int32_t a, std::int32_t b, int k, int n) { return 2 * k >= n ? b : a; }

} // namespace

std::int32_t blendInteger(std::int32_t a, std::int32_t b, int k, int n) {
    const std::int64_t num = std::int64_t{a} * n + (std::int64_t{b} - a) * k;
    return static_cast<std::int32_t>(roundedQuotient(num, n));
}

std::int32_t blendAngle(std::int32_t a, std::int32_t b, int k, int n) {
    // The turn from a to b in (-180, 180].
    std::int64_t turn = ((std::int64_t{b} - a) % 360 + 360) % 360;
    if (turn > 180) {
        turn -= 360;
    }
    // The angle in units of 1/n degree, brought into [0, 360) before
    // rounding so that one direction rounds the same however it is reached.
    const std::int64_t full = 360 * std::int64_t{n};
    const std::int64_t num = ((std::int64_t{a} * n + turn * k) % full + full) % full;
    return static_cast<std::int32_t>(roundedQuotient(num, n) % 360);
}

std::int32_t blendColour(std::int32_t a, std::int32_t b, int k, int n) {
    return packRgb(blendInteger(redOf(a), redOf(b), k, n),
                   blendInteger(greenOf(a), greenOf(b), k, n),
                   blendInteger(blueOf(a), blueOf(b), k, n));
}

DrawSettings blendSettings(const DrawSettings& from, const DrawSettings& to, int k,
                           int frameCount) {
    if (frameCount <= 1) {
        return from;
    }
    const int n = frameCount - 1;
    DrawSettings s = from;
    for (int r = 0; r < kRowCount; ++r) {
        s.params[r] = blendInteger(from.params[r], to.params[r], k, n);
        s.paramLocked[r] = pick(from.paramLocked[r], to.paramLocked[r], k, n);
    }
    s.penWidth = blendInteger(from.penWidth, to.penWidth, k, n);
    s.drawColorMode = pick(from.drawColorMode, to.drawColorMode, k, n);
    s.drawColor = blendColour(from.drawColor, to.drawColor, k, n);
    s.backColorMode = pick(from.backColorMode, to.backColorMode, k, n);
    s.backColor = blendColour(from.backColor, to.backColor, k, n);
    s.gradientSmooth = pick(from.gradientSmooth, to.gradientSmooth, k, n);
    s.gradientRepeat = blendInteger(from.gradientRepeat, to.gradientRepeat, k, n);
    for (std::size_t c = 0; c < s.gradientStopOn.size(); ++c) {
        s.gradientStopOn[c] = pick(from.gradientStopOn[c], to.gradientStopOn[c], k, n);
    }
    for (std::size_t c = 0; c < s.gradientColors.size(); ++c) {
        s.gradientColors[c] = blendColour(from.gradientColors[c], to.gradientColors[c], k, n);
    }
    s.rotZ = blendAngle(from.rotZ, to.rotZ, k, n);
    s.rotX = blendAngle(from.rotX, to.rotX, k, n);
    s.rotY = blendAngle(from.rotY, to.rotY, k, n);
    s.scaleZ = blendInteger(from.scaleZ, to.scaleZ, k, n);
    s.zoom = blendInteger(from.zoom, to.zoom, k, n);
    s.shiftV = blendInteger(from.shiftV, to.shiftV, k, n);
    s.shiftH = blendInteger(from.shiftH, to.shiftH, k, n);
    return s;
}

} // namespace orbelle
