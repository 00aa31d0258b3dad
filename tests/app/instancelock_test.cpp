#include "app/instancelock.h"
#include "support/files.h"
#include "support/lockowner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orbelle;
using orbelle::test::lockOwner;
using orbelle::test::writeAll;
using State = InstanceLock::State;

namespace {

// The id of a process that has ended (and been reaped).
qint64 deadPid() {
    QProcess child;
    child.start(QStringLiteral("true"), {});
    EXPECT_TRUE(child.waitForStarted(10000));
    const qint64 pid = child.processId();
    EXPECT_TRUE(child.waitForFinished(10000));
    return pid;
}

QByteArray lockContent(qint64 pid, const QString& app, const QString& host) {
    return QByteArray::number(pid) + '\n' + app.toUtf8() + '\n' + host.toUtf8() + '\n';
}

} // namespace

TEST(InstanceLock, SecondLockOnTheSamePathSeesTheRunningCopy) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("orbelle.lock"));
    {
        InstanceLock first(path);
        EXPECT_EQ(first.take(), State::Held);
        EXPECT_EQ(lockOwner(path), QCoreApplication::applicationPid());
        InstanceLock second(path);
        EXPECT_EQ(second.take(), State::HeldByRunningCopy);
        EXPECT_EQ(first.state(), State::Held);
    }
    EXPECT_FALSE(QFile::exists(path));
    InstanceLock again(path);
    EXPECT_EQ(again.take(), State::Held);
}

TEST(InstanceLock, StaleLockFilesAreTakenOver) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("orbelle.lock"));
    const QString host = QSysInfo::machineHostName();

    // A live process that is another program.
    QProcess other;
    other.start(QStringLiteral("cat"), {});
    ASSERT_TRUE(other.waitForStarted(10000));

    const struct {
        const char* what;
        QByteArray content;
    } cases[] = {
        {"empty", QByteArray()},
        {"garbled", QByteArray("\x01\xfe garbage\nno pid here")},
        {"pid zero", lockContent(0, QStringLiteral("orbelle_app_tests"), host)},
        {"another host",
         lockContent(QCoreApplication::applicationPid(), QStringLiteral("orbelle_app_tests"),
                     QStringLiteral("a-machine-renamed-long-ago"))},
        {"dead process", lockContent(deadPid(), QStringLiteral("orbelle_app_tests"), host)},
        {"another program", lockContent(other.processId(), QStringLiteral("cat"), host)},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(writeAll(path, c.content));
        InstanceLock lock(path);
        EXPECT_EQ(lock.take(), State::Held) << c.what;
        EXPECT_EQ(lockOwner(path), QCoreApplication::applicationPid()) << c.what;
    }
    other.kill();
    other.waitForFinished(10000);
}

TEST(InstanceLock, ALockNamingALiveCopyOnThisHostIsRespected) {
    // A live process whose executable bears this program's name stands in
    // for a running copy; the lock is written by hand as such a copy writes it.
    QTemporaryDir temp;
    const QString copy =
        temp.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    ASSERT_TRUE(QFile::copy(QStandardPaths::findExecutable(QStringLiteral("sleep")), copy));
    QProcess running;
    running.start(copy, {QStringLiteral("60")});
    ASSERT_TRUE(running.waitForStarted(10000));

    const QString path = temp.filePath(QStringLiteral("orbelle.lock"));
    const QByteArray content = lockContent(running.processId(), QStringLiteral("orbelle_app_tests"),
                                           QSysInfo::machineHostName());
    ASSERT_TRUE(writeAll(path, content));
    InstanceLock lock(path);
    EXPECT_EQ(lock.take(), State::HeldByRunningCopy);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), content);
    running.kill();
    running.waitForFinished(10000);
}

TEST(InstanceLock, ALockNamingThisProcessIsStaleUnlessThisProcessHoldsIt) {
    // Left by an earlier process that had the same id as this one: after a
    // crash, ids repeat (in a container the program often gets the same one).
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("orbelle.lock"));
    ASSERT_TRUE(writeAll(path, lockContent(QCoreApplication::applicationPid(),
                                           QStringLiteral("orbelle_app_tests"),
                                           QSysInfo::machineHostName())));
    {
        InstanceLock lock(path);
        EXPECT_EQ(lock.take(), State::Held);
        // While it is held here, a second lock of this process sees it held.
        InstanceLock second(path);
        EXPECT_EQ(second.take(), State::HeldByRunningCopy);
        // A lock on another path is not affected.
        InstanceLock other(temp.filePath(QStringLiteral("other.lock")));
        EXPECT_EQ(other.take(), State::Held);
    }
    // Released: the same id in a left-over file is stale again.
    ASSERT_TRUE(writeAll(path, lockContent(QCoreApplication::applicationPid(),
                                           QStringLiteral("orbelle_app_tests"),
                                           QSysInfo::machineHostName())));
    InstanceLock again(path);
    EXPECT_EQ(again.take(), State::Held);
}

TEST(InstanceLock, ACopyIsRecognisedByItsExecutable) {
    EXPECT_TRUE(isCopyOfThisProgram(QCoreApplication::applicationPid()));
    EXPECT_FALSE(isCopyOfThisProgram(0));
    EXPECT_FALSE(isCopyOfThisProgram(-7));
    EXPECT_FALSE(isCopyOfThisProgram(deadPid()));
    QProcess other;
    other.start(QStringLiteral("cat"), {});
    ASSERT_TRUE(other.waitForStarted(10000));
    EXPECT_FALSE(isCopyOfThisProgram(other.processId()));
    other.kill();
    other.waitForFinished(10000);
}

TEST(InstanceLock, MadeInTheRuntimeFolderElseTheTemporaryFolder) {
    const QStringList paths = instanceLockPaths();
    ASSERT_EQ(paths.size(), 2);
    EXPECT_EQ(paths[0], qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/orbelle.lock"));
    EXPECT_TRUE(paths[1].startsWith(QDir::tempPath()));

    // A place where no file can be made is passed over.
    QTemporaryDir temp;
    const QString blocked = temp.filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(writeAll(blocked, "a file, not a folder"));
    const QString usable = temp.filePath(QStringLiteral("orbelle.lock"));
    const auto lock = takeInstanceLock({blocked + QStringLiteral("/orbelle.lock"), usable});
    EXPECT_EQ(lock->state(), State::Held);
    EXPECT_EQ(lock->path(), usable);

    const auto none = takeInstanceLock({blocked + QStringLiteral("/orbelle.lock")});
    EXPECT_EQ(none->state(), State::Unavailable);
}
