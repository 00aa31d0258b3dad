#pragma once
// Live drawing, the checkable command "自動描画" (CommandId::LiveDrawing):
// while it is checked, every edit in the panes redraws at once, superseding
// the running drawing, so dragging a slider animates the figure. Edits made in
// one go (a formula's defaults, a reset) give one drawing. A live drawing
// enters the history once its value has settled: no further edit for the
// settle time, or a slider let go. The command's state is kept in the
// settings store; it is off at first.

#include <QObject>
#include <QTimer>

class QAction;

namespace orbelle {

class CommandHost;

class LiveDrawing : public QObject {
    Q_OBJECT
  public:
    /// The time without an edit after which a value counts as settled.
    static constexpr int kSettleMs = 1000;

    /// command: the checkable action, set here from the settings store.
    LiveDrawing(QAction* command, CommandHost& host, QObject* parent);

    bool isOn() const;

    /// A value the drawing uses changed: redraws while the command is on.
    void edited();
    /// A slider was let go: the value the live drawing shows is final.
    void settle();
    /// Another drawing takes over: no live drawing or record stays pending.
    void stop();

    int settleTime() const { return m_settle.interval(); }
    void setSettleTime(int ms) { m_settle.setInterval(ms); }

  private:
    QAction* m_command;
    CommandHost& m_host;
    QTimer m_redraw; // gathers the edits of one pass of the event loop
    QTimer m_settle;
};

} // namespace orbelle
