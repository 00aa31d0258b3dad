#pragma once
// orbelle-cli animate: draws the frames between two records on the
// machine's cores and writes them as numbered PNG files, then encodes them
// into a video when asked.

#include "cli/cliargs.h"

#include <cstdint>
#include <string>

namespace orbelle::cli {

/// The file name of frame number (1-based): "frame0001.png" for 1.
std::string frameFileName(int number);

/// The progress line after done of total frames in elapsedSeconds:
/// "frame 3 of 10, about 7 s left", the time left estimated from the mean
/// time per frame so far and rounded up to whole seconds.
std::string progressText(int done, int total, double elapsedSeconds);

/// How many frames are drawn at once: one per core, no more than there are
/// frames, and no more than half the available memory holds at memoryPerWorker
/// bytes each (availableMemory 0 means unknown: no limit); at least one.
int workerCount(int cores, int frames, std::uint64_t availableMemory,
                std::uint64_t memoryPerWorker);

/// Runs the command; returns the exit status (0 done, 1 a frame or the video
/// could not be written, 2 the folder or the video's folder refused before
/// drawing). Errors are reported as one line on standard error; the progress
/// goes to standard error only when it is a terminal.
int runAnimate(const AnimateCommand& cmd);

} // namespace orbelle::cli
