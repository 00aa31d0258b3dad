#pragma once
// HandoverQueue: the files later copies hand over (and the file named on the
// program's own command line) wait here until they can be opened without
// pulling the ground from under an open dialog. A file is opened only while
// no modal dialog or message box is open, one at a time, so the messages of
// one opening never stack on another's; a burst keeps only its newest files.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace orbelle {

class HandoverQueue : public QObject {
    Q_OBJECT
  public:
    /// The most files that wait; an older one gives way to a newer.
    static constexpr qsizetype kMaxWaiting = 16;
    /// How often a waiting queue looks whether the modal dialog has closed.
    static constexpr int kModalPollMs = 100;

    using Opener = std::function<void(const QString& path)>;

    explicit HandoverQueue(Opener open, QObject* parent = nullptr);

    /// Puts path at the end of the queue; it is opened from the event loop.
    void add(const QString& path);
    /// Opens the first waiting file unless a modal widget is open or an
    /// opening is still under way (its message box, say); true if it did.
    bool openNext();
    [[nodiscard]] const QStringList& waiting() const { return m_waiting; }

  private:
    void drain();

    Opener m_open;
    QStringList m_waiting;
    QTimer m_timer;
    bool m_opening = false;
};

} // namespace orbelle
