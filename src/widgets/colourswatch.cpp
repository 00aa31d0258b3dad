#include "widgets/colourswatch.h"

#include "widgets/contrast.h"

#include <QMouseEvent>
#include <QPainter>

namespace orbelle {

QColor packedToQColor(std::int32_t colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
}

void ColourSwatch::setColour(std::optional<std::int32_t> colour) {
    if (colour != m_colour) {
        m_colour = colour;
        update();
    }
}

void ColourSwatch::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (m_colour) {
        painter.fillRect(contentsRect(), packedToQColor(*m_colour));
    }
    if (!isDarkPalette(palette())) {
        painter.end();
        QFrame::paintEvent(event);
        return;
    }
    // The sunken edge is shaded from the dark window colour and would not
    // show; a plain light line takes its place.
    painter.setPen(frameLineColour(palette(), isEnabled()));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColourSwatch::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit clicked();
    } else {
        QFrame::mousePressEvent(event);
    }
}

} // namespace orbelle
