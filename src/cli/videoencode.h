#pragma once
// Encoding animation frames into a video with ffmpeg, when it is installed.

#include <optional>
#include <string>
#include <vector>

namespace orbelle::cli {

constexpr int kVideoFramesPerSecond = 30;

/// The ffmpeg arguments (without the program name) that encode frameCount
/// frames folder/frame0001.png ... of side size into output: H.264 in
/// yuv420p at 30 frames per second, never reading standard input. Only the
/// first frameCount frames are taken, so older frames with higher numbers in
/// the folder stay out. An odd side is padded by one pixel at the right and
/// bottom, as H.264 in yuv420p needs even sides. A '%' in the folder's name
/// is doubled, as ffmpeg's file pattern needs.
std::vector<std::string> ffmpegArguments(const std::string& folder, int frameCount, int size,
                                         const std::string& output);

/// The words as one line for a POSIX shell: a word holding anything but
/// letters, digits and -_./=:,+ is put in single quotes.
std::string shellCommand(const std::vector<std::string>& words);

/// The ffmpeg program on PATH, or nothing.
std::optional<std::string> findFfmpeg();

/// Runs ffmpeg (at program) with ffmpegArguments, writing to a temporary file
/// beside output that replaces output only when ffmpeg succeeded. Returns
/// nothing on success, else the reason: ffmpeg's last line of error output
/// and its exit status, or why it could not be started.
std::optional<std::string> encodeVideo(const std::string& program, const std::string& folder,
                                       int frameCount, int size, const std::string& output);

} // namespace orbelle::cli
