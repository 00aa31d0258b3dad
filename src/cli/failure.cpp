#include "cli/failure.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace orbelle::cli {

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "orbelle-cli: %s\n", message.c_str());
    return status;
}

int finishStandardOutput(const std::string& what) {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int error = errno;
        return fail(kWriteFailed, "cannot write " + what + ": " +
                                      (error != 0 ? std::strerror(error) : "write error"));
    }
    return 0;
}

} // namespace orbelle::cli
