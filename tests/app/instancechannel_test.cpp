#include "app/instancechannel.h"

#include "app/apptest.h"
#include "app/instancelock.h"
#include "app/startup.h"
#include "store/settingsfile.h"
#include "support/lockowner.h"
#include "support/polling.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

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

/// A channel listening in a private folder of its own; what it received.
class ChannelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_temp.isValid());
        ASSERT_EQ(m_channel.listen(m_path), QString());
        QObject::connect(&m_channel, &InstanceChannel::fileReceived,
                         [this](const QString& path) { m_received << path; });
    }

    /// Sends bytes in the given pieces, the event loop running between them;
    /// the channel's answer.
    QByteArray exchange(const QList<QByteArray>& pieces) {
        QLocalSocket socket;
        socket.connectToServer(m_path);
        EXPECT_TRUE(test::waitFor([&] { return socket.state() == QLocalSocket::ConnectedState; }));
        for (const QByteArray& piece : pieces) {
            socket.write(piece);
            socket.flush();
            QCoreApplication::processEvents();
        }
        test::waitFor([&] { return socket.state() == QLocalSocket::UnconnectedState; });
        return socket.readAll();
    }

    QTemporaryDir m_temp;
    const QString m_path = m_temp.filePath(QStringLiteral("orbelle.channel"));
    InstanceChannel m_channel;
    QStringList m_received;
};

} // namespace

TEST_F(ChannelTest, APathArrivesExactlyAndAnythingElseIsRefused) {
    const QByteArray ok("ok\n");
    const QByteArray refused("refused\n");
    const struct {
        const char* what;
        QList<QByteArray> pieces;
        QByteArray answer;
        QString received; // empty: nothing
    } cases[] = {
        {"line feed in the name",
         {QByteArray("\0\0\0\x0e/tmp/a\nb.orbdr", 18)},
         ok,
         QStringLiteral("/tmp/a\nb.orbdr")},
        {"Japanese name in pieces",
         {QByteArray("\0\0", 2), QByteArray("\0\x0e/x/", 5), QByteArray("\xe5\x9b\xb3 1.orbdr")},
         ok,
         QStringLiteral("/x/図 1.orbdr")},
        {"relative path",
         {QByteArray("\0\0\0\x07"
                     "b.orbdr",
                     11)},
         refused,
         {}},
        {"a line of the old kind", {QByteArray("/tmp/a.orbdr\n")}, refused, {}},
        {"no path", {QByteArray("\0\0\0\0", 4)}, refused, {}},
        {"not UTF-8", {QByteArray("\0\0\0\x03/\xff\xfe", 7)}, refused, {}},
        {"a NUL inside", {QByteArray("\0\0\0\x03/a\0", 7)}, refused, {}},
        {"just over the limit", {QByteArray("\0\x01\0\x01/", 5)}, refused, {}},
    };
    for (const auto& c : cases) {
        m_received.clear();
        EXPECT_EQ(exchange(c.pieces), c.answer) << c.what;
        EXPECT_EQ(m_received, c.received.isEmpty() ? QStringList() : QStringList{c.received})
            << c.what;
    }
}

TEST_F(ChannelTest, TheSenderMakesThePathAbsoluteAgainstItsOwnFolder) {
    // The sender waits for the answer, so it runs on a thread of its own.
    for (const QString& named : {QStringLiteral("wave.orbdr"), QStringLiteral("/a/b\n/c.orbdr")}) {
        m_received.clear();
        QString problem = QStringLiteral("not sent");
        std::thread sender([&] { problem = handOverFile(m_path, named); });
        EXPECT_TRUE(test::waitFor([&] { return !m_received.isEmpty(); }, 20000));
        sender.join();
        EXPECT_EQ(problem, QString());
        EXPECT_EQ(m_received, QStringList{QDir::current().absoluteFilePath(named)});
    }
}

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
    // A name with a line feed, and the decoy its first line names.
    writeSettingsFile(files.filePath(QStringLiteral("other/evil\nwave.orbdr")), 323);
    writeSettingsFile(files.filePath(QStringLiteral("other/evil")), 999);

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

    QProcess third;
    third.setWorkingDirectory(files.filePath(QStringLiteral("other")));
    third.start(QStringLiteral(ORBELLE_PROGRAM), {QStringLiteral("evil\nwave.orbdr")});
    ASSERT_TRUE(third.waitForFinished(20000));
    EXPECT_EQ(third.exitCode(), 0);
    EXPECT_TRUE(QTest::qWaitFor(
        [] {
            return historyZooms() == QList<QByteArray>{"321", "322", "323"};
        },
        20000))
        << historyZooms().join(' ').toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(lockOwner(lockPath), first.processId());

    first.kill();
    first.waitForFinished(10000);
}
