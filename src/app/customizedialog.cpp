#include "app/customizedialog.h"

#include "app/customizecommandstab.h"
#include "app/customizekeyboardtab.h"
#include "app/customizetoolbarstab.h"
#include "app/toolbarcustomizer.h"

#include <QDialogButtonBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orbelle {

CustomizeDialog::CustomizeDialog(ToolBarCustomizer& customizer, QWidget* parent)
    : QDialog(parent), m_tabs(new QTabWidget(this)) {
    setObjectName(QStringLiteral("customizeDialog"));
    setWindowTitle(tr("カスタマイズ"));
    setModal(false);
    const QList<MenuCommands> menus =
        menuCommands(*customizer.window()->menuBar(), customizer.commands());
    m_commandsTab = new CustomizeCommandsTab(customizer, menus);
    m_toolBarsTab = new CustomizeToolBarsTab(customizer);
    m_keyboardTab = new CustomizeKeyboardTab(customizer, menus);
    m_tabs->addTab(m_commandsTab, tr("コマンド"));
    m_tabs->addTab(m_toolBarsTab, tr("ツール バー"));
    m_tabs->addTab(m_keyboardTab, tr("キーボード"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    auto* box = new QDialogButtonBox(this);
    box->addButton(tr("閉じる"), QDialogButtonBox::RejectRole);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
    resize(560, 420);
}

} // namespace orbelle
