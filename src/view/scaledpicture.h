#pragma once
// The picture the view shows: a square of the canvas stretched, nearest
// neighbour, to size x size logical pixels. On a screen with several device
// pixels per logical pixel the square is stretched to the device pixels, so
// the figure is as sharp as the screen allows. The stretched pixels are built in tiles
// when first painted and kept until the canvas, the square or the size
// changes, so scrolling and repaints only copy pixels; the tile cache has a
// memory bound, so even the largest display sizes cost no more than that.
//
// While a drawing writes the canvas the picture can be held: it then goes on
// showing the tiles it has, as they were, and never reads the canvas, so no
// half-drawn frame reaches the screen.

#include "engine/canvas.h"
#include "engine/sourcesquare.h"

#include <QCache>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRgb>

#include <cstdint>

class QPainter;

namespace orbelle {

class ScaledPicture {
  public:
    static constexpr int kTileSide = 256;

    explicit ScaledPicture(const Canvas& canvas);

    /// Chooses the square, the shown size in logical pixels and the device
    /// pixels per logical pixel; drops the tiles if any differs from before.
    void setGeometry(const SourceSquare& square, int size, qreal pixelRatio = 1.0);
    /// The canvas content changed: every tile is stale.
    void invalidate();

    /// Stops reading the canvas until release(). When the canvas is complete
    /// (buildFirst), the tiles under target (widget coordinates, the
    /// picture's top-left corner at origin) are brought up to date first, so
    /// the held picture shows what the canvas holds now. While held, paint
    /// shows the kept tiles as they are and fills the place of a missing one
    /// with fill, and geometry changes wait for the release.
    void hold(bool buildFirst, const QRect& target, const QPoint& origin, QRgb fill);
    void release() { m_held = false; }
    bool held() const { return m_held; }

    const SourceSquare& square() const { return m_square; }
    int size() const { return m_size; }
    /// The side of the picture in device pixels: size x the pixel ratio.
    int pixelSide() const { return m_pixelSide; }

    /// Paints the part of the picture that falls into target (widget
    /// coordinates), with the picture's top-left corner at origin.
    void paint(QPainter& painter, const QRect& target, const QPoint& origin);

    /// Number of tiles built since construction (for tests of the cache).
    std::int64_t tilesBuilt() const { return m_tilesBuilt; }

  private:
    // A cached tile and the canvas generation its pixels were built from.
    struct Tile {
        QImage image;
        std::uint64_t generation = 0;
    };
    void buildTile(int column, int row, Tile& tile);
    /// Where a tile's top-left corner goes, in logical coordinates.
    QPointF tileOrigin(const QPoint& origin, int column, int row) const;
    /// The tiles covering target, as columns and rows (inclusive); false when
    /// the picture has no pixel there.
    bool tilesUnder(const QRect& target, const QPoint& origin, QRect& tiles) const;

    const Canvas& m_canvas;
    SourceSquare m_square;
    int m_size = 0;
    qreal m_ratio = 1.0;
    int m_pixelSide = 0;
    // Bumped when the canvas or the square changes: stale tiles are rebuilt
    // in their own memory rather than freed and allocated again.
    std::uint64_t m_generation = 1;
    QCache<std::uint64_t, Tile> m_tiles;
    std::int64_t m_tilesBuilt = 0;
    bool m_held = false;
    QRgb m_fill = 0;
};

} // namespace orbelle
