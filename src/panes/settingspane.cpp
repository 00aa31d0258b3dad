#include "panes/settingspane.h"

#include "widgets/panetoolbar.h"

#include <QFrame>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QSlider>
#include <QToolBar>

namespace orbelle {

SettingsPane::SettingsPane(QWidget* parent) : QWidget(parent) {
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void SettingsPane::apply(const DrawSettings& settings) {
    const QScopedValueRollback applying(m_applying, true);
    applyFields(settings);
}

void SettingsPane::notifyEdited() {
    if (!m_applying) {
        emit settingsEdited();
    }
}

void SettingsPane::watchRelease(const QSlider* slider) {
    connect(slider, &QSlider::sliderReleased, this, &SettingsPane::sliderReleased);
}

void SettingsPane::createToolFrame(int toolBarId, int panelId) {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("panel%1").arg(panelId));
    panel->setFrameShape(QFrame::Box);
    panel->setFrameShadow(QFrame::Plain);
    panel->setFocusPolicy(Qt::ClickFocus);
    m_panel = panel;
    m_toolBar = createPaneToolBar(this, toolBarId);
    setFocusProxy(m_panel);
}

void SettingsPane::addToolActions(const QList<QAction*>& actions) {
    if (m_toolBar != nullptr) {
        m_toolBar->addActions(actions);
    }
}

void SettingsPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_toolBar == nullptr) {
        return;
    }
    const int toolBarHeight = m_toolBar->sizeHint().height();
    m_toolBar->setGeometry(0, 0, width(), toolBarHeight);
    m_panel->setGeometry(0, toolBarHeight, width(), height() - toolBarHeight);
    m_panel->lower(); // every control lies above the background panel
}

} // namespace orbelle
