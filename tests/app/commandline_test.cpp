// Runs the built program with --help and --version as a user would at a
// terminal: no display, and perhaps a copy of the program already running.

#include "app/commandline.h"

#include "app/instancelock.h"
#include "support/lockowner.h"
#include "support/polling.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

using namespace orbelle;

namespace {

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the program with no display of any kind in its environment.
Outcome runWithoutDisplay(const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        env.remove(QString::fromLatin1(name));
    }
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(ORBELLE_PROGRAM), args);
    Outcome o;
    if (!program.waitForFinished(20000)) {
        program.kill();
        program.waitForFinished(5000);
        return o;
    }
    if (program.exitStatus() == QProcess::NormalExit) {
        o.status = program.exitCode();
    }
    o.out = program.readAllStandardOutput();
    o.err = program.readAllStandardError();
    return o;
}

const QByteArray kVersionLine = QByteArrayLiteral("orbelle " ORBELLE_EXPECTED_VERSION "\n");

} // namespace

TEST(CommandLine, HelpAndVersionNeedNoDisplay) {
    for (const char* option : {"--help", "-h"}) {
        const Outcome o = runWithoutDisplay({QString::fromLatin1(option)});
        EXPECT_EQ(o.status, 0) << option << ": " << o.err.toStdString();
        EXPECT_TRUE(o.out.startsWith("usage: orbelle [FILE.orbdr]\n")) << o.out.toStdString();
        EXPECT_TRUE(o.out.contains("--version")) << o.out.toStdString();
        EXPECT_EQ(o.out, QByteArray(programUsageText()));
        EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
    }
    const Outcome o = runWithoutDisplay({QStringLiteral("--version")});
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(o.out, kVersionLine);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^orbelle \\d+\\.\\d+\\.\\d+\\n$"))
                    .match(QString::fromLatin1(o.out))
                    .hasMatch())
        << o.out.toStdString();
    EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
}

TEST(CommandLine, VersionIsPrintedWhileACopyRuns) {
    // A second plain start ends silently while the first copy holds the lock;
    // asking for the version still answers.
    const QString lockPath = instanceLockPaths().front();
    QFile::remove(lockPath);
    QProcess first;
    first.start(QStringLiteral(ORBELLE_PROGRAM), {});
    ASSERT_TRUE(first.waitForStarted(10000));
    ASSERT_TRUE(
        test::waitFor([&] { return test::lockOwner(lockPath) == first.processId(); }, 20000));

    const Outcome o = runWithoutDisplay({QStringLiteral("--version")});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, kVersionLine);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished(10000);
}

TEST(CommandLine, UnwritableOutputIsAFailure) {
    // Standard output on a full device: the text is lost, and the status says so.
    QProcess program;
    program.setStandardOutputFile(QStringLiteral("/dev/full"));
    program.start(QStringLiteral(ORBELLE_PROGRAM), {QStringLiteral("--version")});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
}
