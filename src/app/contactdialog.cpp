#include "app/contactdialog.h"

#include "app/addresses.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orbelle {

ContactDialog::ContactDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("contactDialog"));
    setWindowTitle(tr("メールアドレス"));
    setFixedSize(305, 165);

    m_address = new QLineEdit(QString::fromLatin1(kContactAddress), this);
    m_address->setObjectName(QStringLiteral("edit1013"));
    m_address->setReadOnly(true);
    m_address->setGeometry(33, 30, 252, 30);

    auto* text = new QLabel(tr("連絡先 メールアドレスです\nコピーしてお使いください。"), this);
    text->setGeometry(33, 72, 252, 40);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    ok->setGeometry(205, 125, 80, 26);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    m_address->selectAll();
    m_address->setFocus();
}

} // namespace orbelle
