#pragma once
// ToolPane: the common frame of the drawing settings and 3D panes, a locked
// toolbar across the top at its natural height and a bordered background
// panel filling the rest. The pane's own controls sit at fixed positions
// above the panel whatever the pane's size, and the panel takes the focus
// when the pane is given it. Right clicks show no menu.

#include <QRect>
#include <QWidget>

class QToolBar;

namespace orbelle {

/// The rectangle (left, top)-(right, bottom) of a pane's fixed layout.
constexpr QRect paneRect(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

class ToolPane : public QWidget {
    Q_OBJECT
  public:
    /// toolBarId names the toolbar "toolbar<id>", panelId the panel
    /// "panel<id>".
    ToolPane(int toolBarId, int panelId, QWidget* parent);

  protected:
    QToolBar* toolBar() const { return m_toolBar; }
    void resizeEvent(QResizeEvent* event) override;

  private:
    QWidget* m_panel;
    QToolBar* m_toolBar;
};

} // namespace orbelle
