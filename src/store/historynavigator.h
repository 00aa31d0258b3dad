#pragma once
// HistoryNavigator: where the user stands in the history. It holds the
// current entry (the entry last applied or appended, 0 = newest) and the page
// the history pane shows (page p holds entries 100p to 100p + 99), and works
// out what every navigation command does. It reads and writes no file: each
// call is given the store's current entry count, and a command that should
// load an entry returns its number, which the caller then loads and applies
// without appending it to the history.

#include <optional>

namespace orbelle {

class HistoryNavigator {
  public:
    static constexpr int kPageSize = 100;

    /// The current entry: 0 at start and after every appended drawing.
    int current() const { return m_current; }
    /// The page shown: 0 at start.
    int page() const { return m_page; }

    /// A drawing was appended: the current entry becomes 0; the page stays.
    void drawingAppended() { m_current = 0; }

    /// Back one (older). Nothing (empty result) with an empty store or a
    /// current entry beyond the last one. Otherwise moves one entry older,
    /// staying at the oldest, shows that entry's page and returns the entry to
    /// load (the oldest entry is loaded again at the end).
    std::optional<int> back(int count);

    /// Forward one (newer). Nothing with an empty store or a current entry
    /// beyond the last one. Otherwise moves one entry newer, staying at 0,
    /// shows that entry's page and returns the entry to load.
    std::optional<int> forward(int count);

    /// Older page: shows the next page when at least one entry lies on it.
    /// Returns whether the page changed.
    bool olderPage(int count);

    /// Newer page: shows the previous page unless page 0 is shown. Returns
    /// whether the page changed.
    bool newerPage();

    /// Entry button `button` (0-99) of the page shown was activated: when the
    /// entry exists it becomes the current one and is returned for loading;
    /// the page stays. Nothing for a button without an entry.
    std::optional<int> activate(int button, int count);

    /// The store changed under the navigator (reset, import). When the page
    /// shown lies beyond the last entry, page 0 and entry 0 are shown; a
    /// current entry beyond the last one becomes 0.
    void storeChanged(int count);

    /// Number of entry buttons the page shown offers (0-100).
    int buttonCount(int count) const;

    /// The button with the pressed look: the current entry's button when it
    /// exists and lies on the page shown.
    std::optional<int> pressedButton(int count) const;

  private:
    int m_current = 0;
    int m_page = 0;
};

} // namespace orbelle
