#include "imageio/picture.h"

#include "engine/drawscaled.h"
#include "engine/stretch.h"

#include <cstdint>

namespace orbelle {
namespace {

std::uint32_t* pixelsOf(QImage& picture) {
    return reinterpret_cast<std::uint32_t*>(picture.bits());
}

std::size_t strideOf(const QImage& picture) {
    return static_cast<std::size_t>(picture.bytesPerLine() / 4);
}

} // namespace

QImage newPicture(int side) {
    if (side < 1) {
        return {};
    }
    return QImage(side, side, QImage::Format_RGB32);
}

void stretchCanvasOnto(QImage& picture, const Canvas& canvas, const SourceSquare& square) {
    const int side = picture.width();
    stretchRegion(canvas, square, side, 0, 0, side, side, pixelsOf(picture), strideOf(picture));
}

DrawResult redrawOnto(QImage& picture, const DrawSettings& settings, const SourceSquare& square,
                      const DrawProgress& progress) {
    return drawScaled(settings, square, picture.width(), pixelsOf(picture), strideOf(picture),
                      progress);
}

} // namespace orbelle
