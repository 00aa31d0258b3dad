#pragma once
// The Japanese gothic face the panes use for their labels and edit boxes.

#include <QFont>

namespace orbelle {

/// A gothic font of the given point size; falls back through the installed
/// Japanese gothic faces (IPAGothic first) to the system's sans-serif.
QFont gothicFont(int pointSize);

} // namespace orbelle
