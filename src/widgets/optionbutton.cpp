#include "widgets/optionbutton.h"

#include "widgets/contrast.h"

#include <QMouseEvent>
#include <QPainter>

namespace orbelle {

OptionButton::OptionButton(const QPixmap& selectedImage, const QPixmap& unselectedImage,
                           QWidget* parent)
    : QWidget(parent), m_selectedImage(selectedImage), m_unselectedImage(unselectedImage) {}

void OptionButton::setSelected(bool selected) {
    if (selected != m_selected) {
        m_selected = selected;
        update();
    }
}

const QPixmap& OptionButton::currentPicture() {
    if (!isDarkPalette(palette())) {
        return m_selected ? m_selectedImage : m_unselectedImage;
    }
    const QColor edge = frameLineColour(palette());
    if (edge != m_edgeColour) {
        m_edgeColour = edge;
        m_selectedOutlined = outlinedPicture(m_selectedImage, edge);
        m_unselectedOutlined = outlinedPicture(m_unselectedImage, edge);
    }
    return m_selected ? m_selectedOutlined : m_unselectedOutlined;
}

void OptionButton::paintEvent(QPaintEvent*) {
    const QPixmap& image = currentPicture();
    if (!image.isNull()) {
        // Shown at its own size from the top-left corner, cut at the edges.
        QPainter painter(this);
        painter.drawPixmap(0, 0, image);
    }
}

void OptionButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
    } else {
        QWidget::mousePressEvent(event);
    }
}

void OptionButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (wasPressed && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

} // namespace orbelle
