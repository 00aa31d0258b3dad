#pragma once
// Pictures of a drawing as the engine paints them: a square of the canvas
// stretched to the picture's side, or the figure drawn afresh at that side.
// The export, printing and the command-line tool make their pictures here.

#include "engine/draw.h"
#include "engine/sourcesquare.h"

#include <QImage>

namespace orbelle {

class Canvas;

/// A side x side picture in the engine's pixel layout (RGB32), not yet
/// filled; a null image when side < 1 or memory runs out.
QImage newPicture(int side);

/// Stretches square of canvas over the whole of picture.
void stretchCanvasOnto(QImage& picture, const Canvas& canvas, const SourceSquare& square);

/// Draws settings afresh over the whole of picture, square scaled to the
/// picture's side and the dots with it; progress as for drawScaled.
DrawResult redrawOnto(QImage& picture, const DrawSettings& settings, const SourceSquare& square,
                      const DrawProgress& progress = {});

} // namespace orbelle
