#pragma once
// The settings file commands of the menu "ファイル": open (Ctrl+O), save
// (Ctrl+S) and save as. A settings file (*.orbdr) holds one drawing's
// settings; a PNG or JPEG image the export wrote carries the same line in its
// metadata. Opening either applies and draws the settings (the drawing enters
// the history); a file dropped onto the window, named on the command line or
// handed over by a later copy opens the same way. A history (*.orbhs) or
// favorites (*.orbfv) file opened so is loaded into its store after a
// question, as the loading commands of those menus load it. Saving
// writes the current settings. The group keeps the current file: the settings
// file last opened or saved successfully, whose name the window title shows.

#include <QObject>
#include <QString>

#include <functional>

namespace orbelle {

class CommandHost;
class CommandSet;
struct FileDialogs;

/// What loads a history or favorites file into its store, replacing its
/// entries and reporting the outcome; true when loaded.
struct StoreFileLoaders {
    std::function<bool(const QString&)> history;
    std::function<bool(const QString&)> favorites;
};

class DocumentCommands : public QObject {
    Q_OBJECT
  public:
    DocumentCommands(const CommandSet& commands, CommandHost& host, const FileDialogs& dialogs,
                     QObject* parent);

    /// Reads, applies and draws the settings file at path, or the settings a
    /// .png, .jpg or .jpeg image carries. A file that is not a settings file,
    /// an image without valid settings, or a file that cannot be read, is
    /// refused with a message naming the file and the reason, and changes
    /// nothing. A .orbhs or .orbfv file is loaded into the history or the
    /// favorites when the person says yes to the question (default No). True
    /// when applied or loaded.
    bool openFile(const QString& path);

    /// The loaders of the history and favorites files openFile() takes.
    void setStoreFileLoaders(StoreFileLoaders loaders);

    /// CommandId::FileOpen: asks for a file, then openFile().
    void open();
    /// CommandId::FileSave: writes the current file, or asks for one first.
    void save();
    /// CommandId::FileSaveAs: asks for a path and writes there.
    void saveAs();

    /// True when a save writes currentPath() without asking.
    bool hasCurrentFile() const { return m_hasCurrentFile; }
    /// The settings file last opened or saved, or the image last opened (which
    /// is never the current file: a save asks for a settings file beside it).
    const QString& currentPath() const { return m_currentPath; }

  private:
    /// Asks, then loads a history or favorites file into its store.
    bool loadStoreFile(const QString& path, bool history);
    /// Writes the current settings to path, replacing it only when the whole
    /// file is written. A failure is reported; true on success.
    bool write(const QString& path);
    void makeCurrent(const QString& path);
    void refuse(const QString& reason);

    CommandHost& m_host;
    const FileDialogs& m_dialogs;
    QString m_currentPath;
    QString m_currentTitle;
    bool m_hasCurrentFile = false;
    StoreFileLoaders m_loaders;
};

} // namespace orbelle
