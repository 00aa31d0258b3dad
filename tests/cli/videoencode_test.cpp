// The ffmpeg command line that turns animation frames into a video, and its
// form for a person to type.

#include "cli/videoencode.h"

#include <gtest/gtest.h>

using namespace orbelle;

namespace {

std::vector<std::string> words(std::initializer_list<const char*> list) {
    return {list.begin(), list.end()};
}

} // namespace

TEST(VideoEncode, EncodesTheNumberedFramesAtThirtyPerSecond) {
    EXPECT_EQ(cli::ffmpegArguments("out/frames", 120, 1000, "out/a.mp4"),
              words({"-nostdin", "-y", "-loglevel", "error", "-framerate", "30", "-start_number",
                     "1", "-i", "out/frames/frame%04d.png", "-frames:v", "120", "-c:v", "libx264",
                     "-pix_fmt", "yuv420p", "out/a.mp4"}));
}

TEST(VideoEncode, OddSidesArePaddedAndPercentSignsDoubled) {
    EXPECT_EQ(cli::ffmpegArguments("100%", 2, 99, "v.mkv"),
              words({"-nostdin", "-y", "-loglevel", "error", "-framerate", "30", "-start_number",
                     "1", "-i", "100%%/frame%04d.png", "-frames:v", "2", "-c:v", "libx264",
                     "-pix_fmt", "yuv420p", "-vf", "pad=100:100", "v.mkv"}));
}

TEST(VideoEncode, ShellQuotingOnlyWhereNeeded) {
    EXPECT_EQ(cli::shellCommand(words({"ffmpeg", "-i", "a/frame%04d.png", "out.mp4"})),
              "ffmpeg -i 'a/frame%04d.png' out.mp4");
    EXPECT_EQ(cli::shellCommand(words({"x", "two words", "it's", ""})),
              "x 'two words' 'it'\\''s' ''");
    EXPECT_EQ(cli::shellCommand(words({"pad=100:100", "-c:v", "a+b,c_d.mp4"})),
              "pad=100:100 -c:v a+b,c_d.mp4");
}
