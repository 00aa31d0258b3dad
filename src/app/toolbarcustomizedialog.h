#pragma once
// "カスタマイズ" (CommandId::CustomizeToolBar): chooses which buttons the toolbar "標準"
// shows. The commands stay in the menus either way.

#include "widgets/commandid.h"

#include <QDialog>
#include <QList>
#include <QSet>

class QAction;
class QListWidget;

namespace orbelle {

class ToolBarCustomizeDialog : public QDialog {
    Q_OBJECT
  public:
    /// buttons: the toolbar's commands in toolbar order; hidden: the
    /// commands not shown now.
    ToolBarCustomizeDialog(const QList<QAction*>& buttons, const QSet<CommandId>& hidden,
                           QWidget* parent = nullptr);

    /// The commands the user left unticked.
    QSet<CommandId> hiddenButtons() const;

  private:
    QListWidget* m_list;
};

} // namespace orbelle
