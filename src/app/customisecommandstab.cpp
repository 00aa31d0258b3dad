#include "app/customisecommandstab.h"

#include "app/commandset.h"
#include "app/toolbarcustomiser.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QVBoxLayout>

namespace orbelle {
namespace {

constexpr int kIdRole = Qt::UserRole;

// The list the commands are dragged from: the drag carries the command's
// number (0 for the separator entry).
class CommandList : public QListWidget {
  public:
    using QListWidget::QListWidget;

  protected:
    QStringList mimeTypes() const override { return {QLatin1String(kCommandMimeType)}; }
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override {
        if (items.isEmpty()) {
            return nullptr;
        }
        auto* data = new QMimeData;
        data->setData(kCommandMimeType, QByteArray::number(items.first()->data(kIdRole).toInt()));
        return data;
    }
};

} // namespace

CustomiseCommandsTab::CustomiseCommandsTab(const ToolBarCustomiser& customiser,
                                           const QList<MenuCommands>& menus, QWidget* parent)
    : QWidget(parent), m_customiser(customiser), m_menus(menus), m_menuList(new QListWidget(this)),
      m_commandList(new CommandList(this)) {
    setObjectName(QStringLiteral("commandsTab"));
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(tr("コマンドをツール バーへドラッグするとボタンが追加されます。"
                               "ボタンをツール バーの外へドラッグすると削除され、"
                               "ツール バーの中でドラッグすると移動します。"),
                            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto* lists = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(tr("分類:"), this));
    m_menuList->setObjectName(QStringLiteral("categoryList"));
    for (const MenuCommands& menu : std::as_const(m_menus)) {
        m_menuList->addItem(menu.title);
    }
    left->addWidget(m_menuList);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(tr("コマンド:"), this));
    m_commandList->setObjectName(QStringLiteral("commandList"));
    m_commandList->setDragEnabled(true);
    m_commandList->setDragDropMode(QAbstractItemView::DragOnly);
    m_commandList->setDefaultDropAction(Qt::CopyAction);
    m_commandList->setIconSize(QSize(16, 16));
    right->addWidget(m_commandList);
    lists->addLayout(left, 2);
    lists->addLayout(right, 3);
    layout->addLayout(lists);
    connect(m_menuList, &QListWidget::currentRowChanged, this, &CustomiseCommandsTab::showMenu);
    m_menuList->setCurrentRow(0);
}

void CustomiseCommandsTab::showMenu(int index) {
    m_commandList->clear();
    if (index < 0 || index >= m_menus.size()) {
        return;
    }
    for (const CommandId id : m_menus.at(index).commands) {
        const QAction* action = m_customiser.commands().action(id);
        auto* item = new QListWidgetItem(action->icon(), withoutMnemonic(action->text()));
        item->setData(kIdRole, commandNumber(id));
        item->setToolTip(action->statusTip());
        m_commandList->addItem(item);
    }
    // A separator can be dragged from every group.
    auto* separator = new QListWidgetItem(tr("――― 区切り ―――"));
    separator->setData(kIdRole, commandNumber(kToolBarSeparator));
    separator->setToolTip(tr("ボタンの間へドラッグすると区切りが入ります"));
    m_commandList->addItem(separator);
}

} // namespace orbelle
