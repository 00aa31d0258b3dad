#pragma once
// One drawing's life, from the start to its record in the history: a drawing
// asked for outright (recorded as soon as it completes, or never when a
// history entry is replayed), a live drawing of "自動描画" (CommandId::
// LiveDrawing) that follows every edit of the panes and is recorded once its
// value has settled, a newer drawing superseding the running one, and Esc
// stopping it. The status bar shows the progress of a long drawing and tells
// a stopped one.
//
// While "自動描画" is checked, the edits made in one pass of the event loop
// (a formula's defaults, a reset) give one drawing. Edits that come while a
// live drawing runs let it finish and are drawn together the moment it ends:
// stopping it at every step of a drag would keep any figure from being shown
// until the drag pauses. The view shows a live drawing only once it is
// complete, keeping the previous picture meanwhile. A live value has settled after the settle time
// without an edit, or when a slider is let go. The command's state is kept in
// the settings store; it is off at first.

#include "engine/draw.h"
#include "engine/drawsettings.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class QAction;
class QProgressBar;
class QStatusBar;

namespace orbelle {

class MainView;

class DrawingSession : public QObject {
    Q_OBJECT
  public:
    /// The time without an edit after which a live value counts as settled.
    static constexpr int kSettleMs = 1000;
    /// Reads what the panes hold, with their custom colours.
    using PaneReader = std::function<DrawSettings()>;

    /// liveCommand: the checkable action "自動描画", set here from the
    /// settings store. The progress bar joins statusBar's permanent widgets.
    DrawingSession(MainView* view, QStatusBar* statusBar, QAction* liveCommand, PaneReader panes,
                   QObject* parent);

    /// Draws what the panes hold, superseding the running drawing; it enters
    /// the history once complete unless restoring (a history replay). False,
    /// and nothing changes, for equal drawing and background colours.
    bool draw(bool restoring);

    bool isLive() const;
    /// A value the drawing uses changed: redraws while "自動描画" is on.
    void edited();
    /// A slider was let go: the value the live drawing shows is final.
    void settle();
    /// Another drawing takes over: no live redraw or settle stays pending.
    void stop();
    /// Esc: stops the running drawing, which is not recorded; the view gets
    /// back the picture it showed before it started.
    void cancel();
    /// The window closes: the live drawing on show has settled and stays in
    /// the history; a drawing still running stops.
    void close();

    int settleTime() const { return m_settle.interval(); }
    void setSettleTime(int ms) { m_settle.setInterval(ms); }

  signals:
    /// A drawing was completed other than by replaying the history. A stopped
    /// or superseded drawing is not recorded.
    void drawingRecorded(const orbelle::DrawSettings& settings);

  private:
    /// How the drawing started next enters the history.
    enum class Recording { AtOnce, Never, WhenSettled };
    bool start(const DrawSettings& input, Recording recording);
    void drawLive();
    void startLive();
    void recordSettled();
    void finished(const DrawResult& result);
    void cancelled();
    void progressed(qint64 done, qint64 total);

    MainView* m_view;
    QStatusBar* m_statusBar;
    QAction* m_liveCommand;
    PaneReader m_panes;
    QProgressBar* m_progress;
    QTimer m_redraw; // gathers the edits of one pass of the event loop
    QTimer m_settle;
    // The latest drawing's settings and how it is recorded. A live drawing
    // waits for its value to settle: m_settled says it is recorded as soon as
    // it completes; a completed one that has not settled yet keeps its record
    // in m_unsettled.
    DrawSettings m_drawing;
    Recording m_recording = Recording::Never;
    bool m_settled = false;
    std::optional<DrawSettings> m_unsettled;
    // Edits came while a live drawing ran: drawn once it ends.
    bool m_livePending = false;
    // m_drawing runs or has completed (it was not stopped).
    bool m_drawingStands = false;
};

} // namespace orbelle
