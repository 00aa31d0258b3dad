#pragma once
// Whether the favorites store can keep a name the user typed.

#include <QString>

namespace orbelle {

/// Empty when `name` can be stored; otherwise the reason for the user (a
/// character code page 932 cannot hold, named; a name longer than 511 bytes
/// in code page 932; an empty name). Commas are allowed: the store keeps
/// them as full stops.
QString favoriteNameProblem(const QString& name);

} // namespace orbelle
