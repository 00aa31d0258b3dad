#include "widgets/colourswatch.h"

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
    if (m_colour) {
        QPainter painter(this);
        painter.fillRect(contentsRect(), packedToQColor(*m_colour));
    }
    QFrame::paintEvent(event);
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
