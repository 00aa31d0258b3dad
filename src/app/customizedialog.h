#pragma once
// The dialog "カスタマイズ" (CommandId::CustomizeToolBar). Three tabs, one
// class each: "コマンド" lists every command of the menus, grouped by menu, to
// be dragged onto a toolbar; "ツール バー" shows, hides, creates, renames,
// deletes and resets toolbars; "キーボード" changes, clears and resets
// shortcuts. It stays open beside the window while the person drags; every
// change goes through ToolBarCustomizer::change and shows at once.

#include <QDialog>

class QTabWidget;

namespace orbelle {

class CustomizeCommandsTab;
class CustomizeKeyboardTab;
class CustomizeToolBarsTab;
class ToolBarCustomizer;

class CustomizeDialog : public QDialog {
    Q_OBJECT
  public:
    CustomizeDialog(ToolBarCustomizer& customizer, QWidget* parent);

    QTabWidget* tabs() const { return m_tabs; }
    CustomizeCommandsTab* commandsTab() const { return m_commandsTab; }
    CustomizeToolBarsTab* toolBarsTab() const { return m_toolBarsTab; }
    CustomizeKeyboardTab* keyboardTab() const { return m_keyboardTab; }

  private:
    QTabWidget* m_tabs;
    CustomizeCommandsTab* m_commandsTab;
    CustomizeToolBarsTab* m_toolBarsTab;
    CustomizeKeyboardTab* m_keyboardTab;
};

} // namespace orbelle
