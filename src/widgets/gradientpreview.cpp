#include "widgets/gradientpreview.h"

#include "widgets/colourswatch.h"

#include <QPainter>

namespace orbelle {

GradientPreview::GradientPreview(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
}

void GradientPreview::setRamp(const ColourRamp& ramp) {
    if (ramp != m_ramp) {
        m_ramp = ramp;
        update();
    }
}

void GradientPreview::paintEvent(QPaintEvent* event) {
    const QRect area = contentsRect();
    const int w = area.width();
    if (w > 0) {
        QPainter painter(this);
        for (int x = 0; x < w; ++x) {
            const int entry = ((w - 1 - x) * kRampSize) / w;
            painter.fillRect(QRect(area.left() + x, area.top(), 1, area.height()),
                             packedToQColor(m_ramp[entry]));
        }
    }
    QFrame::paintEvent(event);
}

} // namespace orbelle
