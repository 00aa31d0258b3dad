#include "app/toolbarcustomizedialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orbelle {
namespace {

constexpr int kIdRole = Qt::UserRole;

// Actions are named "cmd<number>".
CommandId commandId(const QAction* action) {
    return CommandId{action->objectName().mid(3).toInt()};
}

} // namespace

ToolBarCustomizeDialog::ToolBarCustomizeDialog(const QList<QAction*>& buttons,
                                               const QSet<CommandId>& hidden, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)) {
    setWindowTitle(tr("カスタマイズ"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("ツール バー「標準」に表示するボタン:"), this));
    for (const QAction* action : buttons) {
        auto* item = new QListWidgetItem(action->icon(), action->text(), m_list);
        item->setData(kIdRole, commandNumber(commandId(action)));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(hidden.contains(commandId(action)) ? Qt::Unchecked : Qt::Checked);
    }
    layout->addWidget(m_list);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    QPushButton* reset = box->addButton(tr("リセット"), QDialogButtonBox::ResetRole);
    connect(reset, &QPushButton::clicked, this, [this] {
        for (int row = 0; row < m_list->count(); ++row) {
            m_list->item(row)->setCheckState(Qt::Checked);
        }
    });
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
}

QSet<CommandId> ToolBarCustomizeDialog::hiddenButtons() const {
    QSet<CommandId> hidden;
    for (int row = 0; row < m_list->count(); ++row) {
        const QListWidgetItem* item = m_list->item(row);
        if (item->checkState() != Qt::Checked) {
            hidden.insert(CommandId{item->data(kIdRole).toInt()});
        }
    }
    return hidden;
}

} // namespace orbelle
