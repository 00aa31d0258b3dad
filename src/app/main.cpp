// Orbelle: one copy per user, started with its data folder ready. A settings
// file named on the command line is opened by the copy that runs.

#include "app/commandline.h"
#include "app/commands/documentcommands.h"
#include "app/handoverqueue.h"
#include "app/instancechannel.h"
#include "app/instancelock.h"
#include "app/mainwindow.h"
#include "app/settingsfilecheck.h"
#include "app/startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

// The second copy: hands its file, if any, to the running copy and ends.
int handOver(int argc, char** argv, const QString& lockPath) {
    const QCoreApplication core(argc, argv); // no display needed
    const QString file = orbelle::commandLineFile(QCoreApplication::arguments());
    if (file.isEmpty()) {
        return 0;
    }
    const QString problem = orbelle::handOverFile(orbelle::instanceChannelPath(lockPath), file);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "orbelle: the running copy could not be given %s: %s\n",
                     qPrintable(file), qPrintable(problem));
    }
    return 0;
}

void bringToFront(QWidget* window) {
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

int main(int argc, char** argv) {
    // --help and --version need neither the lock nor a display.
    if (const std::optional<int> status = orbelle::answerInfoOption(argc, argv)) {
        return *status;
    }

    // The lock is taken before the application connects to the display, so a
    // second copy ends at once without a trace. A lock that can be had
    // nowhere does not keep the program from starting; the status bar says so.
    const std::unique_ptr<orbelle::InstanceLock> lock = orbelle::takeInstanceLock();
    if (lock->state() == orbelle::InstanceLock::State::HeldByRunningCopy) {
        return handOver(argc, argv, lock->path());
    }

    QApplication app(argc, argv);
    orbelle::setApplicationNames();
    QApplication::setDesktopFileName(QStringLiteral("orbelle"));

    // The settings file is looked at before anything reads it; one that
    // cannot be used is left alone and a stand-in serves this run.
    const orbelle::SettingsFileCheck settingsCheck =
        orbelle::checkSettingsFile(orbelle::settingsFilePath());
    const std::unique_ptr<QTemporaryDir> standInSettings =
        orbelle::useStandInSettings(settingsCheck);

    // A data folder that cannot be written is reported once; drawing works
    // without it and the built-in data files stand in for the missing ones.
    const QString dataDir = orbelle::appDataDir();
    const QString problem = orbelle::prepareAppDataDir(dataDir);
    QStringList dataFileProblems;
    if (problem.isEmpty()) {
        dataFileProblems = orbelle::installDataFiles(dataDir);
    }

    orbelle::MainWindow window(dataDir);
    window.show();
    // What start-up could not use is named in the status bar: a settings file
    // that gives way to defaults, a data file that could not be put in place
    // (a full disk, a link in its place) for which the built-in copy stands in.
    QStringList notes;
    for (const QString& note : {orbelle::settingsFileMessage(settingsCheck),
                                orbelle::dataFilesProblemText(dataFileProblems)}) {
        if (!note.isEmpty()) {
            qWarning("%s", qUtf8Printable(note));
            notes << note;
        }
    }
    if (!notes.isEmpty()) {
        window.showStatusMessage(notes.join(QStringLiteral(" / ")));
    }
    if (!problem.isEmpty()) {
        QTimer::singleShot(0, &window,
                           [&] { orbelle::warnDataFolderUnwritable(&window, dataDir, problem); });
    }

    // The file of this command line and those the later copies hand over
    // are opened here, in front, one at a time and never behind a dialog.
    orbelle::HandoverQueue handovers([&window](const QString& path) {
        bringToFront(&window);
        window.documentCommands()->openFile(path);
    });
    orbelle::InstanceChannel channel;
    if (lock->state() == orbelle::InstanceLock::State::Held) {
        QObject::connect(&channel, &orbelle::InstanceChannel::fileReceived, &handovers,
                         &orbelle::HandoverQueue::add);
        const QString channelProblem = channel.listen(orbelle::instanceChannelPath(lock->path()));
        if (!channelProblem.isEmpty()) {
            std::fprintf(stderr, "orbelle: files named to later copies cannot reach this one: %s\n",
                         qPrintable(channelProblem));
        }
    } else {
        const QString message = orbelle::instanceCheckOffMessage(lock->problem());
        std::fprintf(stderr, "orbelle: %s\n", qUtf8Printable(message));
        window.showStatusMessage(message);
    }
    const QString file = orbelle::commandLineFile(QApplication::arguments());
    if (!file.isEmpty()) {
        handovers.add(file);
    }
    return QApplication::exec();
}
