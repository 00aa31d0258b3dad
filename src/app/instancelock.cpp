#include "app/instancelock.h"

#include "app/datafiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>
#include <QStandardPaths>
#include <QSysInfo>

#include <climits>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace orbelle {

namespace {

// The file name of an executable as /proc shows it; a program replaced while
// running shows " (deleted)" after its path.
QString executableName(const QString& target) {
    QString path = target;
    const QString deleted = QStringLiteral(" (deleted)");
    if (path.endsWith(deleted)) {
        path.chop(deleted.size());
    }
    return QFileInfo(path).fileName();
}

// The executable's name of a process from /proc: the exe link, or where that
// is not readable, the first word of its command line. Empty when unknown.
QString processExecutableName(const QString& procDir) {
    const QString exe = QFileInfo(procDir + QStringLiteral("/exe")).symLinkTarget();
    if (!exe.isEmpty()) {
        return executableName(exe);
    }
    QFile cmdline(procDir + QStringLiteral("/cmdline"));
    if (!cmdline.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray first = cmdline.readAll().split('\0').value(0);
    return QFileInfo(QString::fromLocal8Bit(first)).fileName();
}

bool processExists(qint64 pid) {
#ifdef Q_OS_UNIX
    // EPERM: the process exists but belongs to someone else.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
#else
    Q_UNUSED(pid);
    return true;
#endif
}

// The lock paths this process holds. A lock file naming this process but
// held by none of its InstanceLocks was left by an earlier process that had
// the same id (ids repeat, above all in containers), so it is stale.
QMutex heldPathsMutex;
QSet<QString> heldPaths;

QString lockKey(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

bool heldByThisProcess(const QString& path) {
    const QMutexLocker locker(&heldPathsMutex);
    return heldPaths.contains(lockKey(path));
}

void noteHeld(const QString& path, bool held) {
    const QMutexLocker locker(&heldPathsMutex);
    if (held) {
        heldPaths.insert(lockKey(path));
    } else {
        heldPaths.remove(lockKey(path));
    }
}

} // namespace

bool isCopyOfThisProgram(qint64 pid) {
    if (pid <= 0 || pid > INT_MAX || !processExists(pid)) {
        return false;
    }
#ifdef Q_OS_UNIX
    if (pid == ::getpid()) {
        return true;
    }
#endif
    if (!QFileInfo::exists(QStringLiteral("/proc/self/exe"))) {
        return true;
    }
    const QString self = processExecutableName(QStringLiteral("/proc/self"));
    const QString other = processExecutableName(QStringLiteral("/proc/%1").arg(pid));
    if (self.isEmpty() || other.isEmpty()) {
        return true;
    }
    return self == other;
}

InstanceLock::InstanceLock(const QString& path)
    : m_path(path), m_file(std::make_unique<QLockFile>(path)) {
    // Never stale by age: a copy may run for weeks.
    m_file->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() {
    if (m_state == State::Held) {
        m_file->unlock();
        noteHeld(m_path, false);
    }
}

InstanceLock::State InstanceLock::take() {
    if (m_state == State::Held) {
        return m_state;
    }
    if (m_file->tryLock(0)) {
        return held();
    }
    if (m_file->error() != QLockFile::LockFailedError) {
        return m_state = State::Unavailable;
    }
    if (namesRunningCopy()) {
        return m_state = State::HeldByRunningCopy;
    }
    // Stale. Removal by name covers a file that cannot be opened (no read or
    // write permission) in a folder that is ours.
    if (!m_file->removeStaleLockFile() && !QFile::remove(m_path)) {
        return m_state = State::Unavailable;
    }
    if (m_file->tryLock(0)) {
        return held();
    }
    // Another copy starting at the same moment may have won the race.
    if (m_file->error() == QLockFile::LockFailedError && namesRunningCopy()) {
        return m_state = State::HeldByRunningCopy;
    }
    return m_state = State::Unavailable;
}

InstanceLock::State InstanceLock::held() {
    noteHeld(m_path, true);
    return m_state = State::Held;
}

bool InstanceLock::namesRunningCopy() const {
    qint64 pid = 0;
    QString host;
    QString application;
    if (!m_file->getLockInfo(&pid, &host, &application)) {
        return false;
    }
    if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
        return false;
    }
#ifdef Q_OS_UNIX
    if (pid == ::getpid()) {
        return heldByThisProcess(m_path);
    }
#endif
    return isCopyOfThisProgram(pid);
}

QStringList instanceLockPaths() {
    QStringList paths;
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        paths << QDir(runtime).filePath(QLatin1String(kInstanceLockFile));
    }
#ifdef Q_OS_UNIX
    const QString user = QString::number(::getuid());
#else
    const QString user = qEnvironmentVariable("USERNAME");
#endif
    paths << QDir(QDir::tempPath()).filePath(QStringLiteral("orbelle-%1.lock").arg(user));
    return paths;
}

std::unique_ptr<InstanceLock> takeInstanceLock(const QStringList& paths) {
    std::unique_ptr<InstanceLock> lock;
    for (const QString& path : paths) {
        lock = std::make_unique<InstanceLock>(path);
        if (lock->take() != InstanceLock::State::Unavailable) {
            break;
        }
    }
    if (!lock) {
        lock = std::make_unique<InstanceLock>(QString());
    }
    return lock;
}

} // namespace orbelle
