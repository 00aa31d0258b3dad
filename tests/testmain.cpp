// Test entry point: every test program runs with fresh data, config and
// runtime folders of its own and the offscreen Qt platform, so no test ever
// touches the real home folder or needs a display.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#ifdef ORBELLE_LSAN_SUPPRESSIONS
// Sanitizer builds: the leak checker reads the suppressions kept in the tree
// (leaks inside system libraries the tests cannot free), and undefined
// behaviour is reported with its call stack. Options given in the environment
// still come on top of these.
extern "C" const char* __lsan_default_options() {
    return "suppressions=" ORBELLE_LSAN_SUPPRESSIONS ":print_suppressions=0";
}
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1"; }
#endif

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ORBELLE_THREAD_SANITIZER_BUILD 1
#endif
#endif
#if defined(__SANITIZE_THREAD__) || defined(ORBELLE_THREAD_SANITIZER_BUILD)
// Race-detector builds: Qt comes from the distribution, built without the
// detector, so its own threads (image conversion, the event queue) are
// invisible to it and would be reported against each other. Only accesses
// made by the program's own code are checked.
extern "C" const char* __tsan_default_options() { return "ignore_noninstrumented_modules=1"; }
#endif

int main(int argc, char** argv) {
    std::string root = (std::filesystem::temp_directory_path() / "orbelle-test-XXXXXX").string();
    if (mkdtemp(root.data()) == nullptr) {
        return 1;
    }
    for (const char* sub : {"data", "config", "runtime", "cache", "tmp"}) {
        std::filesystem::create_directories(std::filesystem::path(root) / sub);
    }
    std::filesystem::permissions(std::filesystem::path(root) / "runtime",
                                 std::filesystem::perms::owner_all);
    setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (root + "/runtime").c_str(), 1);
    setenv("XDG_CACHE_HOME", (root + "/cache").c_str(), 1);
    // Test programs run side by side; each has its own temporary folder, so
    // fixed names below it never meet another program's files.
    setenv("TMPDIR", (root + "/tmp").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return status;
}
