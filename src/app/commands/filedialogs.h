#pragma once
// FileDialogs: how the commands ask the user for a file name. The program uses
// Qt's file dialogs; a test replaces the two functions to answer without a
// dialog.

#include <QString>

#include <functional>

class QWidget;

namespace orbelle {

struct FileDialogRequest {
    QString title;
    /// Qt filter text, e.g. "Orbelle ファイル (*.orbdr)".
    QString filter;
    /// Added to a typed name that has no extension.
    QString defaultSuffix;
    /// File name (or path) the dialog proposes; may be empty.
    QString proposed;
};

struct FileDialogs {
    /// An existing file to read; empty when cancelled.
    std::function<QString(QWidget* parent, const FileDialogRequest& request)> openFile;
    /// A file to write, confirmed by the user when it exists; empty when
    /// cancelled.
    std::function<QString(QWidget* parent, const FileDialogRequest& request)> saveFile;

    /// Qt's own file dialogs.
    static FileDialogs qtDialogs();
};

} // namespace orbelle
