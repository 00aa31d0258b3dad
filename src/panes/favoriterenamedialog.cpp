#include "panes/favoriterenamedialog.h"

#include "panes/favoritename.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orbelle {

FavoriteRenameDialog::FavoriteRenameDialog(const QString& currentName, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("dialog320"));
    setWindowTitle(tr("お気に入り名前変更"));

    m_name = new QLineEdit(currentName, this);
    m_name->setObjectName(QStringLiteral("edit1016"));
    m_name->selectAll();

    m_problem = createNameProblemLabel(this);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    m_ok->setDefault(true);
    buttons->addButton(tr("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &FavoriteRenameDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FavoriteRenameDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_name);
    layout->addWidget(m_problem);
    layout->addStretch(1);
    layout->addWidget(buttons);

    connect(m_name, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_ok->setEnabled(!text.isEmpty());
        m_problem->hide();
    });
    m_ok->setEnabled(!currentName.isEmpty());
    resize(360, 130);
}

QString FavoriteRenameDialog::name() const { return m_name->text(); }

void FavoriteRenameDialog::setName(const QString& name) { m_name->setText(name); }

QString FavoriteRenameDialog::problem() const { return shownNameProblem(m_problem); }

void FavoriteRenameDialog::accept() {
    if (!showNameProblem(m_name, m_problem)) {
        QDialog::accept();
    }
}

} // namespace orbelle
