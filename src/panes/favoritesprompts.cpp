#include "panes/favoritesprompts.h"

#include "panes/favoritedialog.h"
#include "panes/favoriterenamedialog.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

namespace orbelle {
namespace {

const QString kFilter = QStringLiteral("お気に入り ファイル (*.orbfv)");
const QString kSuffix = QStringLiteral("orbfv");

QString askPath(QWidget* parent, const QString& title, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, title,
                       QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilter(kFilter);
    dialog.setDefaultSuffix(kSuffix);
    if (mode == QFileDialog::AcceptSave) {
        dialog.selectFile(QStringLiteral("無題.") + kSuffix);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

FavoritesPrompts::~FavoritesPrompts() = default;

std::optional<FavoritesPrompts::NewEntry>
FavoritesPrompts::askNewEntry(QWidget* parent, NewEntryKind kind,
                              const std::vector<FavoriteEntry>& entries, int currentFolder) {
    FavoriteDialog dialog(kind == NewEntryKind::Folder ? FavoriteDialog::Mode::Folder
                                                       : FavoriteDialog::Mode::Favorite,
                          entries, currentFolder, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return NewEntry{dialog.parentFolder(), dialog.name()};
}

std::optional<QString> FavoritesPrompts::askNewName(QWidget* parent, const QString& currentName) {
    FavoriteRenameDialog dialog(currentName, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.name();
}

bool FavoritesPrompts::confirm(QWidget* parent, const QString& caption, const QString& text) {
    // Both questions lose data that cannot be brought back: No is the default.
    return QMessageBox::warning(parent, caption, text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

void FavoritesPrompts::showError(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox::warning(parent, caption, text);
}

QString FavoritesPrompts::askExportPath(QWidget* parent) {
    return askPath(parent, QStringLiteral("お気に入りの保存"), QFileDialog::AcceptSave);
}

QString FavoritesPrompts::askImportPath(QWidget* parent) {
    return askPath(parent, QStringLiteral("お気に入りの読み込み"), QFileDialog::AcceptOpen);
}

} // namespace orbelle
