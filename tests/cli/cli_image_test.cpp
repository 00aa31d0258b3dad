// orbelle-cli and images that carry their drawing settings: render writes the
// line into PNG and JPEG files, reads it back as input, and draws afresh at
// sizes beyond the canvas with --redraw.

#include "cli/cliargs.h"
#include "store/imagetext.h"

#include <QImage>
#include <QImageReader>
#include <QString>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

using namespace orbelle;

namespace {

int runCli(const std::string& args) {
    const std::string command =
        std::string(ORBELLE_CLI_PATH) + " " + args + " >/dev/null 2>/dev/null";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

class CliImages : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                (std::string("orbelle-cli-images-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    std::filesystem::path m_dir;
};

std::string lineOf(const std::string& image) {
    return QImageReader(QString::fromStdString(image))
        .text(QStringLiteral("Orbelle"))
        .toStdString();
}

} // namespace

TEST_F(CliImages, RenderWritesTheLineAndReadsItBack) {
    // The second formula of the first category at its defaults.
    ASSERT_EQ(runCli("render 0 1 -o " + path("first.png") + " --size 150"), 0);
    ASSERT_EQ(runCli("render 0 1 -o " + path("first.jpg") + " --size 150"), 0);
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
    ASSERT_EQ(runCli("render " + path("first.png") + " -o " + path("second.png") + " --size 150"),
              0);
    EXPECT_EQ(lineOf(path("second.png")), line);
    EXPECT_EQ(QImage(QString::fromStdString(path("second.png"))),
              QImage(QString::fromStdString(path("first.png"))));
}

TEST_F(CliImages, AnImageWithoutTheLineIsRefused) {
    QImage plain(16, 16, QImage::Format_RGB32);
    plain.fill(Qt::white);
    ASSERT_TRUE(plain.save(QString::fromStdString(path("plain.png"))));
    const cli::Command parsed =
        cli::parseCommandLine({"render", path("plain.png"), "-o", path("out.png")});
    ASSERT_TRUE(std::holds_alternative<cli::UsageError>(parsed));
    EXPECT_NE(std::get<cli::UsageError>(parsed).message.find("plain.png"), std::string::npos);
    EXPECT_EQ(runCli("render " + path("plain.png") + " -o " + path("out.png")), 2);
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
    ASSERT_EQ(runCli("render 0 0 -o " + path("redrawn.png") + " --size 300 --redraw"), 0);
    const QImage image(QString::fromStdString(path("redrawn.png")));
    EXPECT_EQ(image.size(), QSize(300, 300));
    EXPECT_FALSE(lineOf(path("redrawn.png")).empty());
}
