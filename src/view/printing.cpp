#include "view/printing.h"

#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace orbelle {
namespace {

constexpr int kTwipsPerInch = 1440;
// The printed picture never needs more pixels than the view's 6000 x 6000
// export picture holds.
constexpr int kLargestPicture = 6000;

} // namespace

PrintSquare printSquare(int width, int height, int resolution, int printableWidth,
                        int printableHeight) {
    PrintSquare square;
    if (resolution <= 0) {
        return square;
    }
    const auto twips = [resolution](int pixels) {
        return static_cast<long long>(pixels) * kTwipsPerInch / resolution;
    };
    const long long a = twips(std::min(width, height));
    long long side = a - 400;
    // Margins wider than 100 twips would push the far edges past the
    // printable area; the square then ends at its edge instead of being cut.
    if (printableWidth >= 0 && printableHeight >= 0) {
        side = std::min(side, twips(std::min(printableWidth, printableHeight)) - 200);
    }
    square.sheetSide = static_cast<int>(a);
    square.side = static_cast<int>(side);
    return square;
}

PreviewGeometry previewGeometry(int clientWidth) {
    const int w = clientWidth - 20;
    const int h = static_cast<int>(w * 1.414);
    return {QRect(10, 10, w, h), previewPicture(w)};
}

QRect previewPicture(int pageWidth) {
    const int u = pageWidth / 24;
    return {u, u, 22 * u, 22 * u};
}

QString printPicture(QPrinter& printer, const PictureSource& picture) {
    const QString name =
        printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    const auto failure = [&name](const QString& reason) {
        return QObject::tr("印刷できません（%1）。\n%2").arg(name, reason);
    };
    // W, H: the physical sheet in device pixels; R: pixels per inch.
    const int resolution = printer.resolution();
    const QRect sheet = printer.pageLayout().fullRectPixels(resolution);
    const QRect printable = printer.pageLayout().paintRectPixels(resolution);
    const PrintSquare square = printSquare(sheet.width(), sheet.height(), resolution,
                                           printable.width(), printable.height());
    if (square.side <= 0) {
        return failure(QObject::tr("用紙が小さすぎます。"));
    }
    const double pixelsPerTwip = static_cast<double>(resolution) / kTwipsPerInch;
    const QRectF target(square.offset * pixelsPerTwip, square.offset * pixelsPerTwip,
                        square.side * pixelsPerTwip, square.side * pixelsPerTwip);
    const int pictureSide =
        std::clamp(static_cast<int>(std::ceil(target.width())), 1, kLargestPicture);
    const QImage image = picture(pictureSide);
    if (image.isNull()) {
        return failure(QObject::tr("印刷する画像のためのメモリーが足りません。"));
    }

    // The painter's origin is the printable area's top-left corner.
    QPainter painter;
    if (!painter.begin(&printer)) {
        return failure(QObject::tr("プリンターが文書を開始できません。"));
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, image);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        return failure(QObject::tr("プリンターが文書を終了できません。"));
    }
    return {};
}

bool runPrintDialog(const PictureSource& picture, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    // One page: no page range, no selection.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const QString message = printPicture(printer, picture);
    if (!message.isEmpty()) {
        QMessageBox::critical(parent, QObject::tr("Orbelle"), message);
        return false;
    }
    return true;
}

} // namespace orbelle
