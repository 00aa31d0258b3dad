#pragma once
// "orbelle-cli find": runs the desktop program's figure finder on a record's
// rows and prints the rows it finds as --params takes them.

#include "cli/cliargs.h"
#include "engine/figuresearch.h"

#include <string>

namespace orbelle::cli {

/// The exit status of a search in which no try qualified.
constexpr int kNothingFound = 1;

/// The search the command runs: the formula's rows with their ranges and
/// the record's locks, the record's placement, the seed and the tries.
FigureSearch searchOf(const FindCommand& cmd, std::uint64_t seed);

/// The active rows' values as --params takes them: "200,16,58".
std::string paramsText(const FigureSearch& search, const SearchResult& result);

/// Runs the command: prints the found rows and returns 0, or reports that no
/// try qualified and returns kNothingFound.
int runFind(const FindCommand& cmd);

} // namespace orbelle::cli
