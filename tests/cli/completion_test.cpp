// The bash completion of orbelle-cli, sourced into bash and asked for the
// words that complete a command line, as bash asks when Tab is pressed.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

struct BashOutcome {
    int status;
    std::string out;
};

// Runs script with bash in folder; standard error is left out. The script
// lies beside the folder, not among the files it completes.
BashOutcome runBash(const std::string& script, const std::filesystem::path& folder) {
    const std::filesystem::path scriptPath = folder.string() + ".sh";
    std::ofstream(scriptPath) << "cd '" << folder.string() << "' || exit 9\n" << script;
    const std::string command = "bash --norc --noprofile '" + scriptPath.string() + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    const int raw = pclose(pipe);
    std::filesystem::remove(scriptPath);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out};
}

class Completion : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                (std::string("orbelle-completion-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir / "sub");
        for (const char* name : {"a.orbdr", "b.PNG", "c.txt", "d e.jpg"}) {
            std::ofstream(m_dir / name) << "x";
        }
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // The words offered after "orbelle-cli WORDS...", the last word being
    // the one under the cursor, sorted and joined by "|".
    std::string complete(const std::vector<std::string>& words) {
        std::string script = "source '" ORBELLE_COMPLETION_PATH "' || exit 8\n";
        script += "COMP_WORDS=('" ORBELLE_CLI_PATH "'";
        for (const std::string& word : words) {
            script += " '" + word + "'";
        }
        script += ")\nCOMP_CWORD=" + std::to_string(words.size()) + "\n";
        script += "_orbelle_cli\n"
                  "printf '%s\\n' \"${COMPREPLY[@]}\" | LC_ALL=C sort | paste -sd '|'\n";
        const BashOutcome o = runBash(script, m_dir);
        EXPECT_EQ(o.status, 0);
        std::string out = o.out;
        while (!out.empty() && out.back() == '\n') {
            out.pop_back();
        }
        return out;
    }

    std::filesystem::path m_dir;
};

} // namespace

TEST_F(Completion, SourcingRegistersTheFunction) {
    const BashOutcome o =
        runBash("source '" ORBELLE_COMPLETION_PATH "' || exit 8\ncomplete -p orbelle-cli\n", m_dir);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "complete -F _orbelle_cli orbelle-cli\n");
}

TEST_F(Completion, CommandsOptionsAndFormats) {
    const struct {
        std::vector<std::string> words;
        const char* offered;
    } cases[] = {
        {{""}, "--help|--version|animate|list|points|render"},
        {{"re"}, "render"},
        {{"render", "-"}, "--format|--help|--params|--redraw|--size|-o"},
        {{"animate", "a.orbdr", "--"}, "--frames|--help|--size|--video"},
        {{"points", "0", "0", "-"}, "--help|--limit|--params"},
        {{"list", "-"}, "--help|--json"},
        {{"list", ""}, ""},
        {{"render", "--format", ""}, "bmp|jpg|png"},
        {{"render", "0", "0", "--format", "=", ""}, "bmp|jpg|png"},
        {{"render", "--format", "=", "j"}, "jpg"},
        {{"points", "0", "0", "--limit", ""}, ""},
        {{"render", "--", "-"}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(complete(c.words), c.offered) << c.words.front() << " ... " << c.words.back();
    }
}

TEST_F(Completion, FormulasAndFiles) {
    const struct {
        std::vector<std::string> words;
        const char* offered;
    } cases[] = {
        {{"points", ""}, "0|1|2|3|4|5|6|7|8|9"},
        {{"points", "8", ""}, "0|1|10|11|12|13|2|3|4|5|6|7|8|9"}, // 14 items
        {{"points", "1", "1"}, "1|10|11|12|13|14|15|16|17"},      // 18 items
        {{"render", "-o", "x.png", "--size", "=", "500", "7", "1"}, "1|10|11|12|13|14"},
        {{"render", ""}, "0|1|2|3|4|5|6|7|8|9|a.orbdr|b.PNG|d e.jpg|sub"},
        {{"render", "a.orbdr", ""}, ""},
        {{"render", "0", "0", "-o", ""}, "-|a.orbdr|b.PNG|c.txt|d e.jpg|sub"},
        {{"animate", ""}, "a.orbdr|b.PNG|d e.jpg|sub"},
        {{"animate", "a.orbdr", "b.PNG", "-o", ""}, "sub"},
        {{"animate", "a.orbdr", "b.PNG", "--video", "c"}, "c.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(complete(c.words), c.offered) << c.words.front() << " ... " << c.words.back();
    }
}
