#pragma once
// The options the program answers before anything else happens: the usage and
// the version are printed without taking the single-instance lock or
// connecting to a display.

#include <optional>

namespace orbelle {

/// The usage lines printed by --help.
const char* programUsageText();

/// Answers "--help"/"-h" or "--version" when it is the first argument: prints
/// the text on standard output and returns the exit status (0, or 1 when the
/// text could not be written). Returns nothing for any other command line,
/// which the program then runs as usual.
std::optional<int> answerInfoOption(int argc, const char* const* argv);

} // namespace orbelle
