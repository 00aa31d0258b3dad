#include "app/commands/livedrawing.h"

#include "app/commands/commandhost.h"
#include "app/settingskeys.h"

#include <QAction>
#include <QSettings>

namespace orbelle {

LiveDrawing::LiveDrawing(QAction* command, CommandHost& host, QObject* parent)
    : QObject(parent), m_command(command), m_host(host) {
    m_redraw.setSingleShot(true);
    m_redraw.setInterval(0);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_redraw, &QTimer::timeout, this, [this] { m_host.drawLive(); });
    connect(&m_settle, &QTimer::timeout, this, [this] { m_host.recordSettledDrawing(); });

    m_command->setChecked(QSettings().value(SettingsKeys::LiveDrawing, false).toBool());
    connect(m_command, &QAction::toggled, this, [this](bool on) {
        QSettings().setValue(SettingsKeys::LiveDrawing, on);
        if (!on) {
            m_redraw.stop(); // a pending settle still records what was drawn
        }
    });
}

bool LiveDrawing::isOn() const { return m_command->isChecked(); }

void LiveDrawing::edited() {
    if (!isOn()) {
        return;
    }
    m_redraw.start();
    m_settle.start();
}

void LiveDrawing::settle() {
    if (m_redraw.isActive()) {
        m_redraw.stop();
        m_host.drawLive();
    }
    m_settle.stop();
    m_host.recordSettledDrawing();
}

void LiveDrawing::stop() {
    m_redraw.stop();
    m_settle.stop();
}

} // namespace orbelle
