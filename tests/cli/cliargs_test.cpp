#include "cli/cliargs.h"

#include "cli/clitest.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace orbelle;
using cli::parseCommandLine;

namespace {

using Args = std::vector<std::string>;

std::string errorOf(const cli::Command& c) {
    const auto* e = std::get_if<cli::UsageError>(&c);
    return e ? e->message : std::string();
}

/// True when the arguments are refused with a message.
bool refused(const Args& args) { return !errorOf(parseCommandLine(args)).empty(); }

} // namespace

TEST(CliArgs, PointsWithDefaultsAndParams) {
    auto c = parseCommandLine({"points", "0", "0", "--limit", "3"});
    ASSERT_TRUE(std::holds_alternative<cli::PointsCommand>(c)) << errorOf(c);
    const auto& p = std::get<cli::PointsCommand>(c);
    EXPECT_EQ(p.formula, (FormulaId{0, 0}));
    EXPECT_EQ(p.params[0], 200);
    EXPECT_EQ(p.limit, 3);

    // Given values replace the first rows; the rest keep their defaults; rows
    // from P on read 0.
    c = parseCommandLine({"points", "1", "0", "--params", "300,5"});
    ASSERT_TRUE(std::holds_alternative<cli::PointsCommand>(c)) << errorOf(c);
    const auto& q = std::get<cli::PointsCommand>(c);
    EXPECT_EQ(q.params[0], 300);
    EXPECT_EQ(q.params[1], 5);
    EXPECT_EQ(q.params[2], 70);
    EXPECT_EQ(q.params[11], 0);
}

TEST(CliArgs, BadInputIsAUsageError) {
    EXPECT_TRUE(refused({}));
    EXPECT_TRUE(refused({"draw"}));
    EXPECT_TRUE(refused({"points", "10", "0"}));
    EXPECT_TRUE(refused({"points", "8", "14"}));
    EXPECT_TRUE(refused({"points", "0", "x"}));
    EXPECT_TRUE(refused({"points", "0"}));
    // "太陽" has eleven rows.
    EXPECT_TRUE(refused({"points", "1", "0", "--params", "1,2,3,4,5,6,7,8,9,10,11,12"}));
    EXPECT_TRUE(refused({"points", "0", "0", "--params", "200,abc"}));
    EXPECT_TRUE(refused({"points", "0", "0", "--params", "0"})); // 回数 1..999
    EXPECT_TRUE(refused({"points", "0", "0", "--params", "99999999999999999999"}));
    EXPECT_TRUE(refused({"points", "0", "0", "--limit", "-1"}));
    EXPECT_TRUE(refused({"render", "0", "0"})); // no -o
    EXPECT_TRUE(refused({"render", "0", "0", "-o", "a.png", "--size", "0"}));
    EXPECT_TRUE(refused({"render", "/nonexistent/x.orbdr", "-o", "a.png"}));
}

using CliArgsFiles = test::CliTest;

TEST_F(CliArgsFiles, RenderReadsASettingsFile) {
    DrawSettings s = DrawSettings::startup();
    s.zoom = 300;
    s.penWidth = 2;
    auto c =
        parseCommandLine({"render", recordFile("good.orbdr", s), "-o", "out.png", "--size", "50"});
    ASSERT_TRUE(std::holds_alternative<cli::RenderCommand>(c)) << errorOf(c);
    const auto& r = std::get<cli::RenderCommand>(c);
    EXPECT_EQ(r.settings.zoom, 300);
    EXPECT_EQ(r.settings.penWidth, 2);
    EXPECT_EQ(r.size, 50);
    // A record brings its own parameters.
    EXPECT_EQ(
        errorOf(parseCommandLine({"render", "-o", "o.png", path("good.orbdr"), "--params", "1"})),
        "--params goes with CATEGORY ITEM, not with the record " + path("good.orbdr"));

    // A damaged file, and a record of a category this version lacks.
    std::ofstream(path("bad.orbdr"), std::ios::binary) << "1,2,3\r\n";
    EXPECT_TRUE(refused({"render", path("bad.orbdr"), "-o", "o.png"}));
    s.category = 10;
    EXPECT_TRUE(refused({"render", recordFile("future.orbdr", s), "-o", "o.png"}));
}

TEST_F(CliArgsFiles, AnUnreadableSettingsFileIsNamedWithItsReason) {
    std::filesystem::create_directories(path("folder.orbdr"));
    const std::string bad = path("bad.orbdr");
    std::ofstream(bad, std::ios::binary) << "1,2,3\r\n";
    const std::string large = path("large.orbdr");
    std::ofstream(large, std::ios::binary) << std::string((1 << 20) + 1, '/');
    const std::string missing = path("missing.orbdr");
    const std::string folder = path("folder.orbdr");
    const std::pair<std::string, std::string> cases[] = {
        {missing, "cannot read " + missing + ": No such file or directory"},
        {folder, "cannot read " + folder + ": not a regular file"},
        {bad, bad + ": not a settings file (wrong field count or failing sum)"},
        {large, large + ": not a settings file (longer than 1 MiB)"},
    };
    for (const auto& [file, line] : cases) {
        EXPECT_EQ(errorOf(parseCommandLine({"render", file, "-o", "o.png"})), line);
    }
}

TEST(CliArgs, BothEndsOfEveryLimitAreAccepted) {
    auto render = [](const char* size) {
        return parseCommandLine({"render", "0", "0", "-o", "a.png", "--size", size});
    };
    EXPECT_TRUE(std::holds_alternative<cli::RenderCommand>(render("1")));
    EXPECT_TRUE(std::holds_alternative<cli::RenderCommand>(render("6000")));
    EXPECT_EQ(std::get<cli::RenderCommand>(render("6000")).size, 6000);
    EXPECT_NE(errorOf(render("6001")), "");

    auto limit = parseCommandLine({"points", "0", "0", "--limit", "0"});
    ASSERT_TRUE(std::holds_alternative<cli::PointsCommand>(limit)) << errorOf(limit);
    EXPECT_EQ(std::get<cli::PointsCommand>(limit).limit, 0);

    // "回数" 1..999 and "分割数" 1..180 of "ダイヤモンド"; "シリウス" (1 17) has
    // "分割数" 1..36 and "定数Ｅ" 1..450; "アルゴン" (5 15) "定数Ｂ" 1..500.
    const struct {
        const char* category;
        const char* item;
        const char* params;
        bool accepted;
    } cases[] = {
        {"0", "0", "1,1", true},
        {"0", "0", "999,180", true},
        {"0", "0", "1000", false},
        {"0", "0", "200,181", false},
        {"0", "0", "200,16,-999,-999,-999,-999,0,1", true},
        {"0", "0", "200,16,999,999,999,999,500,999", true},
        {"0", "0", "200,16,58,400,177,285,-1", false},
        {"1", "17", "200,36,70,400,300,500,392,-999,95,50,450", true},
        {"1", "17", "200,1,70,400,300,500,392,999,95,50,1", true},
        {"1", "17", "200,37", false},
        {"1", "17", "200,18,70,400,300,500,392,71,95,50,451", false},
        {"5", "15", "100,10,10,400,10,10,10,500", true},
        {"5", "15", "100,10,10,400,10,10,10,501", false},
    };
    for (const auto& c : cases) {
        const auto points = parseCommandLine({"points", c.category, c.item, "--params", c.params});
        EXPECT_EQ(std::holds_alternative<cli::PointsCommand>(points), c.accepted)
            << c.category << " " << c.item << " " << c.params << ": " << errorOf(points);
        const auto render =
            parseCommandLine({"render", c.category, c.item, "--params", c.params, "-o", "a.png"});
        EXPECT_EQ(std::holds_alternative<cli::RenderCommand>(render), c.accepted)
            << c.category << " " << c.item << " " << c.params << ": " << errorOf(render);
    }
}

TEST(CliArgs, HelpIsACommand) {
    EXPECT_TRUE(std::holds_alternative<cli::HelpCommand>(parseCommandLine({"--help"})));
    EXPECT_TRUE(std::holds_alternative<cli::HelpCommand>(parseCommandLine({"-h"})));
    EXPECT_TRUE(std::holds_alternative<cli::VersionCommand>(parseCommandLine({"--version"})));
    // Only as the first argument: after a command it is an unknown argument.
    EXPECT_TRUE(std::holds_alternative<cli::UsageError>(
        parseCommandLine({"points", "0", "0", "--version"})));
}

class AnimateArgs : public test::CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        DrawSettings to = DrawSettings::startup();
        to.params[0] = 300;
        to.rotZ = 45;
        m_from = recordFile("from.orbdr", DrawSettings::startup());
        m_to = recordFile("to.orbdr", to);
    }
    cli::Command animate(std::vector<std::string> rest) {
        std::vector<std::string> args{"animate", m_from, m_to};
        args.insert(args.end(), rest.begin(), rest.end());
        return parseCommandLine(args);
    }

    std::string m_from;
    std::string m_to;
};

TEST_F(AnimateArgs, TwoRecordsFramesAndAFolder) {
    auto c = animate({"--frames", "12", "-o", "out"});
    ASSERT_TRUE(std::holds_alternative<cli::AnimateCommand>(c)) << errorOf(c);
    const auto& a = std::get<cli::AnimateCommand>(c);
    EXPECT_EQ(a.from, DrawSettings::startup());
    EXPECT_EQ(a.to.params[0], 300);
    EXPECT_EQ(a.to.rotZ, 45);
    EXPECT_EQ(a.frames, 12);
    EXPECT_EQ(a.folder, "out");
    EXPECT_EQ(a.size, 1000);
    EXPECT_EQ(a.videoPath, "");

    // Options in any order.
    c = animate({"--video", "v.mp4", "--size", "64", "-o", "f", "--frames", "1"});
    ASSERT_TRUE(std::holds_alternative<cli::AnimateCommand>(c)) << errorOf(c);
    EXPECT_EQ(std::get<cli::AnimateCommand>(c).size, 64);
    EXPECT_EQ(std::get<cli::AnimateCommand>(c).frames, 1);
    EXPECT_EQ(std::get<cli::AnimateCommand>(c).videoPath, "v.mp4");
    c = parseCommandLine({"animate", "--frames=3", m_from, "-o", "f", m_to, "--size=64"});
    ASSERT_TRUE(std::holds_alternative<cli::AnimateCommand>(c)) << errorOf(c);
    EXPECT_EQ(std::get<cli::AnimateCommand>(c).frames, 3);
    EXPECT_EQ(std::get<cli::AnimateCommand>(c).to.rotZ, 45);
    for (const char* video : {"v.mkv", "v.mov"}) {
        EXPECT_EQ(errorOf(animate({"--frames", "2", "-o", "f", "--video", video})), "") << video;
    }
}

TEST_F(AnimateArgs, LimitsOfFramesAndSize) {
    for (const char* frames : {"1", "9999"}) {
        EXPECT_EQ(errorOf(animate({"--frames", frames, "-o", "f"})), "") << frames;
    }
    for (const char* frames : {"0", "10000", "-1", "x", "", "2.5"}) {
        EXPECT_EQ(errorOf(animate({"--frames", frames, "-o", "f"})),
                  std::string("--frames takes a whole number from 1 to 9999: '") + frames + "'");
    }
    for (const char* size : {"1", "6000"}) {
        EXPECT_EQ(errorOf(animate({"--frames", "2", "-o", "f", "--size", size})), "") << size;
    }
    for (const char* size : {"0", "6001", "y"}) {
        EXPECT_EQ(errorOf(animate({"--frames", "2", "-o", "f", "--size", size})),
                  std::string("--size takes a whole number from 1 to 6000: '") + size + "'");
    }
}

TEST_F(AnimateArgs, MissingOrWrongArgumentsAreRefused) {
    EXPECT_EQ(errorOf(animate({"-o", "f"})), "animate needs --frames N (1 to 9999)");
    EXPECT_EQ(errorOf(animate({"--frames", "3"})), "animate needs -o FOLDER");
    EXPECT_EQ(errorOf(animate({"--frames", "3", "-o"})), "missing value after '-o'");
    EXPECT_EQ(errorOf(animate({"--frames", "3", "-o", "f", "--redraw"})),
              "unknown option '--redraw' for animate");
    EXPECT_EQ(errorOf(animate({"--frames", "3", "-o", "f", "--video", "v.avi"})),
              "--video takes a file ending in .mp4, .mkv or .mov: 'v.avi'");
    // Two records are needed, and both must be records.
    EXPECT_TRUE(refused({"animate", m_from, "--frames", "3", "-o", "f"}));
    EXPECT_TRUE(refused({"animate", m_from}));
    EXPECT_TRUE(refused({"animate"}));
    EXPECT_TRUE(refused({"animate", "0", "0", "--frames", "3", "-o", "f"}));
    // A missing file names itself.
    const std::string missing = path("missing.orbdr");
    EXPECT_NE(errorOf(parseCommandLine({"animate", m_from, missing, "--frames", "3", "-o", "f"}))
                  .find(missing),
              std::string::npos);
    // A record with a value outside its range.
    DrawSettings wide = DrawSettings::startup();
    wide.penWidth = 101;
    const std::string widePath = recordFile("wide.orbdr", wide);
    EXPECT_NE(errorOf(parseCommandLine({"animate", widePath, m_to, "--frames", "3", "-o", "f"}))
                  .find("pen width"),
              std::string::npos);
}

TEST_F(AnimateArgs, RecordsOfDifferentFormulasAreRefused) {
    DrawSettings other = DrawSettings::startup();
    other.category = 1;
    other.item = 17;
    other.params = {200, 18, 70, 400, 300, 500, 392, 71, 95, 50, 50};
    const std::string otherPath = recordFile("other.orbdr", other);
    EXPECT_EQ(errorOf(parseCommandLine({"animate", m_from, otherPath, "--frames", "3", "-o", "f"})),
              "the two records draw different formulas: " + m_from + " draws 0 0 (ダイヤモンド), " +
                  otherPath + " draws 1 17 (シリウス)");
}

TEST(CliArgs, OptionsInAnyOrderAndWithEquals) {
    // Each line writes the same render of "ダイヤモンド" another way: size 500,
    // row 0 at 300, into a.png.
    const Args cases[] = {
        {"render", "0", "0", "--params", "300", "-o", "a.png", "--size", "500"},
        {"render", "0", "0", "--params=300", "-o", "a.png", "--size=500"},
        {"render", "-o", "a.png", "--size", "500", "--params", "300", "0", "0"},
        {"render", "--size=500", "0", "-o", "a.png", "0", "--params=300"},
        {"render", "-o", "a.png", "--size", "500", "--params", "300", "--", "0", "0"},
        {"render", "-o=a.png", "-size", "500", "-params", "300", "0", "0"},
        {"render", "0", "0", "--params", "300", "-o", "b.png", "--size", "7", "-o", "a.png",
         "--size", "500"}, // the last of a repeated option counts
    };
    for (const Args& args : cases) {
        const cli::Command c = parseCommandLine(args);
        ASSERT_TRUE(std::holds_alternative<cli::RenderCommand>(c)) << args[3] << errorOf(c);
        const auto& r = std::get<cli::RenderCommand>(c);
        EXPECT_EQ(r.settings.formula(), (FormulaId{0, 0}));
        EXPECT_EQ(r.settings.params[0], 300);
        EXPECT_EQ(r.settings.params[1], 16); // "分割数" keeps its default
        EXPECT_EQ(r.outputPath, "a.png");
        EXPECT_EQ(r.size, 500);
        EXPECT_FALSE(r.redraw);
    }
    // A value may begin with a dash, and a name is passed on byte for byte.
    auto c =
        parseCommandLine({"render", "0", "0", "--params", "200,16,-999", "-o", "\xff\xfe\xe7.png"});
    ASSERT_TRUE(std::holds_alternative<cli::RenderCommand>(c)) << errorOf(c);
    EXPECT_EQ(std::get<cli::RenderCommand>(c).settings.params[2], -999);
    EXPECT_EQ(std::get<cli::RenderCommand>(c).outputPath, "\xff\xfe\xe7.png");
    c = parseCommandLine({"points", "--limit=2", "0", "0"});
    ASSERT_TRUE(std::holds_alternative<cli::PointsCommand>(c)) << errorOf(c);
    EXPECT_EQ(std::get<cli::PointsCommand>(c).limit, 2);
}

TEST(CliArgs, ErrorsNameTheWrongArgument) {
    const struct {
        Args args;
        const char* message;
    } cases[] = {
        {{"render", "0", "0", "-o", "a.png", "--bogus"}, "unknown option '--bogus' for render"},
        {{"render", "0", "0", "-o", "a.png", "--bogus=1"}, "unknown option '--bogus' for render"},
        {{"render", "0", "0", "-x", "-o", "a.png"}, "unknown option '-x' for render"},
        {{"points", "0", "0", "--size", "5"}, "unknown option '--size' for points"},
        {{"points", "0", "0", "--version"}, "unknown option '--version' for points"},
        {{"list", "--params", "1"}, "unknown option '--params' for list"},
        {{"--bogus"}, "unknown option '--bogus' (a command comes first)"},
        {{"draw", "0", "0"}, "unknown command 'draw'"},
        {{"render", "0", "0", "-o"}, "missing value after '-o'"},
        {{"points", "0", "0", "--limit"}, "missing value after '--limit'"},
        {{"list", "--json=1"}, "unexpected value after '--json'"},
        {{"list", "extra"}, "unexpected argument 'extra'"},
        {{"points", "0", "0", "1"}, "unexpected argument '1'"},
        {{"points", "0", "0", "--", "--limit"}, "unexpected argument '--limit'"},
        {{"render", "-o", "a.png", "--", "-x.orbdr", "-o"}, "unexpected argument '-o'"},
        {{"points", "0"}, "points expects CATEGORY ITEM"},
        {{"render", "-o", "a.png", "3"},
         "render expects FILE.orbdr, IMAGE.png|.jpg or CATEGORY ITEM"},
        {{"render", "0", "0"}, "render needs -o OUT.png|.bmp|.jpg, or -o - for standard output"},
        {{"render", "0", "0", "-o", "a.png", "--size="},
         "--size takes a whole number from 1 to 6000 (16000 with --redraw): ''"},
        {{"render", "0", "0", "-o", "a.gif"},
         "the output must end in .png, .bmp, .jpg or .jpeg: a.gif"},
        {{"render", "0", "0", "-o", "-", "--format", "gif"},
         "--format takes png, jpg or bmp: 'gif'"},
        {{"render", "0", "0", "-o", "a.png", "--format=jpg"},
         "--format jpg does not agree with the extension of a.png"},
        {{"find", "0"}, "find expects FILE.orbdr, IMAGE.png|.jpg or CATEGORY ITEM"},
        {{"find", "0", "0", "-o", "a.png"}, "unknown option '-o' for find"},
        {{"find", "0", "0", "--tries", "0"}, "--tries takes a whole number from 1 to 100000: '0'"},
        {{"find", "0", "0", "--tries=100001"},
         "--tries takes a whole number from 1 to 100000: '100001'"},
        {{"find", "0", "0", "--seed", "-1"},
         "--seed takes a whole number from 0 to 18446744073709551615: '-1'"},
        {{"find", "0", "0", "--seed", "18446744073709551616"},
         "--seed takes a whole number from 0 to 18446744073709551615: '18446744073709551616'"},
        // "太陽" has eleven rows.
        {{"find", "1", "0", "--lock", "0,11"},
         "--lock takes row numbers from 0 to 10, separated by commas: '0,11'"},
        {{"find", "1", "0", "--lock", "x"},
         "--lock takes row numbers from 0 to 10, separated by commas: 'x'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf(parseCommandLine(c.args)), c.message) << c.args.back();
    }
}

TEST(CliArgs, EveryCommandHasItsOwnHelp) {
    const struct {
        Args args;
        const char* command;
    } cases[] = {
        {{"--help"}, ""},
        {{"-h"}, ""},
        {{"points", "--help"}, "points"},
        {{"points", "0", "0", "-h"}, "points"},
        {{"render", "--help"}, "render"}, // no formula and no -o needed
        {{"render", "0", "0", "--size=9", "--help"}, "render"},
        {{"animate", "-h"}, "animate"},
        {{"find", "--help"}, "find"},
        {{"list", "--help", "--json"}, "list"},
    };
    for (const auto& c : cases) {
        const cli::Command parsed = parseCommandLine(c.args);
        ASSERT_TRUE(std::holds_alternative<cli::HelpCommand>(parsed))
            << c.args.front() << ": " << errorOf(parsed);
        EXPECT_EQ(std::get<cli::HelpCommand>(parsed).command, c.command);
    }
    // After "--" it is an argument like any other.
    EXPECT_EQ(errorOf(parseCommandLine({"points", "0", "0", "--", "--help"})),
              "unexpected argument '--help'");
}

TEST(CliArgs, TheFormatFollowsTheExtensionOrFormat) {
    const struct {
        Args options;
        const char* format;
    } cases[] = {
        {{"-o", "-"}, "png"},
        {{"-o", "-", "--format", "jpg"}, "jpg"},
        {{"-o", "-", "--format", "jpeg"}, "jpeg"},
        {{"-o", "-", "--format=bmp"}, "bmp"},
        {{"-o", "-", "--format", "png"}, "png"},
        {{"-o", "a.JPG"}, "jpg"},
        {{"-o", "a.jpeg", "--format", "jpg"}, "jpeg"},
        {{"-o", "dir.png/a.bmp"}, "bmp"},
        {{"-o", "a.png", "--format", "png"}, "png"},
    };
    for (const auto& c : cases) {
        Args args{"render", "0", "0"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const cli::Command parsed = parseCommandLine(args);
        ASSERT_TRUE(std::holds_alternative<cli::RenderCommand>(parsed))
            << c.options.back() << ": " << errorOf(parsed);
        EXPECT_EQ(std::get<cli::RenderCommand>(parsed).format, c.format) << c.options.back();
        EXPECT_EQ(std::get<cli::RenderCommand>(parsed).outputPath, c.options[1]);
    }
}

TEST(CliArgs, ListTakesOnlyJson) {
    auto c = parseCommandLine({"list"});
    ASSERT_TRUE(std::holds_alternative<cli::ListCommand>(c)) << errorOf(c);
    EXPECT_FALSE(std::get<cli::ListCommand>(c).json);
    c = parseCommandLine({"list", "--json"});
    ASSERT_TRUE(std::holds_alternative<cli::ListCommand>(c)) << errorOf(c);
    EXPECT_TRUE(std::get<cli::ListCommand>(c).json);
}

TEST(CliArgs, FindTakesTheStartLocksSeedAndTries) {
    auto c = parseCommandLine({"find", "1", "0", "--params", "300,5", "--lock", "0,10",
                               "--seed=18446744073709551615", "--tries", "100000"});
    ASSERT_TRUE(std::holds_alternative<cli::FindCommand>(c)) << errorOf(c);
    const auto& f = std::get<cli::FindCommand>(c);
    EXPECT_EQ(f.settings.formula(), (FormulaId{1, 0}));
    EXPECT_EQ(f.settings.params[0], 300);
    EXPECT_EQ(f.settings.params[1], 5);
    EXPECT_EQ(f.settings.params[2], 70); // the default
    EXPECT_EQ(f.settings.paramLocked[0], 1);
    EXPECT_EQ(f.settings.paramLocked[1], 0);
    EXPECT_EQ(f.settings.paramLocked[10], 1);
    EXPECT_EQ(f.settings.zoom, 100); // the start-up placement
    EXPECT_TRUE(f.seedGiven);
    EXPECT_EQ(f.seed, 18446744073709551615ull);
    EXPECT_EQ(f.tries, 100000);

    c = parseCommandLine({"find", "0", "0"});
    ASSERT_TRUE(std::holds_alternative<cli::FindCommand>(c)) << errorOf(c);
    EXPECT_FALSE(std::get<cli::FindCommand>(c).seedGiven);
    EXPECT_EQ(std::get<cli::FindCommand>(c).tries, 200);
}
