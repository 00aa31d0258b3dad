#pragma once
// The off-screen drawing surface: 6000 x 6000 pixels, 32 bits each, origin at
// the top left, y downwards. Pixels are kept as 0xFFRRGGBB words so that a
// front end can show them without converting; colours go in and out in the
// packed form red + 256 * green + 65536 * blue.

#include <cstdint>
#include <memory>
#include <vector>

namespace orbelle {

struct RasterWorkspace;

class Canvas {
  public:
    static constexpr int kSize = 6000;

    /// A white canvas.
    Canvas();
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int width() const { return kSize; }
    int height() const { return kSize; }

    /// Fills the whole canvas with a packed colour. When the canvas already
    /// holds that colour everywhere but in the region the engine reported as
    /// drawn, only that region is filled: the result is the same.
    void clear(std::int32_t colour);

    /// Packed colour of pixel (x, y); both must lie in 0..5999.
    std::int32_t colourAt(int x, int y) const { return fromPixel(m_pixels[index(x, y)]); }

    /// Raw 0xFFRRGGBB words, row after row (kSize words per row).
    const std::uint32_t* pixels() const { return m_pixels.data(); }

    /// Writable access for anyone but the engine's plotting: the next clear
    /// then fills the whole canvas.
    std::uint32_t* pixels() {
        m_regionKnown = false;
        return m_pixels.data();
    }
    std::uint32_t* row(int y) {
        m_regionKnown = false;
        return rowPointer(y);
    }

    /// The plotting path: writes through drawingRow must be reported with
    /// markDrawn so that the next clear can be limited to them.
    std::uint32_t* drawingRow(int y) { return rowPointer(y); }
    void markDrawn(int x0, int y0, int x1, int y1) {
        if (x0 < m_drawnX0)
            m_drawnX0 = x0;
        if (y0 < m_drawnY0)
            m_drawnY0 = y0;
        if (x1 > m_drawnX1)
            m_drawnX1 = x1;
        if (y1 > m_drawnY1)
            m_drawnY1 = y1;
    }

    /// Working memory the engine's thick-pen raster keeps with the canvas
    /// between drawings (made on first use). One painting at a time uses it,
    /// as one drawing at a time writes the canvas.
    RasterWorkspace& rasterWorkspace();
    /// Gives that working memory back; the next thick-pen drawing makes it
    /// afresh. Not while a drawing runs.
    void releaseRasterWorkspace();

    /// Converts a packed colour to a pixel word and back.
    static std::uint32_t toPixel(std::int32_t colour) {
        const auto c = static_cast<std::uint32_t>(colour);
        return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
    }
    static std::int32_t fromPixel(std::uint32_t p) {
        return static_cast<std::int32_t>(((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16));
    }

  private:
    static std::size_t index(int x, int y) {
        return static_cast<std::size_t>(y) * kSize + static_cast<std::size_t>(x);
    }
    std::uint32_t* rowPointer(int y) {
        return m_pixels.data() + static_cast<std::size_t>(y) * kSize;
    }
    void forgetDrawn() {
        m_drawnX0 = m_drawnY0 = kSize;
        m_drawnX1 = m_drawnY1 = -1;
    }

    std::vector<std::uint32_t> m_pixels;
    // Everything outside the drawn box holds m_clearPixel while m_regionKnown.
    bool m_regionKnown = true;
    std::uint32_t m_clearPixel;
    int m_drawnX0 = kSize, m_drawnY0 = kSize, m_drawnX1 = -1, m_drawnY1 = -1;
    std::unique_ptr<RasterWorkspace> m_workspace;
};

} // namespace orbelle
