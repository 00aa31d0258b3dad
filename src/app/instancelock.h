#pragma once
// The lock that keeps a second copy of the program from running for the same
// user. It is an flock() on a file in a folder only this user can change: the
// kernel holds it exactly as long as the holder's file stays open, so taking
// it is atomic, a copy that dies (even by kill -9) frees it at once, and a
// left-over file is simply locked again. No copy ever removes a lock file
// that another process may hold; the holder removes its own on release.

#include <QString>
#include <QStringList>

#include <memory>

namespace orbelle {

class InstanceLock {
  public:
    enum class State {
        NotTaken,          ///< take() not called yet
        Held,              ///< this process holds the lock
        HeldByRunningCopy, ///< another process holds it
        Unavailable,       ///< the lock cannot be had here (see problem())
    };

    explicit InstanceLock(const QString& path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    /// Tries once, without waiting. The lock file is opened without following
    /// a link and without blocking, and must be a regular file.
    State take();
    [[nodiscard]] State state() const { return m_state; }
    [[nodiscard]] const QString& path() const { return m_path; }
    /// Why the lock is Unavailable: the place and the reason, in Japanese.
    [[nodiscard]] const QString& problem() const { return m_problem; }

  private:
    State unavailable(const QString& reason);

    QString m_path;
    int m_fd = -1;
    State m_state = State::NotTaken;
    QString m_problem;
};

/// Why folder cannot hold the lock and the channel, empty when it can: it
/// must be an absolute path to a folder of this user, reached through no
/// link, writable by nobody else, below folders nobody else can change (a
/// folder others may write must be sticky, like /tmp). A missing folder
/// whose parent exists is first made with mode 0700.
QString privateFolderProblem(const QString& folder);

/// Where the lock may live, in order of preference: the runtime folder
/// (XDG_RUNTIME_DIR), then the private folders "orbelle-<uid>" in the
/// temporary folder and in the cache folder. The folders are only named
/// here; takeInstanceLock() checks (and makes) them. Needs no QApplication.
QStringList instanceLockPaths();

/// Takes the lock at the first of paths whose folder passes
/// privateFolderProblem() and where it can be made. The result is never
/// null: Held, HeldByRunningCopy, or Unavailable when it could be had nowhere
/// (the program then runs without it; problem() names the first place tried).
std::unique_ptr<InstanceLock> takeInstanceLock(const QStringList& paths = instanceLockPaths());

/// The status-bar text of a program that runs without the single-instance
/// check, for the problem of an Unavailable lock.
QString instanceCheckOffMessage(const QString& problem);

} // namespace orbelle
