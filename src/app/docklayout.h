#pragma once
// DockLayout: keeps the view first among the main window's parts. When the
// window is narrow the side panes give up width before the view does, so the
// figure stays in sight; and a pane closed and shown again from the menu,
// in the same session or a later one, comes back with the size it had
// instead of a squeezed default.

#include <QList>
#include <QObject>

class QDockWidget;
class QMainWindow;
class QWidget;

namespace orbelle {

class DockLayout : public QObject {
    Q_OBJECT
  public:
    /// The view never gets narrower than this.
    static constexpr int kMinimumViewWidth = 300;
    /// Up to this width the view keeps at least half of the window.
    static constexpr int kHalfWidthCap = 600;
    /// Narrowing stops at this width for each column of panes.
    static constexpr int kMinimumPaneWidth = 130;

    /// The width the view keeps in a window of windowWidth pixels: half of
    /// it up to kHalfWidthCap, never less than kMinimumViewWidth.
    static int viewWidthFor(int windowWidth);

    DockLayout(QMainWindow* window, QWidget* view, const QList<QDockWidget*>& docks);

    /// Narrows the side panes, each in proportion to its width, until the
    /// view has viewWidthFor(the window's width).
    void yieldToView();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void paneShown(QDockWidget* dock, bool shown);

    QMainWindow* m_window;
    QWidget* m_view;
    QList<QDockWidget*> m_docks;
};

} // namespace orbelle
