#include "cli/renderimage.h"

#include "engine/canvas.h"
#include "engine/drawscaled.h"
#include "imageio/imagesettings.h"
#include "imageio/picture.h"

namespace orbelle::cli {

RenderedImage renderImage(const DrawSettings& settings, int size, bool redraw, Canvas* canvas) {
    RenderedImage out;
    out.image = newPicture(size);
    if (out.image.isNull()) {
        return out;
    }
    if (redraw) {
        out.square = sourceSquare(measureFigure(settings), settings.zoom);
        out.result = redrawOnto(out.image, settings, out.square);
    } else {
        out.result = draw(settings, *canvas);
        out.square = sourceSquare(out.result.bounds, settings.zoom);
        if (out.result.status == DrawStatus::Drawn) {
            stretchCanvasOnto(out.image, *canvas, out.square);
        }
    }
    DrawSettings record = settings;
    record.drawColor = out.result.drawColor;
    record.backColor = out.result.backColor;
    setImageSettings(out.image, record);
    return out;
}

} // namespace orbelle::cli
