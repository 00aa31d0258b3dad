#pragma once
// FavoritesPrompts with scripted answers for tests. The name dialogs are the
// real ones, filled in and confirmed without being shown; what they proposed
// and refused is recorded.

#include "panes/favoritedialog.h"
#include "panes/favoriterenamedialog.h"
#include "panes/favoritesprompts.h"

#include <QStringList>

#include <optional>

namespace orbelle::test {

class ScriptedPrompts : public FavoritesPrompts {
  public:
    // Answers.
    QString newName = QStringLiteral("新しい項目");
    int chosenFolder = 0; ///< 0 keeps the folder the dialog proposes
    bool cancel = false;  ///< cancels the name dialogs and the file choosers
    QString newNameForRename;
    bool confirmAnswer = false;
    QString exportPath;
    QString importPath;

    // What happened.
    int proposedFolder = -1;
    QString dialogTitle;
    QString refusal; ///< why a name dialog refused its name
    QString renameShown;
    int confirmCount = 0;
    QString confirmCaption;
    QString confirmText;
    QStringList errors; ///< caption, line end, text

    std::optional<NewEntry> askNewEntry(QWidget* parent, NewEntryKind kind,
                                        const std::vector<FavoriteEntry>& entries,
                                        int currentFolder) override {
        FavoriteDialog dialog(kind == NewEntryKind::Folder ? FavoriteDialog::Mode::Folder
                                                           : FavoriteDialog::Mode::Favorite,
                              entries, currentFolder, parent);
        proposedFolder = dialog.parentFolder();
        dialogTitle = dialog.windowTitle();
        if (cancel) {
            return std::nullopt;
        }
        if (chosenFolder != 0) {
            dialog.chooseFolder(chosenFolder);
        }
        dialog.setName(newName);
        dialog.accept();
        refusal = dialog.problem();
        if (dialog.result() != QDialog::Accepted) {
            return std::nullopt;
        }
        return NewEntry{dialog.parentFolder(), dialog.name()};
    }

    std::optional<QString> askNewName(QWidget* parent, const QString& currentName) override {
        FavoriteRenameDialog dialog(currentName, parent);
        renameShown = dialog.name();
        if (cancel) {
            return std::nullopt;
        }
        dialog.setName(newNameForRename);
        dialog.accept();
        refusal = dialog.problem();
        if (dialog.result() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.name();
    }

    bool confirm(QWidget*, const QString& caption, const QString& text) override {
        ++confirmCount;
        confirmCaption = caption;
        confirmText = text;
        return confirmAnswer;
    }

    void showError(QWidget*, const QString& caption, const QString& text) override {
        errors << caption + QLatin1Char('\n') + text;
    }

    QString askExportPath(QWidget*) override { return cancel ? QString() : exportPath; }
    QString askImportPath(QWidget*) override { return cancel ? QString() : importPath; }
};

} // namespace orbelle::test
