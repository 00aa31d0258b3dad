#include "app/commands/filedialogs.h"

#include <QFileDialog>

namespace orbelle {
namespace {

QString ask(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title, request.proposed, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.proposed.isEmpty()) {
        dialog.selectFile(request.proposed);
    }
    // Overwriting an existing file is confirmed by the dialog (Qt's default).
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles().value(0);
}

} // namespace

FileDialogs FileDialogs::qtDialogs() {
    FileDialogs dialogs;
    dialogs.openFile = [](QWidget* parent, const FileDialogRequest& request) {
        return ask(parent, request, QFileDialog::AcceptOpen);
    };
    dialogs.saveFile = [](QWidget* parent, const FileDialogRequest& request) {
        return ask(parent, request, QFileDialog::AcceptSave);
    };
    return dialogs;
}

} // namespace orbelle
