#include "engine/dotshape.h"

#include <algorithm>
#include <cmath>

namespace orbelle {

DotShape::DotShape(int penWidth) {
    const int w = std::clamp(penWidth, 1, 100);
    m_penWidth = w;
    const int d = w + 1;
    // Circle of the box centred at (d/2, d/2) in continuous coordinates where
    // pixel k spans [k, k + 1); the pen adds w/2 outside the outline. A pixel
    // belongs to the dot when its centre lies within the outer radius.
    const double centre = d / 2.0;
    const double radius = d / 2.0 + w / 2.0;
    const int reach = static_cast<int>(std::ceil(radius)) + 1;
    m_minDx = m_minDy = 1 << 20;
    m_maxDx = m_maxDy = -(1 << 20);
    for (int j = -reach; j <= d + reach; ++j) {
        const double dy = (j + 0.5) - centre;
        int first = 1 << 20;
        int last = -(1 << 20);
        for (int i = -reach; i <= d + reach; ++i) {
            const double dx = (i + 0.5) - centre;
            if (dx * dx + dy * dy <= radius * radius) {
                first = std::min(first, i);
                last = std::max(last, i);
            }
        }
        if (first <= last) {
            m_spans.push_back({j, first, last});
            m_minDx = std::min(m_minDx, first);
            m_maxDx = std::max(m_maxDx, last);
            m_minDy = std::min(m_minDy, j);
            m_maxDy = std::max(m_maxDy, j);
        }
    }
}

} // namespace orbelle
