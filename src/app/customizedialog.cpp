#include "app/customizedialog.h"

#include "app/commandset.h"
#include "app/toolbarcustomizer.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orbelle {
namespace {

constexpr int kIdRole = Qt::UserRole;

// "ファイル(&F)" -> "ファイル", "Visual Studio 200&5" -> "Visual Studio 2005".
QString withoutMnemonic(QString text) {
    static const QRegularExpression bracketed(QStringLiteral("\\(&.\\)"));
    text.remove(bracketed);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// Commands are the actions named "cmd<number>".
std::optional<CommandId> commandOf(const QAction* action) {
    const QString name = action->objectName();
    bool ok = false;
    const int number = name.startsWith(QLatin1String("cmd")) ? name.mid(3).toInt(&ok) : 0;
    return ok ? std::optional<CommandId>(CommandId{number}) : std::nullopt;
}

void collect(const QMenu* menu, QList<CommandId>& ids) {
    for (const QAction* action : menu->actions()) {
        if (action->menu() != nullptr) {
            collect(action->menu(), ids);
        } else if (const std::optional<CommandId> id = commandOf(action);
                   id && !ids.contains(*id)) {
            ids << *id;
        }
    }
}

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

CustomizeDialog::CustomizeDialog(ToolBarCustomizer& customizer, QWidget* parent)
    : QDialog(parent), m_customizer(customizer),
      m_categories(menuCommands(customizer.window()->menuBar())), m_tabs(new QTabWidget(this)) {
    setObjectName(QStringLiteral("customizeDialog"));
    setWindowTitle(tr("カスタマイズ"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    m_tabs->addTab(createCommandsTab(), tr("コマンド"));
    m_tabs->addTab(createToolBarsTab(), tr("ツール バー"));
    m_tabs->addTab(createKeyboardTab(), tr("キーボード"));
    layout->addWidget(m_tabs);
    auto* box = new QDialogButtonBox(this);
    box->addButton(tr("閉じる"), QDialogButtonBox::RejectRole);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);

    connect(&m_customizer, &ToolBarCustomizer::toolBarShownOrHidden, this,
            &CustomizeDialog::refreshToolBars);
    connect(&m_customizer, &ToolBarCustomizer::changed, this, [this] {
        refreshToolBars();
        refreshShortcuts();
    });
    refreshToolBars();
    refreshShortcuts();
    resize(560, 420);
}

QList<QPair<QString, QList<CommandId>>> CustomizeDialog::menuCommands(const QMenuBar* bar) {
    QList<QPair<QString, QList<CommandId>>> categories;
    for (const QAction* top : bar->actions()) {
        if (top->menu() == nullptr) {
            continue;
        }
        QList<CommandId> ids;
        collect(top->menu(), ids);
        if (!ids.isEmpty()) {
            categories.append({withoutMnemonic(top->text()), ids});
        }
    }
    return categories;
}

QWidget* CustomizeDialog::createCommandsTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("commandsTab"));
    auto* layout = new QVBoxLayout(tab);
    auto* hint = new QLabel(tr("コマンドをツール バーへドラッグするとボタンが追加されます。"
                               "ボタンをツール バーの外へドラッグすると削除され、"
                               "ツール バーの中でドラッグすると移動します。"),
                            tab);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto* lists = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(tr("分類:"), tab));
    m_categoryList = new QListWidget(tab);
    m_categoryList->setObjectName(QStringLiteral("categoryList"));
    for (const auto& category : std::as_const(m_categories)) {
        m_categoryList->addItem(category.first);
    }
    left->addWidget(m_categoryList);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(tr("コマンド:"), tab));
    m_commandList = new CommandList(tab);
    m_commandList->setObjectName(QStringLiteral("commandList"));
    m_commandList->setDragEnabled(true);
    m_commandList->setDragDropMode(QAbstractItemView::DragOnly);
    m_commandList->setDefaultDropAction(Qt::CopyAction);
    m_commandList->setIconSize(QSize(16, 16));
    right->addWidget(m_commandList);
    lists->addLayout(left, 2);
    lists->addLayout(right, 3);
    layout->addLayout(lists);
    connect(m_categoryList, &QListWidget::currentRowChanged, this, &CustomizeDialog::showCategory);
    m_categoryList->setCurrentRow(0);
    return tab;
}

void CustomizeDialog::showCategory(int index) {
    m_commandList->clear();
    if (index < 0 || index >= m_categories.size()) {
        return;
    }
    for (const CommandId id : m_categories.at(index).second) {
        const QAction* action = m_customizer.commands().action(id);
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

QWidget* CustomizeDialog::createToolBarsTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("toolBarsTab"));
    auto* layout = new QHBoxLayout(tab);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(tr("ツール バー:"), tab));
    m_toolBarList = new QListWidget(tab);
    m_toolBarList->setObjectName(QStringLiteral("toolBarList"));
    left->addWidget(m_toolBarList);
    layout->addLayout(left, 1);
    auto* buttons = new QVBoxLayout;
    auto* create = new QPushButton(tr("新規作成(&N)..."), tab);
    m_renameButton = new QPushButton(tr("名前の変更(&E)..."), tab);
    m_deleteButton = new QPushButton(tr("削除(&D)"), tab);
    m_resetButton = new QPushButton(tr("リセット(&R)"), tab);
    for (QPushButton* button : {create, m_renameButton, m_deleteButton, m_resetButton}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(m_toolBarList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (QToolBar* bar = m_customizer.toolBar(item->data(kIdRole).toInt())) {
            bar->setVisible(item->checkState() == Qt::Checked);
        }
    });
    connect(m_toolBarList, &QListWidget::currentRowChanged, this, [this] {
        const int id = selectedToolBar();
        m_renameButton->setEnabled(Customisation::isUserToolBar(id) && id != 0);
        m_deleteButton->setEnabled(Customisation::isUserToolBar(id) && id != 0);
        m_resetButton->setEnabled(id == Customisation::kStandardToolBarId);
    });
    connect(create, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QString name = QInputDialog::getText(
            this, tr("新しいツール バー"), tr("ツール バー名(&T):"), QLineEdit::Normal,
            tr("ユーザー定義 %1").arg(m_customizer.arrangement().toolBars().size()), &ok);
        if (ok) {
            createToolBar(name);
        }
    });
    connect(m_renameButton, &QPushButton::clicked, this, [this] {
        const int id = selectedToolBar();
        bool ok = false;
        const QString name = QInputDialog::getText(
            this, tr("ツール バー名の変更"), tr("ツール バー名(&T):"), QLineEdit::Normal,
            m_customizer.arrangement().toolBar(id)->name, &ok);
        if (ok) {
            renameToolBar(id, name);
        }
    });
    connect(m_deleteButton, &QPushButton::clicked, this, [this] {
        const int id = selectedToolBar();
        const auto* bar = m_customizer.arrangement().toolBar(id);
        if (bar != nullptr &&
            QMessageBox::question(this, tr("カスタマイズ"),
                                  tr("ツール バー「%1」を削除しますか?").arg(bar->name)) ==
                QMessageBox::Yes) {
            m_customizer.change([id](Customisation& c) { return c.removeUserToolBar(id); });
        }
    });
    connect(m_resetButton, &QPushButton::clicked, this, [this] {
        m_customizer.change([](Customisation& c) {
            c.resetStandardToolBar();
            return true;
        });
        if (QToolBar* bar = m_customizer.toolBar(Customisation::kStandardToolBarId)) {
            bar->show();
        }
    });
    return tab;
}

QString CustomizeDialog::nameProblemText(int problem) const {
    switch (static_cast<Customisation::NameProblem>(problem)) {
    case Customisation::NameProblem::Empty:
        return tr("ツール バー名を入力してください。");
    case Customisation::NameProblem::Taken:
        return tr("その名前のツール バーは既にあります。");
    case Customisation::NameProblem::TooMany:
        return tr("ユーザー定義のツール バーは %1 個までです。")
            .arg(Customisation::kMaxUserToolBars);
    case Customisation::NameProblem::None:
        break;
    }
    return {};
}

bool CustomizeDialog::createToolBar(const QString& name) {
    const auto problem = m_customizer.arrangement().checkName(name);
    if (problem != Customisation::NameProblem::None) {
        QMessageBox::warning(this, tr("カスタマイズ"), nameProblemText(int(problem)));
        return false;
    }
    std::optional<int> id;
    m_customizer.change([&](Customisation& c) {
        id = c.addUserToolBar(name);
        return id.has_value();
    });
    if (id) {
        m_customizer.toolBar(*id)->show();
        for (int row = 0; row < m_toolBarList->count(); ++row) {
            if (m_toolBarList->item(row)->data(kIdRole).toInt() == *id) {
                m_toolBarList->setCurrentRow(row);
            }
        }
    }
    return id.has_value();
}

bool CustomizeDialog::renameToolBar(int id, const QString& name) {
    const auto problem = m_customizer.arrangement().checkName(name, id);
    if (problem != Customisation::NameProblem::None) {
        QMessageBox::warning(this, tr("カスタマイズ"), nameProblemText(int(problem)));
        return false;
    }
    return m_customizer.change([&](Customisation& c) { return c.renameUserToolBar(id, name); });
}

int CustomizeDialog::selectedToolBar() const {
    const QListWidgetItem* item = m_toolBarList->currentItem();
    return item == nullptr ? 0 : item->data(kIdRole).toInt();
}

void CustomizeDialog::refreshToolBars() {
    const int selected = selectedToolBar();
    const QSignalBlocker blocker(m_toolBarList);
    m_toolBarList->clear();
    int row = 0;
    for (const ToolBarArrangement& arrangement : m_customizer.arrangement().toolBars()) {
        auto* item = new QListWidgetItem(arrangement.name, m_toolBarList);
        item->setData(kIdRole, arrangement.id);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const QToolBar* bar = m_customizer.toolBar(arrangement.id);
        item->setCheckState(bar != nullptr && !bar->isHidden() ? Qt::Checked : Qt::Unchecked);
        if (arrangement.id == selected) {
            row = m_toolBarList->count() - 1;
        }
    }
    m_toolBarList->setCurrentRow(row);
    const int id = selectedToolBar();
    m_renameButton->setEnabled(Customisation::isUserToolBar(id) && id != 0);
    m_deleteButton->setEnabled(Customisation::isUserToolBar(id) && id != 0);
    m_resetButton->setEnabled(id == Customisation::kStandardToolBarId);
}

QWidget* CustomizeDialog::createKeyboardTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("keyboardTab"));
    auto* layout = new QVBoxLayout(tab);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("分類:"), tab));
    m_keyCategory = new QComboBox(tab);
    for (const auto& category : std::as_const(m_categories)) {
        m_keyCategory->addItem(category.first);
    }
    top->addWidget(m_keyCategory, 1);
    layout->addLayout(top);
    m_keyCommands = new QTreeWidget(tab);
    m_keyCommands->setObjectName(QStringLiteral("shortcutList"));
    m_keyCommands->setRootIsDecorated(false);
    m_keyCommands->setHeaderLabels({tr("コマンド"), tr("ショートカット キー")});
    m_keyCommands->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    layout->addWidget(m_keyCommands);
    auto* keys = new QHBoxLayout;
    keys->addWidget(new QLabel(tr("新しいショートカット キー:"), tab));
    m_keyEdit = new QKeySequenceEdit(tab);
    if (auto* line = m_keyEdit->findChild<QLineEdit*>()) {
        line->setPlaceholderText(tr("キーを押してください"));
    }
    keys->addWidget(m_keyEdit, 1);
    auto* assign = new QPushButton(tr("割り当て(&A)"), tab);
    auto* clear = new QPushButton(tr("削除(&R)"), tab);
    keys->addWidget(assign);
    keys->addWidget(clear);
    layout->addLayout(keys);
    m_keyMessage = new QLabel(tab);
    m_keyMessage->setObjectName(QStringLiteral("shortcutMessage"));
    m_keyMessage->setWordWrap(true);
    layout->addWidget(m_keyMessage);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    auto* resetAll = new QPushButton(tr("すべてリセット(&S)"), tab);
    bottom->addWidget(resetAll);
    layout->addLayout(bottom);

    connect(m_keyCategory, &QComboBox::currentIndexChanged, this, [this] {
        refreshShortcuts();
        m_keyCommands->setCurrentItem(m_keyCommands->topLevelItem(0));
    });
    connect(m_keyCommands, &QTreeWidget::currentItemChanged, this, [this] {
        m_keyEdit->clear();
        m_keyMessage->clear();
    });
    // Typed keys show at once which command already has them.
    connect(
        m_keyEdit, &QKeySequenceEdit::keySequenceChanged, this, [this](const QKeySequence& keys) {
            const QKeySequence first = keys.isEmpty() ? keys : QKeySequence(keys[0]);
            const auto holder = m_customizer.arrangement().holderOf(
                first.toString(QKeySequence::PortableText), selectedShortcutCommand());
            m_keyMessage->setText(
                holder ? tr("現在の割り当て先: %1")
                             .arg(withoutMnemonic(m_customizer.commands().action(*holder)->text()))
                       : QString());
        });
    connect(assign, &QPushButton::clicked, this, [this] {
        const QKeySequence keys = m_keyEdit->keySequence();
        if (!keys.isEmpty()) {
            assignShortcut(QKeySequence(keys[0]));
        }
    });
    connect(clear, &QPushButton::clicked, this, [this] { assignShortcut({}); });
    connect(resetAll, &QPushButton::clicked, this, [this] {
        m_customizer.change([](Customisation& c) {
            c.resetShortcuts();
            return true;
        });
        m_keyMessage->setText(tr("ショートカット キーを既定に戻しました。"));
    });
    m_keyCommands->setCurrentItem(m_keyCommands->topLevelItem(0));
    return tab;
}

void CustomizeDialog::refreshShortcuts() {
    const CommandId selected = selectedShortcutCommand();
    const int index = m_keyCategory->currentIndex();
    const QSignalBlocker blocker(m_keyCommands);
    m_keyCommands->clear();
    if (index < 0 || index >= m_categories.size()) {
        return;
    }
    for (const CommandId id : m_categories.at(index).second) {
        const QAction* action = m_customizer.commands().action(id);
        const QKeySequence keys = QKeySequence::fromString(m_customizer.arrangement().shortcut(id),
                                                           QKeySequence::PortableText);
        auto* item = new QTreeWidgetItem(m_keyCommands, {withoutMnemonic(action->text()),
                                                         keys.toString(QKeySequence::NativeText)});
        item->setIcon(0, action->icon());
        item->setData(0, kIdRole, commandNumber(id));
        if (id == selected) {
            m_keyCommands->setCurrentItem(item);
        }
    }
    if (m_keyCommands->currentItem() == nullptr) {
        m_keyCommands->setCurrentItem(m_keyCommands->topLevelItem(0));
    }
}

CommandId CustomizeDialog::selectedShortcutCommand() const {
    const QTreeWidgetItem* item = m_keyCommands->currentItem();
    return item == nullptr ? CommandId{0} : CommandId{item->data(0, kIdRole).toInt()};
}

void CustomizeDialog::selectShortcutCommand(CommandId id) {
    for (int category = 0; category < m_categories.size(); ++category) {
        if (m_categories.at(category).second.contains(id)) {
            m_keyCategory->setCurrentIndex(category);
            refreshShortcuts();
            for (int row = 0; row < m_keyCommands->topLevelItemCount(); ++row) {
                QTreeWidgetItem* item = m_keyCommands->topLevelItem(row);
                if (item->data(0, kIdRole).toInt() == commandNumber(id)) {
                    m_keyCommands->setCurrentItem(item);
                }
            }
            return;
        }
    }
}

bool CustomizeDialog::assignShortcut(const QKeySequence& keys) {
    const CommandId command = selectedShortcutCommand();
    if (command == CommandId{0}) {
        return false;
    }
    const QString text = keys.toString(QKeySequence::PortableText);
    Customisation::ShortcutChange result;
    m_customizer.change([&](Customisation& c) {
        result = c.setShortcut(command, text);
        return result.applied;
    });
    const QString label = withoutMnemonic(m_customizer.commands().action(command)->text());
    if (result.applied) {
        m_keyEdit->clear();
    }
    if (result.heldBy) {
        m_keyMessage->setText(
            tr("%1 は既に「%2」に割り当てられています。先にそちらを削除してください。")
                .arg(keys.toString(QKeySequence::NativeText),
                     withoutMnemonic(m_customizer.commands().action(*result.heldBy)->text())));
    } else if (result.applied) {
        m_keyMessage->setText(keys.isEmpty()
                                  ? tr("「%1」のショートカット キーを削除しました。").arg(label)
                                  : tr("「%1」に %2 を割り当てました。")
                                        .arg(label, keys.toString(QKeySequence::NativeText)));
    }
    return result.applied;
}

QString CustomizeDialog::shortcutMessage() const { return m_keyMessage->text(); }

} // namespace orbelle
