#include "app/instancechannel.h"

#include "app/apptest.h"
#include "app/instancelock.h"
#include "app/startup.h"
#include "store/settingsfile.h"
#include "support/lockowner.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace orbelle;
using orbelle::test::lockOwner;

namespace {

// The enlargement (field 45) of every line of the history store, oldest first.
QList<QByteArray> historyZooms() {
    QFile file(appDataDir() + QStringLiteral("csv_history0"));
    QList<QByteArray> zooms;
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> fields = line.split(',');
            if (fields.size() == 69) {
                zooms << fields.at(45);
            }
        }
    }
    return zooms;
}

void writeSettingsFile(const QString& path, int zoom) {
    DrawSettings settings = DrawSettings::startup();
    settings.zoom = zoom;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(formatSettingsFile(settings)));
}

} // namespace

TEST(InstanceChannel, ChannelBesideTheLockAndTheFileOfACommandLine) {
    EXPECT_EQ(instanceChannelPath(QStringLiteral("/run/user/1000/orbelle.lock")),
              QStringLiteral("/run/user/1000/orbelle.channel"));
    EXPECT_EQ(instanceChannelPath(QStringLiteral("/tmp/orbelle-1000.lock")),
              QStringLiteral("/tmp/orbelle-1000.channel"));

    EXPECT_TRUE(commandLineFile({QStringLiteral("orbelle")}).isEmpty());
    EXPECT_EQ(commandLineFile({QStringLiteral("orbelle"), QStringLiteral("/a/b.orbdr")}),
              QStringLiteral("/a/b.orbdr"));
    EXPECT_EQ(commandLineFile({QStringLiteral("orbelle"), QStringLiteral("b.orbdr")}),
              QDir::current().filePath(QStringLiteral("b.orbdr")));
    EXPECT_EQ(commandLineFile({QStringLiteral("orbelle"), QStringLiteral("--x"),
                               QStringLiteral("--"), QStringLiteral("-b.orbdr")}),
              QDir::current().filePath(QStringLiteral("-b.orbdr")));
}

TEST(InstanceChannel, FilesOnTheCommandLineOpenInTheRunningCopy) {
    // Both copies share this program's temporary folders through the
    // inherited environment.
    const QString lockPath = instanceLockPaths().front();
    QFile::remove(lockPath);
    ensureAppDataDir(appDataDir());
    QFile::remove(appDataDir() + QStringLiteral("csv_history0"));
    QTemporaryDir files;
    ASSERT_TRUE(QDir().mkpath(files.filePath(QStringLiteral("other"))));
    writeSettingsFile(files.filePath(QStringLiteral("spiral.orbdr")), 321);
    writeSettingsFile(files.filePath(QStringLiteral("other/wave.orbdr")), 322);

    // The first copy opens its file at start-up; it enters the history.
    QProcess first;
    first.setWorkingDirectory(files.path());
    first.start(QStringLiteral(ORBELLE_PROGRAM), {QStringLiteral("spiral.orbdr")});
    ASSERT_TRUE(first.waitForStarted(10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return lockOwner(lockPath) == first.processId(); }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([] { return historyZooms() == QList<QByteArray>{"321"}; }, 20000))
        << historyZooms().join(' ').toStdString();

    // A second copy hands its file (named relative to its own folder) over
    // and ends with status 0; the first opens it.
    QProcess second;
    second.setWorkingDirectory(files.filePath(QStringLiteral("other")));
    second.start(QStringLiteral(ORBELLE_PROGRAM), {QStringLiteral("wave.orbdr")});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor(
        [] {
            return historyZooms() == QList<QByteArray>{"321", "322"};
        },
        20000))
        << historyZooms().join(' ').toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(lockOwner(lockPath), first.processId());

    first.kill();
    first.waitForFinished(10000);
}
