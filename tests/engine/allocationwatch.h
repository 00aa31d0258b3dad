#pragma once
// Watches the sizes the engine tests allocate through operator new (which the
// engine test program replaces): the largest single allocation between
// startWatching and stopWatching.

#include <cstddef>

namespace orbelle::test {

void startWatching();
/// Stops watching; returns the largest allocation seen, in bytes.
std::size_t stopWatching();

} // namespace orbelle::test
