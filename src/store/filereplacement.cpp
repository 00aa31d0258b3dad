#include "store/filereplacement.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orbelle {
namespace {

constexpr std::size_t kRandomLength = 8;
constexpr std::string_view kRandomAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
// Names longer than the file system allows are cut to this many bytes before
// the random part and the suffix are added.
constexpr std::size_t kMaxTargetNameInTemporary = 200;
constexpr int kCreateAttempts = 100;

StoreStatus writeFailure(const std::filesystem::path& path, int error) {
    return StoreStatus::failure(StoreError::CannotWrite, path, error);
}

int systemFlush(int fd) { return ::fsync(fd) == 0 ? 0 : errno; }

int systemRename(const std::filesystem::path& from, const std::filesystem::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

std::string randomPart() {
    std::array<unsigned char, kRandomLength> bytes{};
    if (::getrandom(bytes.data(), bytes.size(), GRND_NONBLOCK) !=
        static_cast<ssize_t>(bytes.size())) {
        static std::mutex mutex;
        static std::random_device device;
        const std::lock_guard lock(mutex);
        for (unsigned char& b : bytes) {
            b = static_cast<unsigned char>(device());
        }
    }
    std::string text;
    for (const unsigned char b : bytes) {
        text += kRandomAlphabet[b % kRandomAlphabet.size()];
    }
    return text;
}

std::string temporaryPrefix(std::string_view targetName) {
    return "." + std::string(targetName.substr(0, kMaxTargetNameInTemporary)) + ".";
}

// The process's umask, read without changing it: other threads may be
// creating files at the same moment.
unsigned currentUmask() {
    static const unsigned mask = [] {
        if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
            char line[256];
            unsigned value = 0;
            while (std::fgets(line, sizeof line, status) != nullptr) {
                if (std::sscanf(line, "Umask: %o", &value) == 1) {
                    std::fclose(status);
                    return value;
                }
            }
            std::fclose(status);
        }
        const mode_t old = ::umask(022);
        ::umask(old);
        return static_cast<unsigned>(old);
    }();
    return mask;
}

// The file the rename replaces and what it keeps, or why it is refused.
struct ResolvedTarget {
    std::filesystem::path file;
    bool exists = false;
    struct stat info {};
};

StoreStatus notRegular(const std::filesystem::path& target, const struct stat& info) {
    return StoreStatus::failure(StoreError::NotRegularTarget, target,
                                S_ISDIR(info.st_mode) ? EISDIR : 0);
}

StoreResult<ResolvedTarget> resolve(const std::filesystem::path& target, TargetKind kind) {
    StoreResult<ResolvedTarget> result;
    ResolvedTarget& resolved = result.value;
    resolved.file = target;
    if (::lstat(target.c_str(), &resolved.info) != 0) {
        if (errno != ENOENT) {
            result.status = writeFailure(target, errno);
        }
        return result; // a new file
    }
    if (S_ISLNK(resolved.info.st_mode)) {
        if (kind == TargetKind::OwnFile) {
            result.status = StoreStatus::failure(StoreError::LinkNotFollowed, target, ELOOP);
            return result;
        }
        // The link stays; the file it leads to is replaced.
        char* real = ::realpath(target.c_str(), nullptr);
        if (real == nullptr) {
            result.status = writeFailure(target, errno);
            return result;
        }
        resolved.file = real;
        std::free(real);
        if (::stat(resolved.file.c_str(), &resolved.info) != 0) {
            result.status = writeFailure(target, errno);
            return result;
        }
    }
    if (!S_ISREG(resolved.info.st_mode)) {
        result.status = notRegular(target, resolved.info);
        return result;
    }
    // Read-only as its owner made it: the system's answer for this user, and
    // for a user the system lets write anything, the permission bits.
    if (::access(resolved.file.c_str(), W_OK) != 0) {
        result.status = writeFailure(target, errno);
        return result;
    }
    if ((resolved.info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        result.status = writeFailure(target, EACCES);
        return result;
    }
    resolved.exists = true;
    return result;
}

std::filesystem::path folderOf(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

} // namespace

const FileOperations& FileOperations::system() {
    static const FileOperations operations{systemFlush, systemRename};
    return operations;
}

bool isTemporaryFileName(std::string_view fileName, std::string_view targetName) {
    const std::string_view suffix = kTemporaryFileSuffix;
    if (fileName.size() < 1 + 1 + kRandomLength + suffix.size() || fileName.front() != '.' ||
        !fileName.ends_with(suffix)) {
        return false;
    }
    fileName.remove_suffix(suffix.size());
    const std::string_view random = fileName.substr(fileName.size() - kRandomLength);
    fileName.remove_suffix(kRandomLength);
    if (random.find_first_not_of(kRandomAlphabet) != std::string_view::npos ||
        fileName.back() != '.') {
        return false;
    }
    return targetName.empty() || fileName == temporaryPrefix(targetName);
}

int removeLeftoverTemporaryFiles(const std::filesystem::path& folder, std::string_view targetName) {
    int removed = 0;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::filesystem::path& path = entries->path();
        struct stat info {};
        if (isTemporaryFileName(path.filename().string(), targetName) &&
            ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::unlink(path.c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
}

void removeRegularFile(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        ::unlink(path.c_str());
    }
}

StoreStatus replacementProblem(const std::filesystem::path& target, TargetKind kind) {
    return std::move(resolve(target, kind).status);
}

FileReplacement::FileReplacement(std::filesystem::path target, TargetKind kind,
                                 Durability durability, const FileOperations& operations)
    : m_target(std::move(target)), m_kind(kind), m_durability(durability),
      m_operations(operations) {}

FileReplacement::~FileReplacement() { discard(); }

void FileReplacement::discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

StoreStatus FileReplacement::open() {
    StoreResult<ResolvedTarget> resolved = resolve(m_target, m_kind);
    if (!resolved.ok()) {
        m_failure = resolved.status;
        return std::move(resolved.status);
    }
    m_final = resolved.value.file;
    if (resolved.value.exists) {
        const struct stat& info = resolved.value.info;
        m_mode = info.st_mode & 0777;
        m_keepOwner = info.st_uid != ::geteuid() || info.st_gid != ::getegid();
        m_owner = info.st_uid;
        m_group = info.st_gid;
    } else {
        m_mode = 0666 & ~currentUmask();
    }
    const std::filesystem::path folder = folderOf(m_final);
    const std::string prefix = temporaryPrefix(m_final.filename().string());
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        std::filesystem::path candidate =
            folder / (prefix + randomPart() + std::string(kTemporaryFileSuffix));
        m_fd =
            ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            m_temporary = std::move(candidate);
            return StoreStatus::success();
        }
        if (errno != EEXIST) {
            break;
        }
    }
    m_failure = writeFailure(m_target, errno);
    return m_failure;
}

StoreStatus FileReplacement::write(std::string_view bytes) {
    // Sequential writes go where the last one ended, as write(2) would.
    StoreStatus written = writeAt(m_position, bytes);
    if (written.ok()) {
        m_position += bytes.size();
    }
    return written;
}

StoreStatus FileReplacement::writeAt(std::uint64_t offset, std::string_view bytes) {
    if (!m_failure.ok()) {
        return m_failure;
    }
    if (m_fd < 0) {
        m_failure = writeFailure(m_target, EBADF);
        return m_failure;
    }
    while (!bytes.empty()) {
        const ssize_t written =
            ::pwrite(m_fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            m_failure = writeFailure(m_target, errno);
            return m_failure;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += static_cast<std::uint64_t>(written);
    }
    return StoreStatus::success();
}

StoreStatus FileReplacement::commit() {
    const auto fail = [this](int error) {
        discard();
        m_failure = writeFailure(m_target, error);
        return m_failure;
    };
    if (!m_failure.ok()) {
        discard();
        return m_failure;
    }
    if (m_fd < 0) {
        return fail(EBADF);
    }
    if (m_keepOwner) {
        // Only a privileged user can give a file away; others make it theirs.
        if (::fchown(m_fd, m_owner, m_group) != 0) {
            m_keepOwner = false;
        }
    }
    if (m_mode != 0600 && ::fchmod(m_fd, m_mode) != 0) {
        return fail(errno);
    }
    if (m_durability == Durability::Flush) {
        if (const int error = m_operations.flush(m_fd); error != 0) {
            return fail(error);
        }
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        return fail(errno);
    }
    if (const int error = m_operations.rename(m_temporary, m_final); error != 0) {
        return fail(error);
    }
    m_temporary.clear();
    if (m_durability == Durability::Flush) {
        const int folder = ::open(folderOf(m_final).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0) {
            return writeFailure(m_target, errno);
        }
        const int error = m_operations.flush(folder);
        ::close(folder);
        if (error != 0) {
            return writeFailure(m_target, error);
        }
    }
    return StoreStatus::success();
}

StoreStatus replaceFile(const std::filesystem::path& target, std::string_view content,
                        TargetKind kind, Durability durability) {
    FileReplacement file(target, kind, durability);
    if (StoreStatus opened = file.open(); !opened) {
        return opened;
    }
    (void)file.write(content);
    return file.commit();
}

StoreStatus createEmptyOwnFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno == EEXIST ? StoreStatus::success() : writeFailure(path, errno);
    }
    return ::close(fd) == 0 ? StoreStatus::success() : writeFailure(path, errno);
}

} // namespace orbelle
