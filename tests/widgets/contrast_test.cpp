// Frames that stay visible on a dark window: the swatch, the option group
// frame and the option pictures draw their edges light on a dark palette and
// keep their usual look on a light one.

#include "widgets/contrast.h"

#include "support/guiapplication.h"
#include "widgets/colourswatch.h"
#include "widgets/groupframe.h"
#include "widgets/optionbutton.h"

#include <QImage>
#include <QPalette>
#include <QPixmap>

using namespace orbelle;

namespace {

// The black look's window, and a light look's.
const QColor kDarkWindow(0x35, 0x35, 0x35);
const QColor kLightWindow(0xE4, 0xE8, 0xF2);

QPalette paletteWithWindow(const QColor& window) {
    QPalette palette(window, window);
    palette.setColor(QPalette::Window, window);
    return palette;
}

/// Lightness difference of two colours, 0 to 255.
int contrast(const QColor& a, const QColor& b) { return std::abs(a.lightness() - b.lightness()); }

QImage grabbed(QWidget& widget, const QColor& window) {
    widget.setPalette(paletteWithWindow(window));
    return widget.grab().toImage();
}

/// A 6 x 6 picture: transparent except a 4 x 4 black square at (1, 1),
/// whose top-left pixel is half transparent.
QPixmap blackSquare() {
    QImage image(6, 6, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 1; y <= 4; ++y) {
        for (int x = 1; x <= 4; ++x) {
            image.setPixel(x, y, qRgba(0, 0, 0, 255));
        }
    }
    image.setPixel(1, 1, qRgba(0, 0, 0, 128));
    return QPixmap::fromImage(image);
}

} // namespace

TEST(ContrastTest, FrameLinesStandOutFromTheWindow) {
    const QPalette dark = paletteWithWindow(kDarkWindow);
    const QPalette light = paletteWithWindow(kLightWindow);
    EXPECT_TRUE(isDarkPalette(dark));
    EXPECT_FALSE(isDarkPalette(light));
    EXPECT_GT(contrast(frameLineColour(dark), kDarkWindow), 100);
    EXPECT_EQ(frameLineColour(light), QColor(Qt::black));
    // A disabled control's line still shows, but less than an enabled one.
    for (const QColor& window : {kDarkWindow, kLightWindow}) {
        const QPalette palette = paletteWithWindow(window);
        const int enabled = contrast(frameLineColour(palette, true), window);
        const int disabled = contrast(frameLineColour(palette, false), window);
        EXPECT_GT(disabled, 40) << window.name().toStdString();
        EXPECT_LT(disabled, enabled) << window.name().toStdString();
    }
}

TEST(ContrastTest, ABlackSwatchKeepsAVisibleFrameOnADarkWindow) {
    ColourSwatch swatch;
    swatch.resize(38, 25);
    swatch.setColour(0); // black
    const QImage dark = grabbed(swatch, kDarkWindow);
    // Every pixel of the outer line contrasts with the window; inside, black.
    for (const QPoint p : {QPoint(0, 0), QPoint(37, 0), QPoint(0, 24), QPoint(37, 24),
                           QPoint(19, 0), QPoint(19, 24), QPoint(0, 12), QPoint(37, 12)}) {
        EXPECT_GT(contrast(dark.pixelColor(p), kDarkWindow), 100) << p.x() << "," << p.y();
        EXPECT_GT(contrast(dark.pixelColor(p), Qt::black), 100) << p.x() << "," << p.y();
    }
    EXPECT_EQ(dark.pixelColor(19, 12), QColor(Qt::black));
    EXPECT_EQ(dark.pixelColor(1, 1), QColor(Qt::black));

    // On a light window the box keeps its sunken edge: darker above than
    // below.
    const QImage light = grabbed(swatch, kLightWindow);
    EXPECT_LT(light.pixelColor(19, 0).lightness(), light.pixelColor(19, 24).lightness());
    EXPECT_EQ(light.pixelColor(19, 12), QColor(Qt::black));
}

TEST(ContrastTest, TheOptionGroupFrameIsLightOnADarkWindow) {
    GroupFrame frame;
    frame.resize(177, 30);
    const QImage dark = grabbed(frame, kDarkWindow);
    EXPECT_GT(contrast(dark.pixelColor(0, 15), kDarkWindow), 100);
    EXPECT_GT(contrast(dark.pixelColor(176, 29), kDarkWindow), 100);
    const QImage light = grabbed(frame, kLightWindow);
    EXPECT_EQ(light.pixelColor(0, 15), QColor(Qt::black));
    EXPECT_EQ(light.pixelColor(176, 29), QColor(Qt::black));
    EXPECT_TRUE(frame.testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST(ContrastTest, OutlinedPicturesRecolourOnlyTheOuterEdge) {
    const QColor grey(0xB4, 0xB4, 0xB4);
    const QImage out =
        outlinedPicture(blackSquare(), grey).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(out.size(), QSize(6, 6));
    // The square's twelve border pixels turn grey, the half transparent one
    // keeping its opacity; the 2 x 2 inside stays black; the rest stays clear.
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            const QRgb pixel = out.pixel(x, y);
            const bool inSquare = x >= 1 && x <= 4 && y >= 1 && y <= 4;
            const bool inside = x >= 2 && x <= 3 && y >= 2 && y <= 3;
            if (!inSquare) {
                EXPECT_EQ(qAlpha(pixel), 0) << x << "," << y;
            } else if (inside) {
                EXPECT_EQ(pixel, qRgba(0, 0, 0, 255)) << x << "," << y;
            } else {
                // (a pixmap keeps half transparent pixels premultiplied: +-1)
                EXPECT_NEAR(qRed(pixel), 0xB4, 1) << x << "," << y;
                EXPECT_EQ(qAlpha(pixel), x == 1 && y == 1 ? 128 : 255) << x << "," << y;
            }
        }
    }
    // A picture that fills its whole rectangle has its rectangle's edge as
    // its outer edge.
    QImage full(3, 3, QImage::Format_ARGB32);
    full.fill(Qt::black);
    const QImage fullOut = outlinedPicture(QPixmap::fromImage(full), grey).toImage();
    EXPECT_EQ(fullOut.pixelColor(0, 0), grey);
    EXPECT_EQ(fullOut.pixelColor(2, 1), grey);
    EXPECT_EQ(fullOut.pixelColor(1, 1), QColor(Qt::black));
    EXPECT_TRUE(outlinedPicture(QPixmap(), grey).isNull());
}

TEST(ContrastTest, OptionPicturesGetALightEdgeOnlyOnADarkWindow) {
    OptionButton option(blackSquare(), blackSquare());
    option.resize(6, 6);
    const QImage dark = grabbed(option, kDarkWindow);
    EXPECT_GT(contrast(dark.pixelColor(4, 2), kDarkWindow), 100);
    EXPECT_EQ(dark.pixelColor(2, 2), QColor(Qt::black));
    const QImage light = grabbed(option, kLightWindow);
    EXPECT_EQ(light.pixelColor(4, 2), QColor(Qt::black));
    // Back on a dark window, selected or not, the edge is light again.
    option.setSelected(true);
    const QImage darkAgain = grabbed(option, kDarkWindow);
    EXPECT_GT(contrast(darkAgain.pixelColor(4, 2), kDarkWindow), 100);
}
