#include "app/customisetoolbarstab.h"

#include "app/toolbarcustomiser.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace orbelle {
namespace {

constexpr int kIdRole = Qt::UserRole;

} // namespace

CustomiseToolBarsTab::CustomiseToolBarsTab(ToolBarCustomiser& customiser, QWidget* parent)
    : QWidget(parent), m_customiser(customiser), m_toolBarList(new QListWidget(this)),
      m_renameButton(new QPushButton(tr("名前の変更(&E)..."), this)),
      m_deleteButton(new QPushButton(tr("削除(&D)"), this)),
      m_resetButton(new QPushButton(tr("リセット(&R)"), this)) {
    setObjectName(QStringLiteral("toolBarsTab"));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(tr("ツール バー:"), this));
    m_toolBarList->setObjectName(QStringLiteral("toolBarList"));
    left->addWidget(m_toolBarList);
    layout->addLayout(left, 1);
    auto* buttons = new QVBoxLayout;
    auto* create = new QPushButton(tr("新規作成(&N)..."), this);
    for (QPushButton* button : {create, m_renameButton, m_deleteButton, m_resetButton}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(m_toolBarList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (QToolBar* bar = m_customiser.toolBar(item->data(kIdRole).toInt())) {
            bar->setVisible(item->checkState() == Qt::Checked);
        }
    });
    connect(m_toolBarList, &QListWidget::currentRowChanged, this,
            &CustomiseToolBarsTab::enableButtons);
    connect(create, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QString name = QInputDialog::getText(
            this, tr("新しいツール バー"), tr("ツール バー名(&T):"), QLineEdit::Normal,
            tr("ユーザー定義 %1").arg(m_customiser.arrangement().toolBars().size()), &ok);
        if (ok) {
            createToolBar(name);
        }
    });
    connect(m_renameButton, &QPushButton::clicked, this, [this] {
        const int id = selectedToolBar();
        bool ok = false;
        const QString name = QInputDialog::getText(
            this, tr("ツール バー名の変更"), tr("ツール バー名(&T):"), QLineEdit::Normal,
            m_customiser.arrangement().toolBar(id)->name, &ok);
        if (ok) {
            renameToolBar(id, name);
        }
    });
    connect(m_deleteButton, &QPushButton::clicked, this, [this] {
        const int id = selectedToolBar();
        const auto* bar = m_customiser.arrangement().toolBar(id);
        if (bar != nullptr &&
            QMessageBox::question(this, tr("カスタマイズ"),
                                  tr("ツール バー「%1」を削除しますか?").arg(bar->name)) ==
                QMessageBox::Yes) {
            m_customiser.change([id](Customisation& c) { return c.removeUserToolBar(id); });
        }
    });
    connect(m_resetButton, &QPushButton::clicked, this, [this] {
        m_customiser.change([](Customisation& c) {
            c.resetStandardToolBar();
            return true;
        });
        if (QToolBar* bar = m_customiser.toolBar(Customisation::kStandardToolBarId)) {
            bar->show();
        }
    });
    connect(&m_customiser, &ToolBarCustomiser::toolBarShownOrHidden, this,
            &CustomiseToolBarsTab::refresh);
    connect(&m_customiser, &ToolBarCustomiser::changed, this, &CustomiseToolBarsTab::refresh);
    refresh();
}

QString CustomiseToolBarsTab::nameProblemText(int problem) const {
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

bool CustomiseToolBarsTab::createToolBar(const QString& name) {
    const auto problem = m_customiser.arrangement().checkName(name);
    if (problem != Customisation::NameProblem::None) {
        QMessageBox::warning(this, tr("カスタマイズ"), nameProblemText(int(problem)));
        return false;
    }
    std::optional<int> id;
    m_customiser.change([&](Customisation& c) {
        id = c.addUserToolBar(name);
        return id.has_value();
    });
    if (id) {
        m_customiser.toolBar(*id)->show();
        for (int row = 0; row < m_toolBarList->count(); ++row) {
            if (m_toolBarList->item(row)->data(kIdRole).toInt() == *id) {
                m_toolBarList->setCurrentRow(row);
            }
        }
    }
    return id.has_value();
}

bool CustomiseToolBarsTab::renameToolBar(int id, const QString& name) {
    const auto problem = m_customiser.arrangement().checkName(name, id);
    if (problem != Customisation::NameProblem::None) {
        QMessageBox::warning(this, tr("カスタマイズ"), nameProblemText(int(problem)));
        return false;
    }
    return m_customiser.change([&](Customisation& c) { return c.renameUserToolBar(id, name); });
}

int CustomiseToolBarsTab::selectedToolBar() const {
    const QListWidgetItem* item = m_toolBarList->currentItem();
    return item == nullptr ? 0 : item->data(kIdRole).toInt();
}

void CustomiseToolBarsTab::enableButtons() {
    const int id = selectedToolBar();
    m_renameButton->setEnabled(Customisation::isUserToolBar(id) && id != 0);
    m_deleteButton->setEnabled(Customisation::isUserToolBar(id) && id != 0);
    m_resetButton->setEnabled(id == Customisation::kStandardToolBarId);
}

void CustomiseToolBarsTab::refresh() {
    const int selected = selectedToolBar();
    const QSignalBlocker blocker(m_toolBarList);
    m_toolBarList->clear();
    int row = 0;
    for (const ToolBarArrangement& arrangement : m_customiser.arrangement().toolBars()) {
        auto* item = new QListWidgetItem(arrangement.name, m_toolBarList);
        item->setData(kIdRole, arrangement.id);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const QToolBar* bar = m_customiser.toolBar(arrangement.id);
        item->setCheckState(bar != nullptr && !bar->isHidden() ? Qt::Checked : Qt::Unchecked);
        if (arrangement.id == selected) {
            row = m_toolBarList->count() - 1;
        }
    }
    m_toolBarList->setCurrentRow(row);
    enableButtons();
}

} // namespace orbelle
