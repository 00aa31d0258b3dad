#include "cli/videoencode.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace orbelle::cli {
namespace {

bool isPlainShellChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::strchr("-_./=:,+", c) != nullptr;
}

std::string patternFolder(const std::string& folder) {
    std::string out;
    for (char c : folder) {
        out += c;
        if (c == '%') {
            out += '%';
        }
    }
    return out;
}

// The last non-empty line of a process's error output.
std::string lastLine(const QByteArray& text) {
    const QList<QByteArray> lines = text.trimmed().split('\n');
    return lines.isEmpty() ? std::string() : lines.last().trimmed().toStdString();
}

} // namespace

std::vector<std::string> ffmpegArguments(const std::string& folder, int frameCount, int size,
                                         const std::string& output) {
    std::vector<std::string> args{"-nostdin",
                                  "-y",
                                  "-loglevel",
                                  "error",
                                  "-framerate",
                                  std::to_string(kVideoFramesPerSecond),
                                  "-start_number",
                                  "1",
                                  "-i",
                                  patternFolder(folder) + "/frame%04d.png",
                                  "-frames:v",
                                  std::to_string(frameCount),
                                  "-c:v",
                                  "libx264",
                                  "-pix_fmt",
                                  "yuv420p"};
    if (size % 2 != 0) {
        args.insert(args.end(),
                    {"-vf", "pad=" + std::to_string(size + 1) + ":" + std::to_string(size + 1)});
    }
    args.push_back(output);
    return args;
}

std::string shellCommand(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty()) {
            line += ' ';
        }
        bool plain = !word.empty();
        for (char c : word) {
            plain = plain && isPlainShellChar(c);
        }
        if (plain) {
            line += word;
            continue;
        }
        line += '\'';
        for (char c : word) {
            line += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        line += '\'';
    }
    return line;
}

std::optional<std::string> findFfmpeg() {
    const QString path = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path.toStdString();
}

std::optional<std::string> encodeVideo(const std::string& program, const std::string& folder,
                                       int frameCount, int size, const std::string& output) {
    // ffmpeg writes a name reserved beside the target, with the target's
    // suffix so that it picks the same container.
    const QFileInfo target(QString::fromStdString(output));
    QTemporaryFile partial(
        target.absoluteDir().filePath(QStringLiteral(".orbelle-video-XXXXXX.") + target.suffix()));
    if (!partial.open()) {
        return "cannot make a file in " + target.absolutePath().toStdString() + ": " +
               partial.errorString().toStdString();
    }
    const std::string partialPath = partial.fileName().toStdString();
    partial.close();

    QStringList args;
    for (const std::string& arg : ffmpegArguments(folder, frameCount, size, partialPath)) {
        args << QString::fromStdString(arg);
    }
    QProcess ffmpeg;
    ffmpeg.setStandardInputFile(QProcess::nullDevice());
    ffmpeg.setStandardOutputFile(QProcess::nullDevice());
    ffmpeg.start(QString::fromStdString(program), args);
    if (!ffmpeg.waitForStarted(-1)) {
        return "cannot start " + program + ": " + ffmpeg.errorString().toStdString();
    }
    ffmpeg.waitForFinished(-1);
    if (ffmpeg.exitStatus() != QProcess::NormalExit) {
        return "ffmpeg stopped abnormally";
    }
    if (ffmpeg.exitCode() != 0) {
        const std::string said = lastLine(ffmpeg.readAllStandardError());
        return "ffmpeg failed with status " + std::to_string(ffmpeg.exitCode()) +
               (said.empty() ? std::string() : ": " + said);
    }
    // The reserved name was made private (0600); the video gets the modes a
    // new file gets under the umask, as the frames do.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    errno = 0;
    if (::chmod(partialPath.c_str(), 0666 & ~mask) != 0) {
        return std::strerror(errno);
    }
    partial.setAutoRemove(false);
    errno = 0;
    if (std::rename(partialPath.c_str(), output.c_str()) != 0) {
        const int error = errno;
        std::remove(partialPath.c_str());
        return std::strerror(error);
    }
    return std::nullopt;
}

} // namespace orbelle::cli
