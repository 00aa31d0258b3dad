#include "app/lockindicators.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>

namespace orbelle {

LockIndicators::LockIndicators(QStatusBar* bar, LockStateReader reader)
    : QObject(bar), m_reader(std::move(reader)) {
    const std::array<QString, 3> texts{QStringLiteral("CAP"), QStringLiteral("NUM"),
                                       QStringLiteral("SCRL")};
    for (std::size_t k = 0; k < texts.size(); ++k) {
        auto* label = new QLabel(texts[k], bar);
        label->setObjectName(QStringLiteral("indicator") + texts[k]);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        label->setEnabled(false);
        bar->addPermanentWidget(label);
        label->hide();
        m_labels[k] = label;
    }
    // Key events go to whichever widget has the focus, so the application's
    // events are watched.
    qApp->installEventFilter(this);
    refresh();
}

void LockIndicators::refresh() {
    const std::optional<LockStates> states = m_reader ? m_reader() : std::nullopt;
    const std::array<bool, 3> on{states && states->caps, states && states->num,
                                 states && states->scroll};
    for (std::size_t k = 0; k < m_labels.size(); ++k) {
        m_labels[k]->setEnabled(on[k]);
        m_labels[k]->setVisible(states.has_value());
    }
}

bool LockIndicators::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // Each key event passes the filter once per widget it propagates
        // through; only the first delivery, to a widget, needs a reading.
        if (watched->isWidgetType()) {
            refresh();
        }
        break;
    case QEvent::ApplicationActivate:
        refresh();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orbelle
