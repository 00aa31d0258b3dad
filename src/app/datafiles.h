#pragma once
// Names of the files the program keeps in its per-user data folder. The
// pictures, the help page and the icons are written there from the built-in
// copies when missing; the user may replace them. The panes' pictures are
// named in panes/panepictures.h.

#include "panes/panepictures.h"

namespace orbelle {

/// Empty marker: the default pane layout has been applied once.
inline constexpr char kLayoutMarkerFile[] = "layout";
/// Held while a copy of the program runs (in the per-user runtime folder).
inline constexpr char kInstanceLockFile[] = "orbelle.lock";
inline constexpr char kHelpPageFile[] = "OrbelleHelp001.html";
/// Icons of the program, of favorites files and of history files.
inline constexpr char kProgramIconFile[] = "Orbelle.ico";
inline constexpr char kFavoritesIconFile[] = "OrbelleO.ico";
inline constexpr char kHistoryIconFile[] = "OrbelleH.ico";

} // namespace orbelle
