#pragma once
// A canvas pattern for view tests: every pixel differs from its neighbours
// within a 256-pixel block and neighbouring blocks differ, so a picture that
// shows any wrong canvas pixel is caught.

#include "engine/canvas.h"
#include "engine/draw.h"
#include "engine/drawsettings.h"

#include <QRgb>

#include <cstdint>

namespace orbelle::test {

inline std::int32_t patternColour(int x, int y) {
    return packRgb(x % 256, y % 256, (x / 256 * 7 + y / 256 * 13) % 256);
}

/// Draws the pattern over the whole canvas and reports a figure 2000 pixels
/// wide and high round the centre: at zoom 100 the view shows the
/// 3000-pixel square from (1500, 1500).
inline DrawResult drawPattern(const DrawSettings&, Canvas& canvas, const DrawProgress&) {
    for (int y = 0; y < Canvas::kSize; ++y) {
        std::uint32_t* row = canvas.row(y);
        for (int x = 0; x < Canvas::kSize; ++x) {
            row[x] = Canvas::toPixel(patternColour(x, y));
        }
    }
    DrawResult result;
    result.bounds = {-1000, 1000, -1000, 1000};
    return result;
}

/// A shown pixel as a packed colour, to compare with canvas colours.
inline std::int32_t packed(QRgb rgb) { return packRgb(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

} // namespace orbelle::test
