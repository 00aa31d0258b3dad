#pragma once
// FavoritesTree: the tree of the favorites pane. A favorite can be dragged
// within the tree (Qt's own drag and drop; Esc cancels); the tree never moves
// items itself but reports the drop, and the pane changes the store. A drop
// is offered only on a folder other than the root or on another favorite.
// Enter reports the current item.

#include <QTreeWidget>

class QMimeData;

namespace orbelle {

class FavoritesTree : public QTreeWidget {
    Q_OBJECT
  public:
    /// The drag's data format: the dragged favorite's id as decimal text.
    static constexpr const char* kMimeType = "application/x-orbelle-favorite";

    explicit FavoritesTree(QWidget* parent = nullptr);

    /// The data a drag of favorite `id` carries.
    static QMimeData* dragData(int id);
    /// The item a drop of `data` at `point` (viewport coordinates) would land
    /// on; nullptr when it lands nowhere (empty space, the root, itself, not
    /// a favorite being dragged).
    QTreeWidgetItem* dropTarget(const QMimeData* data, const QPoint& point) const;

  signals:
    /// Favorite `source` was dropped on entry `target`.
    void favoriteDropped(int source, int target);
    /// Enter or Return on `item`.
    void itemEntered(QTreeWidgetItem* item);

  protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;

  private:
    void setHighlight(QTreeWidgetItem* item);

    QPersistentModelIndex m_highlight;
};

} // namespace orbelle
