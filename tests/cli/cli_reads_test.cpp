// What orbelle-cli reads: a named pipe never makes it wait, a damaged image
// is one line of error with what the image library said, and a record with a
// colour outside 0-16777215 is refused.

#include "clitest.h"
#include "store/settingsline.h"

#include <QImage>

#include <sys/stat.h>

using namespace orbelle;
using orbelle::test::CliOutcome;
using orbelle::test::CliTest;
using orbelle::test::isOneErrorLine;
using orbelle::test::slurp;

namespace {

class CliReads : public CliTest {
  protected:
    // A small PNG carrying the startup record, and its bytes.
    std::string goodPng() const {
        const CliOutcome made = run("render 0 0 --size 40 -o " + path("good.png"));
        EXPECT_EQ(made.status, 0) << made.err;
        return slurp(path("good.png"));
    }
    void writeBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
};

} // namespace

TEST_F(CliReads, UnreadableInputsAreOneLineAndNeverWaitedOn) {
    const std::string png = goodPng();
    ASSERT_GT(png.size(), 300u);
    ASSERT_EQ(::mkfifo(path("pipe.png").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(path("pipe.orbdr").c_str(), 0600), 0);
    std::filesystem::create_directory(path("folder.png"));
    writeBytes("cut.png", png.substr(0, 300));
    writeBytes("text.png", "not an image\n");
    // One bit flipped inside the settings text's chunk: its check fails.
    std::string flipped = png;
    const std::size_t text = flipped.find("zTXtOrbelle");
    ASSERT_NE(text, std::string::npos);
    flipped[text + 20] = static_cast<char>(flipped[text + 20] ^ 0x40);
    writeBytes("flipped.png", flipped);

    const struct {
        const char* name;
        const char* line; // after "orbelle-cli: " and the path
    } cases[] = {
        {"pipe.png", ": not a regular file"},
        {"pipe.orbdr", ": not a regular file"},
        {"folder.png", ": not a regular file"},
        {"text.png", ": not a PNG or JPEG image (Unsupported image format)"},
        {"cut.png", ": no readable image carrying Orbelle drawing settings (libpng error: "},
        {"flipped.png", ": no readable image carrying Orbelle drawing settings (libpng "},
    };
    for (const auto& c : cases) {
        // timeout ends a tool that waits, which fails the case instead of the run.
        const CliOutcome outcome = shell(std::string("timeout 20 ") + ORBELLE_CLI_PATH +
                                         " render " + path(c.name) + " -o " + path("out.png"));
        EXPECT_EQ(outcome.status, 2) << c.name << outcome.err;
        EXPECT_TRUE(isOneErrorLine(outcome.err)) << c.name << outcome.err;
        EXPECT_NE(outcome.err.find(path(c.name) + c.line), std::string::npos)
            << c.name << outcome.err;
        EXPECT_FALSE(std::filesystem::exists(path("out.png"))) << c.name;
    }
}

TEST_F(CliReads, ColoursOutsideTheirRangeAreRefused) {
    // The startup record's line with the background colour (field 26) made
    // -1 or 16777216 and the sum (field 67) made to match.
    const std::string line = formatLine(LineVariant::SettingsFile, DrawSettings::startup());
    std::vector<std::string> fields = parseLine(line);
    ASSERT_EQ(fields.size(), 68u);
    const long long background = std::stoll(fields[26]);
    const long long sum = std::stoll(fields[67]);
    for (const long long colour : {-1LL, 16777216LL}) {
        fields[26] = std::to_string(colour);
        fields[67] = std::to_string(static_cast<std::int32_t>(sum - background + colour));
        std::string text;
        for (std::size_t k = 0; k < fields.size(); ++k) {
            text += fields[k] + (k + 1 < fields.size() ? "," : "\r\n");
        }
        writeBytes("colour.orbdr", text);
        const CliOutcome outcome = run("render " + path("colour.orbdr") + " -o " + path("o.png"));
        EXPECT_EQ(outcome.status, 2) << colour;
        EXPECT_EQ(outcome.err, "orbelle-cli: " + path("colour.orbdr") + ": colour (field 26) = " +
                                   std::to_string(colour) + " is outside 0..16777215\n");
    }
}
