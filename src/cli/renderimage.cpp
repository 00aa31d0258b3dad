#include "cli/renderimage.h"

#include "engine/canvas.h"
#include "engine/drawscaled.h"
#include "engine/stretch.h"
#include "store/imagetext.h"

#include <QString>

#include <cstdint>

namespace orbelle::cli {

RenderedImage renderImage(const DrawSettings& settings, int size, bool redraw, Canvas* canvas) {
    RenderedImage out;
    out.image = QImage(size, size, QImage::Format_RGB32);
    if (out.image.isNull()) {
        return out;
    }
    auto* pixels = reinterpret_cast<std::uint32_t*>(out.image.bits());
    const auto stride = static_cast<std::size_t>(out.image.bytesPerLine() / 4);
    if (redraw) {
        out.square = sourceSquare(measureFigure(settings), settings.zoom);
        out.result = drawScaled(settings, out.square, size, pixels, stride);
    } else {
        out.result = draw(settings, *canvas);
        out.square = sourceSquare(out.result.bounds, settings.zoom);
        if (out.result.status == DrawStatus::Drawn) {
            stretchRegion(*canvas, out.square, size, 0, 0, size, size, pixels, stride);
        }
    }
    DrawSettings record = settings;
    record.drawColor = out.result.drawColor;
    record.backColor = out.result.backColor;
    out.image.setText(QString::fromLatin1(kImageSettingsKey),
                      QString::fromStdString(imageSettingsText(record)));
    return out;
}

} // namespace orbelle::cli
