#pragma once
// Image export: asks for the side (and whether to draw afresh), asks for the
// file, builds the picture of what the view shows at that side and writes it
// with the drawing's settings line in its metadata. Every failure is shown in
// a message box naming the file and the reason.

#include "view/resolutiondialog.h"

#include <QString>

#include <optional>

class QWidget;

namespace orbelle {

class MainView;

struct ImageKindInfo {
    QString defaultSuffix; // "bmp" or "jpg"
    QString filter;        // the save dialog's filter
};
ImageKindInfo imageKindInfo(ImageKind kind);

/// What the two dialogs of an export chose.
struct ExportRequest {
    int side = 0;
    bool redraw = false;
    QString path;
};

class ImageExporter {
  public:
    /// view: the pictures come from it; parent: parent of the dialogs and
    /// messages.
    ImageExporter(const MainView& view, QWidget* parent);

    /// The whole command: resolution dialog, save dialog, writing. Cancelling
    /// either dialog writes nothing. Returns true when a file was written.
    bool run(ImageKind kind);

    /// The resolution dialog and the save dialog; nothing when either is
    /// cancelled.
    std::optional<ExportRequest> ask(ImageKind kind) const;

    /// Shows the message that path could not be saved, for reason.
    void showFailure(const QString& path, const QString& reason) const;

    /// Why path cannot be replaced by an export (a device, a pipe, a folder,
    /// a read-only file, a link to nothing), in the program's words; nothing
    /// when it can.
    static std::optional<QString> targetProblem(const QString& path);

    /// Writes the picture at side (drawn afresh when redraw) to path; the
    /// format follows the extension. On failure shows the message and
    /// returns false.
    bool exportTo(const QString& path, int side, bool redraw);

    /// The picture exportTo writes, with the settings line set as its text;
    /// a null image with message set when it cannot be made.
    QImage picture(int side, bool redraw, QString* message) const;

  private:
    QString askPath(ImageKind kind) const;

    const MainView& m_view;
    QWidget* m_parent;
};

} // namespace orbelle
