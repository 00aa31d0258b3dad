#pragma once
// Frames that stay visible on light and dark windows alike. The panes draw
// frames around boxes, swatches and option pictures; a black line disappears
// on a dark window, so on dark palettes these lines are drawn light.

#include <QColor>

class QPalette;
class QPixmap;

namespace orbelle {

/// True when the palette's window colour is dark (lightness below 128).
bool isDarkPalette(const QPalette& palette);

/// The colour of a frame line on the palette's window: black on a light
/// window, a light grey on a dark one. enabled false gives the dimmer line
/// of a control that cannot be used.
QColor frameLineColour(const QPalette& palette, bool enabled = true);

/// The picture with its outer edge in colour: every pixel that is not fully
/// transparent and touches a fully transparent pixel or the picture's border
/// (left, right, above or below) takes colour, keeping its opacity. A null
/// picture stays null.
QPixmap outlinedPicture(const QPixmap& picture, const QColor& colour);

} // namespace orbelle
