#include "panes/favoritestree.h"

#include "panes/favoriteitems.h"
#include "store/favoriteslines.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>

namespace orbelle {
namespace {

// The favorite a drag carries; 0 when it carries none.
int draggedId(const QMimeData* data) {
    if (data == nullptr || !data->hasFormat(QString::fromLatin1(FavoritesTree::kMimeType))) {
        return 0;
    }
    return data->data(QString::fromLatin1(FavoritesTree::kMimeType)).toInt();
}

} // namespace

FavoritesTree::FavoritesTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setMouseTracking(true); // hot tracking
}

QMimeData* FavoritesTree::dragData(int id) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kMimeType), QByteArray::number(id));
    return data;
}

QTreeWidgetItem* FavoritesTree::dropTarget(const QMimeData* data, const QPoint& point) const {
    const int source = draggedId(data);
    QTreeWidgetItem* item = itemAt(point);
    const int target = favoriteIdOf(item);
    if (source <= kRootFolderId || target <= kRootFolderId || target == source) {
        return nullptr;
    }
    return item->flags().testFlag(Qt::ItemIsDropEnabled) ? item : nullptr;
}

void FavoritesTree::startDrag(Qt::DropActions supportedActions) {
    Q_UNUSED(supportedActions);
    QTreeWidgetItem* item = currentItem();
    if (item == nullptr || !item->flags().testFlag(Qt::ItemIsDragEnabled)) {
        return; // folders and the root stay where they are
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(dragData(favoriteIdOf(item)));
    drag->setPixmap(item->icon(0).pixmap(16, 15));
    drag->exec(Qt::MoveAction);
    setHighlight(nullptr);
}

void FavoritesTree::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedId(event->mimeData()) > 0) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void FavoritesTree::dragMoveEvent(QDragMoveEvent* event) {
    // The base class scrolls the tree near its edges; whether a drop is
    // offered is decided here.
    QTreeWidget::dragMoveEvent(event);
    QTreeWidgetItem* target = dropTarget(event->mimeData(), event->position().toPoint());
    setHighlight(target);
    if (target != nullptr) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void FavoritesTree::dragLeaveEvent(QDragLeaveEvent* event) {
    setHighlight(nullptr);
    QTreeWidget::dragLeaveEvent(event);
}

void FavoritesTree::dropEvent(QDropEvent* event) {
    stopAutoScroll();
    setState(NoState);
    setHighlight(nullptr);
    QTreeWidgetItem* target = dropTarget(event->mimeData(), event->position().toPoint());
    if (target == nullptr) {
        event->ignore();
        return;
    }
    // The items are not moved here: the pane changes the store and fills the
    // tree again.
    event->setDropAction(Qt::MoveAction);
    event->accept();
    emit favoriteDropped(draggedId(event->mimeData()), favoriteIdOf(target));
}

void FavoritesTree::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier && currentItem() != nullptr) {
        emit itemEntered(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void FavoritesTree::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QTreeWidget::drawRow(painter, option, index);
    if (m_highlight.isValid() && index == m_highlight) {
        painter->save();
        painter->setPen(QPen(palette().highlight().color(), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        painter->restore();
    }
}

void FavoritesTree::setHighlight(QTreeWidgetItem* item) {
    const QPersistentModelIndex index(item != nullptr ? indexFromItem(item) : QModelIndex());
    if (index != m_highlight) {
        m_highlight = index;
        viewport()->update();
    }
}

} // namespace orbelle
