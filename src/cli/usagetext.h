#pragma once
// The usage texts of orbelle-cli: one for every command together, printed by
// "orbelle-cli --help", and one per command, printed by "orbelle-cli COMMAND
// --help".

#include <string>

namespace orbelle::cli {

/// The usage lines of every command.
const char* usageText();

/// The usage of one command with its options; empty for a name that is no
/// command.
std::string commandUsageText(const std::string& command);

} // namespace orbelle::cli
