#include "app/startup.h"

#include "app/apptest.h"
#include "app/datafiles.h"
#include "app/instancelock.h"
#include "support/lockowner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace orbelle;
using orbelle::test::lockOwner;

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
    ASSERT_TRUE(test::writeAll(dir + QStringLiteral("radioon2.png"), "mine"));
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
    const QStringList path{dir + QStringLiteral("orbelle.lock")};
    auto first = takeInstanceLock(path);
    ASSERT_EQ(first->state(), InstanceLock::State::Held);
    EXPECT_EQ(takeInstanceLock(path)->state(), InstanceLock::State::HeldByRunningCopy);
    first.reset();
    EXPECT_EQ(takeInstanceLock(path)->state(), InstanceLock::State::Held);
}

TEST(Startup, SecondCopyEndsAtOnceAndLeavesTheFirstRunning) {
    // Both copies share this program's temporary data and config folders and
    // the offscreen platform through the inherited environment.
    const QString lockPath = instanceLockPaths().front();
    QFile::remove(lockPath);
    QProcess first;
    first.start(QStringLiteral(ORBELLE_PROGRAM), {});
    ASSERT_TRUE(first.waitForStarted(10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return lockOwner(lockPath) == first.processId(); }, 20000));

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
    EXPECT_TRUE(QTest::qWaitFor([&] { return lockOwner(lockPath) == third.processId(); }, 20000));
    EXPECT_EQ(third.state(), QProcess::Running);
    third.kill();
    third.waitForFinished(10000);
}

TEST(Startup, LeftOverLockFilesNeverKeepTheProgramFromStarting) {
    const QString lockPath = instanceLockPaths().front();
    const QString marker = appDataDir() + QStringLiteral("layout");
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted(10000));
    const QByteArray deadPid = QByteArray::number(gone.processId());
    ASSERT_TRUE(gone.waitForFinished(10000));

    const struct {
        const char* what;
        QByteArray content;
    } cases[] = {
        {"empty", QByteArray()},
        {"garbled", QByteArray("\xff\xfe\x00\x13 not a lock", 16)},
        {"another host", "4242\norbelle\nthe-old-name-of-this-machine\n"},
        {"dead process", deadPid + "\norbelle\n" + host + '\n'},
    };
    for (const auto& c : cases) {
        QFile::remove(marker);
        ASSERT_TRUE(orbelle::test::writeAll(lockPath, c.content)) << c.what;
        QProcess program;
        program.start(QStringLiteral(ORBELLE_PROGRAM), {});
        ASSERT_TRUE(program.waitForStarted(10000)) << c.what;
        // The lock is taken, then the main window is built (it writes the
        // layout marker), and the program is still running.
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return lockOwner(lockPath) == program.processId(); }, 20000))
            << c.what;
        EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 20000)) << c.what;
        EXPECT_EQ(program.state(), QProcess::Running) << c.what;
        program.kill();
        program.waitForFinished(10000);
    }
}

TEST(Startup, DataFolderProblemsAreReportedWithTheSystemsReason) {
    QTemporaryDir temp;
    const QString fine = temp.filePath(QStringLiteral("a/b/Orbelle105/"));
    EXPECT_EQ(prepareAppDataDir(fine), QString());
    EXPECT_TRUE(QFileInfo(fine).isDir());

    const QString blocker = temp.filePath(QStringLiteral("Tovrin"));
    ASSERT_TRUE(orbelle::test::writeAll(blocker, {}));
    const QString beneath = blocker + QStringLiteral("/Orbelle105/");
    EXPECT_EQ(prepareAppDataDir(beneath), QStringLiteral("Not a directory"));
    EXPECT_EQ(prepareAppDataDir(blocker), QStringLiteral("Not a directory"));

    orbelle::test::MessageCatcher catcher;
    warnDataFolderUnwritable(nullptr,
                             QStringLiteral("/home/someone/.local/share/Tovrin/Orbelle105/"),
                             QStringLiteral("Permission denied"));
    EXPECT_EQ(catcher.count(), 1);
    EXPECT_EQ(catcher.icon(), QMessageBox::Warning);
    EXPECT_EQ(catcher.text(),
              QStringLiteral("/home/someone/.local/share/Tovrin/Orbelle105/ に書き込めません\n"
                             "Permission denied"));
}

TEST(Startup, BuiltInDataFilesStandInWhenTheFolderHasNone) {
    QTemporaryDir temp;
    const QString dir = temp.path() + QLatin1Char('/');
    EXPECT_EQ(dataFilePath(dir, QStringLiteral("radioon2.png")),
              QStringLiteral(":/orbelle/data/radioon2.png"));
    EXPECT_EQ(dataFilePath(dir + QStringLiteral("missing/"), QStringLiteral("sankaku4.png")),
              QStringLiteral(":/orbelle/data/sankaku4.png"));
    for (const char* name : {"radioon2.png", "radiooff2.png", "sankaku4.png"}) {
        EXPECT_FALSE(QImage(dataFilePath(dir, QString::fromLatin1(name))).isNull()) << name;
    }
    installDataFiles(dir);
    EXPECT_EQ(dataFilePath(dir, QStringLiteral("radioon2.png")),
              dir + QStringLiteral("radioon2.png"));
}

TEST(Startup, ADataFolderThatIsAFileIsReportedAndTheProgramRuns) {
    QTemporaryDir home;
    ASSERT_TRUE(orbelle::test::writeAll(home.filePath(QStringLiteral("Tovrin")), {}));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    const QString lockPath = instanceLockPaths().front();
    QFile::remove(lockPath);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ORBELLE_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    // The warning is shown from the event loop, after the window.
    const QString expected = home.path() + QStringLiteral("/Tovrin/Orbelle105/ に書き込めません");
    QString errors;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            program.waitForReadyRead(50);
            errors += QString::fromUtf8(program.readAllStandardError());
            return errors.contains(QStringLiteral("Not a directory"));
        },
        20000))
        << errors.toStdString();
    EXPECT_TRUE(errors.contains(expected)) << errors.toStdString();
    EXPECT_EQ(lockOwner(lockPath), program.processId());
    EXPECT_EQ(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished(10000);
}

TEST(Startup, NamedPipesAtEveryFileReadAtStartUpHoldNothingUp) {
    // Every file the program reads as it starts is a named pipe that nobody
    // writes: the settings file, the stores, the help page, the pictures.
    QTemporaryDir home;
    QTemporaryDir runtime;
    const QString data = home.filePath(QStringLiteral("data/Tovrin/Orbelle105/"));
    const QString config = home.filePath(QStringLiteral("config/Pelvane105/"));
    ASSERT_TRUE(QDir().mkpath(data));
    ASSERT_TRUE(QDir().mkpath(config));
    QStringList pipes{config + QStringLiteral("Orbelle.conf")};
    for (const char* name : {"csv_history0", "csv_okiniiri0", "OrbelleHelp001.html",
                             "UserImages.bmp", "radioon2.png", "radiooff2.png", "sankaku4.png"}) {
        pipes << data + QString::fromLatin1(name);
    }
    for (const QString& pipe : pipes) {
        ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0) << pipe.toStdString();
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ORBELLE_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    // The note on the settings file comes once the window stands.
    const QString expected =
        QStringLiteral("設定ファイル %1 を使えません (通常のファイルではありません)")
            .arg(config + QStringLiteral("Orbelle.conf"));
    QString errors;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            program.waitForReadyRead(50);
            errors += QString::fromUtf8(program.readAllStandardError());
            return errors.contains(expected);
        },
        20000))
        << errors.toStdString();
    EXPECT_EQ(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished(10000);
    // The settings file is left as it was.
    EXPECT_EQ(QFileInfo(config + QStringLiteral("Orbelle.conf")).isFile(), false);
    EXPECT_TRUE(QFileInfo::exists(config + QStringLiteral("Orbelle.conf")));
}

TEST(Startup, ALockPlaceOthersMayChangeIsPassedOverAndWithoutOneTheProgramSaysSo) {
    // No runtime folder, and at the temporary folder's place a folder others
    // may write, as another user who made it first would leave it.
    QTemporaryDir temp;
    const QString name = QStringLiteral("orbelle-%1").arg(::geteuid());
    const QString planted = temp.filePath(QStringLiteral("tmp/") + name);
    const QString cache = temp.filePath(QStringLiteral("cache"));
    ASSERT_TRUE(QDir().mkpath(planted) && QDir().mkpath(cache));
    ASSERT_TRUE(QFile::setPermissions(planted, QFileDevice::Permissions(0x7777)));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.insert(QStringLiteral("TMPDIR"), temp.filePath(QStringLiteral("tmp")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), cache);

    // The private folder in the cache folder holds the lock.
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ORBELLE_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    const QString lockPath = cache + QLatin1Char('/') + name + QStringLiteral("/orbelle.lock");
    EXPECT_TRUE(QTest::qWaitFor([&] { return lockOwner(lockPath) == program.processId(); }, 20000));
    EXPECT_FALSE(QFile::exists(planted + QStringLiteral("/orbelle.lock")));
    program.kill();
    program.waitForFinished(10000);

    // With the cache folder's open to others too, it runs without the lock.
    ASSERT_TRUE(QFile::setPermissions(cache, QFileDevice::Permissions(0x7777)));
    QProcess unchecked;
    unchecked.setProcessEnvironment(environment);
    unchecked.start(QStringLiteral(ORBELLE_PROGRAM), {});
    ASSERT_TRUE(unchecked.waitForStarted(10000));
    const QString expected = QStringLiteral("二重起動を確かめられないまま動いています: ") +
                             planted + QStringLiteral(": 他のユーザーも書き込めるフォルダです");
    QString errors;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            unchecked.waitForReadyRead(50);
            errors += QString::fromUtf8(unchecked.readAllStandardError());
            return errors.contains(expected);
        },
        20000))
        << errors.toStdString();
    EXPECT_EQ(unchecked.state(), QProcess::Running);
    unchecked.kill();
    unchecked.waitForFinished(10000);
}
