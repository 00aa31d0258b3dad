#include "app/instancelock.h"

#include "app/datafiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orbelle {

namespace {

// A lock file removed and made anew between our open() and flock() is
// tried again; this bounds the tries when that keeps happening.
constexpr int kLockAttempts = 8;

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString place(const QByteArray& path, const QString& reason) {
    return QDir::toNativeSeparators(QFile::decodeName(path)) + QStringLiteral(": ") + reason;
}

bool othersMayWrite(const struct stat& info) { return (info.st_mode & (S_IWGRP | S_IWOTH)) != 0; }

// Every folder above path (which is canonical) belongs to this user or to the
// system, and one that others may write is sticky, so nobody else can rename
// or replace what lies in it.
QString ancestorProblem(const QByteArray& path) {
    QByteArray folder = path;
    while (folder.size() > 1) {
        const qsizetype slash = folder.lastIndexOf('/');
        folder.truncate(slash > 0 ? slash : 1);
        struct stat info {};
        if (::lstat(folder.constData(), &info) != 0) {
            return place(folder, systemReason(errno));
        }
        if (info.st_uid != 0 && info.st_uid != ::geteuid()) {
            return place(folder, QStringLiteral("他のユーザーのフォルダです"));
        }
        if (othersMayWrite(info) && (info.st_mode & S_ISVTX) == 0) {
            return place(folder, QStringLiteral("他のユーザーも書き換えられるフォルダです"));
        }
    }
    return {};
}

QByteArray lockInfo() {
    // The form QLockFile writes: process id, program, host.
    return QByteArray::number(QCoreApplication::applicationPid()) + "\norbelle\n" +
           QSysInfo::machineHostName().toUtf8() + '\n';
}

} // namespace

QString privateFolderProblem(const QString& folder) {
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder)) {
        return place(QFile::encodeName(folder), QStringLiteral("絶対パスではありません"));
    }
    const QByteArray path = QFile::encodeName(QDir::cleanPath(folder));
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0) {
        if (errno != ENOENT) {
            return place(path, systemReason(errno));
        }
        // Two copies may make it at the same moment; either one's is fine.
        if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
            return place(path, systemReason(errno));
        }
        if (::lstat(path.constData(), &info) != 0) {
            return place(path, systemReason(errno));
        }
    }
    if (S_ISLNK(info.st_mode)) {
        return place(path, QStringLiteral("リンクです"));
    }
    if (!S_ISDIR(info.st_mode)) {
        return place(path, QStringLiteral("フォルダではありません"));
    }
    if (info.st_uid != ::geteuid()) {
        return place(path, QStringLiteral("他のユーザーのフォルダです"));
    }
    if (othersMayWrite(info)) {
        return place(path, QStringLiteral("他のユーザーも書き込めるフォルダです"));
    }
    char* resolved = ::realpath(path.constData(), nullptr);
    if (resolved == nullptr) {
        return place(path, systemReason(errno));
    }
    const QByteArray canonical(resolved);
    std::free(resolved);
    if (canonical != path) {
        return place(path, QStringLiteral("リンクを通った先のフォルダです"));
    }
    return ancestorProblem(path);
}

InstanceLock::InstanceLock(const QString& path) : m_path(path) {}

InstanceLock::~InstanceLock() {
    if (m_fd >= 0) {
        // Removed while still locked: a copy that opened this file before
        // the removal finds, once it gets the lock, that the file is gone.
        ::unlink(QFile::encodeName(m_path).constData());
        ::close(m_fd);
    }
}

InstanceLock::State InstanceLock::unavailable(const QString& reason) {
    m_problem = reason;
    return m_state = State::Unavailable;
}

InstanceLock::State InstanceLock::take() {
    if (m_state == State::Held) {
        return m_state;
    }
    if (m_path.isEmpty()) {
        return unavailable(QStringLiteral("ロックの置き場所がありません"));
    }
    const QString folderProblem = privateFolderProblem(QFileInfo(m_path).absolutePath());
    if (!folderProblem.isEmpty()) {
        return unavailable(folderProblem);
    }
    const QByteArray path = QFile::encodeName(m_path);
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        // Neither a link nor a FIFO is followed or waited for.
        const int fd =
            ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
        if (fd < 0) {
            const int error = errno;
            return unavailable(
                place(path, error == ELOOP ? QStringLiteral("リンクです") : systemReason(error)));
        }
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            return unavailable(place(path, QStringLiteral("通常のファイルではありません")));
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK) {
                return m_state = State::HeldByRunningCopy;
            }
            return unavailable(place(path, systemReason(error)));
        }
        struct stat current {};
        if (::lstat(path.constData(), &current) == 0 && current.st_dev == opened.st_dev &&
            current.st_ino == opened.st_ino) {
            // Only for people looking at the file (the lock holds without
            // it); the lock itself is the flock.
            const QByteArray info = lockInfo();
            [[maybe_unused]] const bool noted =
                ::ftruncate(fd, 0) == 0 && ::write(fd, info.constData(), info.size()) >= 0;
            m_fd = fd;
            m_problem.clear();
            return m_state = State::Held;
        }
        ::close(fd); // the holder released and removed it meanwhile
    }
    return unavailable(place(path, QStringLiteral("ロックファイルが入れ替わり続けます")));
}

QStringList instanceLockPaths() {
    const QString name = QStringLiteral("orbelle-%1").arg(::geteuid());
    QStringList folders;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        folders << runtime;
    }
    folders << QDir(QDir::tempPath()).filePath(name);
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || !QDir::isAbsolutePath(cache)) {
        cache = QDir::home().filePath(QStringLiteral(".cache"));
    }
    folders << QDir(cache).filePath(name);
    QStringList paths;
    for (const QString& folder : folders) {
        paths << QDir(folder).filePath(QLatin1String(kInstanceLockFile));
    }
    return paths;
}

std::unique_ptr<InstanceLock> takeInstanceLock(const QStringList& paths) {
    std::unique_ptr<InstanceLock> first;
    for (const QString& path : paths) {
        auto lock = std::make_unique<InstanceLock>(path);
        if (lock->take() != InstanceLock::State::Unavailable) {
            return lock;
        }
        if (!first) {
            first = std::move(lock);
        }
    }
    if (!first) {
        first = std::make_unique<InstanceLock>(QString());
        first->take();
    }
    return first;
}

QString instanceCheckOffMessage(const QString& problem) {
    return QStringLiteral("二重起動を確かめられないまま動いています: %1").arg(problem);
}

} // namespace orbelle
