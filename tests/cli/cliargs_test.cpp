#include "cli/cliargs.h"

#include "cli/clitest.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace orbelle;
using cli::parseCommandLine;

namespace {

std::string errorOf(const cli::Command& c) {
    const auto* e = std::get_if<cli::UsageError>(&c);
    return e ? e->message : std::string();
}

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
    EXPECT_NE(errorOf(parseCommandLine({})), "");
    EXPECT_NE(errorOf(parseCommandLine({"draw"})), "");
    EXPECT_NE(errorOf(parseCommandLine({"points", "10", "0"})), "");
    EXPECT_NE(errorOf(parseCommandLine({"points", "8", "14"})), "");
    EXPECT_NE(errorOf(parseCommandLine({"points", "0", "x"})), "");
    EXPECT_NE(errorOf(parseCommandLine({"points", "0"})), "");
    // "太陽" has eleven rows.
    EXPECT_NE(
        errorOf(parseCommandLine({"points", "1", "0", "--params", "1,2,3,4,5,6,7,8,9,10,11,12"})),
        "");
    EXPECT_NE(errorOf(parseCommandLine({"points", "0", "0", "--params", "200,abc"})), "");
    EXPECT_NE(errorOf(parseCommandLine({"points", "0", "0", "--params", "0"})), ""); // 回数 1..999
    EXPECT_NE(errorOf(parseCommandLine({"points", "0", "0", "--params", "99999999999999999999"})),
              "");
    EXPECT_NE(errorOf(parseCommandLine({"points", "0", "0", "--limit", "-1"})), "");
    EXPECT_NE(errorOf(parseCommandLine({"render", "0", "0"})), ""); // no -o
    EXPECT_NE(errorOf(parseCommandLine({"render", "0", "0", "-o", "a.png", "--size", "0"})), "");
    EXPECT_NE(errorOf(parseCommandLine({"render", "/nonexistent/x.orbdr", "-o", "a.png"})), "");
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

    // A damaged file, and a record of a category this version lacks.
    std::ofstream(path("bad.orbdr"), std::ios::binary) << "1,2,3\r\n";
    EXPECT_NE(errorOf(parseCommandLine({"render", path("bad.orbdr"), "-o", "o.png"})), "");
    s.category = 10;
    EXPECT_NE(errorOf(parseCommandLine({"render", recordFile("future.orbdr", s), "-o", "o.png"})),
              "");
}

TEST(CliArgs, AnUnreadableSettingsFileIsNamedWithItsReason) {
    const auto dir = std::filesystem::temp_directory_path() / "orbelle-cli-reads";
    std::filesystem::create_directories(dir / "folder.orbdr");
    const std::string bad = (dir / "bad.orbdr").string();
    std::ofstream(bad, std::ios::binary) << "1,2,3\r\n";
    const std::string large = (dir / "large.orbdr").string();
    std::ofstream(large, std::ios::binary) << std::string((1 << 20) + 1, '/');
    const std::string missing = (dir / "missing.orbdr").string();
    const std::string folder = (dir / "folder.orbdr").string();
    const std::pair<std::string, std::string> cases[] = {
        {missing, "cannot read " + missing + ": No such file or directory"},
        {folder, "cannot read " + folder + ": not a regular file"},
        {bad, bad + ": not a settings file (wrong field count or failing sum)"},
        {large, large + ": not a settings file (longer than 1 MiB)"},
    };
    for (const auto& [path, line] : cases) {
        EXPECT_EQ(errorOf(parseCommandLine({"render", path, "-o", "o.png"})), line);
    }
    std::filesystem::remove_all(dir);
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
    EXPECT_EQ(errorOf(animate({"--frames", "3", "-o"})), "unexpected argument '-o'");
    EXPECT_EQ(errorOf(animate({"--frames", "3", "-o", "f", "--redraw"})),
              "unexpected argument '--redraw'");
    EXPECT_EQ(errorOf(animate({"--frames", "3", "-o", "f", "--video", "v.avi"})),
              "--video takes a file ending in .mp4, .mkv or .mov: 'v.avi'");
    // Two records are needed, and both must be records.
    EXPECT_NE(errorOf(parseCommandLine({"animate", m_from, "--frames", "3", "-o", "f"})), "");
    EXPECT_NE(errorOf(parseCommandLine({"animate", m_from})), "");
    EXPECT_NE(errorOf(parseCommandLine({"animate"})), "");
    EXPECT_NE(errorOf(parseCommandLine({"animate", "0", "0", "--frames", "3", "-o", "f"})), "");
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
