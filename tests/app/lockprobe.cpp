// The other copy in the tests of copies started together: waits for one byte
// on standard input (so that copies started one after the other take the
// lock at one moment), takes the instance lock at the path it is given, says
// on standard output what came of it and holds it until standard input
// closes.

#include "app/instancelock.h"

#include <cstdio>

#include <unistd.h>

int main(int argc, char** argv) {
    char byte = 0;
    if (argc != 2 || ::read(STDIN_FILENO, &byte, 1) != 1) {
        return 2;
    }
    using State = orbelle::InstanceLock::State;
    const auto lock = orbelle::takeInstanceLock({QString::fromLocal8Bit(argv[1])});
    const State state = lock->state();
    std::puts(state == State::Held                ? "held"
              : state == State::HeldByRunningCopy ? "running"
                                                  : "unavailable");
    std::fflush(stdout);
    while (::read(STDIN_FILENO, &byte, 1) > 0) {
    }
    return 0;
}
