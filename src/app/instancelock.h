#pragma once
// The lock that keeps a second copy of the program from running for the same
// user. Only a lock held by a live copy of this program on this host counts;
// anything else found at the lock's place (an empty or garbled file, a lock
// naming another host, a process that is gone or is another program, this
// very process when it does not hold the lock) is stale and taken over, so a
// left-over file never keeps anyone out.

#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;

namespace orbelle {

class InstanceLock {
  public:
    enum class State {
        NotTaken,          ///< take() not called yet
        Held,              ///< this process holds the lock
        HeldByRunningCopy, ///< a live copy of the program on this host holds it
        Unavailable,       ///< the lock file cannot be made or replaced here
    };

    explicit InstanceLock(const QString& path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    /// Tries once, without waiting; a stale lock file is replaced.
    State take();
    [[nodiscard]] State state() const { return m_state; }
    [[nodiscard]] const QString& path() const { return m_path; }

  private:
    State held();
    [[nodiscard]] bool namesRunningCopy() const;

    QString m_path;
    std::unique_ptr<QLockFile> m_file;
    State m_state = State::NotTaken;
};

/// Where the lock may live, in order of preference: the per-user runtime
/// folder, then a per-user name in the temporary folder. Needs no QApplication.
QStringList instanceLockPaths();

/// Takes the lock at the first of paths where it can be made. The result is
/// never null: Held, HeldByRunningCopy, or Unavailable when it could be made
/// nowhere (the program then runs without it).
std::unique_ptr<InstanceLock> takeInstanceLock(const QStringList& paths = instanceLockPaths());

/// True when the process pid runs this very program (compared by the name of
/// its executable). Where this cannot be found out, a live process counts.
bool isCopyOfThisProgram(qint64 pid);

} // namespace orbelle
