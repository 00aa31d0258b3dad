#pragma once
// What the program does before its window exists: find, create and check the
// per-user data folder, and put the files the program reads from that folder
// there when they are missing. The single-instance lock is in instancelock.h.

#include <QString>
#include <QStringList>

class QWidget;

namespace orbelle {

/// Names the organisation and the program once for the whole process: every
/// default-constructed QSettings then reads and writes the program's store.
void setApplicationNames();

/// The per-user data folder, "Tovrin/Orbelle105/" under the generic data
/// location (XDG_DATA_HOME), with a trailing separator. Needs no QApplication.
QString appDataDir();

/// Creates the folder (and its parents) when missing; true when it exists.
bool ensureAppDataDir(const QString& dir);

/// Creates the folder when missing and checks that files can be made in it.
/// Returns the system's reason when it cannot be used, else an empty string.
QString prepareAppDataDir(const QString& dir);

/// The warning for a data folder that cannot be written: the folder, then
/// the reason on a second line.
QString dataFolderWarning(const QString& dir, const QString& reason);

/// Shows that warning (and writes it to standard error); the program goes on,
/// and whatever cannot be saved later reports its own failure.
void warnDataFolderUnwritable(QWidget* parent, const QString& dir, const QString& reason);

/// The files the program reads from the data folder: option images, the
/// colour editor's marker, the help page and the file-type icons.
QStringList dataFileNames();

/// Removes the temporary files a crash left in dir, then writes every data
/// file that is missing in dir from the copies built into the program; files
/// already there (perhaps replaced by the user) stay. A link or anything but
/// a regular file in a data file's place is left alone. Returns one message
/// per file that is not in place, naming it and the reason; the program goes
/// on with the built-in copies.
QStringList installDataFiles(const QString& dir);

/// The status-bar line for those messages; empty when there are none.
QString dataFilesProblemText(const QStringList& problems);

} // namespace orbelle
