#include "app/commands/exportcommands.h"

#include "app/commands/commandhost.h"
#include "app/commandset.h"
#include "imageio/imageformat.h"
#include "view/imageexporter.h"
#include "view/mainview.h"
#include "view/printing.h"
#include "view/printpreviewdialog.h"
#include "view/redrawexport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

namespace orbelle {

ExportCommands::ExportCommands(const CommandSet& commands, CommandHost& host, const MainView* view,
                               QObject* parent)
    : QObject(parent), m_host(host), m_view(view) {
    commands.onTriggered(CommandId::ExportBitmap, this, &ExportCommands::exportBitmap);
    commands.onTriggered(CommandId::ExportJpeg, this, &ExportCommands::exportJpeg);
    commands.onTriggered(CommandId::Print, this, &ExportCommands::print);
    commands.onTriggered(CommandId::PrintPreview, this, &ExportCommands::printPreview);
}

void ExportCommands::exportBitmap() { exportImage(ImageKind::Bitmap); }

void ExportCommands::exportJpeg() { exportImage(ImageKind::Jpeg); }

void ExportCommands::exportImage(ImageKind kind) {
    if (m_redraw) {
        m_host.showStatusMessage(
            tr("再描画した画像の保存が終わるまでお待ちください（Esc で中止）"));
        return;
    }
    ImageExporter exporter(*m_view, m_host.dialogParent());
    const std::optional<ExportRequest> request = exporter.ask(kind);
    if (!request) {
        return;
    }
    if (request->redraw) {
        startRedraw(request->path, request->side);
    } else {
        // A stretch of the canvas, quick enough to make at once.
        exporter.exportTo(request->path, request->side, false);
    }
}

void ExportCommands::startRedraw(const QString& path, int side) {
    ImageExporter exporter(*m_view, m_host.dialogParent());
    const std::optional<ImageFormat> format = writableImageFormatFor(path);
    if (!format) {
        exporter.showFailure(
            path, tr("拡張子「%1」の画像形式では保存できません。").arg(QFileInfo(path).suffix()));
        return;
    }
    if (side < ResolutionDialog::kMinSide || side > kMaxRedrawSide) {
        exporter.showFailure(path, tr("画像の大きさは%1から%2ピクセルまでです（指定: %3）。")
                                       .arg(ResolutionDialog::kMinSide)
                                       .arg(kMaxRedrawSide)
                                       .arg(side));
        return;
    }
    if (const std::optional<QString> problem = ImageExporter::targetProblem(path)) {
        exporter.showFailure(path, *problem);
        return;
    }
    RedrawExport::Job job;
    job.settings = m_view->shownSettings();
    job.square = m_view->shownSquare();
    job.side = side;
    job.path = path;
    job.format = *format;
    auto* redraw = new RedrawExport(std::move(job), this);
    m_redraw = redraw;
    connect(redraw, &RedrawExport::progressed, this, [this, redraw](int thousandths) {
        if (m_redraw == redraw) {
            m_host.showStatusMessage(
                tr("再描画しています… %1%（Esc で中止）").arg(thousandths / 10));
        }
    });
    connect(redraw, &RedrawExport::writing, this, [this, redraw] {
        if (m_redraw == redraw) {
            m_host.showStatusMessage(tr("画像ファイルに書き込んでいます…（Esc で中止）"));
        }
    });
    connect(redraw, &RedrawExport::finished, this,
            [this, redraw](RedrawExport::Outcome outcome, const QString& reason) {
                redrawEnded(redraw, static_cast<int>(outcome), reason);
            });
    QApplication::setOverrideCursor(Qt::BusyCursor);
    qApp->installEventFilter(this);
    m_host.showStatusMessage(tr("再描画しています… 0%（Esc で中止）"));
    redraw->start();
}

bool ExportCommands::cancelRedraw() {
    if (!m_redraw || !m_redraw->cancel()) {
        return false;
    }
    // The worker may still be ending; the job goes once it has.
    m_redraw = nullptr;
    leaveBusy();
    m_host.showStatusMessage(tr("画像の保存を中止しました"));
    return true;
}

void ExportCommands::redrawEnded(RedrawExport* job, int outcome, const QString& reason) {
    const QString path = job->path();
    job->deleteLater();
    if (m_redraw != job) {
        return; // cancelled and told so already
    }
    m_redraw = nullptr;
    leaveBusy();
    switch (static_cast<RedrawExport::Outcome>(outcome)) {
    case RedrawExport::Outcome::Written:
        m_host.showStatusMessage(
            tr("画像ファイル「%1」を保存しました").arg(QDir::toNativeSeparators(path)));
        break;
    case RedrawExport::Outcome::Cancelled:
        m_host.showStatusMessage(tr("画像の保存を中止しました"));
        break;
    case RedrawExport::Outcome::Failed:
        m_host.showStatusMessage(QString());
        ImageExporter(*m_view, m_host.dialogParent()).showFailure(path, reason);
        break;
    }
}

void ExportCommands::leaveBusy() {
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}

bool ExportCommands::eventFilter(QObject* watched, QEvent* event) {
    // Esc stops the export before it reaches a shortcut, unless a dialog or
    // menu of its own is open.
    if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        QApplication::activeModalWidget() == nullptr &&
        QApplication::activePopupWidget() == nullptr) {
        if (event->type() == QEvent::KeyPress) {
            cancelRedraw();
        }
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ExportCommands::print() {
    const MainView* view = m_view;
    runPrintDialog([view](int side) { return view->exportPicture(side); }, m_host.dialogParent());
}

void ExportCommands::printPreview() {
    const MainView* view = m_view;
    PrintPreviewDialog dialog([view](int side) { return view->exportPicture(side); },
                              m_host.dialogParent());
    dialog.exec();
}

} // namespace orbelle
