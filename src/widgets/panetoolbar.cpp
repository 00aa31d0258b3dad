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

QAction* addToolCommand(QToolBar* toolBar, int number, const QString& text, ToolImage image) {
    // The program's picture of the command, the one its main toolbar shows,
    // when the program carries one; the drawn image otherwise.
    const QString picture = QStringLiteral(":/orbelle/icons/cmd%1.png").arg(number);
    QAction* action =
        toolBar->addAction(QFile::exists(picture) ? QIcon(picture) : toolIcon(image), text);
    action->setObjectName(QStringLiteral("tool%1").arg(number));
    action->setToolTip(text);
    action->setStatusTip(text);
    return action;
}

} // namespace orbelle
