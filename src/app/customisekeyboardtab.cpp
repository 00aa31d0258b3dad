#include "app/customisekeyboardtab.h"

#include "app/commandset.h"
#include "app/toolbarcustomiser.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orbelle {
namespace {

constexpr int kIdRole = Qt::UserRole;

} // namespace

CustomiseKeyboardTab::CustomiseKeyboardTab(ToolBarCustomiser& customiser,
                                           const QList<MenuCommands>& menus, QWidget* parent)
    : QWidget(parent), m_customiser(customiser), m_menus(menus), m_menuBox(new QComboBox(this)),
      m_commandList(new QTreeWidget(this)), m_keyEdit(new QKeySequenceEdit(this)),
      m_message(new QLabel(this)) {
    setObjectName(QStringLiteral("keyboardTab"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("分類:"), this));
    for (const MenuCommands& menu : std::as_const(m_menus)) {
        m_menuBox->addItem(menu.title);
    }
    top->addWidget(m_menuBox, 1);
    layout->addLayout(top);
    m_commandList->setObjectName(QStringLiteral("shortcutList"));
    m_commandList->setRootIsDecorated(false);
    m_commandList->setHeaderLabels({tr("コマンド"), tr("ショートカット キー")});
    m_commandList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    layout->addWidget(m_commandList);
    auto* keys = new QHBoxLayout;
    keys->addWidget(new QLabel(tr("新しいショートカット キー:"), this));
    if (auto* line = m_keyEdit->findChild<QLineEdit*>()) {
        line->setPlaceholderText(tr("キーを押してください"));
    }
    keys->addWidget(m_keyEdit, 1);
    auto* assign = new QPushButton(tr("割り当て(&A)"), this);
    auto* clear = new QPushButton(tr("削除(&R)"), this);
    keys->addWidget(assign);
    keys->addWidget(clear);
    layout->addLayout(keys);
    m_message->setObjectName(QStringLiteral("shortcutMessage"));
    m_message->setWordWrap(true);
    layout->addWidget(m_message);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    auto* resetAll = new QPushButton(tr("すべてリセット(&S)"), this);
    bottom->addWidget(resetAll);
    layout->addLayout(bottom);

    connect(m_menuBox, &QComboBox::currentIndexChanged, this, [this] {
        refresh();
        m_commandList->setCurrentItem(m_commandList->topLevelItem(0));
    });
    connect(m_commandList, &QTreeWidget::currentItemChanged, this, [this] {
        m_keyEdit->clear();
        m_message->clear();
    });
    // Typed keys show at once which command already has them.
    connect(
        m_keyEdit, &QKeySequenceEdit::keySequenceChanged, this, [this](const QKeySequence& typed) {
            const QKeySequence first = typed.isEmpty() ? typed : QKeySequence(typed[0]);
            const auto holder = m_customiser.arrangement().holderOf(
                first.toString(QKeySequence::PortableText), selectedCommand());
            m_message->setText(holder ? tr("現在の割り当て先: %1").arg(label(*holder)) : QString());
        });
    connect(assign, &QPushButton::clicked, this, [this] {
        const QKeySequence typed = m_keyEdit->keySequence();
        if (!typed.isEmpty()) {
            assignShortcut(QKeySequence(typed[0]));
        }
    });
    connect(clear, &QPushButton::clicked, this, [this] { assignShortcut({}); });
    connect(resetAll, &QPushButton::clicked, this, [this] {
        m_customiser.change([](Customisation& c) {
            c.resetShortcuts();
            return true;
        });
        m_message->setText(tr("ショートカット キーを既定に戻しました。"));
    });
    connect(&m_customiser, &ToolBarCustomiser::changed, this, &CustomiseKeyboardTab::refresh);
    refresh();
}

QString CustomiseKeyboardTab::label(CommandId id) const {
    return withoutMnemonic(m_customiser.commands().action(id)->text());
}

void CustomiseKeyboardTab::refresh() {
    const CommandId selected = selectedCommand();
    const int index = m_menuBox->currentIndex();
    const QSignalBlocker blocker(m_commandList);
    m_commandList->clear();
    if (index < 0 || index >= m_menus.size()) {
        return;
    }
    for (const CommandId id : m_menus.at(index).commands) {
        const QKeySequence keys = QKeySequence::fromString(m_customiser.arrangement().shortcut(id),
                                                           QKeySequence::PortableText);
        auto* item = new QTreeWidgetItem(m_commandList,
                                         {label(id), keys.toString(QKeySequence::NativeText)});
        item->setIcon(0, m_customiser.commands().action(id)->icon());
        item->setData(0, kIdRole, commandNumber(id));
        if (id == selected) {
            m_commandList->setCurrentItem(item);
        }
    }
    if (m_commandList->currentItem() == nullptr) {
        m_commandList->setCurrentItem(m_commandList->topLevelItem(0));
    }
}

CommandId CustomiseKeyboardTab::selectedCommand() const {
    const QTreeWidgetItem* item = m_commandList->currentItem();
    return item == nullptr ? CommandId{0} : CommandId{item->data(0, kIdRole).toInt()};
}

void CustomiseKeyboardTab::selectCommand(CommandId id) {
    for (int menu = 0; menu < m_menus.size(); ++menu) {
        if (m_menus.at(menu).commands.contains(id)) {
            m_menuBox->setCurrentIndex(menu);
            refresh();
            for (int row = 0; row < m_commandList->topLevelItemCount(); ++row) {
                QTreeWidgetItem* item = m_commandList->topLevelItem(row);
                if (item->data(0, kIdRole).toInt() == commandNumber(id)) {
                    m_commandList->setCurrentItem(item);
                }
            }
            return;
        }
    }
}

bool CustomiseKeyboardTab::assignShortcut(const QKeySequence& keys) {
    const CommandId command = selectedCommand();
    if (command == CommandId{0}) {
        return false;
    }
    const QString text = keys.toString(QKeySequence::PortableText);
    Customisation::ShortcutChange result;
    m_customiser.change([&](Customisation& c) {
        result = c.setShortcut(command, text);
        return result.applied;
    });
    if (result.applied) {
        m_keyEdit->clear();
    }
    if (result.heldBy) {
        m_message->setText(
            tr("%1 は既に「%2」に割り当てられています。先にそちらを削除してください。")
                .arg(keys.toString(QKeySequence::NativeText), label(*result.heldBy)));
    } else if (result.applied) {
        m_message->setText(
            keys.isEmpty() ? tr("「%1」のショートカット キーを削除しました。").arg(label(command))
                           : tr("「%1」に %2 を割り当てました。")
                                 .arg(label(command), keys.toString(QKeySequence::NativeText)));
    }
    return result.applied;
}

QString CustomiseKeyboardTab::message() const { return m_message->text(); }

} // namespace orbelle
