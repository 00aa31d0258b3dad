#pragma once
// The tab "キーボード" of the dialog "カスタマイズ": a menu's commands with
// their shortcuts; typed keys are given to the chosen command, cleared, or
// every shortcut is reset. Keys another command holds are refused, and the
// message below names that command.

#include "app/menucommands.h"

#include <QKeySequence>
#include <QWidget>

class QComboBox;
class QKeySequenceEdit;
class QLabel;
class QTreeWidget;

namespace orbelle {

class ToolBarCustomiser;

class CustomiseKeyboardTab : public QWidget {
    Q_OBJECT
  public:
    CustomiseKeyboardTab(ToolBarCustomiser& customiser, const QList<MenuCommands>& menus,
                         QWidget* parent = nullptr);

    /// Chooses the command whose shortcut is changed.
    void selectCommand(CommandId id);
    /// Gives the chosen command keys; when another command holds them the
    /// message names it and nothing changes. Returns whether it was given.
    bool assignShortcut(const QKeySequence& keys);
    /// What the tab last reported.
    QString message() const;

  private:
    void refresh();
    CommandId selectedCommand() const;
    QString label(CommandId id) const;

    ToolBarCustomiser& m_customiser;
    QList<MenuCommands> m_menus;
    QComboBox* m_menuBox;
    QTreeWidget* m_commandList;
    QKeySequenceEdit* m_keyEdit;
    QLabel* m_message;
};

} // namespace orbelle
