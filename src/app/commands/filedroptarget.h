#pragma once
// Lets a window take one local file dropped onto it: the window accepts the
// drag when it carries exactly one local file and hands the file's path to a
// function on the drop. It watches the window's own drag events, so any part
// of the window that takes no drops of its own leads there.

#include <QObject>
#include <QString>

#include <functional>

class QMimeData;
class QWidget;

namespace orbelle {

class FileDropTarget : public QObject {
    Q_OBJECT
  public:
    /// Makes window accept drops; open receives the dropped file's path.
    FileDropTarget(QWidget* window, std::function<void(const QString&)> open);

    /// The local file a drag carries, or an empty string when it carries
    /// none, more than one, or something other than local files.
    static QString droppedFile(const QMimeData* data);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void(const QString&)> m_open;
};

} // namespace orbelle
