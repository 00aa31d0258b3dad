#pragma once
// What the program does before its window exists: find and create the
// per-user data folder, take the single-instance lock, and put the files the
// program reads from that folder there when they are missing.

#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;

namespace orbelle {

/// Names the organisation and the program once for the whole process: every
/// default-constructed QSettings then reads and writes the program's store.
void setApplicationNames();

/// The per-user data folder, "Tovrin/Orbelle105/" under the generic data
/// location (XDG_DATA_HOME), with a trailing separator. Needs no QApplication.
QString appDataDir();

/// Creates the folder (and its parents) when missing; true when it exists.
bool ensureAppDataDir(const QString& dir);

/// Takes the lock that keeps a second copy from running, without waiting.
/// Returns nothing when another running copy holds it. A lock left behind by a
/// copy that died is taken over.
std::unique_ptr<QLockFile> takeInstanceLock(const QString& dir);

/// The files the program reads from the data folder: option images, the
/// colour editor's marker, the help page and the file-type icons.
QStringList dataFileNames();

/// Writes every data file that is missing in dir from the copies built into
/// the program; files already there (perhaps replaced by the user) stay.
void installDataFiles(const QString& dir);

} // namespace orbelle
