#pragma once
// The output commands of the menu "ファイル": saving the picture as a BMP or
// JPEG file (or any format its extension names), printing it on one page and
// the print preview. A re-drawn export ("再描画して保存") runs on a worker
// while the window goes on: the status bar shows its share done, the cursor
// shows that work goes on, and Esc stops it, leaving the target as it was.

#include "view/resolutiondialog.h"

#include <QObject>

#include <memory>

namespace orbelle {

class CommandHost;
class CommandSet;
class MainView;
class RedrawExport;

class ExportCommands : public QObject {
    Q_OBJECT
  public:
    /// view: the pictures come from it.
    ExportCommands(const CommandSet& commands, CommandHost& host, const MainView* view,
                   QObject* parent);

    void exportBitmap(); // CommandId::ExportBitmap
    void exportJpeg();   // CommandId::ExportJpeg
    void print();        // CommandId::Print
    void printPreview(); // CommandId::PrintPreview

    /// True while a re-drawn export runs.
    bool redrawRunning() const { return m_redraw != nullptr; }
    /// Stops the running re-drawn export (what Esc does); true when one stopped.
    bool cancelRedraw();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void exportImage(ImageKind kind);
    void startRedraw(const QString& path, int side);
    void redrawEnded(RedrawExport* job, int outcome, const QString& reason);
    void leaveBusy();

    CommandHost& m_host;
    const MainView* m_view;
    RedrawExport* m_redraw = nullptr; // the running re-drawn export, a child
};

} // namespace orbelle
