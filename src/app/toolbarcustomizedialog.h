#pragma once
// "カスタマイズ" (command 126): chooses which buttons the toolbar "標準"
// shows. The commands stay in the menus either way.

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
    /// command numbers not shown now.
    ToolBarCustomizeDialog(const QList<QAction*>& buttons, const QSet<int>& hidden,
                           QWidget* parent = nullptr);

    /// The command numbers the user left unticked.
    QSet<int> hiddenButtons() const;

  private:
    QListWidget* m_list;
};

} // namespace orbelle
