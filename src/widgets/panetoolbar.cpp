#include "widgets/panetoolbar.h"

#include <QAction>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolBar>

#include <cmath>
#include <numbers>

namespace orbelle {

namespace {

constexpr QSize kImageSize{16, 15};

void drawMagnifier(QPainter& p, bool plus) {
    p.setPen(QPen(QColor(40, 40, 40), 1.4));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.drawLine(QPointF(3.8, 6), QPointF(8.2, 6));
    if (plus) {
        p.drawLine(QPointF(6, 3.8), QPointF(6, 8.2));
    }
    p.setPen(QPen(QColor(120, 80, 30), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(14, 13.5));
}

void drawCentre(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, 13, 12));
    p.setPen(QPen(QColor(200, 30, 30), 1.2));
    p.drawLine(QPointF(8, 3), QPointF(8, 12));
    p.drawLine(QPointF(3, 7.5), QPointF(13, 7.5));
    p.drawEllipse(QPointF(8, 7.5), 2.5, 2.5);
}

/// Four diagonal arrows at the corners, pointing outwards or inwards.
void drawCornerArrows(QPainter& p, bool outwards) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(255, 250, 220));
    p.drawRect(QRectF(4.5, 4, 7, 7));
    p.setPen(QPen(QColor(20, 90, 170), 1.3));
    const QPointF centre(8, 7.5);
    for (const QPointF corner : {QPointF(1, 1), QPointF(15, 1), QPointF(1, 14), QPointF(15, 14)}) {
        const QPointF inner = centre + (corner - centre) * 0.45;
        const QPointF tip = outwards ? corner : inner;
        const QPointF tail = outwards ? inner : corner;
        p.drawLine(tail, tip);
        const QPointF back = (tail - tip) * 0.45;
        p.drawLine(tip, tip + QPointF(back.x(), 0));
        p.drawLine(tip, tip + QPointF(0, back.y()));
    }
}

void drawStandard(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(255, 250, 220));
    p.drawRect(QRectF(1.5, 1.5, 13, 12));
    QFont font;
    font.setPixelSize(8);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(20, 90, 170));
    p.drawText(QRectF(1, 1, 15, 14), Qt::AlignCenter, QStringLiteral("1:1"));
}

void drawFolder(QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(250, 210, 90));
    QPainterPath path;
    path.moveTo(1.5, 3.5);
    path.lineTo(6, 3.5);
    path.lineTo(7.5, 5);
    path.lineTo(14.5, 5);
    path.lineTo(14.5, 13.5);
    path.lineTo(1.5, 13.5);
    path.closeSubpath();
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 240, 180), 1));
    p.drawLine(QPointF(2.5, 6.5), QPointF(13.5, 6.5));
}

void drawStar(QPainter& p, const QPointF& centre, double outer) {
    QPainterPath path;
    for (int k = 0; k < 10; ++k) {
        const double radius = k % 2 == 0 ? outer : outer * 0.42;
        const double angle = -std::numbers::pi / 2 + k * std::numbers::pi / 5;
        const QPointF point = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        if (k == 0) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    path.closeSubpath();
    p.setPen(QPen(QColor(170, 110, 0), 1));
    p.setBrush(QColor(255, 200, 40));
    p.drawPath(path);
}

void drawPlus(QPainter& p) {
    p.setPen(QPen(QColor(20, 130, 40), 2));
    p.drawLine(QPointF(12, 0.5), QPointF(12, 6.5));
    p.drawLine(QPointF(9, 3.5), QPointF(15, 3.5));
}

/// A block arrow across the image, pointing left or right.
void drawStepArrow(QPainter& p, bool left) {
    QPolygonF arrow({QPointF(1.5, 7.5), QPointF(7.5, 1.5), QPointF(7.5, 5), QPointF(14.5, 5),
                     QPointF(14.5, 10), QPointF(7.5, 10), QPointF(7.5, 13.5)});
    if (!left) {
        for (QPointF& point : arrow) {
            point.setX(16 - point.x());
        }
    }
    p.setPen(QPen(QColor(30, 90, 30), 1));
    p.setBrush(QColor(60, 170, 70));
    p.drawPolygon(arrow);
}

/// Two chevrons pointing left or right.
void drawPageArrows(QPainter& p, bool left) {
    p.setPen(QPen(QColor(20, 70, 170), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (const double x : {3.0, 9.0}) {
        const double tip = left ? x : x + 4;
        const double tail = left ? x + 4 : x;
        p.drawPolyline(QPolygonF({QPointF(tail, 2.5), QPointF(tip, 7.5), QPointF(tail, 12.5)}));
    }
}

} // namespace

QIcon toolIcon(ToolImage image) {
    QPixmap pixmap(kImageSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
    case ToolImage::ZoomIn:
        drawMagnifier(p, true);
        break;
    case ToolImage::ZoomOut:
        drawMagnifier(p, false);
        break;
    case ToolImage::Centre:
        drawCentre(p);
        break;
    case ToolImage::Enlarge:
        drawCornerArrows(p, true);
        break;
    case ToolImage::Shrink:
        drawCornerArrows(p, false);
        break;
    case ToolImage::StandardSize:
        drawStandard(p);
        break;
    case ToolImage::NewFolder:
        drawFolder(p);
        drawPlus(p);
        break;
    case ToolImage::NewFavorite:
        drawStar(p, QPointF(7, 8), 6.5);
        drawPlus(p);
        break;
    case ToolImage::Folder:
        drawFolder(p);
        break;
    case ToolImage::Favorite:
        drawStar(p, QPointF(8, 7.5), 7);
        break;
    case ToolImage::StepBack:
        drawStepArrow(p, true);
        break;
    case ToolImage::StepForward:
        drawStepArrow(p, false);
        break;
    case ToolImage::OlderPage:
        drawPageArrows(p, true);
        break;
    case ToolImage::NewerPage:
        drawPageArrows(p, false);
        break;
    }
    p.end();
    return QIcon(pixmap);
}

QToolBar* createPaneToolBar(QWidget* parent, int resourceId) {
    auto* toolBar = new QToolBar(parent);
    toolBar->setObjectName(QStringLiteral("toolbar%1").arg(resourceId));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(kImageSize);
    toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    return toolBar;
}

QAction* addToolCommand(QToolBar* toolBar, CommandId command, const QString& text,
                        ToolImage image) {
    // The program's picture of the command, the one its main toolbar shows,
    // when the program carries one; the drawn image otherwise.
    const QString picture = QStringLiteral(":/orbelle/icons/cmd%1.png").arg(commandNumber(command));
    QAction* action =
        toolBar->addAction(QFile::exists(picture) ? QIcon(picture) : toolIcon(image), text);
    action->setObjectName(QStringLiteral("tool%1").arg(commandNumber(command)));
    action->setToolTip(text);
    action->setStatusTip(text);
    return action;
}

} // namespace orbelle
