// Runs orbelle-cli animate as a user would: the frame files, their pictures
// against render's, the refusals, and the video through ffmpeg (a stand-in
// script where the real program is not needed).

#include "cli/clitest.h"
#include "cli/videoencode.h"
#include "store/imagetext.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <unistd.h>

using namespace orbelle;
using test::slurp;
namespace fs = std::filesystem;

namespace {

class CliAnimate : public test::CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        // The start-up figure turning from 350 to 10 degrees while its
        // colour goes from black to (200, 100, 51) and r0 from 200 to 202.
        m_fromRecord = DrawSettings::startup();
        m_fromRecord.rotZ = 350;
        m_fromRecord.drawColorMode = 2;
        m_fromRecord.drawColor = packRgb(0, 0, 0);
        m_toRecord = m_fromRecord;
        m_toRecord.rotZ = 10;
        m_toRecord.drawColor = packRgb(200, 100, 51);
        m_toRecord.params[0] = 202;
        m_from = recordFile("from.orbdr", m_fromRecord);
        m_to = recordFile("to.orbdr", m_toRecord);
    }

    // A stand-in ffmpeg in its own folder, for PATH.
    std::string fakeFfmpeg(const std::string& body) {
        const fs::path bin = m_dir / "bin";
        fs::create_directories(bin);
        std::ofstream(bin / "ffmpeg") << "#!/bin/sh\n" << body;
        fs::permissions(bin / "ffmpeg", fs::perms::owner_all);
        return "PATH=" + bin.string();
    }

    // Runs "animate FROM TO rest" on the two records.
    test::CliOutcome animate(const std::string& rest, const std::string& before = "") const {
        return run("animate " + m_from + " " + m_to + " " + rest, before);
    }

    // The picture render writes for a record file.
    QImage rendered(const std::string& record, const std::string& name, int size) {
        const auto o =
            run("render " + record + " -o " + path(name) + " --size " + std::to_string(size));
        EXPECT_EQ(o.status, 0) << o.err;
        return image(path(name));
    }

    DrawSettings m_fromRecord;
    DrawSettings m_toRecord;
    std::string m_from;
    std::string m_to;
};

} // namespace

TEST_F(CliAnimate, FramesAreNamedCountedAndDrawnAsRenderDrawsTheirRecords) {
    const fs::path folder = m_dir / "made" / "here";
    const auto o = animate("--frames 3 -o " + folder.string() + " --size 60");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out,
              "wrote 3 frames, " + (folder / "frame0001.png").string() + " to frame0003.png\n");
    EXPECT_EQ(o.err, ""); // no progress when standard error is not a terminal
    EXPECT_EQ(entries(folder),
              (std::set<std::string>{"frame0001.png", "frame0002.png", "frame0003.png"}));

    // The middle record, worked out by hand: 350 -> 10 turns through 0, the
    // colour (100, 50, 25.5) rounds to (100, 50, 26), r0 201.
    DrawSettings middle = m_fromRecord;
    middle.rotZ = 0;
    middle.drawColor = packRgb(100, 50, 26);
    middle.params[0] = 201;
    const std::string mid = recordFile("middle.orbdr", middle);

    const std::string frames[] = {(folder / "frame0001.png").string(),
                                  (folder / "frame0002.png").string(),
                                  (folder / "frame0003.png").string()};
    const QImage first = image(frames[0]);
    ASSERT_EQ(first.size(), QSize(60, 60));
    EXPECT_EQ(first, rendered(m_from, "from.png", 60));
    EXPECT_EQ(image(frames[1]), rendered(mid, "middle.png", 60));
    EXPECT_EQ(image(frames[2]), rendered(m_to, "to.png", 60));
    // Byte for byte the files render writes.
    EXPECT_EQ(slurp(frames[0]), slurp(path("from.png")));
    EXPECT_EQ(slurp(frames[1]), slurp(path("middle.png")));
    EXPECT_EQ(slurp(frames[2]), slurp(path("to.png")));
    // Each frame carries its record, as render's pictures do.
    EXPECT_EQ(lineOf(frames[0]), lineOf(path("from.png")));
    EXPECT_EQ(lineOf(frames[1]), lineOf(path("middle.png")));
    EXPECT_EQ(lineOf(frames[2]), lineOf(path("to.png")));
    EXPECT_EQ(settingsFromImageText(lineOf(frames[1])), middle);
    // The frames differ from one another.
    EXPECT_NE(first, image(frames[1]));
}

TEST_F(CliAnimate, OneFrameIsTheFirstRecord) {
    const auto o = animate("--frames 1 -o " + path("one") + " --size 40");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "wrote " + path("one/frame0001.png") + "\n");
    EXPECT_EQ(entries(m_dir / "one"), std::set<std::string>{"frame0001.png"});
    EXPECT_EQ(image(path("one/frame0001.png")), rendered(m_from, "from.png", 40));
}

TEST_F(CliAnimate, ManyFramesOnEveryWorker) {
    // More frames than cores: every number is written once, and frames of
    // equal records are equal pictures whichever worker drew them.
    const auto o =
        run("animate " + m_from + " " + m_from + " --frames 12 -o " + path("same") + " --size 30");
    ASSERT_EQ(o.status, 0) << o.err;
    const auto names = entries(m_dir / "same");
    ASSERT_EQ(names.size(), 12u);
    EXPECT_EQ(*names.begin(), "frame0001.png");
    EXPECT_EQ(*names.rbegin(), "frame0012.png");
    const QImage first = image(path("same/frame0001.png"));
    for (int k = 2; k <= 12; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "same/frame%04d.png", k);
        EXPECT_EQ(image(path(name)), first) << name;
    }
}

TEST_F(CliAnimate, DifferentFormulasAreRefusedBeforeAnyFile) {
    const auto parsed = [&] {
        // The record of "サファイア" at its defaults comes from render's picture.
        const auto r = run("render 0 1 -o " + path("other.png") + " --size 10");
        EXPECT_EQ(r.status, 0) << r.err;
        return path("other.png");
    }();
    const auto o = run("animate " + m_from + " " + parsed + " --frames 3 -o " + path("never"));
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "orbelle-cli: the two records draw different formulas: " + m_from +
                         " draws 0 0 (ダイヤモンド), " + parsed + " draws 0 1 (サファイア)\n");
    EXPECT_FALSE(fs::exists(path("never")));
}

TEST_F(CliAnimate, BadArgumentsAreOneLineAndStatusTwo) {
    for (const char* rest : {"--frames 0 -o f", "--frames 10000 -o f", "--frames 3", "-o f",
                             "--frames 3 -o f --size 0", "--frames 3 -o f --size 6001",
                             "--frames 3 -o f --video f.gif", "--frames 3 -o f extra"}) {
        const auto o = animate(rest);
        EXPECT_EQ(o.status, 2) << rest;
        EXPECT_EQ(o.out, "") << rest;
        EXPECT_EQ(o.err.rfind("orbelle-cli: ", 0), 0u) << rest << ": " << o.err;
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << rest << ": " << o.err;
    }
    EXPECT_FALSE(fs::exists(path("f")));
    // The usage names the command.
    EXPECT_NE(
        run("--help").out.find("orbelle-cli animate FROM.orbdr TO.orbdr --frames N -o FOLDER"),
        std::string::npos);
}

TEST_F(CliAnimate, AFolderThatCannotTakeTheFramesIsNamedWithTheReason) {
    std::ofstream(path("plain")) << "a file";
    auto o = animate("--frames 2 -o " + path("plain"));
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err,
              "orbelle-cli: cannot write frames in " + path("plain") + ": it is not a folder\n");
    o = animate("--frames 2 -o " + path("plain/sub"));
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err,
              "orbelle-cli: cannot write frames in " + path("plain/sub") + ": Not a directory\n");
    EXPECT_EQ(o.out, "");
}

TEST_F(CliAnimate, AFolderWithoutWritePermissionIsNamedWithTheReason) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "folder permissions do not stop the superuser";
    }
    fs::create_directory(path("locked"));
    fs::permissions(path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    const auto o = animate("--frames 2 -o " + path("locked"));
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err.rfind("orbelle-cli: cannot write frames in " + path("locked") + ": ", 0), 0u)
        << o.err;
    EXPECT_NE(o.err.find("Permission denied"), std::string::npos) << o.err;
}

TEST_F(CliAnimate, AFrameThatCannotBeWrittenStopsTheRun) {
    // A file size limit of two blocks fails every frame part way, as a full
    // disk would.
    const auto o =
        animate("--frames 6 -o " + path("full") + " --size 300", "trap '' XFSZ; ulimit -f 2;");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err.rfind("orbelle-cli: cannot write " + path("full") + "/frame000", 0), 0u)
        << o.err;
    EXPECT_EQ(o.err.substr(o.err.size() - 21), ".png: File too large\n") << o.err;
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
    // No frame, whole or partial, is left behind.
    EXPECT_TRUE(fs::is_empty(path("full")));
}

TEST_F(CliAnimate, EarlierFramesAreReplaced) {
    fs::create_directory(path("again"));
    std::ofstream(path("again/frame0002.png")) << "an older frame";
    const auto o = animate("--frames 2 -o " + path("again") + " --size 20");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(image(path("again/frame0002.png")).size(), QSize(20, 20));
    EXPECT_EQ(entries(m_dir / "again"), (std::set<std::string>{"frame0001.png", "frame0002.png"}));
}

TEST_F(CliAnimate, EqualColoursBetweenTheEndsShowTheBackground) {
    // Black on white turning into white on black: half way both are grey
    // (127.5 rounds to 128), and the frame is that grey all over.
    DrawSettings from = DrawSettings::startup();
    from.drawColorMode = 2;
    from.drawColor = kBlack;
    from.backColorMode = 2;
    from.backColor = kWhite;
    DrawSettings to = from;
    to.drawColor = kWhite;
    to.backColor = kBlack;
    const auto o =
        run("animate " + recordFile("bw.orbdr", from) + " " + recordFile("wb.orbdr", to) +
            " --frames 3 -o " + path("grey") + " --size 16");
    ASSERT_EQ(o.status, 0) << o.err;
    QImage expected(16, 16, QImage::Format_RGB32);
    expected.fill(qRgb(128, 128, 128));
    EXPECT_EQ(image(path("grey/frame0002.png")), expected);
    EXPECT_NE(image(path("grey/frame0001.png")), expected);
}

TEST_F(CliAnimate, WithoutFfmpegTheMessageGivesTheCommand) {
    const auto o = animate("--frames 2 -o " + path("f") + " --size 20 --video " + path("v.mp4"),
                           "PATH=" + path("no-such-folder"));
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "orbelle-cli: ffmpeg is not installed, so " + path("v.mp4") +
                         " was not made; with ffmpeg, encode the frames with: ffmpeg -nostdin -y "
                         "-loglevel error -framerate 30 -start_number 1 -i '" +
                         path("f") + "/frame%04d.png' -frames:v 2 -c:v libx264 -pix_fmt yuv420p " +
                         path("v.mp4") + "\n");
    // The frames are there to encode.
    EXPECT_EQ(entries(m_dir / "f"), (std::set<std::string>{"frame0001.png", "frame0002.png"}));
    EXPECT_FALSE(fs::exists(path("v.mp4")));
}

TEST_F(CliAnimate, FfmpegEncodesTheFramesIntoTheVideo) {
    const std::string environment = fakeFfmpeg("printf '%s\\n' \"$@\" > " + path("args.txt") +
                                               "\nfor a; do last=$a; done\n"
                                               "printf video > \"$last\"\n");
    std::ofstream(path("v.mp4")) << "an older video";
    const auto o =
        animate("--frames 2 -o " + path("f") + " --size 21 --video " + path("v.mp4"), environment);
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(o.out, "wrote 2 frames, " + path("f/frame0001.png") + " to frame0002.png\nwrote " +
                         path("v.mp4") + "\n");
    EXPECT_EQ(slurp(path("v.mp4")), "video");
    // ffmpeg was given the frames, 30 a second, H.264, the odd side padded,
    // and wrote a file beside the video that then took its place.
    std::string args = slurp(path("args.txt"));
    const std::string expected = "-nostdin\n-y\n-loglevel\nerror\n-framerate\n30\n-start_number\n"
                                 "1\n-i\n" +
                                 path("f") +
                                 "/frame%04d.png\n-frames:v\n2\n-c:v\nlibx264\n-pix_fmt\n"
                                 "yuv420p\n-vf\npad=22:22\n";
    ASSERT_EQ(args.substr(0, expected.size()), expected);
    const std::string written = args.substr(expected.size());
    EXPECT_EQ(written.rfind(path(".orbelle-video-"), 0), 0u) << written;
    EXPECT_EQ(written.substr(written.size() - 5), ".mp4\n") << written;
    for (const std::string& name : entries(m_dir)) {
        EXPECT_EQ(name.rfind(".orbelle", 0), std::string::npos) << name;
    }
}

TEST_F(CliAnimate, TheVideoTakesTheModesOfTheUmaskLikeTheFrames) {
    const std::string environment =
        fakeFfmpeg("for a; do last=$a; done\nprintf video > \"$last\"\n");
    struct Case {
        const char* umask;
        fs::perms modes;
    };
    const fs::perms rw = fs::perms::owner_read | fs::perms::owner_write;
    const Case cases[] = {
        {"022", rw | fs::perms::group_read | fs::perms::others_read},
        {"002", rw | fs::perms::group_read | fs::perms::group_write | fs::perms::others_read},
        {"077", rw},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.umask);
        fs::remove_all(path("f"));
        fs::remove(path("v.mp4"));
        const auto o = run("animate " + m_from + " " + m_to + " --frames 1 -o " + path("f") +
                               " --size 8 --video " + path("v.mp4"),
                           std::string("umask ") + c.umask + "; " + environment);
        ASSERT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(fs::status(path("v.mp4")).permissions(), c.modes);
        EXPECT_EQ(fs::status(path("f/frame0001.png")).permissions(), c.modes);
    }
}

TEST_F(CliAnimate, AFailingFfmpegIsReportedAndTheOldVideoKept) {
    const std::string environment =
        fakeFfmpeg("for a; do last=$a; done\nprintf half > \"$last\"\n"
                   "echo 'frame=    1' >&2\necho \"Unknown encoder 'libx264'\" >&2\nexit 1\n");
    std::ofstream(path("v.mp4")) << "an older video";
    const auto o =
        animate("--frames 2 -o " + path("f") + " --size 20 --video " + path("v.mp4"), environment);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "orbelle-cli: cannot write " + path("v.mp4") +
                         ": ffmpeg failed with status 1: Unknown encoder 'libx264'\n");
    EXPECT_EQ(slurp(path("v.mp4")), "an older video");
    for (const std::string& name : entries(m_dir)) {
        EXPECT_EQ(name.rfind(".orbelle", 0), std::string::npos) << name;
    }
}

TEST_F(CliAnimate, AVideoInAMissingFolderIsRefusedBeforeDrawing) {
    const auto o = animate("--frames 2 -o " + path("f") + " --video " + path("gone/v.mp4"));
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err, "orbelle-cli: cannot write " + path("gone/v.mp4") + ": the folder " +
                         path("gone") + " does not exist\n");
    EXPECT_TRUE(fs::is_empty(path("f")));
}

TEST_F(CliAnimate, ProgressOnATerminal) {
    if (std::system("command -v script >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "no 'script' to give the tool a terminal";
    }
    // script runs the tool on a terminal of its own and copies what it shows.
    const auto o = shell("script -qec '" + std::string(ORBELLE_CLI_PATH) + " animate " + m_from +
                         " " + m_to + " --frames 3 -o " + path("f") + " --size 20' /dev/null");
    ASSERT_EQ(o.status, 0);
    const std::string text = o.out + o.err;
    for (const char* line :
         {"frame 1 of 3, about ", "frame 2 of 3, about ", "frame 3 of 3, about 0 s left"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << " in " << text;
    }
}

TEST_F(CliAnimate, RealFfmpegMakesAVideo) {
    const auto ffmpeg = cli::findFfmpeg();
    if (!ffmpeg) {
        GTEST_SKIP() << "ffmpeg is not installed";
    }
    const auto o = animate("--frames 4 -o " + path("f") + " --size 33 --video " + path("v.mp4"));
    ASSERT_EQ(o.status, 0) << o.err;
    ASSERT_TRUE(fs::exists(path("v.mp4")));
    EXPECT_GT(fs::file_size(path("v.mp4")), 100u);
}
