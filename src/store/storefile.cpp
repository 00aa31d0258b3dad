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

// Writes all bytes, continuing after interruptions; returns 0 or an errno.
int writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int syncFolderOf(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) {
        return errno;
    }
    if (::fsync(fd.get()) != 0) {
        return errno;
    }
    return fd.close();
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

std::filesystem::path defaultTempPath(const std::filesystem::path& target) {
    return target.parent_path() / ("." + target.filename().string() + ".orbelle-new");
}

StoreStatus replaceFileAtomically(const std::filesystem::path& target, std::string_view content,
                                  const std::filesystem::path& temp, Durability durability) {
    FileDescriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!fd.valid()) {
        return writeFailure(target, errno);
    }
    int error = writeAll(fd.get(), content);
    if (error == 0 && durability == Durability::Flush && ::fsync(fd.get()) != 0) {
        error = errno;
    }
    const int closeError = fd.close();
    if (error == 0) {
        error = closeError;
    }
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        return writeFailure(target, error);
    }
    if (durability == Durability::Flush) {
        error = syncFolderOf(target);
        if (error != 0) {
            return writeFailure(target, error);
        }
    }
    return StoreStatus::success();
}

StoreFile::StoreFile(std::filesystem::path path, std::string tempName, Durability durability)
    : m_path(std::move(path)), m_tempName(std::move(tempName)), m_durability(durability) {}

std::filesystem::path StoreFile::tempPath() const { return m_path.parent_path() / m_tempName; }

StoreStatus StoreFile::ensureExists() const {
    std::error_code error;
    const std::filesystem::path folder = m_path.parent_path();
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
        if (error) {
            return StoreStatus::failure(StoreError::CannotCreateFolder, folder, error.value());
        }
    }
    FileDescriptor fd(::open(m_path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666));
    if (!fd.valid()) {
        return writeFailure(m_path, errno);
    }
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
    FileDescriptor fd(::open(m_path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0666));
    if (!fd.valid()) {
        return writeFailure(m_path, errno);
    }
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
    return replaceFileAtomically(m_path, content, tempPath(), m_durability);
}

StoreStatus StoreFile::copyTo(const std::filesystem::path& target) const {
    StoreResult<std::string> content = readContent();
    if (!content.ok()) {
        return std::move(content.status);
    }
    return replaceFileAtomically(target, content.value, defaultTempPath(target), m_durability);
}

void StoreFile::removeLeftoverTemp() const { ::unlink(tempPath().c_str()); }

} // namespace orbelle
