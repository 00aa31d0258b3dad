#include "app/customisedialog.h"

#include "app/customisecommandstab.h"
#include "app/customisekeyboardtab.h"
#include "app/customisetoolbarstab.h"
#include "app/toolbarcustomiser.h"

#include <QDialogButtonBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orbelle {

CustomiseDialog::CustomiseDialog(ToolBarCustomiser& customiser, QWidget* parent)
    : QDialog(parent), m_tabs(new QTabWidget(this)) {
    setObjectName(QStringLiteral("customiseDialog"));
    setWindowTitle(tr("カスタマイズ"));
    setModal(false);
    const QList<MenuCommands> menus =
        menuCommands(*customiser.window()->menuBar(), customiser.commands());
    m_commandsTab = new CustomiseCommandsTab(customiser, menus);
    m_toolBarsTab = new CustomiseToolBarsTab(customiser);
    m_keyboardTab = new CustomiseKeyboardTab(customiser, menus);
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
