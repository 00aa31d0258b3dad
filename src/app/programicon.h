#pragma once
// The program's icon, built into the program at every size of the desktop
// theme, so the window manager and the task bar each pick the closest one.

#include <QIcon>
#include <QList>

namespace orbelle {

/// The pixel sides the icon is drawn at.
QList<int> programIconSizes();

/// The icon with one picture per size.
QIcon programIcon();

} // namespace orbelle
