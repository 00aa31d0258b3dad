#pragma once
// Printing the picture on one page: a square whose side is the shorter side
// of the physical sheet less 400 twips (1/1440 inch), placed 200 twips right
// of and below the origin of the printable area, the same in portrait and
// landscape; on a printer whose unprintable margins exceed 100 twips the
// square shrinks to end at the printable area's edge rather than being cut. And the geometry
// of the print preview's page.

#include <QImage>
#include <QRect>
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace orbelle {

/// The printed square in twips for a sheet of width x height device pixels
/// at resolution pixels per inch whose printable area is printableWidth x
/// printableHeight pixels (the whole sheet when they are left out).
struct PrintSquare {
    int sheetSide = 0; // shorter physical side: min(width, height) * 1440 / resolution
    int side = 0;      // sheetSide - 400, or less to end inside the printable area
    int offset = 200;  // from the printable origin, right and down
};
PrintSquare printSquare(int width, int height, int resolution, int printableWidth = -1,
                        int printableHeight = -1);

/// The preview's page control and picture for a client area clientWidth wide:
/// the page at (10, 10), clientWidth - 20 wide and 1.414 times as high; the
/// picture (in page coordinates) at (u, u) with side 22u, u = page width / 24.
struct PreviewGeometry {
    QRect page;
    QRect picture;
};
PreviewGeometry previewGeometry(int clientWidth);
/// The picture's square inside a page control of the given width.
QRect previewPicture(int pageWidth);

/// The picture to print or preview at a side in pixels (null when it cannot
/// be made).
using PictureSource = std::function<QImage(int side)>;

/// Prints the picture on one page of printer. Returns an empty string on
/// success, otherwise a message naming the printer and the reason.
QString printPicture(QPrinter& printer, const PictureSource& picture);

/// The print command: the print dialog, then one page; failures are shown in
/// a message box. Returns true when a page was printed.
bool runPrintDialog(const PictureSource& picture, QWidget* parent);

} // namespace orbelle
