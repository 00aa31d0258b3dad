#pragma once
// The dialog "カスタマイズ" (CommandId::CustomizeToolBar). Three tabs:
// "コマンド" lists every command of the menus, grouped by menu, to be dragged
// onto a toolbar; "ツール バー" shows, hides, creates, renames, deletes and
// resets toolbars; "キーボード" changes, clears and resets shortcuts. It
// stays open beside the window while the person drags; every change goes
// through ToolBarCustomizer::change and shows at once.

#include "widgets/commandid.h"

#include <QDialog>
#include <QKeySequence>

class QComboBox;
class QKeySequenceEdit;
class QLabel;
class QListWidget;
class QMenuBar;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace orbelle {

class ToolBarCustomizer;

class CustomizeDialog : public QDialog {
    Q_OBJECT
  public:
    CustomizeDialog(ToolBarCustomizer& customizer, QWidget* parent);

    QTabWidget* tabs() const { return m_tabs; }

    /// The menus' commands by menu title (without its mnemonic), in menu
    /// order, as the tab "コマンド" lists them.
    static QList<QPair<QString, QList<CommandId>>> menuCommands(const QMenuBar* bar);

    /// Tab "キーボード": chooses the command whose shortcut is changed.
    void selectShortcutCommand(CommandId id);
    /// Gives the chosen command keys; when another command holds them the
    /// message names it and nothing changes. Returns whether it was given.
    bool assignShortcut(const QKeySequence& keys);
    /// What the tab "キーボード" last reported.
    QString shortcutMessage() const;

    /// Tab "ツール バー": creates a user toolbar with name, or reports why
    /// not; returns whether it was created.
    bool createToolBar(const QString& name);
    bool renameToolBar(int id, const QString& name);

  private:
    QWidget* createCommandsTab();
    QWidget* createToolBarsTab();
    QWidget* createKeyboardTab();
    void refreshToolBars();
    void refreshShortcuts();
    void showCategory(int index);
    int selectedToolBar() const;
    CommandId selectedShortcutCommand() const;
    QString nameProblemText(int problem) const;

    ToolBarCustomizer& m_customizer;
    QList<QPair<QString, QList<CommandId>>> m_categories;
    QTabWidget* m_tabs;
    QListWidget* m_categoryList = nullptr;
    QListWidget* m_commandList = nullptr;
    QListWidget* m_toolBarList = nullptr;
    QPushButton* m_renameButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_resetButton = nullptr;
    QComboBox* m_keyCategory = nullptr;
    QTreeWidget* m_keyCommands = nullptr;
    QKeySequenceEdit* m_keyEdit = nullptr;
    QLabel* m_keyMessage = nullptr;
};

} // namespace orbelle
