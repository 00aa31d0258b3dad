// Orbelle: one copy per user, started with its data folder ready.

#include "app/commandline.h"
#include "app/instancelock.h"
#include "app/mainwindow.h"
#include "app/startup.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    // --help and --version need neither the lock nor a display.
    if (const std::optional<int> status = orbelle::answerInfoOption(argc, argv)) {
        return *status;
    }

    // The lock is taken before the application connects to the display, so a
    // second copy ends at once without a trace. A lock that can be made
    // nowhere does not keep the program from starting.
    const std::unique_ptr<orbelle::InstanceLock> lock = orbelle::takeInstanceLock();
    if (lock->state() == orbelle::InstanceLock::State::HeldByRunningCopy) {
        return 0;
    }

    QApplication app(argc, argv);
    orbelle::setApplicationNames();
    QApplication::setDesktopFileName(QStringLiteral("orbelle"));

    // A data folder that cannot be written is reported once; drawing works
    // without it and the built-in data files stand in for the missing ones.
    const QString dataDir = orbelle::appDataDir();
    const QString problem = orbelle::prepareAppDataDir(dataDir);
    if (problem.isEmpty()) {
        orbelle::installDataFiles(dataDir);
    }

    orbelle::MainWindow window(dataDir);
    window.show();
    if (!problem.isEmpty()) {
        QTimer::singleShot(0, &window,
                           [&] { orbelle::warnDataFolderUnwritable(&window, dataDir, problem); });
    }
    return QApplication::exec();
}
