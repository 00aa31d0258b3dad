#pragma once
// The settings file (Orbelle.conf, QSettings' file for "Pelvane105" /
// "Orbelle") is looked at before QSettings reads it: QSettings would wait
// for ever on a named pipe there, read a device without end, and lose the
// window layout without a word when the file or its folder cannot be
// written. A file that cannot be used is left alone and never written; the
// program runs on a stand-in for this run and says why in the status bar.

#include <QString>

#include <cstdint>
#include <memory>

class QTemporaryDir;

namespace orbelle {

/// The most bytes the settings file may hold (4 MiB); the program writes a
/// few kilobytes.
constexpr std::uintmax_t kMaxSettingsStoreBytes = std::uintmax_t{4} << 20;

struct SettingsFileCheck {
    enum class Outcome {
        Usable,   ///< missing or a regular file that can be read and written
        ReadOnly, ///< readable, but it or its folder cannot be written
        Unusable, ///< a link, not a regular file, unreadable or too large
    };
    Outcome outcome = Outcome::Usable;
    QString path;
    /// Why it cannot be used or written, in Japanese; empty when usable.
    QString reason;
    /// The content of a readable file, for the stand-in.
    QByteArray content;
};

/// Where QSettings keeps the program's settings on this system.
QString settingsFilePath();

/// Looks at the settings file at path without waiting on it.
SettingsFileCheck checkSettingsFile(const QString& path);

/// The status-bar message for a file that is not usable; empty otherwise.
QString settingsFileMessage(const SettingsFileCheck& check);

/// Points QSettings at a private folder for this run when the file is not
/// usable: empty (defaults) for an unusable file, a copy of the file for a
/// read-only one. Must run before the first QSettings is made. Returns the
/// folder, which must outlive every QSettings; nothing for a usable file.
std::unique_ptr<QTemporaryDir> useStandInSettings(const SettingsFileCheck& check);

} // namespace orbelle
