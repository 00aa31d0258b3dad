#include "view/imageexporter.h"

#include "imageio/imageformat.h"
#include "imageio/imagesettings.h"
#include "imageio/imagewrite.h"
#include "store/filereplacement.h"
#include "view/mainview.h"
#include "view/writefailure.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>

namespace orbelle {

ImageKindInfo imageKindInfo(ImageKind kind) {
    if (kind == ImageKind::Jpeg) {
        return {QStringLiteral("jpg"), QObject::tr("JPEG ファイル (*.jpg)")};
    }
    return {QStringLiteral("bmp"), QObject::tr("ビットマップ ファイル (*.bmp)")};
}

ImageExporter::ImageExporter(const MainView& view, QWidget* parent)
    : m_view(view), m_parent(parent) {}

bool ImageExporter::run(ImageKind kind) {
    const std::optional<ExportRequest> request = ask(kind);
    return request && exportTo(request->path, request->side, request->redraw);
}

std::optional<ExportRequest> ImageExporter::ask(ImageKind kind) const {
    ExportRequest request;
    {
        ResolutionDialog dialog(kind, m_parent);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        request.side = dialog.sidePixels();
        request.redraw = dialog.redraw();
    }
    request.path = askPath(kind);
    if (request.path.isEmpty()) {
        return std::nullopt;
    }
    return request;
}

void ImageExporter::showFailure(const QString& path, const QString& reason) const {
    QMessageBox::critical(m_parent, QObject::tr("Orbelle"),
                          QObject::tr("画像ファイル「%1」を保存できません。\n%2")
                              .arg(QDir::toNativeSeparators(path), reason));
}

QString ImageExporter::askPath(ImageKind kind) const {
    const ImageKindInfo info = imageKindInfo(kind);
    QFileDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("exportFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(info.filter);
    // A name typed without an extension gets the default one; the overwrite
    // question is on by default.
    dialog.setDefaultSuffix(info.defaultSuffix);
    dialog.selectFile(QObject::tr("無題"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QImage ImageExporter::picture(int side, bool redraw, QString* message) const {
    const int largest = redraw ? kMaxRedrawSide : ResolutionDialog::kMaxScaledSide;
    if (side < ResolutionDialog::kMinSide || side > largest) {
        *message = QObject::tr("画像の大きさは%1から%2ピクセルまでです（指定: %3）。")
                       .arg(ResolutionDialog::kMinSide)
                       .arg(largest)
                       .arg(side);
        return {};
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QImage image = redraw ? m_view.redrawPicture(side) : m_view.exportPicture(side);
    QApplication::restoreOverrideCursor();
    if (image.isNull()) {
        *message = QObject::tr("%1 × %1 ピクセルの画像のためのメモリーが足りません。").arg(side);
        return image;
    }
    if (const auto settings = m_view.shownSettings()) {
        setImageSettings(image, *settings);
    }
    return image;
}

bool ImageExporter::exportTo(const QString& path, int side, bool redraw) {
    const auto refuse = [&](const QString& reason) {
        showFailure(path, reason);
        return false;
    };
    const std::optional<ImageFormat> format = writableImageFormatFor(path);
    if (!format) {
        return refuse(QObject::tr("拡張子「%1」の画像形式では保存できません。")
                          .arg(QFileInfo(path).suffix()));
    }
    // A target that cannot be replaced (a device, a folder, a read-only
    // file) is refused before the picture is made.
    if (const std::optional<QString> problem = targetProblem(path)) {
        return refuse(*problem);
    }
    QString message;
    const QImage image = picture(side, redraw, &message);
    if (image.isNull()) {
        return refuse(message);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const StoreStatus written = writeImageFile(image, path, *format);
    QApplication::restoreOverrideCursor();
    if (!written.ok()) {
        return refuse(writeFailureReason(written));
    }
    return true;
}

std::optional<QString> ImageExporter::targetProblem(const QString& path) {
    const StoreStatus problem = replacementProblem(
        std::filesystem::path(QFile::encodeName(path).toStdString()), TargetKind::NamedFile);
    if (problem.ok()) {
        return std::nullopt;
    }
    return writeFailureReason(problem);
}

} // namespace orbelle
