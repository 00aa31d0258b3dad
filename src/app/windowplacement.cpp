#include "app/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace orbelle {

namespace {

constexpr qint64 kVisibleWidth = 100;
constexpr qint64 kVisibleHeight = 50;

// Length of the overlap of [a1, a2] and [b1, b2] (inclusive ends), in 64 bits
// so that damaged coordinates cannot overflow.
qint64 overlap(qint64 a1, qint64 a2, qint64 b1, qint64 b2) {
    return std::max<qint64>(0, std::min(a2, b2) - std::max(a1, b1) + 1);
}

} // namespace

QRect defaultWindowRect(const QRect& screen) {
    const QSize size = QSize(1600, 1000).boundedTo(screen.size() * 0.95);
    QRect rect(QPoint(0, 0), size);
    rect.moveCenter(screen.center());
    return rect;
}

QRect placeWindow(const QRect& restored, const QList<QRect>& screens) {
    if (screens.isEmpty()) {
        return restored.isValid() ? restored : QRect(0, 0, 1600, 1000);
    }
    if (!restored.isValid()) {
        return defaultWindowRect(screens.front());
    }
    const qint64 left = restored.left();
    const qint64 top = restored.top();
    const qint64 right = restored.right();
    const qint64 bottom = restored.bottom();
    const qint64 width = right - left + 1;
    const qint64 height = bottom - top + 1;
    // A window narrower or lower than the visible minimum needs all of it seen.
    const qint64 needWidth = std::min(width, kVisibleWidth);
    const qint64 needHeight = std::min(height, kVisibleHeight);
    const qint64 titleBottom = top + needHeight - 1;
    for (const QRect& screen : screens) {
        if (overlap(left, right, screen.left(), screen.right()) < needWidth ||
            overlap(top, titleBottom, screen.top(), screen.bottom()) < needHeight) {
            continue;
        }
        if (width <= screen.width() && height <= screen.height()) {
            return restored;
        }
        const int w = static_cast<int>(std::min<qint64>(width, screen.width()));
        const int h = static_cast<int>(std::min<qint64>(height, screen.height()));
        const int x = static_cast<int>(
            std::clamp<qint64>(left, screen.left(), screen.left() + screen.width() - w));
        const int y = static_cast<int>(
            std::clamp<qint64>(top, screen.top(), screen.top() + screen.height() - h));
        return {x, y, w, h};
    }
    return defaultWindowRect(screens.front());
}

void restoreWindowPlacement(QWidget& window, const QByteArray& saved) {
    QList<QRect> screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        screens << primary->availableGeometry();
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen()) {
            screens << screen->availableGeometry();
        }
    }
    const QRect wanted = window.restoreGeometry(saved) ? window.geometry() : QRect();
    const QRect use = placeWindow(wanted, screens);
    if (use != wanted) {
        window.setGeometry(use);
    }
}

} // namespace orbelle
