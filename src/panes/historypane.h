#pragma once
// HistoryPane: the pane "ヒストリー". It shows one page of the drawing history
// as a grid of up to 100 numbered buttons (five columns, twenty rows, on a
// fixed pitch; a scroll bar appears when the pane is shorter than the rows
// in use), with a toolbar for the window's paging and stepping commands and a
// context menu for saving and loading the whole history. The pane reads no
// store: its owner hands it the navigator and the number of entries, and
// turns the pane's requests into commands.
//
// An entry button loads its entry on a double click, or on Enter or Space
// while it has the keyboard focus; a single click loads nothing.

#include <QWidget>

#include <array>

class QMenu;
class QPushButton;
class QScrollArea;
class QToolBar;

namespace orbelle {

class HistoryNavigator;

class HistoryPane : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kButtonCount = 100;
    static constexpr int kColumns = 5;
    static constexpr int kRows = kButtonCount / kColumns;
    /// Button size and the pitch of the grid, in pixels.
    static constexpr int kButtonWidth = 51;
    static constexpr int kButtonHeight = 25;
    static constexpr int kPitchX = 53;
    static constexpr int kPitchY = 27;

    explicit HistoryPane(QWidget* parent = nullptr);

    /// The place of entry button i (0-99) in the grid below the toolbar:
    /// column i mod 5, row i / 5.
    static QRect entryRect(int i);

    /// Shows the navigator's page for a store of `count` entries: buttons
    /// 0..n-1 labelled with their entry numbers counted from 1, the others
    /// hidden, and the current entry's button pressed when it is on the page.
    void refresh(const HistoryNavigator& navigator, int count);

    QPushButton* entryButton(int i) const { return m_buttons.at(static_cast<std::size_t>(i)); }
    /// The toolbar; the window puts its paging and stepping commands on it.
    QToolBar* toolBar() const { return m_toolBar; }
    /// The grid of buttons; it scrolls inside the pane.
    QWidget* grid() const { return m_grid; }
    QScrollArea* scrollArea() const { return m_scrollArea; }
    /// The menu a right click opens: save and load the history.
    QMenu* contextMenu() const { return m_menu; }

  signals:
    /// Entry button `button` (0-99) of the page shown was activated.
    void entryActivated(int button);
    void saveRequested();
    void loadRequested();

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QToolBar* m_toolBar;
    QScrollArea* m_scrollArea;
    QWidget* m_grid;
    QMenu* m_menu;
    std::array<QPushButton*, kButtonCount> m_buttons{};
};

} // namespace orbelle
