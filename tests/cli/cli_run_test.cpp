// Runs the built orbelle-cli as a user would and checks its output and exit
// status.

#include "engine/drawsettings.h"
#include "store/settingsfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace orbelle;

namespace {

struct Outcome {
    int status;
    std::string out;
};

Outcome run(const std::string& args) {
    const std::string command = std::string(ORBELLE_CLI_PATH) + " " + args + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    const int raw = pclose(pipe);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out};
}

struct FullOutcome {
    int status;
    std::string out;
    std::string err;
};

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs the tool through the shell with its standard error kept; shellBefore
// comes before the command (limits, traps), redirect after it.
FullOutcome runFull(const std::string& args, const std::string& shellBefore = "",
                    const std::string& redirect = "") {
    // One file per test and process: tests of this program, and other runs
    // of it, go side by side.
    const auto errPath = std::filesystem::temp_directory_path() /
                         (std::string("orbelle-cli-stderr-") + std::to_string(getpid()) + "-" +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
    const std::string script = shellBefore + " exec " + ORBELLE_CLI_PATH + " " + args + " " +
                               redirect + " 2>" + errPath.string();
    const std::string command = "sh -c '" + script + "'";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    const int raw = pclose(pipe);
    FullOutcome o{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out, slurp(errPath)};
    std::filesystem::remove(errPath);
    return o;
}

bool isOneErrorLine(const std::string& err) {
    return err.rfind("orbelle-cli: ", 0) == 0 && std::count(err.begin(), err.end(), '\n') == 1 &&
           err.back() == '\n';
}

class CliFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                (std::string("orbelle-cli-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string settingsFile(const std::string& name, const DrawSettings& s) {
        const auto path = m_dir / name;
        std::ofstream(path, std::ios::binary) << formatSettingsFile(s);
        return path.string();
    }

    std::filesystem::path m_dir;
};

} // namespace

TEST(CliRun, PointsPrintsIndexAndCoordinates) {
    const Outcome o = run("points 0 0 --limit 3");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "0 42.692286605748571 268.61380124880708\n"
                     "1 -64.335278669129224 268.53911345600335\n"
                     "2 -163.37079612920772 227.9567580019104\n");
}

TEST(CliRun, PointsRunsToN) {
    const Outcome o = run("points 0 0 --params 1");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 501);
    EXPECT_EQ(o.out.rfind("500 ", std::string::npos) != std::string::npos, true);
}

TEST(CliRun, BadInputExitsWithTwo) {
    EXPECT_EQ(run("").status, 2);
    EXPECT_EQ(run("points 11 0").status, 2);
    EXPECT_EQ(
        run("points 0 0 --params 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21").status, 2);
    EXPECT_EQ(run("points 0 0 --params 200,x").status, 2);
    EXPECT_EQ(run("render /nonexistent.orbdr -o /tmp/x.png").status, 2);
    EXPECT_EQ(run("render 0 0 -o /tmp/x.gif").status, 2);
    EXPECT_EQ(run("render 0 0 -o /nonexistent-folder/x.png").status, 2);
}

TEST(CliRun, RenderWritesAPicture) {
    const auto path = std::filesystem::temp_directory_path() / "orbelle-cli-render.png";
    const Outcome o = run("render 0 0 -o " + path.string() + " --size 120");
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.out.find("dots 100001"), std::string::npos);
    EXPECT_NE(o.out.find("bounds "), std::string::npos);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_GT(std::filesystem::file_size(path), 100u);
    std::filesystem::remove(path);
}

TEST(CliRun, PointsLimitOneIsTheFirstDot) {
    // "ダイヤモンド" starts at i = 0, "ルビー" (category 0, item 2) at i = 1.
    FullOutcome o = runFull("points 0 0 --limit 1");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "0 42.692286605748571 268.61380124880708\n");
    o = runFull("points 0 2 --limit 1");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 1);
    EXPECT_EQ(o.out.rfind("1 ", 0), 0u) << o.out;
    o = runFull("points 0 0 --limit 0");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "");
}

TEST(CliRun, UsageOnHelpOrNothing) {
    FullOutcome o = runFull("--help");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.rfind("usage: orbelle-cli points", 0), 0u) << o.out;
    EXPECT_EQ(o.err, "");
    o = runFull("");
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err.rfind("usage: orbelle-cli points", 0), 0u) << o.err;
}

TEST(CliRun, VersionLine) {
    FullOutcome o = runFull("--version");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "orbelle-cli " ORBELLE_EXPECTED_VERSION "\n");
    EXPECT_EQ(o.err, "");
    // The usage names the option too.
    o = runFull("--help");
    EXPECT_NE(o.out.find("--version"), std::string::npos) << o.out;
    // A version that cannot be written is a failed write.
    o = runFull("--version", "", ">/dev/full");
    EXPECT_EQ(o.status, 1);
}

TEST(CliRun, EveryErrorIsOneLine) {
    for (const char* args :
         {"draw", "points 11 0", "points 0 0 --params 0", "points 0 0 --limit -1", "render 0 0",
          "render 0 0 -o /tmp/x.gif", "render 0 0 -o /nonexistent-folder/x.png",
          "render 0 0 -o x.png --size 6001", "render /nonexistent.orbdr -o /tmp/x.png"}) {
        const FullOutcome o = runFull(args);
        EXPECT_EQ(o.status, 2) << args;
        EXPECT_TRUE(isOneErrorLine(o.err)) << args << ": " << o.err;
        EXPECT_EQ(o.out, "") << args;
    }
}

TEST(CliRun, PointsToAFullDeviceReportTheWriteError) {
    const FullOutcome o = runFull("points 0 0", "", ">/dev/full");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "orbelle-cli: cannot write the points: No space left on device\n");
}

TEST_F(CliFiles, OutOfRangeFilesAreRefused) {
    // r0 = 4294967 would make about 2.1 billion dots; with an X rotation in
    // gradient mode the engine would also store them all.
    DrawSettings huge = DrawSettings::startup();
    huge.params[0] = 4294967;
    huge.drawColorMode = 3;
    huge.rotX = 90;
    FullOutcome o = runFull("render " + settingsFile("huge.orbdr", huge) + " -o " +
                            (m_dir / "huge.png").string());
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(isOneErrorLine(o.err)) << o.err;
    EXPECT_NE(o.err.find("4294967"), std::string::npos) << o.err;
    EXPECT_FALSE(std::filesystem::exists(m_dir / "huge.png"));

    DrawSettings pen = DrawSettings::startup();
    pen.penWidth = 101;
    DrawSettings mode = DrawSettings::startup();
    mode.backColorMode = 3;
    DrawSettings shift = DrawSettings::startup();
    shift.shiftH = -101;
    for (const auto& [name, s] : {std::pair{"pen.orbdr", pen}, std::pair{"mode.orbdr", mode},
                                  std::pair{"shift.orbdr", shift}}) {
        o = runFull("render " + settingsFile(name, s) + " -o " + (m_dir / "x.png").string());
        EXPECT_EQ(o.status, 2) << name;
        EXPECT_TRUE(isOneErrorLine(o.err)) << name << ": " << o.err;
    }
}

TEST_F(CliFiles, ValuesAtTheEndsOfTheirRangesAreDrawn) {
    DrawSettings low = DrawSettings::startup();
    low.params[0] = 1;
    low.params[1] = 180;
    low.params[6] = 0;
    low.penWidth = 100;
    low.drawColorMode = 3;
    low.gradientRepeat = 30;
    low.rotZ = 359;
    low.rotX = 359;
    low.rotY = 0;
    low.scaleZ = -999;
    low.zoom = -999;
    low.shiftV = -100;
    low.shiftH = 100;
    FullOutcome o = runFull("render " + settingsFile("low.orbdr", low) + " -o " +
                            (m_dir / "low.png").string() + " --size 20");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("dots 501"), std::string::npos) << o.out; // N = 500, i0 = 0
    EXPECT_TRUE(std::filesystem::exists(m_dir / "low.png"));
}

TEST_F(CliFiles, ALinkToADeviceIsNotRead) {
    const auto link = m_dir / "zero.orbdr";
    std::filesystem::create_symlink("/dev/zero", link);
    const FullOutcome o = runFull("render " + link.string() + " -o " + (m_dir / "x.png").string());
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err, "orbelle-cli: cannot read " + link.string() + ": not a regular file\n");
}

TEST_F(CliFiles, AFailedWriteKeepsTheImageThatWasThere) {
    // A file size limit of 100 blocks makes the 270 KB picture fail part way,
    // as a full disk would.
    const auto target = m_dir / "out.bmp";
    std::ofstream(target, std::ios::binary) << "the good image";
    const FullOutcome o = runFull("render 0 0 -o " + target.string() + " --size 300",
                                  "trap \"\" XFSZ; ulimit -f 100;");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "orbelle-cli: cannot write " + target.string() + ": File too large\n");
    EXPECT_EQ(slurp(target), "the good image");
    // Nothing else is left in the folder.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(m_dir))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(CliFiles, AnUnwritableTargetIsRefusedBeforeDrawing) {
    std::filesystem::create_directory(m_dir / "d.png");
    FullOutcome o = runFull("render 0 0 -o " + (m_dir / "d.png").string());
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(isOneErrorLine(o.err)) << o.err;
    EXPECT_EQ(o.out, ""); // nothing drawn
    o = runFull("render 0 0 -o " + (m_dir / "missing" / "x.png").string());
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err, "orbelle-cli: cannot write " + (m_dir / "missing" / "x.png").string() +
                         ": the folder " + (m_dir / "missing").string() + " does not exist\n");
}

TEST_F(CliFiles, AFailedWriteOfASmallImageIsReportedToo) {
    // A picture smaller than the file's write buffer fails only when the
    // buffer is flushed: the cut file must not take the old one's place.
    const auto target = m_dir / "small.png";
    std::ofstream(target, std::ios::binary) << "the good image";
    const FullOutcome o =
        runFull("render 0 0 -o " + target.string() + " --size 300", "trap \"\" XFSZ; ulimit -f 2;");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "orbelle-cli: cannot write " + target.string() + ": File too large\n");
    EXPECT_EQ(slurp(target), "the good image");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(m_dir))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(CliFiles, TheDensityModeIsDrawnAndTheNextValueRefused) {
    DrawSettings density = DrawSettings::startup();
    density.drawColorMode = 4;
    FullOutcome o = runFull("render " + settingsFile("density.orbdr", density) + " -o " +
                            (m_dir / "density.png").string() + " --size 50 --redraw");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_TRUE(std::filesystem::exists(m_dir / "density.png"));

    density.drawColorMode = 5;
    o = runFull("render " + settingsFile("five.orbdr", density) + " -o " +
                (m_dir / "five.png").string());
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("drawing colour mode (field 23) = 5 is outside 0..4"), std::string::npos)
        << o.err;
}
