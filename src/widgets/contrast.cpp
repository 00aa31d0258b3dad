#include "widgets/contrast.h"

#include <QImage>
#include <QPalette>
#include <QPixmap>

namespace orbelle {
namespace {

constexpr int kDarkBelow = 128;
// Light enough to stand out from the dark looks' windows (lightness 30 to
// 70), yet softer than their text.
const QColor kLightLine(0xB4, 0xB4, 0xB4);
const QColor kLightLineDisabled(0x70, 0x70, 0x70);
const QColor kDarkLineDisabled(0x9A, 0x9A, 0x9A);

} // namespace

bool isDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < kDarkBelow;
}

QColor frameLineColour(const QPalette& palette, bool enabled) {
    if (isDarkPalette(palette)) {
        return enabled ? kLightLine : kLightLineDisabled;
    }
    return enabled ? QColor(Qt::black) : kDarkLineDisabled;
}

QPixmap outlinedPicture(const QPixmap& picture, const QColor& colour) {
    if (picture.isNull()) {
        return picture;
    }
    const QImage source = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    QImage result = source;
    const int w = source.width();
    const int h = source.height();
    const auto transparent = [&](int x, int y) {
        return x < 0 || y < 0 || x >= w || y >= h || qAlpha(source.pixel(x, y)) == 0;
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int alpha = qAlpha(source.pixel(x, y));
            if (alpha == 0) {
                continue;
            }
            if (transparent(x - 1, y) || transparent(x + 1, y) || transparent(x, y - 1) ||
                transparent(x, y + 1)) {
                result.setPixel(x, y, qRgba(colour.red(), colour.green(), colour.blue(), alpha));
            }
        }
    }
    QPixmap outlined = QPixmap::fromImage(result);
    outlined.setDevicePixelRatio(picture.devicePixelRatio());
    return outlined;
}

} // namespace orbelle
