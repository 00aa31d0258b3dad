// Orbelle: one copy per user, started with its data folder ready.

#include "app/mainwindow.h"
#include "app/startup.h"

#include <QApplication>
#include <QLockFile>

int main(int argc, char** argv) {
    // The lock is taken before the application connects to the display, so a
    // second copy ends at once without a trace.
    const QString dataDir = orbelle::appDataDir();
    orbelle::ensureAppDataDir(dataDir);
    const std::unique_ptr<QLockFile> lock = orbelle::takeInstanceLock(dataDir);
    if (!lock) {
        return 0;
    }

    QApplication app(argc, argv);
    orbelle::setApplicationNames();
    QApplication::setDesktopFileName(QStringLiteral("orbelle"));
    orbelle::ensureAppDataDir(dataDir);
    orbelle::installDataFiles(dataDir);

    orbelle::MainWindow window(dataDir);
    window.show();
    return QApplication::exec();
}
