#include "app/startup.h"

#include "apptest.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

using namespace orbelle;

namespace {

// Polls cond until it holds or the deadline passes.
template <class Cond> bool waitFor(Cond cond, int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!cond()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

qint64 lockOwner(const QString& lockPath) {
    QLockFile lock(lockPath);
    qint64 pid = 0;
    QString host, app;
    return lock.getLockInfo(&pid, &host, &app) ? pid : 0;
}

} // namespace

TEST(Startup, DataFolderIsUnderTheUsersDataLocation) {
    const QString dir = appDataDir();
    EXPECT_TRUE(dir.endsWith(QStringLiteral("/Tovrin/Orbelle105/")));
    EXPECT_TRUE(dir.startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
    EXPECT_TRUE(ensureAppDataDir(dir));
    EXPECT_TRUE(QDir(dir).exists());
}

TEST(Startup, SettingsLiveInTheProgramsStoreUnderTheConfigFolder) {
    // The test environment names the program as main() does.
    const QSettings settings;
    EXPECT_EQ(settings.fileName(),
              qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Pelvane105/Orbelle.conf"));
}

TEST(Startup, MissingDataFilesAreWrittenAndUserCopiesKept) {
    QTemporaryDir temp;
    const QString dir = temp.path() + QLatin1Char('/');
    {
        QFile replaced(dir + QStringLiteral("radioon2.png"));
        ASSERT_TRUE(replaced.open(QIODevice::WriteOnly));
        replaced.write("mine");
    }
    installDataFiles(dir);
    for (const QString& name : dataFileNames()) {
        EXPECT_TRUE(QFile::exists(dir + name)) << name.toStdString();
        EXPECT_TRUE(QFile::permissions(dir + name) & QFileDevice::WriteOwner);
    }
    QFile replaced(dir + QStringLiteral("radioon2.png"));
    ASSERT_TRUE(replaced.open(QIODevice::ReadOnly));
    EXPECT_EQ(replaced.readAll(), QByteArray("mine"));
    EXPECT_FALSE(QImage(dir + QStringLiteral("radiooff2.png")).isNull());
    EXPECT_FALSE(QImage(dir + QStringLiteral("sankaku4.png")).isNull());
    QFile help(dir + QStringLiteral("OrbelleHelp001.html"));
    ASSERT_TRUE(help.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(help.readAll()).contains(QStringLiteral("Orbelle")));
}

TEST(Startup, OnlyOneInstanceLockAtATime) {
    QTemporaryDir temp;
    const QString dir = temp.path() + QLatin1Char('/');
    auto first = takeInstanceLock(dir);
    ASSERT_TRUE(first);
    EXPECT_FALSE(takeInstanceLock(dir));
    first.reset();
    EXPECT_TRUE(takeInstanceLock(dir));
}

TEST(Startup, SecondCopyEndsAtOnceAndLeavesTheFirstRunning) {
    // Both copies share this program's temporary data and config folders and
    // the offscreen platform through the inherited environment.
    const QString dir = appDataDir();
    const QString lockPath = dir + QStringLiteral("orbelle.lock");
    QFile::remove(lockPath);
    QProcess first;
    first.start(QStringLiteral(ORBELLE_PROGRAM), {});
    ASSERT_TRUE(first.waitForStarted(10000));
    ASSERT_TRUE(waitFor([&] { return lockOwner(lockPath) == first.processId(); }, 20000));

    QProcess second;
    QElapsedTimer clock;
    clock.start();
    second.start(QStringLiteral(ORBELLE_PROGRAM), {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().isEmpty());
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(lockOwner(lockPath), first.processId());

    // A copy that died leaves its lock behind; the next start takes it over.
    first.kill();
    ASSERT_TRUE(first.waitForFinished(10000));
    QProcess third;
    third.start(QStringLiteral(ORBELLE_PROGRAM), {});
    ASSERT_TRUE(third.waitForStarted(10000));
    EXPECT_TRUE(waitFor([&] { return lockOwner(lockPath) == third.processId(); }, 20000));
    EXPECT_EQ(third.state(), QProcess::Running);
    third.kill();
    third.waitForFinished(10000);
}
