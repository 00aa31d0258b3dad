#include "app/drawingsession.h"

#include "app/settingskeys.h"
#include "view/mainview.h"

#include <QAction>
#include <QProgressBar>
#include <QSettings>
#include <QStatusBar>

namespace orbelle {

DrawingSession::DrawingSession(MainView* view, QStatusBar* statusBar, QAction* liveCommand,
                               PaneReader panes, QObject* parent)
    : QObject(parent), m_view(view), m_statusBar(statusBar), m_liveCommand(liveCommand),
      m_panes(std::move(panes)), m_progress(new QProgressBar(statusBar)) {
    // The share of dots a long drawing has done.
    m_progress->setObjectName(QStringLiteral("drawingProgress"));
    m_progress->setRange(0, 1000);
    m_progress->setTextVisible(false);
    m_progress->setMaximumWidth(160);
    m_progress->hide();
    statusBar->insertPermanentWidget(0, m_progress);
    connect(m_view, &MainView::drawingFinished, this, &DrawingSession::finished);
    connect(m_view, &MainView::drawingCancelled, this, &DrawingSession::cancelled);
    connect(m_view, &MainView::drawingProgress, this, &DrawingSession::progressed);

    m_redraw.setSingleShot(true);
    m_redraw.setInterval(0);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_redraw, &QTimer::timeout, this, &DrawingSession::drawLive);
    connect(&m_settle, &QTimer::timeout, this, &DrawingSession::recordSettled);

    m_liveCommand->setChecked(QSettings().value(SettingsKeys::LiveDrawing, false).toBool());
    connect(m_liveCommand, &QAction::toggled, this, [this](bool on) {
        QSettings().setValue(SettingsKeys::LiveDrawing, on);
        if (!on) {
            m_redraw.stop(); // a pending settle still records what was drawn
        }
    });
}

bool DrawingSession::draw(bool restoring) {
    return start(m_panes(), restoring ? Recording::Never : Recording::AtOnce);
}

bool DrawingSession::isLive() const { return m_liveCommand->isChecked(); }

void DrawingSession::edited() {
    if (!isLive()) {
        return;
    }
    m_redraw.start();
    m_settle.start();
}

void DrawingSession::settle() {
    if (m_redraw.isActive()) {
        m_redraw.stop();
        drawLive();
    }
    m_settle.stop();
    recordSettled();
}

void DrawingSession::stop() {
    m_redraw.stop();
    m_settle.stop();
}

void DrawingSession::cancel() { m_view->cancelDrawing(); }

void DrawingSession::close() {
    recordSettled();
    m_view->cancelDrawing();
}

bool DrawingSession::start(const DrawSettings& input, Recording recording) {
    // A live drawing shows only complete pictures; one asked for outright
    // shows its progress once it takes long.
    const MainView::Showing showing = recording == Recording::WhenSettled
                                          ? MainView::Showing::CompleteOnly
                                          : MainView::Showing::ProgressWhenSlow;
    if (!m_view->startDrawing(input, showing)) {
        return false;
    }
    m_drawing = input;
    m_drawingStands = true;
    m_recording = recording;
    m_settled = false;
    m_livePending = false;
    m_unsettled.reset();
    return true;
}

void DrawingSession::drawLive() {
    // Values written and drawn at once by a command (the figure finder, a
    // record applied) are drawn already, or being drawn.
    if (m_drawingStands && m_panes() == m_drawing) {
        m_livePending = false;
        return;
    }
    if (m_view->isDrawing() && m_recording == Recording::WhenSettled) {
        m_livePending = true;
        m_settled = false;
        return;
    }
    startLive();
}

void DrawingSession::startLive() {
    // A message box at every step of a slider would stop the drag.
    if (!start(m_panes(), Recording::WhenSettled)) {
        m_statusBar->showMessage(tr("描画色と背景色が同じ色です"));
    }
}

void DrawingSession::recordSettled() {
    // Nothing is recorded when the latest drawing is no live one, was stopped
    // or has been recorded already.
    if (m_unsettled) {
        const DrawSettings record = *m_unsettled;
        m_unsettled.reset();
        emit drawingRecorded(record);
    } else if (m_view->isDrawing() && m_recording == Recording::WhenSettled) {
        m_settled = true;
    }
}

void DrawingSession::finished(const DrawResult& result) {
    m_progress->hide();
    if (m_livePending) {
        // Shown, and passed by the values edited meanwhile: those are drawn
        // next, and a settle asked for since applies to them.
        const bool settled = m_settled;
        startLive();
        m_settled = settled;
        return;
    }
    DrawSettings drawn = m_drawing;
    drawn.drawColor = result.drawColor;
    drawn.backColor = result.backColor;
    switch (m_recording) {
    case Recording::AtOnce:
        emit drawingRecorded(drawn);
        break;
    case Recording::WhenSettled:
        if (m_settled) {
            emit drawingRecorded(drawn);
        } else {
            m_unsettled = drawn;
        }
        break;
    case Recording::Never:
        break;
    }
    m_settled = false;
}

void DrawingSession::cancelled() {
    // The view puts the previous picture back; nothing of this drawing stays.
    m_progress->hide();
    m_recording = Recording::Never;
    m_settled = false;
    m_livePending = false;
    m_drawingStands = false;
    m_statusBar->showMessage(tr("描画を中止しました"));
}

void DrawingSession::progressed(qint64 done, qint64 total) {
    if (total > 0) {
        m_progress->setValue(static_cast<int>(done * 1000 / total));
        m_progress->show();
    }
}

} // namespace orbelle
