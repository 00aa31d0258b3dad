#pragma once
// The off-screen drawing surface: 6000 x 6000 pixels, 32 bits each, origin at
// the top left, y downwards. Pixels are kept as 0xFFRRGGBB words so that a
// front end can show them without converting; colours go in and out in the
// packed form red + 256 * green + 65536 * blue.

#include <cstdint>
#include <vector>

namespace orbelle {

class Canvas {
public:
    static constexpr int kSize = 6000;

    /// A white canvas.
    Canvas();

    int width() const { return kSize; }
    int height() const { return kSize; }

    /// Fills the whole canvas with a packed colour.
    void clear(std::int32_t colour);

    /// Packed colour of pixel (x, y); both must lie in 0..5999.
    std::int32_t colourAt(int x, int y) const { return fromPixel(m_pixels[index(x, y)]); }

    /// Raw 0xFFRRGGBB words, row after row (kSize words per row).
    const std::uint32_t* pixels() const { return m_pixels.data(); }
    std::uint32_t* pixels() { return m_pixels.data(); }
    std::uint32_t* row(int y) { return m_pixels.data() + static_cast<std::size_t>(y) * kSize; }

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
    std::vector<std::uint32_t> m_pixels;
};

} // namespace orbelle
