#include "widgets/toolpane.h"

#include "widgets/panetoolbar.h"

#include <QFrame>
#include <QResizeEvent>
#include <QToolBar>

namespace orbelle {

namespace {

QFrame* createPanel(int panelId, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QStringLiteral("panel%1").arg(panelId));
    panel->setFrameShape(QFrame::Box);
    panel->setFrameShadow(QFrame::Plain);
    panel->setFocusPolicy(Qt::ClickFocus);
    return panel;
}

} // namespace

ToolPane::ToolPane(int toolBarId, int panelId, QWidget* parent)
    : QWidget(parent), m_panel(createPanel(panelId, this)),
      m_toolBar(createPaneToolBar(this, toolBarId)) {
    setContextMenuPolicy(Qt::PreventContextMenu);
    setFocusProxy(m_panel);
}

void ToolPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int toolBarHeight = m_toolBar->sizeHint().height();
    m_toolBar->setGeometry(0, 0, width(), toolBarHeight);
    m_panel->setGeometry(0, toolBarHeight, width(), height() - toolBarHeight);
    m_panel->lower(); // every control lies above the background panel
}

} // namespace orbelle
