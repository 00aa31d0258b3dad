#include "panes/favoritedialog.h"

#include "panes/favoriteitems.h"
#include "panes/favoritename.h"
#include "widgets/panefont.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orbelle {

FavoriteDialog::FavoriteDialog(Mode mode, const std::vector<FavoriteEntry>& entries,
                               int currentFolder, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("dialog11620"));
    setWindowTitle(mode == Mode::Folder ? tr("フォルダ作成") : tr("お気に入り作成"));

    auto* label = new QLabel(tr("名前:"), this);
    label->setObjectName(QStringLiteral("label42255"));
    label->setFont(gothicFont(10));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("edit11650"));
    label->setBuddy(m_name);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("tree42253"));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    if (QTreeWidgetItem* root = buildFavoriteItems(entries, true, m_itemOfId)) {
        m_tree->addTopLevelItem(root);
        m_tree->expandAll();
    }

    m_problem = createNameProblemLabel(this);

    auto* buttons = new QDialogButtonBox(this);
    m_save = buttons->addButton(tr("保存"), QDialogButtonBox::AcceptRole);
    m_save->setObjectName(QStringLiteral("button1"));
    m_save->setDefault(true);
    QPushButton* cancel = buttons->addButton(tr("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("button2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FavoriteDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FavoriteDialog::reject);

    auto* layout = new QVBoxLayout(this);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(label);
    nameRow->addWidget(m_name, 1);
    layout->addLayout(nameRow);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);

    connect(m_name, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_save->setEnabled(!text.isEmpty());
        m_problem->hide();
    });
    m_save->setEnabled(false);
    chooseFolder(currentFolder);
    m_name->setFocus();
    resize(420, 480);
}

QString FavoriteDialog::name() const { return m_name->text(); }

void FavoriteDialog::setName(const QString& name) { m_name->setText(name); }

int FavoriteDialog::parentFolder() const {
    const int id = favoriteIdOf(m_tree->currentItem());
    return id > 0 ? id : kRootFolderId;
}

void FavoriteDialog::chooseFolder(int id) {
    QTreeWidgetItem* item =
        id > 0 && id < static_cast<int>(m_itemOfId.size()) ? m_itemOfId[id] : nullptr;
    if (item == nullptr && m_itemOfId.size() > kRootFolderId) {
        item = m_itemOfId[kRootFolderId];
    }
    if (item != nullptr) {
        m_tree->setCurrentItem(item);
        m_tree->scrollToItem(item);
    }
}

QString FavoriteDialog::problem() const { return shownNameProblem(m_problem); }

void FavoriteDialog::accept() {
    if (!showNameProblem(m_name, m_problem)) {
        QDialog::accept();
    }
}

} // namespace orbelle
