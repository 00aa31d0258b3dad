#include "view/scaledpicture.h"

#include "engine/stretch.h"

#include <QColor>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace orbelle {
namespace {

// Tile cache bound in KiB (the cost unit): 128 MiB, about 500 tiles, enough to
// keep a 5600-pixel picture whole.
constexpr int kCacheKiB = 128 * 1024;
constexpr int kTileKiB = ScaledPicture::kTileSide * ScaledPicture::kTileSide * 4 / 1024;

std::uint64_t tileKey(int column, int row) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
           static_cast<std::uint32_t>(column);
}

} // namespace

ScaledPicture::ScaledPicture(const Canvas& canvas) : m_canvas(canvas), m_tiles(kCacheKiB) {}

void ScaledPicture::setGeometry(const SourceSquare& square, int size, qreal pixelRatio) {
    if (m_held) {
        return;
    }
    if (!(pixelRatio > 0.0)) {
        pixelRatio = 1.0;
    }
    if (square == m_square && size == m_size && pixelRatio == m_ratio) {
        return;
    }
    const int pixelSide = static_cast<int>(std::lround(size * pixelRatio));
    if (pixelSide != m_pixelSide || pixelRatio != m_ratio) {
        m_tiles.clear(); // the tiles at the edges change shape
    }
    m_square = square;
    m_size = size;
    m_ratio = pixelRatio;
    m_pixelSide = pixelSide;
    ++m_generation;
}

void ScaledPicture::invalidate() { ++m_generation; }

void ScaledPicture::hold(bool buildFirst, const QRect& target, const QPoint& origin, QRgb fill) {
    m_held = true;
    m_fill = fill;
    QRect tiles;
    if (!buildFirst || !tilesUnder(target, origin, tiles)) {
        return;
    }
    for (int row = tiles.top(); row <= tiles.bottom(); ++row) {
        for (int column = tiles.left(); column <= tiles.right(); ++column) {
            const std::uint64_t key = tileKey(column, row);
            if (Tile* tile = m_tiles.object(key)) {
                if (tile->generation != m_generation) {
                    buildTile(column, row, *tile);
                }
                continue;
            }
            auto* fresh = new Tile;
            buildTile(column, row, *fresh);
            m_tiles.insert(key, fresh, kTileKiB);
        }
    }
}

bool ScaledPicture::tilesUnder(const QRect& target, const QPoint& origin, QRect& tiles) const {
    if (m_pixelSide <= 0 || m_square.side <= 0) {
        return false;
    }
    // The part of the picture under target, in the picture's device pixels.
    const QRectF logical = QRectF(target.translated(-origin));
    const QRect wanted = QRectF(logical.topLeft() * m_ratio, logical.size() * m_ratio)
                             .toAlignedRect()
                             .intersected(QRect(0, 0, m_pixelSide, m_pixelSide));
    if (wanted.isEmpty()) {
        return false;
    }
    tiles = QRect(QPoint(wanted.left() / kTileSide, wanted.top() / kTileSide),
                  QPoint(wanted.right() / kTileSide, wanted.bottom() / kTileSide));
    return true;
}

void ScaledPicture::paint(QPainter& painter, const QRect& target, const QPoint& origin) {
    QRect tiles;
    if (!tilesUnder(target, origin, tiles)) {
        return;
    }
    for (int row = tiles.top(); row <= tiles.bottom(); ++row) {
        for (int column = tiles.left(); column <= tiles.right(); ++column) {
            const std::uint64_t key = tileKey(column, row);
            Tile* tile = m_tiles.object(key);
            if (m_held) {
                // The canvas is being written: only what was built before.
                if (tile != nullptr) {
                    painter.drawImage(tileOrigin(origin, column, row), tile->image);
                } else {
                    const QPointF corner = tileOrigin(origin, column, row);
                    const int width = std::min(kTileSide, m_pixelSide - column * kTileSide);
                    const int height = std::min(kTileSide, m_pixelSide - row * kTileSide);
                    painter.fillRect(QRectF(corner, QSizeF(width, height) / m_ratio),
                                     QColor::fromRgb(m_fill));
                }
                continue;
            }
            if (tile == nullptr) {
                Tile fresh;
                buildTile(column, row, fresh);
                painter.drawImage(tileOrigin(origin, column, row), fresh.image);
                // The cache may refuse or evict it; it has been painted already.
                m_tiles.insert(key, new Tile(std::move(fresh)), kTileKiB);
                continue;
            }
            if (tile->generation != m_generation) {
                buildTile(column, row, *tile);
            }
            painter.drawImage(tileOrigin(origin, column, row), tile->image);
        }
    }
}

QPointF ScaledPicture::tileOrigin(const QPoint& origin, int column, int row) const {
    return QPointF(origin) + QPointF(column * kTileSide, row * kTileSide) / m_ratio;
}

void ScaledPicture::buildTile(int column, int row, Tile& tile) {
    ++m_tilesBuilt;
    const int x0 = column * kTileSide;
    const int y0 = row * kTileSide;
    const int width = std::min(kTileSide, m_pixelSide - x0);
    const int height = std::min(kTileSide, m_pixelSide - y0);
    if (tile.image.width() != width || tile.image.height() != height) {
        tile.image = QImage(width, height, QImage::Format_RGB32);
    }
    tile.image.setDevicePixelRatio(m_ratio);
    stretchRegion(m_canvas, m_square, m_pixelSide, x0, y0, width, height,
                  reinterpret_cast<std::uint32_t*>(tile.image.bits()),
                  static_cast<std::size_t>(tile.image.bytesPerLine() / 4));
    tile.generation = m_generation;
}

} // namespace orbelle
