#pragma once
// One drawing made into an image the size orbelle-cli writes: drawn on the
// canvas and scaled from the square the main view would show, or drawn afresh
// at the image's side. render and animate both make their pictures here.

#include "engine/draw.h"
#include "engine/sourcesquare.h"

#include <QImage>

namespace orbelle {
class Canvas;
}

namespace orbelle::cli {

struct RenderedImage {
    QImage image; // null when there was no memory for it
    DrawResult result;
    SourceSquare square;
};

/// Draws settings into a size x size picture. With redraw the figure is
/// drawn afresh at that side over the square the canvas drawing would show;
/// otherwise it is drawn on canvas (which must be given and is then
/// overwritten) and the square
/// is scaled to the picture. The picture carries the record, with the colours
/// the drawing used, as the text "Orbelle", as the desktop program's exports
/// do. A SameColours result leaves the picture's pixels undefined.
RenderedImage renderImage(const DrawSettings& settings, int size, bool redraw, Canvas* canvas);

} // namespace orbelle::cli
