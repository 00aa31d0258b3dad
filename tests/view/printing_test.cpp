#include "view/printing.h"

#include "view/printpreviewdialog.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orbelle;

namespace {

QImage solidPicture(int side, QRgb colour) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

// A sheet of 8.27 x 11.69 inches at 600 pixels per inch: 4962 x 7014 pixels;
// a = 4962 * 1440 / 600 = 11908 twips, the square 11908 - 400 = 11508.
TEST(PrintGeometry, SquareFromTheShorterSheetSide) {
    const PrintSquare portrait = printSquare(4962, 7014, 600);
    EXPECT_EQ(portrait.sheetSide, 11908);
    EXPECT_EQ(portrait.side, 11508);
    EXPECT_EQ(portrait.offset, 200);
    const PrintSquare landscape = printSquare(7014, 4962, 600);
    EXPECT_EQ(landscape.sheetSide, 11908);
    EXPECT_EQ(landscape.side, 11508);
    // Integer division: 4961 * 1440 / 600 = 11906.4.
    EXPECT_EQ(printSquare(4961, 7016, 600).sheetSide, 11906);
    // Margins of 100 pixels (240 twips) all round leave a printable area of
    // 4762 x 6814: 4762 * 1440 / 600 = 11428 twips; from 200 twips in, the
    // square may reach 11228. Margins of 10 pixels (24 twips): 4942 pixels =
    // 11860 twips, room for 11660, so the square stays 11508.
    EXPECT_EQ(printSquare(4962, 7014, 600, 4762, 6814).side, 11228);
    EXPECT_EQ(printSquare(4962, 7014, 600, 4942, 6994).side, 11508);
}

// A 420-pixel client: the page 400 x 565 at (10, 10) (400 * 1.414 = 565.6),
// u = 400 / 24 = 16, the picture from (16, 16) with side 352.
TEST(PrintGeometry, PreviewPageAndPicture) {
    const PreviewGeometry g = previewGeometry(420);
    EXPECT_EQ(g.page, QRect(10, 10, 400, 565));
    EXPECT_EQ(g.picture, QRect(16, 16, 352, 352));
}

TEST(PrintPreview, DialogDrawsTheSheetAndThePicture) {
    int askedSide = 0;
    PrintPreviewDialog dialog([&askedSide](int side) {
        askedSide = side;
        return solidPicture(side, qRgb(0, 0, 128));
    });
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("印刷 プレビュー"));
    dialog.resize(420, 668);
    dialog.show();
    EXPECT_EQ(dialog.page()->geometry(), QRect(10, 10, 400, 565));
    const QImage page = dialog.page()->grab().toImage();
    EXPECT_EQ(askedSide, 352);
    const QRgb white = qRgb(255, 255, 255);
    const QRgb picture = qRgb(0, 0, 128);
    EXPECT_EQ(page.pixel(15, 15), white);
    EXPECT_EQ(page.pixel(16, 16), picture);
    EXPECT_EQ(page.pixel(367, 367), picture);
    EXPECT_EQ(page.pixel(368, 367), white);
    EXPECT_EQ(page.pixel(367, 368), white);
    EXPECT_EQ(page.pixel(200, 560), white);
}

namespace {

struct PrintedPage {
    int pages = 0;
    int askedSide = 0;
    int width = 0;
    QRect dark; // bounding box of the dark pixels
    int darkCount = 0;
};

// Prints a black picture on A4 with the given margins (mm) at 600 pixels per
// inch into a PDF, renders it at 72 pixels per inch (one pixel per point)
// and finds the picture.
PrintedPage printAndRender(const QString& pdftoppm, double marginMm) {
    PrintedPage result;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(600);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(marginMm, marginMm, marginMm, marginMm),
                                      QPageLayout::Millimeter));
    const QString message = printPicture(printer, [&result](int side) {
        result.askedSide = side;
        return solidPicture(side, qRgb(0, 0, 0));
    });
    EXPECT_TRUE(message.isEmpty()) << message.toStdString();
    QProcess render;
    render.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), pdf,
                            dir.filePath(QStringLiteral("page"))});
    EXPECT_TRUE(render.waitForFinished(60000));
    EXPECT_EQ(render.exitCode(), 0);
    const QStringList pages = QDir(dir.path()).entryList({QStringLiteral("page*.png")});
    result.pages = static_cast<int>(pages.size());
    if (pages.isEmpty()) {
        return result;
    }
    const QImage page(dir.filePath(pages.first()));
    result.width = page.width();
    int left = page.width(), top = page.height(), right = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 128) {
                ++result.darkCount;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    result.dark = QRect(QPoint(left, top), QPoint(right, bottom));
    return result;
}

} // namespace

// Qt's A4 sheet is 595 x 842 points: 595 * 600 / 72 = 4958 pixels wide at 600
// pixels per inch, so a = 4958 * 1440 / 600 = 11899 twips and the square is
// 11499 twips (574.95 points, 4791.25 pixels) from 200 twips (10 points).
TEST(PrintPdf, OnePageWithOneSquarePicture) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    const PrintedPage page = printAndRender(pdftoppm, 0);
    ASSERT_EQ(page.pages, 1);
    ASSERT_EQ(page.width, 595);
    EXPECT_EQ(page.askedSide, 4792);
    EXPECT_NEAR(page.dark.left(), 10, 1.0);
    EXPECT_NEAR(page.dark.top(), 10, 1.0);
    EXPECT_NEAR(page.dark.width(), 574.95, 1.5);
    EXPECT_NEAR(page.dark.height(), 574.95, 1.5);
    // One solid square: every pixel in the box is dark.
    EXPECT_EQ(page.darkCount, page.dark.width() * page.dark.height());
}

// With margins of 10 mm (28.35 points, 567 twips) the square would run 934
// twips past the printable area; it shrinks to end at its edge. Qt gives the
// printable width as 4492 pixels -> 4492 * 1440 / 600 = 10780 twips, less
// the 200 twips in: 10580 twips = 529 points, from 28.35 + 10 = 38.35 points.
TEST(PrintPdf, WideMarginsShrinkTheSquareIntoThePrintableArea) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    const PrintedPage page = printAndRender(pdftoppm, 10);
    ASSERT_EQ(page.pages, 1);
    EXPECT_NEAR(page.dark.left(), 38.35, 1.5);
    EXPECT_NEAR(page.dark.top(), 38.35, 1.5);
    EXPECT_NEAR(page.dark.width(), 529, 1.5);
    EXPECT_NEAR(page.dark.height(), 529, 1.5);
    EXPECT_EQ(page.darkCount, page.dark.width() * page.dark.height());
    EXPECT_LE(page.dark.right(), 567);
}

TEST(PrintPdf, FailureToStartTheDocumentIsReported) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString target = dir.filePath(QStringLiteral("no such folder/page.pdf"));
    printer.setOutputFileName(target);
    const QString message =
        printPicture(printer, [](int side) { return solidPicture(side, qRgb(0, 0, 0)); });
    EXPECT_FALSE(message.isEmpty());
    EXPECT_TRUE(message.contains(target)) << message.toStdString();
    EXPECT_FALSE(QFile::exists(target));
}
