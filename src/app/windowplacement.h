#pragma once
// Where the main window goes at start-up. A stored geometry is used only when
// it fits a screen and its title area can be seen; a damaged one (a size of
// billions of pixels, a place off every screen) gives way to the default.

#include <QList>
#include <QRect>

class QByteArray;
class QWidget;

namespace orbelle {

/// The default: 1600 × 1000 pixels bounded to 95 % of the screen's available
/// area, centred on it.
QRect defaultWindowRect(const QRect& screen);

/// The rectangle to use for a window that asks for restored (invalid when
/// nothing was stored), given the available areas of the screens, the
/// primary first. The restored rectangle stays when at least 100 × 50 pixels
/// of its top (the title area) lie on one screen; its size is then bounded by
/// that screen, and a window that had to shrink is moved onto it. Otherwise
/// the default on the primary screen.
QRect placeWindow(const QRect& restored, const QList<QRect>& screens);

/// Restores the window's geometry from saved (as QWidget::saveGeometry made
/// it) and corrects it with placeWindow against the screens there are.
void restoreWindowPlacement(QWidget& window, const QByteArray& saved);

} // namespace orbelle
