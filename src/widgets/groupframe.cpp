#include "widgets/groupframe.h"

#include "widgets/contrast.h"

#include <QPainter>

namespace orbelle {

GroupFrame::GroupFrame(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(frameLineColour(palette()));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace orbelle
