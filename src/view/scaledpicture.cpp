#include "scaledpicture.h"

#include <QPainter>

#include <algorithm>

namespace orbelle {
namespace {

// Tile cache bound in KiB (the cost unit): 128 MiB, about 500 tiles, enough to
// keep a 5600-pixel picture whole.
constexpr int kCacheKiB = 128 * 1024;
constexpr int kTileKiB = ScaledPicture::kTileSide * ScaledPicture::kTileSide * 4 / 1024;
constexpr std::uint32_t kOutside = 0xFFFFFFFFu; // canvas pixels beyond the edge read white

std::uint64_t tileKey(int column, int row) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
           static_cast<std::uint32_t>(column);
}

} // namespace

ScaledPicture::ScaledPicture(const Canvas& canvas) : m_canvas(canvas), m_tiles(kCacheKiB) {}

void ScaledPicture::setGeometry(const SourceSquare& square, int size) {
    if (square == m_square && size == m_size) {
        return;
    }
    m_square = square;
    m_size = size;
    m_tiles.clear();
}

void ScaledPicture::invalidate() { m_tiles.clear(); }

void ScaledPicture::paint(QPainter& painter, const QRect& target, const QPoint& origin) {
    if (m_size <= 0 || m_square.side <= 0) {
        return;
    }
    // The part of the picture to paint, in picture coordinates.
    const QRect wanted = target.translated(-origin).intersected(QRect(0, 0, m_size, m_size));
    if (wanted.isEmpty()) {
        return;
    }
    const int firstColumn = wanted.left() / kTileSide;
    const int lastColumn = wanted.right() / kTileSide;
    const int firstRow = wanted.top() / kTileSide;
    const int lastRow = wanted.bottom() / kTileSide;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const std::uint64_t key = tileKey(column, row);
            const QImage* tile = m_tiles.object(key);
            QImage local;
            if (tile == nullptr) {
                local = buildTile(column, row);
                // The cache may refuse or evict; keep the local copy for this paint.
                m_tiles.insert(key, new QImage(local), kTileKiB);
                tile = &local;
            }
            painter.drawImage(origin + QPoint(column * kTileSide, row * kTileSide), *tile);
        }
    }
}

QImage ScaledPicture::buildTile(int column, int row) {
    ++m_tilesBuilt;
    const int x0 = column * kTileSide;
    const int y0 = row * kTileSide;
    const int width = std::min(kTileSide, m_size - x0);
    const int height = std::min(kTileSide, m_size - y0);
    QImage tile(width, height, QImage::Format_RGB32);
    std::int64_t sources[kTileSide];
    for (int x = 0; x < width; ++x) {
        sources[x] = stretchSource(m_square.left, m_square.side, m_size, x0 + x);
    }
    for (int y = 0; y < height; ++y) {
        auto* dest = reinterpret_cast<std::uint32_t*>(tile.scanLine(y));
        const std::int64_t sy = stretchSource(m_square.top, m_square.side, m_size, y0 + y);
        if (sy < 0 || sy >= Canvas::kSize) {
            std::fill(dest, dest + width, kOutside);
            continue;
        }
        const std::uint32_t* src = m_canvas.pixels() + static_cast<std::size_t>(sy) * Canvas::kSize;
        for (int x = 0; x < width; ++x) {
            const std::int64_t sx = sources[x];
            dest[x] = (sx < 0 || sx >= Canvas::kSize) ? kOutside : src[sx];
        }
    }
    return tile;
}

} // namespace orbelle
