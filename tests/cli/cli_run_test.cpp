// Runs the built orbelle-cli as a user would and checks its output and exit
// status.

#include "cli/clitest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace orbelle;
using test::isOneErrorLine;
using test::slurp;
using CliRun = test::CliTest;

TEST_F(CliRun, PointsPrintsIndexAndCoordinates) {
    const auto o = run("points 0 0 --limit 3");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "0 42.692286605748571 268.61380124880708\n"
                     "1 -64.335278669129224 268.53911345600335\n"
                     "2 -163.37079612920772 227.9567580019104\n");
}

TEST_F(CliRun, PointsRunsToN) {
    const auto o = run("points 0 0 --params 1");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 501);
    EXPECT_EQ(o.out.rfind("500 ", std::string::npos) != std::string::npos, true);
}

TEST_F(CliRun, BadInputExitsWithTwo) {
    EXPECT_EQ(run("").status, 2);
    EXPECT_EQ(run("points 11 0").status, 2);
    EXPECT_EQ(
        run("points 0 0 --params 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21").status, 2);
    EXPECT_EQ(run("points 0 0 --params 200,x").status, 2);
    EXPECT_EQ(run("render /nonexistent.orbdr -o " + path("x.png")).status, 2);
    EXPECT_EQ(run("render 0 0 -o " + path("x.gif")).status, 2);
    EXPECT_EQ(run("render 0 0 -o /nonexistent-folder/x.png").status, 2);
}

TEST_F(CliRun, RenderWritesAPicture) {
    const auto o = run("render 0 0 -o " + path("render.png") + " --size 120");
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.out.find("dots 100001"), std::string::npos);
    EXPECT_NE(o.out.find("bounds "), std::string::npos);
    ASSERT_TRUE(std::filesystem::exists(path("render.png")));
    EXPECT_GT(std::filesystem::file_size(path("render.png")), 100u);
}

TEST_F(CliRun, PointsLimitOneIsTheFirstDot) {
    // "ダイヤモンド" starts at i = 0, "ルビー" (category 0, item 2) at i = 1.
    auto o = run("points 0 0 --limit 1");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "0 42.692286605748571 268.61380124880708\n");
    o = run("points 0 2 --limit 1");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 1);
    EXPECT_EQ(o.out.rfind("1 ", 0), 0u) << o.out;
    o = run("points 0 0 --limit 0");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "");
}

TEST_F(CliRun, UsageOnHelpOrNothing) {
    auto o = run("--help");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.rfind("usage: orbelle-cli points", 0), 0u) << o.out;
    EXPECT_EQ(o.err, "");
    o = run("");
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err.rfind("usage: orbelle-cli points", 0), 0u) << o.err;
}

TEST_F(CliRun, VersionLine) {
    auto o = run("--version");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "orbelle-cli " ORBELLE_EXPECTED_VERSION "\n");
    EXPECT_EQ(o.err, "");
    // The usage names the option too.
    o = run("--help");
    EXPECT_NE(o.out.find("--version"), std::string::npos) << o.out;
    // A version that cannot be written is a failed write.
    o = run("--version", "", ">/dev/full");
    EXPECT_EQ(o.status, 1);
}

TEST_F(CliRun, EveryErrorIsOneLine) {
    for (const char* args :
         {"draw", "points 11 0", "points 0 0 --params 0", "points 0 0 --limit -1", "render 0 0",
          "render 0 0 -o /tmp/x.gif", "render 0 0 -o /nonexistent-folder/x.png",
          "render 0 0 -o x.png --size 6001", "render /nonexistent.orbdr -o /tmp/x.png"}) {
        const auto o = run(args);
        EXPECT_EQ(o.status, 2) << args;
        EXPECT_TRUE(isOneErrorLine(o.err)) << args << ": " << o.err;
        EXPECT_EQ(o.out, "") << args;
    }
}

TEST_F(CliRun, PointsToAFullDeviceReportTheWriteError) {
    const auto o = run("points 0 0", "", ">/dev/full");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "orbelle-cli: cannot write the points: No space left on device\n");
}

TEST_F(CliRun, OutOfRangeFilesAreRefused) {
    // r0 = 4294967 would make about 2.1 billion dots; with an X rotation in
    // gradient mode the engine would also store them all.
    DrawSettings huge = DrawSettings::startup();
    huge.params[0] = 4294967;
    huge.drawColorMode = 3;
    huge.rotX = 90;
    auto o = run("render " + recordFile("huge.orbdr", huge) + " -o " + path("huge.png"));
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(isOneErrorLine(o.err)) << o.err;
    EXPECT_NE(o.err.find("4294967"), std::string::npos) << o.err;
    EXPECT_FALSE(std::filesystem::exists(path("huge.png")));

    DrawSettings pen = DrawSettings::startup();
    pen.penWidth = 101;
    DrawSettings mode = DrawSettings::startup();
    mode.backColorMode = 3;
    DrawSettings shift = DrawSettings::startup();
    shift.shiftH = -101;
    for (const auto& [name, s] : {std::pair{"pen.orbdr", pen}, std::pair{"mode.orbdr", mode},
                                  std::pair{"shift.orbdr", shift}}) {
        o = run("render " + recordFile(name, s) + " -o " + path("x.png"));
        EXPECT_EQ(o.status, 2) << name;
        EXPECT_TRUE(isOneErrorLine(o.err)) << name << ": " << o.err;
    }
}

TEST_F(CliRun, ValuesAtTheEndsOfTheirRangesAreDrawn) {
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
    const auto o =
        run("render " + recordFile("low.orbdr", low) + " -o " + path("low.png") + " --size 20");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("dots 501"), std::string::npos) << o.out; // N = 500, i0 = 0
    EXPECT_TRUE(std::filesystem::exists(path("low.png")));
}

TEST_F(CliRun, ALinkToADeviceIsNotRead) {
    std::filesystem::create_symlink("/dev/zero", path("zero.orbdr"));
    const auto o = run("render " + path("zero.orbdr") + " -o " + path("x.png"));
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err, "orbelle-cli: cannot read " + path("zero.orbdr") + ": not a regular file\n");
}

TEST_F(CliRun, AFailedWriteKeepsTheImageThatWasThere) {
    // A file size limit of 100 blocks makes the 270 KB picture fail part way,
    // as a full disk would.
    std::ofstream(path("out.bmp"), std::ios::binary) << "the good image";
    const auto o =
        run("render 0 0 -o " + path("out.bmp") + " --size 300", "trap \"\" XFSZ; ulimit -f 100;");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "orbelle-cli: cannot write " + path("out.bmp") + ": File too large\n");
    EXPECT_EQ(slurp(path("out.bmp")), "the good image");
    // Nothing else is left in the folder.
    EXPECT_EQ(entries(m_dir).size(), 1u);
}

TEST_F(CliRun, AnUnwritableTargetIsRefusedBeforeDrawing) {
    std::filesystem::create_directory(path("d.png"));
    auto o = run("render 0 0 -o " + path("d.png"));
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(isOneErrorLine(o.err)) << o.err;
    EXPECT_EQ(o.out, ""); // nothing drawn
    o = run("render 0 0 -o " + path("missing/x.png"));
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err, "orbelle-cli: cannot write " + path("missing/x.png") + ": the folder " +
                         path("missing") + " does not exist\n");
}

TEST_F(CliRun, AFailedWriteOfASmallImageIsReportedToo) {
    // A picture smaller than the file's write buffer fails only when the
    // buffer is flushed: the cut file must not take the old one's place.
    std::ofstream(path("small.png"), std::ios::binary) << "the good image";
    const auto o =
        run("render 0 0 -o " + path("small.png") + " --size 300", "trap \"\" XFSZ; ulimit -f 2;");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "orbelle-cli: cannot write " + path("small.png") + ": File too large\n");
    EXPECT_EQ(slurp(path("small.png")), "the good image");
    EXPECT_EQ(entries(m_dir).size(), 1u);
}

TEST_F(CliRun, TheDensityModeIsDrawnAndTheNextValueRefused) {
    DrawSettings density = DrawSettings::startup();
    density.drawColorMode = 4;
    auto o = run("render " + recordFile("density.orbdr", density) + " -o " + path("density.png") +
                 " --size 50 --redraw");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_TRUE(std::filesystem::exists(path("density.png")));

    density.drawColorMode = 5;
    o = run("render " + recordFile("five.orbdr", density) + " -o " + path("five.png"));
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("drawing colour mode (field 23) = 5 is outside 0..4"), std::string::npos)
        << o.err;
}
