#include "app/instancelock.h"
#include "support/files.h"
#include "support/lockowner.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

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

/// What a lock of this process on this host holds.
QByteArray thisProcessLock() {
    return lockContent(QCoreApplication::applicationPid(), QStringLiteral("orbelle_app_tests"),
                       QSysInfo::machineHostName());
}

/// The lock probe (lockprobe.cpp) taking the lock at a path: it takes it
/// when told to go and holds it while the probe lives.
class LockProbe {
  public:
    explicit LockProbe(const QString& path, bool goAtOnce = true) {
        m_process.start(QStringLiteral(ORBELLE_LOCK_PROBE), {path});
        EXPECT_TRUE(m_process.waitForStarted(10000));
        if (goAtOnce) {
            go();
        }
    }
    ~LockProbe() {
        m_process.closeWriteChannel();
        m_process.waitForFinished(10000);
    }
    void go() {
        m_process.write("g");
        EXPECT_TRUE(m_process.waitForBytesWritten(10000));
    }
    /// "held", "running" or "unavailable"; empty when it said nothing.
    QByteArray answer() {
        const QDeadlineTimer deadline(20000);
        while (!m_process.canReadLine() && !deadline.hasExpired()) {
            m_process.waitForReadyRead(100);
        }
        return m_process.readLine().trimmed();
    }
    qint64 processId() const { return m_process.processId(); }
    void kill() {
        m_process.kill();
        m_process.waitForFinished(10000);
    }

  private:
    QProcess m_process;
};

/// A temporary folder of each test's own, with the lock path m_path in it.
class InstanceLockTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_temp.isValid()); }
    QTemporaryDir m_temp;
    const QString m_path = m_temp.filePath(QStringLiteral("orbelle.lock"));
};

} // namespace

TEST_F(InstanceLockTest, SecondLockOnTheSamePathSeesTheRunningCopy) {
    {
        InstanceLock first(m_path);
        EXPECT_EQ(first.take(), State::Held);
        EXPECT_EQ(lockOwner(m_path), QCoreApplication::applicationPid());
        InstanceLock second(m_path);
        EXPECT_EQ(second.take(), State::HeldByRunningCopy);
        EXPECT_EQ(first.state(), State::Held);
    }
    EXPECT_FALSE(QFile::exists(m_path));
    InstanceLock again(m_path);
    EXPECT_EQ(again.take(), State::Held);
}

TEST_F(InstanceLockTest, StaleLockFilesAreTakenOver) {
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
        ASSERT_TRUE(writeAll(m_path, c.content));
        InstanceLock lock(m_path);
        EXPECT_EQ(lock.take(), State::Held) << c.what;
        EXPECT_EQ(lockOwner(m_path), QCoreApplication::applicationPid()) << c.what;
    }
    other.kill();
    other.waitForFinished(10000);
}

TEST_F(InstanceLockTest, ALockHeldByAnotherProcessIsRespectedUntilItDies) {
    LockProbe holder(m_path);
    ASSERT_EQ(holder.answer(), "held");
    const QByteArray content = orbelle::test::readAll(m_path);
    EXPECT_TRUE(content.startsWith(QByteArray::number(holder.processId()) + '\n'));
    {
        InstanceLock lock(m_path);
        EXPECT_EQ(lock.take(), State::HeldByRunningCopy);
    }
    EXPECT_EQ(orbelle::test::readAll(m_path), content);
    // Killed, the holder leaves its file behind and frees the lock with it.
    holder.kill();
    EXPECT_TRUE(QFile::exists(m_path));
    InstanceLock lock(m_path);
    EXPECT_EQ(lock.take(), State::Held);
}

TEST_F(InstanceLockTest, ALockNamingThisProcessIsStaleUnlessThisProcessHoldsIt) {
    // Left by an earlier process that had the same id as this one: after a
    // crash, ids repeat (in a container the program often gets the same one).
    ASSERT_TRUE(writeAll(m_path, thisProcessLock()));
    {
        InstanceLock lock(m_path);
        EXPECT_EQ(lock.take(), State::Held);
        // While it is held here, a second lock of this process sees it held.
        InstanceLock second(m_path);
        EXPECT_EQ(second.take(), State::HeldByRunningCopy);
        // A lock on another path is not affected.
        InstanceLock other(m_temp.filePath(QStringLiteral("other.lock")));
        EXPECT_EQ(other.take(), State::Held);
    }
    // Released: the same id in a left-over file is stale again.
    ASSERT_TRUE(writeAll(m_path, thisProcessLock()));
    InstanceLock again(m_path);
    EXPECT_EQ(again.take(), State::Held);
}

TEST(InstanceLock, MadeInTheRuntimeFolderElsePrivateTemporaryOrCacheFolders) {
    const QString own = QStringLiteral("/orbelle-%1/orbelle.lock").arg(::geteuid());
    EXPECT_EQ(instanceLockPaths(), QStringList({qEnvironmentVariable("XDG_RUNTIME_DIR") +
                                                    QStringLiteral("/orbelle.lock"),
                                                qEnvironmentVariable("TMPDIR") + own,
                                                qEnvironmentVariable("XDG_CACHE_HOME") + own}));

    // A place where no lock can be had is passed over.
    QTemporaryDir temp;
    const QString blocked = temp.filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(writeAll(blocked, "a file, not a folder"));
    const QString usable = temp.filePath(QStringLiteral("orbelle.lock"));
    const auto lock = takeInstanceLock({blocked + QStringLiteral("/orbelle.lock"), usable});
    EXPECT_EQ(lock->state(), State::Held);
    EXPECT_EQ(lock->path(), usable);

    // Had nowhere: the first place and its reason are told.
    const QString shared = temp.filePath(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkdir(shared));
    ASSERT_TRUE(QFile::setPermissions(shared, QFileDevice::Permissions(0x7777)));
    const auto none = takeInstanceLock(
        {shared + QStringLiteral("/orbelle.lock"), blocked + QStringLiteral("/orbelle.lock")});
    EXPECT_EQ(none->state(), State::Unavailable);
    EXPECT_EQ(none->problem(), shared + QStringLiteral(": 他のユーザーも書き込めるフォルダです"));
    EXPECT_EQ(instanceCheckOffMessage(none->problem()),
              QStringLiteral("二重起動を確かめられないまま動いています: ") + shared +
                  QStringLiteral(": 他のユーザーも書き込めるフォルダです"));
    EXPECT_FALSE(QFile::exists(shared + QStringLiteral("/orbelle.lock")));
}

TEST(InstanceLock, OnlyAPrivateFolderOfThisUserHoldsTheLock) {
    QTemporaryDir temp;
    const QString base = temp.path();
    const auto folder = [&](const char* name) {
        return base + QLatin1Char('/') + QLatin1String(name);
    };
    ASSERT_TRUE(QDir().mkdir(folder("private")));
    ASSERT_TRUE(QFile::link(folder("private"), folder("link")));
    ASSERT_TRUE(writeAll(folder("file"), {}));
    ASSERT_TRUE(QDir().mkdir(folder("open")));
    ASSERT_TRUE(QFile::setPermissions(folder("open"), QFileDevice::Permissions(0x7775)));
    ASSERT_TRUE(QDir().mkdir(folder("sticky")));
    ASSERT_EQ(::chmod(QFile::encodeName(folder("sticky")).constData(), 01777), 0);
    ASSERT_TRUE(QDir().mkdir(folder("theirs")));
    const bool canGiveAway =
        ::chown(QFile::encodeName(folder("theirs")).constData(), 65534, 65534) == 0;

    const struct {
        QString folder;
        QString problem; // empty: usable
    } cases[] = {
        {folder("private"), {}},
        {folder("made"), {}}, // missing: made with mode 0700
        {folder("sticky/made"), {}},
        {folder("link"), folder("link") + QStringLiteral(": リンクです")},
        {folder("link/below"),
         folder("link/below") + QStringLiteral(": リンクを通った先のフォルダです")},
        {folder("file"), folder("file") + QStringLiteral(": フォルダではありません")},
        {folder("open"), folder("open") + QStringLiteral(": 他のユーザーも書き込めるフォルダです")},
        {folder("open/below"),
         folder("open") + QStringLiteral(": 他のユーザーも書き換えられるフォルダです")},
        {QStringLiteral("relative/folder"),
         QStringLiteral("relative/folder: 絶対パスではありません")},
        {QString(), QStringLiteral(": 絶対パスではありません")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(privateFolderProblem(c.folder), c.problem) << c.folder.toStdString();
    }
    EXPECT_EQ(QFile::permissions(folder("made")) & 0x0077, 0);
    if (canGiveAway) {
        EXPECT_EQ(privateFolderProblem(folder("theirs")),
                  folder("theirs") + QStringLiteral(": 他のユーザーのフォルダです"));
    }
}

TEST_F(InstanceLockTest, WhatIsNoFileAtTheLocksPlaceIsNeitherFollowedNorWaitedFor) {
    const QString target = m_temp.filePath(QStringLiteral("target"));
    ASSERT_TRUE(writeAll(target, "precious"));
    const struct {
        const char* what;
        std::function<bool()> plant;
        QString reason;
    } cases[] = {
        {"FIFO", [&] { return ::mkfifo(QFile::encodeName(m_path).constData(), 0600) == 0; },
         QStringLiteral("通常のファイルではありません")},
        {"link to a device", [&] { return QFile::link(QStringLiteral("/dev/zero"), m_path); },
         QStringLiteral("リンクです")},
        {"link to a file", [&] { return QFile::link(target, m_path); },
         QStringLiteral("リンクです")},
        {"folder", [&] { return QDir().mkdir(m_path); }, QStringLiteral("フォルダです")},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.plant()) << c.what;
        InstanceLock lock(m_path);
        EXPECT_EQ(lock.take(), State::Unavailable) << c.what;
        EXPECT_EQ(lock.problem(), m_path + QStringLiteral(": ") + c.reason) << c.what;
        ASSERT_TRUE(QFile::remove(m_path) || QDir().rmdir(m_path)) << c.what;
    }
    EXPECT_EQ(orbelle::test::readAll(target), QByteArray("precious"));
}

TEST_F(InstanceLockTest, TwoCopiesStartedTogetherGiveOneHolder) {
    // Half of the trials begin with a lock file left by a copy that died,
    // half with none: both copies open, create and lock at one moment.
    constexpr int kTrials = 50;
    int oneHolder = 0;
    QStringList outcomes;
    for (int trial = 0; trial < kTrials; ++trial) {
        if (trial % 2 == 1) {
            ASSERT_TRUE(writeAll(m_path, lockContent(deadPid(), QStringLiteral("orbelle"),
                                                     QSysInfo::machineHostName())));
        }
        LockProbe first(m_path, false);
        LockProbe second(m_path, false);
        first.go();
        second.go();
        QStringList answers{QString::fromLatin1(first.answer()),
                            QString::fromLatin1(second.answer())};
        answers.sort();
        if (answers == QStringList{QStringLiteral("held"), QStringLiteral("running")}) {
            ++oneHolder;
        } else {
            outcomes << answers.join(QLatin1Char('+'));
        }
    }
    EXPECT_EQ(oneHolder, kTrials) << outcomes.join(QLatin1Char(' ')).toStdString();
}
