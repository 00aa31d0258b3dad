#pragma once
// The desktop program's wording of a system error: the common reasons a file
// cannot be read or written in Japanese, every other one in the system's own
// words. Every message of the program that gives a system error's reason
// takes it from here.

#include <QString>

namespace orbelle {

/// The reason for errno value `errorNumber`: Japanese for a missing file,
/// a refused permission, a full disk or quota, a read-only file system, a
/// folder and a file too large; the system's text (strerror) otherwise.
QString systemReason(int errorNumber);

} // namespace orbelle
