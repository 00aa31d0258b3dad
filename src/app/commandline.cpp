#include "app/commandline.h"

#include "app/version.h"

#include <cstdio>
#include <cstring>

namespace orbelle {

const char* programUsageText() {
    return "usage: orbelle [FILE.orbdr]\n"
           "       orbelle --help | --version\n"
           "\n"
           "Draws figures of chaotic dynamics. FILE.orbdr, a drawing settings file,\n"
           "is opened and drawn (as is a PNG or JPEG image the program exported); a\n"
           "history (.orbhs) or favorites (.orbfv) file is loaded after a question.\n"
           "When a copy of the program already runs, the file is handed to that copy.\n"
           "\n"
           "  -h, --help     print this text and exit\n"
           "      --version  print the version and exit\n";
}

std::optional<int> answerInfoOption(int argc, const char* const* argv) {
    if (argc < 2) {
        return std::nullopt;
    }
    const char* option = argv[1];
    if (std::strcmp(option, "--help") == 0 || std::strcmp(option, "-h") == 0) {
        std::fputs(programUsageText(), stdout);
    } else if (std::strcmp(option, "--version") == 0) {
        std::printf("orbelle %s\n", kVersionText);
    } else {
        return std::nullopt;
    }
    return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : 1;
}

} // namespace orbelle
