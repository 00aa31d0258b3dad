#include "panes/favoritename.h"

#include "panes/storemessage.h"
#include "store/storedname.h"

#include <QLabel>
#include <QLineEdit>

namespace orbelle {

QString favoriteNameProblem(const QString& name) {
    if (name.isEmpty()) {
        return QStringLiteral("名前を入力してください");
    }
    const QByteArray utf8 = name.toUtf8();
    const StoreResult<std::string> stored =
        encodeStoredName(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    return stored.ok() ? QString() : storeMessage(stored.status);
}

QLabel* createNameProblemLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("problem"));
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #b00000;"));
    label->hide();
    return label;
}

bool showNameProblem(QLineEdit* edit, QLabel* label) {
    const QString problem = favoriteNameProblem(edit->text());
    if (problem.isEmpty()) {
        return false;
    }
    label->setText(problem);
    label->show();
    edit->setFocus();
    return true;
}

QString shownNameProblem(const QLabel* label) {
    return label->isHidden() ? QString() : label->text();
}

} // namespace orbelle
