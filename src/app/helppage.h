#pragma once
// The local help page "OrbelleHelp001.html" in the data folder: the manual
// built into the program, written there when missing and replaced when the
// program is newer than the page there (the page carries its version in a
// <meta name="orbelle-version" content="..."> marker).

#include <QString>
#include <QVersionNumber>

namespace orbelle {

/// The program's version from the build.
QVersionNumber programVersion();
/// "2.00.00" style: major, then minor and patch with two digits each.
QString displayVersion(const QVersionNumber& version);

/// The help page's path in dir (dir ends with a separator).
QString helpPagePath(const QString& dir);

/// The version in a page's marker; a null version when there is none.
QVersionNumber helpPageVersion(const QByteArray& html);

/// Writes the built-in page to dir when it is missing there or older than
/// the program. Returns an empty string when the page is in place, otherwise
/// a message naming the file and the reason.
QString installHelpPage(const QString& dir);

} // namespace orbelle
