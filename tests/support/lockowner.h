#pragma once
// The process a lock file names, for tests of the single running copy.

#include <QLockFile>
#include <QString>

namespace orbelle::test {

/// The process id the lock file at path names; 0 when there is none.
inline qint64 lockOwner(const QString& path) {
    QLockFile lock(path);
    qint64 pid = 0;
    QString host;
    QString app;
    return lock.getLockInfo(&pid, &host, &app) ? pid : 0;
}

} // namespace orbelle::test
