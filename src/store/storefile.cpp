#include "store/storefile.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orbelle {
namespace {

StoreStatus readFailure(const std::filesystem::path& path, int error) {
    return StoreStatus::failure(StoreError::CannotRead, path, error);
}

StoreStatus writeFailure(const std::filesystem::path& path, int error) {
    return StoreStatus::failure(StoreError::CannotWrite, path, error);
}

// Closes a descriptor when it goes out of scope unless released first.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

    /// Closes now; returns 0 or the errno of a failed close.
    int close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

  private:
    int m_fd;
};

// Whether a change may be made at the store's place: nothing there, or a
// regular file. A link or another kind of file is refused and left alone.
StoreStatus ownFileProblem(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return errno == ENOENT ? StoreStatus::success() : writeFailure(path, errno);
    }
    if (S_ISLNK(info.st_mode)) {
        return StoreStatus::failure(StoreError::LinkNotFollowed, path, ELOOP);
    }
    if (!S_ISREG(info.st_mode)) {
        return StoreStatus::failure(StoreError::NotRegularTarget, path,
                                    S_ISDIR(info.st_mode) ? EISDIR : 0);
    }
    return StoreStatus::success();
}

// Opens the store for appending without following a link and without
// waiting on a pipe; checks that what was opened is a regular file.
StoreResult<int> openOwnFileForAppend(const std::filesystem::path& path, int access) {
    StoreResult<int> result;
    result.value = -1;
    result.status = ownFileProblem(path);
    if (!result.ok()) {
        return result;
    }
    const int fd = ::open(path.c_str(),
                          access | O_CREAT | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        result.status = errno == ELOOP
                            ? StoreStatus::failure(StoreError::LinkNotFollowed, path, ELOOP)
                            : writeFailure(path, errno);
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.status = StoreStatus::failure(StoreError::NotRegularTarget, path);
        ::close(fd);
        return result;
    }
    result.value = fd;
    return result;
}

// Whether the folder of `file` exists; false also when it cannot be looked
// at, so that creating it reports the reason.
bool folderExists(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    std::error_code error;
    return folder.empty() || std::filesystem::exists(folder, error);
}

} // namespace

std::vector<std::string> splitLines(std::string_view content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const bool terminated = end != std::string_view::npos;
        if (!terminated) {
            end = content.size();
        }
        std::string_view line = content.substr(start, end - start);
        if (terminated && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size() + 2;
    }
    std::string content;
    content.reserve(size);
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    return content;
}

StoreResult<std::string> readWholeFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    StoreResult<std::string> result;
    // Without O_NONBLOCK, opening a named pipe waits for a writer, possibly for
    // ever; the kind of file is checked only once it is open.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        result.status = readFailure(path, errno);
        return result;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        result.status = readFailure(path, errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        // A folder says so through its reason; a device, a pipe or a socket
        // has none.
        result.status = StoreStatus::failure(StoreError::NotRegularFile, path,
                                             S_ISDIR(info.st_mode) ? EISDIR : 0);
        return result;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        result.status = readFailure(path, errno);
        return result;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        result.status = StoreStatus::failure(StoreError::TooLarge, path, EFBIG).withLimit(maxBytes);
        return result;
    }
    std::string content;
    content.resize(static_cast<std::size_t>(info.st_size));
    std::size_t filled = 0;
    while (true) {
        if (filled == content.size()) {
            // The file may have grown since fstat; read on up to the limit.
            content.resize(content.size() + 4096);
        }
        const ssize_t got = ::read(fd.get(), content.data() + filled, content.size() - filled);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.status = readFailure(path, errno);
            return result;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
        if (filled > maxBytes) {
            // The file grew past the limit while it was read.
            result.status =
                StoreStatus::failure(StoreError::TooLarge, path, EFBIG).withLimit(maxBytes);
            return result;
        }
    }
    content.resize(filled);
    result.value = std::move(content);
    return result;
}

StoreFile::StoreFile(std::filesystem::path path, std::string oldTempName, Durability durability)
    : m_path(std::move(path)), m_oldTempName(std::move(oldTempName)), m_durability(durability) {}

std::filesystem::path StoreFile::oldTempPath() const {
    return m_path.parent_path() / m_oldTempName;
}

StoreStatus StoreFile::ensureExists() const {
    std::error_code error;
    const std::filesystem::path folder = m_path.parent_path();
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
        if (error) {
            return StoreStatus::failure(StoreError::CannotCreateFolder, folder, error.value());
        }
    }
    StoreResult<int> opened = openOwnFileForAppend(m_path, O_WRONLY);
    if (!opened.ok()) {
        return std::move(opened.status);
    }
    FileDescriptor fd(opened.value);
    const int closeError = fd.close();
    return closeError == 0 ? StoreStatus::success() : writeFailure(m_path, closeError);
}

StoreResult<std::string> StoreFile::readContent() const {
    StoreResult<std::string> result = readWholeFile(m_path);
    if (result.ok() || result.status.errorNumber() != ENOENT) {
        return result;
    }
    result.status = ensureExists();
    return result;
}

StoreResult<std::vector<std::string>> StoreFile::readLines() const {
    StoreResult<std::vector<std::string>> result;
    StoreResult<std::string> content = readContent();
    result.status = std::move(content.status);
    if (result.ok()) {
        result.value = splitLines(content.value);
    }
    return result;
}

StoreStatus StoreFile::appendLine(std::string_view line) const {
    if (!folderExists(m_path)) {
        StoreStatus created = ensureExists();
        if (!created) {
            return created;
        }
    }
    StoreResult<int> opened = openOwnFileForAppend(m_path, O_RDWR);
    if (!opened.ok()) {
        return std::move(opened.status);
    }
    FileDescriptor fd(opened.value);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return writeFailure(m_path, errno);
    }
    std::string buffer;
    buffer.reserve(line.size() + 4);
    if (info.st_size > 0) {
        char last = '\n';
        if (::pread(fd.get(), &last, 1, info.st_size - 1) != 1) {
            return writeFailure(m_path, errno);
        }
        if (last != '\n') {
            buffer += "\r\n";
        }
    }
    buffer += line;
    buffer += "\r\n";
    // One write call: a crash leaves either the whole line or a torn tail.
    ssize_t written = 0;
    do {
        written = ::write(fd.get(), buffer.data(), buffer.size());
    } while (written < 0 && errno == EINTR);
    if (written < 0) {
        return writeFailure(m_path, errno);
    }
    if (static_cast<std::size_t>(written) != buffer.size()) {
        return writeFailure(m_path, ENOSPC);
    }
    if (m_durability == Durability::Flush && ::fdatasync(fd.get()) != 0) {
        return writeFailure(m_path, errno);
    }
    const int closeError = fd.close();
    return closeError == 0 ? StoreStatus::success() : writeFailure(m_path, closeError);
}

StoreStatus StoreFile::replaceLines(const std::vector<std::string>& lines) const {
    return replaceContent(joinLines(lines));
}

StoreStatus StoreFile::replaceContent(std::string_view content) const {
    if (!folderExists(m_path)) {
        StoreStatus created = ensureExists();
        if (!created) {
            return created;
        }
    }
    return replaceFile(m_path, content, TargetKind::OwnFile, m_durability);
}

StoreStatus StoreFile::copyTo(const std::filesystem::path& target) const {
    StoreResult<std::string> content = readContent();
    if (!content.ok()) {
        return std::move(content.status);
    }
    return replaceFile(target, content.value, TargetKind::NamedFile, m_durability);
}

void StoreFile::removeLeftoverTemp() const {
    removeLeftoverTemporaryFiles(m_path.parent_path(), m_path.filename().string());
    removeRegularFile(oldTempPath());
}

} // namespace orbelle
