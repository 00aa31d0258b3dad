#include "cli/animate.h"

#include "cli/corecount.h"
#include "cli/failure.h"
#include "cli/outputfolder.h"
#include "cli/renderimage.h"
#include "cli/videoencode.h"
#include "engine/canvas.h"
#include "engine/settingsblend.h"
#include "imageio/imageformat.h"
#include "imageio/imagewrite.h"

#include <QDir>
#include <QString>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>
#include <vector>

namespace orbelle::cli {
namespace {

// MemAvailable of /proc/meminfo in bytes; 0 when it cannot be read.
std::uint64_t availableMemory() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kib = 0;
    std::string unit;
    while (meminfo >> key >> kib >> unit) {
        if (key == "MemAvailable:") {
            return kib * 1024;
        }
    }
    return 0;
}

// Makes the folder when missing; the reason when it cannot be used.
std::optional<std::string> prepareFolder(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path path(folder);
    if (std::filesystem::exists(path, error) && !std::filesystem::is_directory(path, error)) {
        return "it is not a folder";
    }
    std::filesystem::create_directories(path, error);
    if (error) {
        return error.message();
    }
    // A trial file beside the frames tells whether the folder takes files.
    return folderProblem(QDir(QString::fromStdString(folder)).filePath(QStringLiteral("frame")));
}

// Reports progress on a terminal, overwriting one line.
class Progress {
  public:
    explicit Progress(int total) : m_total(total), m_shown(isatty(fileno(stderr)) != 0) {}

    void frameDone() {
        const std::lock_guard lock(m_mutex);
        ++m_done;
        if (!m_shown) {
            return;
        }
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        std::fprintf(stderr, "\r%s\033[K", progressText(m_done, m_total, elapsed).c_str());
        std::fflush(stderr);
    }

    // Ends the progress line, so that what follows starts on a line of its own.
    void finish() {
        if (m_shown && m_done > 0) {
            std::fputc('\n', stderr);
        }
    }

  private:
    std::mutex m_mutex;
    int m_total;
    int m_done = 0;
    bool m_shown;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// The frames shared out among the workers; the first error stops them all.
class FrameRun {
  public:
    explicit FrameRun(const AnimateCommand& cmd) : m_cmd(cmd), m_progress(cmd.frames) {}

    void work() {
        std::unique_ptr<Canvas> canvas;
        for (int k = m_next++; k < m_cmd.frames && !m_failed; k = m_next++) {
            if (!canvas) {
                canvas = std::make_unique<Canvas>();
            }
            if (!drawFrame(k, *canvas)) {
                return;
            }
            m_progress.frameDone();
        }
    }

    Progress& progress() { return m_progress; }
    // The first error, with its exit status; nothing when every frame was written.
    const std::optional<std::pair<int, std::string>>& error() const { return m_error; }

  private:
    bool drawFrame(int k, Canvas& canvas) {
        const DrawSettings settings = blendSettings(m_cmd.from, m_cmd.to, k, m_cmd.frames);
        RenderedImage rendered = renderImage(settings, m_cmd.size, false, &canvas);
        if (rendered.image.isNull()) {
            return failWith(kWriteFailed, "not enough memory for a picture of " +
                                              std::to_string(m_cmd.size) + " pixels a side");
        }
        // Between two drawings, the colours may meet: the figure is then
        // invisible and the frame shows the background.
        if (rendered.result.status == DrawStatus::SameColours) {
            rendered.image.fill(Canvas::toPixel(rendered.result.backColor));
        }
        const QString path = QDir(QString::fromStdString(m_cmd.folder))
                                 .filePath(QString::fromStdString(frameFileName(k + 1)));
        if (const auto reason = writeImage(rendered.image, path, *imageFormatFor(path))) {
            return failWith(kWriteFailed,
                            "cannot write " + path.toStdString() + ": " + reason->toStdString());
        }
        return true;
    }

    bool failWith(int status, const std::string& message) {
        const std::lock_guard lock(m_errorMutex);
        if (!m_error) {
            m_error.emplace(status, message);
        }
        m_failed = true;
        return false;
    }

    const AnimateCommand& m_cmd;
    Progress m_progress;
    std::atomic<int> m_next{0};
    std::atomic<bool> m_failed{false};
    std::mutex m_errorMutex;
    std::optional<std::pair<int, std::string>> m_error;
};

} // namespace

std::string frameFileName(int number) {
    char name[32];
    std::snprintf(name, sizeof name, "frame%04d.png", number);
    return name;
}

std::string progressText(int done, int total, double elapsedSeconds) {
    const double left = done > 0 ? elapsedSeconds / done * (total - done) : 0.0;
    return "frame " + std::to_string(done) + " of " + std::to_string(total) + ", about " +
           std::to_string(static_cast<long long>(std::ceil(left))) + " s left";
}

int workerCount(int cores, int frames, std::uint64_t availableMemory,
                std::uint64_t memoryPerWorker) {
    int count = std::min(std::max(cores, 1), frames);
    if (availableMemory > 0 && memoryPerWorker > 0) {
        const std::uint64_t fit = availableMemory / 2 / memoryPerWorker;
        count = static_cast<int>(std::min<std::uint64_t>(static_cast<std::uint64_t>(count), fit));
    }
    return std::max(count, 1);
}

int runAnimate(const AnimateCommand& cmd) {
    if (const auto problem = prepareFolder(cmd.folder)) {
        return fail(kRefused, "cannot write frames in " + cmd.folder + ": " + *problem);
    }
    std::optional<std::string> ffmpeg;
    if (!cmd.videoPath.empty()) {
        if (const auto problem = folderProblem(QString::fromStdString(cmd.videoPath))) {
            return fail(kRefused, "cannot write " + cmd.videoPath + ": " + *problem);
        }
        ffmpeg = findFfmpeg();
    }

    // A worker holds a canvas, the picture and its encoded copy.
    const std::uint64_t side = static_cast<std::uint64_t>(cmd.size);
    const std::uint64_t perWorker =
        std::uint64_t{Canvas::kSize} * Canvas::kSize * 4 + side * side * 4 * 2;
    const int workers =
        workerCount(usableCoresOfThisProcess(), cmd.frames, availableMemory(), perWorker);
    FrameRun run(cmd);
    std::vector<std::thread> threads;
    for (int w = 1; w < workers; ++w) {
        threads.emplace_back([&run] { run.work(); });
    }
    run.work();
    for (std::thread& thread : threads) {
        thread.join();
    }
    run.progress().finish();
    if (const auto& error = run.error()) {
        return fail(error->first, error->second);
    }
    const std::string first = QDir(QString::fromStdString(cmd.folder))
                                  .filePath(QString::fromStdString(frameFileName(1)))
                                  .toStdString();
    if (cmd.frames == 1) {
        std::printf("wrote %s\n", first.c_str());
    } else {
        std::printf("wrote %d frames, %s to %s\n", cmd.frames, first.c_str(),
                    frameFileName(cmd.frames).c_str());
    }
    if (std::fflush(stdout) != 0) {
        return kWriteFailed;
    }
    if (cmd.videoPath.empty()) {
        return 0;
    }
    if (!ffmpeg) {
        std::vector<std::string> words{"ffmpeg"};
        for (std::string& arg : ffmpegArguments(cmd.folder, cmd.frames, cmd.size, cmd.videoPath)) {
            words.push_back(std::move(arg));
        }
        return fail(kWriteFailed, "ffmpeg is not installed, so " + cmd.videoPath +
                                      " was not made; with ffmpeg, encode the frames with: " +
                                      shellCommand(words));
    }
    if (const auto reason = encodeVideo(*ffmpeg, cmd.folder, cmd.frames, cmd.size, cmd.videoPath)) {
        return fail(kWriteFailed, "cannot write " + cmd.videoPath + ": " + *reason);
    }
    std::printf("wrote %s\n", cmd.videoPath.c_str());
    return std::fflush(stdout) == 0 ? 0 : kWriteFailed;
}

} // namespace orbelle::cli
