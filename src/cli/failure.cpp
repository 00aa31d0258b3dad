#include "cli/failure.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace orbelle::cli {

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "orbelle-cli: %s\n", message.c_str());
    return status;
}

namespace {

int writeFailed(int error, const std::string& what) {
    return fail(kWriteFailed, "cannot write " + what + ": " +
                                  (error != 0 ? std::strerror(error) : "write error"));
}

} // namespace

int finishStandardOutput(const std::string& what) {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        return writeFailed(errno, what);
    }
    return 0;
}

int writeStandardOutput(const std::string& text, const std::string& what) {
    // A long text goes past the buffer straight to the device, so the
    // reason is known only here; the flush afterwards has nothing to write.
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
        return writeFailed(errno, what);
    }
    return finishStandardOutput(what);
}

} // namespace orbelle::cli
