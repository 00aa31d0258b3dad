#include "canvas.h"

#include <algorithm>

namespace orbelle {

Canvas::Canvas() : m_pixels(static_cast<std::size_t>(kSize) * kSize, toPixel(0xFFFFFF)) {}

void Canvas::clear(std::int32_t colour) { std::fill(m_pixels.begin(), m_pixels.end(), toPixel(colour)); }

} // namespace orbelle
