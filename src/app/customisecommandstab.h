#pragma once
// The tab "コマンド" of the dialog "カスタマイズ": the menus on the left, the
// chosen menu's commands and a separator on the right, to be dragged onto a
// toolbar (the drag carries kCommandMimeType).

#include "app/menucommands.h"

#include <QWidget>

class QListWidget;

namespace orbelle {

class ToolBarCustomiser;

class CustomiseCommandsTab : public QWidget {
    Q_OBJECT
  public:
    CustomiseCommandsTab(const ToolBarCustomiser& customiser, const QList<MenuCommands>& menus,
                         QWidget* parent = nullptr);

  private:
    void showMenu(int index);

    const ToolBarCustomiser& m_customiser;
    QList<MenuCommands> m_menus;
    QListWidget* m_menuList;
    QListWidget* m_commandList;
};

} // namespace orbelle
