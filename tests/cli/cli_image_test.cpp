// orbelle-cli and images that carry their drawing settings: render writes the
// line into PNG and JPEG files, reads it back as input, and draws afresh at
// sizes beyond the canvas with --redraw.

#include "cli/cliargs.h"
#include "cli/clitest.h"
#include "store/imagetext.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace orbelle;
using CliImages = test::CliTest;

TEST_F(CliImages, RenderWritesTheLineAndReadsItBack) {
    // The second formula of the first category at its defaults.
    ASSERT_EQ(run("render 0 1 -o " + path("first.png") + " --size 150").status, 0);
    ASSERT_EQ(run("render 0 1 -o " + path("first.jpg") + " --size 150").status, 0);
    const std::string line = lineOf(path("first.png"));
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(lineOf(path("first.jpg")), line);
    const auto record = settingsFromImageText(line);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->category, 0);
    EXPECT_EQ(record->item, 1);

    // Drawing from the image gives the same picture and the same line.
    const cli::Command parsed = cli::parseCommandLine(
        {"render", path("first.png"), "-o", path("second.png"), "--size", "150"});
    ASSERT_TRUE(std::holds_alternative<cli::RenderCommand>(parsed));
    EXPECT_EQ(std::get<cli::RenderCommand>(parsed).settings, *record);
    ASSERT_EQ(
        run("render " + path("first.png") + " -o " + path("second.png") + " --size 150").status, 0);
    EXPECT_EQ(lineOf(path("second.png")), line);
    EXPECT_EQ(image(path("second.png")), image(path("first.png")));
}

// The line carries the colours the drawing used, not the stored ones: black
// (drawing colour mode 0) on white (background mode 1) over stored colours
// 0x123456 and 0x654321.
TEST_F(CliImages, TheLineHoldsTheColoursDrawn) {
    DrawSettings record = DrawSettings::startup();
    record.drawColor = 0x123456;
    record.backColor = 0x654321;
    ASSERT_EQ(run("render " + recordFile("stored.orbdr", record) + " -o " + path("drawn.png") +
                  " --size 20")
                  .status,
              0);
    // "ダイヤモンド" with its default rows, pen 1, drawing colour mode 0 with
    // colour 0, background mode 1 with 16777215, the rainbow gradient, zoom
    // and Z magnification 100, no lock; the last field is the sum of the 67
    // before it: 3191 (rows) + 16777224 + 46399740 (gradient) + 200.
    EXPECT_EQ(lineOf(path("drawn.png")),
              "0,0,200,16,58,400,177,285,468,87,113,31,-11,39,-11,628,40,172,-12,-6,76,441,"
              "1,0,0,1,16777215,1,1,1,1,1,1,1,"
              "255,65535,65280,16776960,14745600,14745855,255,0,0,0,100,100,0,0,"
              "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,63180355");
}

TEST_F(CliImages, AnImageWithoutTheLineIsRefused) {
    QImage plain(16, 16, QImage::Format_RGB32);
    plain.fill(Qt::white);
    ASSERT_TRUE(plain.save(QString::fromStdString(path("plain.png"))));
    const cli::Command parsed =
        cli::parseCommandLine({"render", path("plain.png"), "-o", path("out.png")});
    ASSERT_TRUE(std::holds_alternative<cli::UsageError>(parsed));
    EXPECT_NE(std::get<cli::UsageError>(parsed).message.find("plain.png"), std::string::npos);
    EXPECT_EQ(run("render " + path("plain.png") + " -o " + path("out.png")).status, 2);
    EXPECT_FALSE(std::filesystem::exists(path("out.png")));
}

TEST_F(CliImages, RedrawAllowsSidesBeyondTheCanvas) {
    const auto parse = [this](std::vector<std::string> extra) {
        std::vector<std::string> args{"render", "0", "0", "-o", path("big.png")};
        args.insert(args.end(), extra.begin(), extra.end());
        return cli::parseCommandLine(args);
    };
    EXPECT_TRUE(std::holds_alternative<cli::UsageError>(parse({"--size", "7000"})));
    const cli::Command redraw = parse({"--size", "16000", "--redraw"});
    ASSERT_TRUE(std::holds_alternative<cli::RenderCommand>(redraw));
    EXPECT_TRUE(std::get<cli::RenderCommand>(redraw).redraw);
    EXPECT_EQ(std::get<cli::RenderCommand>(redraw).size, 16000);
    EXPECT_TRUE(std::holds_alternative<cli::UsageError>(parse({"--size", "16001", "--redraw"})));

    // A small re-drawing carries the line too.
    ASSERT_EQ(run("render 0 0 -o " + path("redrawn.png") + " --size 300 --redraw").status, 0);
    EXPECT_EQ(image(path("redrawn.png")).size(), QSize(300, 300));
    EXPECT_FALSE(lineOf(path("redrawn.png")).empty());
}

// Outputs that are no file to replace are refused in one line, before any
// drawing and without "wrote"; a link to a regular file replaces that file,
// and a replaced file keeps its permission bits.
TEST_F(CliImages, OutputsThatAreNotRegularFilesAreRefused) {
    namespace fs = std::filesystem;
    fs::create_symlink("/dev/null", path("device.png"));
    fs::create_directory(path("folder.png"));
    std::ofstream(path("locked.png")) << "locked";
    fs::permissions(path("locked.png"), fs::perms::owner_read | fs::perms::group_read);
    struct Case {
        const char* name;
        const char* reason;
    };
    const Case cases[] = {
        {"device.png", "not a regular file (a device, a pipe or a socket)"},
        {"folder.png", "it is a folder"},
        {"locked.png", "Permission denied"},
    };
    for (const Case& c : cases) {
        const test::CliOutcome o = run("render 0 1 --size 20 -o " + path(c.name));
        EXPECT_EQ(o.status, 2) << c.name;
        EXPECT_TRUE(test::isOneErrorLine(o.err)) << o.err;
        EXPECT_NE(o.err.find(path(c.name)), std::string::npos) << o.err;
        EXPECT_NE(o.err.find(c.reason), std::string::npos) << o.err;
        EXPECT_EQ(o.out.find("wrote"), std::string::npos) << o.out;
    }
    EXPECT_TRUE(fs::is_symlink(path("device.png")));
    EXPECT_EQ(test::slurp(path("locked.png")), "locked");

    std::ofstream(path("real.png")) << "old";
    fs::permissions(path("real.png"), fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(path("real.png"), path("link.png"));
    ASSERT_EQ(run("render 0 1 --size 20 -o " + path("link.png")).status, 0);
    EXPECT_TRUE(fs::is_symlink(path("link.png")));
    EXPECT_FALSE(image(path("real.png")).isNull());
    EXPECT_EQ(fs::status(path("real.png")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(entries(m_dir), (std::set<std::string>{"device.png", "folder.png", "link.png",
                                                     "locked.png", "real.png"}));
}
