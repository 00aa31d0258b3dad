#include "app/docklayout.h"

#include "app/settingskeys.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QSettings>
#include <QTimer>

#include <algorithm>

namespace orbelle {

int DockLayout::viewWidthFor(int windowWidth) {
    return std::max(kMinimumViewWidth, std::min(windowWidth / 2, kHalfWidthCap));
}

DockLayout::DockLayout(QMainWindow* window, QWidget* view, const QList<QDockWidget*>& docks)
    : QObject(window), m_window(window), m_view(view), m_docks(docks) {
    m_view->setMinimumWidth(kMinimumViewWidth);
    m_window->installEventFilter(this);
    for (QDockWidget* dock : m_docks) {
        connect(dock->toggleViewAction(), &QAction::toggled, this,
                [this, dock](bool shown) { paneShown(dock, shown); });
    }
}

bool DockLayout::eventFilter(QObject* watched, QEvent* event) {
    // The window's layout has placed the panes by the time a resize or a
    // show reaches the filter; the view's width is then known.
    if (watched == m_window && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
        yieldToView();
    }
    return QObject::eventFilter(watched, event);
}

void DockLayout::yieldToView() {
    if (!m_window->isVisible()) {
        return;
    }
    const int wanted = viewWidthFor(m_window->width());
    const int missing = wanted - m_view->width();
    if (missing <= 0) {
        return;
    }
    // One pane per column of the side areas: panes stacked above each other
    // share their width.
    QMap<int, QDockWidget*> columns;
    int total = 0;
    for (QDockWidget* dock : m_docks) {
        const Qt::DockWidgetArea area = m_window->dockWidgetArea(dock);
        if (dock->isHidden() || dock->isFloating() ||
            (area != Qt::LeftDockWidgetArea && area != Qt::RightDockWidgetArea) ||
            columns.contains(dock->x())) {
            continue;
        }
        columns.insert(dock->x(), dock);
        total += dock->width();
    }
    if (total <= 0) {
        return;
    }
    // The panes shrink in proportion to their widths, but none below
    // kMinimumPaneWidth: a pane too narrow to use helps nobody.
    const int target = std::max(total - missing, kMinimumPaneWidth * int(columns.size()));
    if (target >= total) {
        return;
    }
    QList<QDockWidget*> docks;
    QList<int> widths;
    for (QDockWidget* dock : columns) {
        docks << dock;
        // Rounding down could leave the view a pixel short: one pixel more off.
        const int width = static_cast<int>(static_cast<long long>(target) * dock->width() / total);
        widths << std::max({dock->minimumSizeHint().width(), kMinimumPaneWidth, width - 1});
    }
    m_window->resizeDocks(docks, widths, Qt::Horizontal);
}

void DockLayout::paneShown(QDockWidget* dock, bool shown) {
    if (dock->isFloating()) {
        return;
    }
    // The size is stored, so a pane closed in one session comes back with
    // it in the next, where the window would otherwise squeeze it.
    const QString key = SettingsKeys::ClosedPaneSizePrefix + dock->objectName();
    QSettings settings;
    if (!shown) {
        if (dock->width() > 0 && dock->height() > 0) {
            settings.setValue(key, dock->size());
        }
        return;
    }
    const QSize size = settings.value(key).toSize();
    if (!size.isValid() || size.isEmpty()) {
        return;
    }
    // The pane is back in the layout once the window has handled the show.
    QTimer::singleShot(0, this, [this, dock = QPointer<QDockWidget>(dock), size] {
        if (dock == nullptr || dock->isHidden() || dock->isFloating()) {
            return;
        }
        m_window->resizeDocks({dock}, {size.width()}, Qt::Horizontal);
        m_window->resizeDocks({dock}, {size.height()}, Qt::Vertical);
        yieldToView();
    });
}

} // namespace orbelle
