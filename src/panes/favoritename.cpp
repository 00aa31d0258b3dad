#include "panes/favoritename.h"

#include "store/storedname.h"

namespace orbelle {

QString favoriteNameProblem(const QString& name) {
    if (name.isEmpty()) {
        return QStringLiteral("名前を入力してください");
    }
    const QByteArray utf8 = name.toUtf8();
    const StoreResult<std::string> stored =
        encodeStoredName(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    return stored.ok() ? QString() : QString::fromStdString(stored.status.message());
}

} // namespace orbelle
