#include "app/commands/filedroptarget.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace orbelle {

FileDropTarget::FileDropTarget(QWidget* window, std::function<void(const QString&)> open)
    : QObject(window), m_open(std::move(open)) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

QString FileDropTarget::droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return {};
    }
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return {};
    }
    return urls.front().toLocalFile();
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (droppedFile(drag->mimeData()).isEmpty()) {
            drag->ignore();
        } else {
            drag->acceptProposedAction();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedFile(drop->mimeData());
        if (path.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        // Opened once the drag has ended, so a message about the file does
        // not hold the source program's drag open.
        QTimer::singleShot(0, this, [this, path] { m_open(path); });
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace orbelle
