// The bash completion of orbelle-cli, sourced into bash and asked for the
// words that complete a command line, as bash asks when Tab is pressed.

#include "cli/clitest.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

class Completion : public orbelle::test::CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        std::filesystem::create_directories(m_dir / "sub");
        for (const char* name : {"a.orbdr", "b.PNG", "c.txt", "d e.jpg"}) {
            std::ofstream(m_dir / name) << "x";
        }
    }

    // Runs script with bash in the scratch folder. The script lies beside
    // the folder, not among the files it completes.
    orbelle::test::CliOutcome bash(const std::string& script) const {
        const std::string file = m_dir.string() + ".sh";
        std::ofstream(file) << "cd '" << m_dir.string() << "' || exit 9\n" << script;
        return shell("bash --norc --noprofile '" + file + "'");
    }

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
        const auto o = bash(script);
        EXPECT_EQ(o.status, 0);
        std::string out = o.out;
        while (!out.empty() && out.back() == '\n') {
            out.pop_back();
        }
        return out;
    }
};

} // namespace

TEST_F(Completion, SourcingRegistersTheFunction) {
    const auto o =
        bash("source '" ORBELLE_COMPLETION_PATH "' || exit 8\ncomplete -p orbelle-cli\n");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "complete -F _orbelle_cli orbelle-cli\n");
}

TEST_F(Completion, CommandsOptionsAndFormats) {
    const struct {
        std::vector<std::string> words;
        const char* offered;
    } cases[] = {
        {{""}, "--help|--version|animate|find|list|points|render"},
        {{"find", "0", "0", "-"}, "--help|--lock|--params|--seed|--tries"},
        {{"find", "0", "0", "--seed", ""}, ""},
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
        {{"find", ""}, "0|1|2|3|4|5|6|7|8|9|a.orbdr|b.PNG|d e.jpg|sub"},
        {{"find", "--tries", "9", "8", ""}, "0|1|10|11|12|13|2|3|4|5|6|7|8|9"},
        {{"render", "0", "0", "-o", ""}, "-|a.orbdr|b.PNG|c.txt|d e.jpg|sub"},
        {{"animate", ""}, "a.orbdr|b.PNG|d e.jpg|sub"},
        {{"animate", "a.orbdr", "b.PNG", "-o", ""}, "sub"},
        {{"animate", "a.orbdr", "b.PNG", "--video", "c"}, "c.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(complete(c.words), c.offered) << c.words.front() << " ... " << c.words.back();
    }
}
