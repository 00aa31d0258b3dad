#include "app/aboutdialog.h"

#include "app/addresses.h"
#include "app/helppage.h"
#include "app/programicon.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orbelle {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(tr("バージョン情報 Orbelle"));
    setFixedSize(300, 190);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("programIcon"));
    icon->setPixmap(programIcon().pixmap(32, 32));
    icon->setGeometry(20, 22, 36, 36);

    auto* name = new QLabel(
        QStringLiteral("Orbelle, Version %1").arg(displayVersion(programVersion())), this);
    name->setObjectName(QStringLiteral("versionLabel"));
    name->setTextFormat(Qt::PlainText);
    name->setGeometry(66, 22, 220, 20);

    const auto field = [this](const char* text, const QString& objectName, int y) {
        auto* edit = new QLineEdit(QString::fromLatin1(text), this);
        edit->setObjectName(objectName);
        edit->setReadOnly(true);
        edit->setGeometry(66, y, 214, 24);
        edit->setCursorPosition(0);
        return edit;
    };
    m_homePage = field(kHomePageUrl, QStringLiteral("edit1014"), 74);
    m_contact = field(kContactAddress, QStringLiteral("edit1015"), 104);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    ok->setGeometry(200, 148, 80, 26);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace orbelle
