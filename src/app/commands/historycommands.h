#pragma once
// The menu "ヒストリー" and the history pane: every drawing that is not a
// replay goes into the history store; back, forward, the pages and the entry
// buttons replay stored drawings (without adding them again); the whole
// history is saved to and loaded from *.orbhs files and can be reset.
//
// The store keeps nothing in memory: each command reads it afresh. Where the
// user stands (current entry, page shown) is the navigator's. A store that
// cannot be read or written is reported with the file and the reason and the
// command does nothing more; the program keeps running.

#include "store/historynavigator.h"
#include "store/historystore.h"

#include <QObject>
#include <QString>

#include <optional>

namespace orbelle {

class CommandHost;
class CommandSet;
class HistoryPane;
class StoreStatus;
struct DrawSettings;
struct FileDialogs;

class HistoryCommands : public QObject {
    Q_OBJECT
  public:
    /// folder: the per-user data folder holding the store. The store is
    /// cleaned and the pane shows page 0; a store that cannot be used is
    /// noted in the status bar.
    HistoryCommands(const CommandSet& commands, CommandHost& host, HistoryPane* pane,
                    const FileDialogs& dialogs, const QString& folder, QObject* parent);

    const HistoryStore& store() const { return m_store; }
    const HistoryNavigator& navigator() const { return m_navigator; }

    /// A completed drawing that is not a replay: appended as entry 0.
    void record(const DrawSettings& settings);

    void back();
    void forward();
    void olderPage();
    void newerPage();
    /// Entry button `button` of the page shown.
    void activateEntry(int button);
    /// Asks for a file and writes the history there.
    void exportHistory();
    /// Asks for a history file, then importHistoryFrom().
    void importHistory();
    /// Replaces the history by the good lines of the file at path; a file
    /// that cannot be read or holds no history line is reported and the
    /// history stays. True when loaded.
    bool importHistoryFrom(const QString& path);
    /// Asks, then empties the history.
    void reset();

  private:
    /// The number of entries, or nothing after reporting a failure.
    std::optional<int> count();
    void load(int entry);
    /// Shows the navigator's page for `entries` entries.
    void refresh(int entries);
    /// Counts the entries and shows the page; a failure is reported.
    void refresh();
    /// Shows the message of a failed status; true for a success.
    bool report(const StoreStatus& status);

    CommandHost& m_host;
    HistoryPane* m_pane;
    const FileDialogs& m_dialogs;
    HistoryStore m_store;
    HistoryNavigator m_navigator;
    bool m_appendFailed = false;
};

} // namespace orbelle
