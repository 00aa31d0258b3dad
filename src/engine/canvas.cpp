#include "engine/canvas.h"

#include "engine/rasterworkspace.h"

#include <algorithm>

namespace orbelle {

Canvas::Canvas()
    : m_pixels(static_cast<std::size_t>(kSize) * kSize, toPixel(0xFFFFFF)),
      m_clearPixel(toPixel(0xFFFFFF)) {}

Canvas::~Canvas() = default;

RasterWorkspace& Canvas::rasterWorkspace() {
    if (!m_workspace) {
        m_workspace = std::make_unique<RasterWorkspace>();
    }
    return *m_workspace;
}

void Canvas::releaseRasterWorkspace() { m_workspace.reset(); }

void Canvas::clear(std::int32_t colour) {
    const std::uint32_t pixel = toPixel(colour);
    if (m_regionKnown && pixel == m_clearPixel) {
        for (int y = m_drawnY0; y <= m_drawnY1; ++y) {
            std::uint32_t* line = rowPointer(y);
            std::fill(line + m_drawnX0, line + m_drawnX1 + 1, pixel);
        }
    } else {
        std::fill(m_pixels.begin(), m_pixels.end(), pixel);
    }
    m_clearPixel = pixel;
    m_regionKnown = true;
    forgetDrawn();
}

} // namespace orbelle
