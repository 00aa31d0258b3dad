#include "cli/failure.h"

#include <cstdio>

namespace orbelle::cli {

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "orbelle-cli: %s\n", message.c_str());
    return status;
}

} // namespace orbelle::cli
