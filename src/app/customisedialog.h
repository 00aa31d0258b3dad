#pragma once
// The dialog "カスタマイズ" (CommandId::CustomiseToolBar). Three tabs, one
// class each: "コマンド" lists every command of the menus, grouped by menu, to
// be dragged onto a toolbar; "ツール バー" shows, hides, creates, renames,
// deletes and resets toolbars; "キーボード" changes, clears and resets
// shortcuts. It stays open beside the window while the person drags; every
// change goes through ToolBarCustomiser::change and shows at once.

#include <QDialog>

class QTabWidget;

namespace orbelle {

class CustomiseCommandsTab;
class CustomiseKeyboardTab;
class CustomiseToolBarsTab;
class ToolBarCustomiser;

class CustomiseDialog : public QDialog {
    Q_OBJECT
  public:
    CustomiseDialog(ToolBarCustomiser& customiser, QWidget* parent);

    QTabWidget* tabs() const { return m_tabs; }
    CustomiseCommandsTab* commandsTab() const { return m_commandsTab; }
    CustomiseToolBarsTab* toolBarsTab() const { return m_toolBarsTab; }
    CustomiseKeyboardTab* keyboardTab() const { return m_keyboardTab; }

  private:
    QTabWidget* m_tabs;
    CustomiseCommandsTab* m_commandsTab;
    CustomiseToolBarsTab* m_toolBarsTab;
    CustomiseKeyboardTab* m_keyboardTab;
};

} // namespace orbelle
