#pragma once
// INTERFACE AGREED WITH THE MAIN WINDOW (the main window and view are being
// written at the same time against exactly these declarations; extend freely,
// but keep these signatures):
//
// The 3D transform pane: rows "X軸回転", "Y軸回転", "Z軸回転", "Z軸倍率",
// "拡大", "上下", "左右", a "リセット" button and a toolbar with enlarge
// (11901), shrink (11902) and standard size (11903).

#include "drawsettings.h"

#include <QWidget>

namespace orbelle {

class TransformPane : public QWidget {
    Q_OBJECT
public:
    explicit TransformPane(QWidget* parent = nullptr);

    /// Fills rotZ, rotX, rotY, scaleZ, zoom, shiftV, shiftH.
    void capture(DrawSettings& settings) const;
    /// Sets the seven values in record order (Z, X, Y rotation, Z scale, zoom,
    /// vertical, horizontal shift).
    void apply(const DrawSettings& settings);

    /// The live value of "拡大", read by the view at every repaint.
    int zoomValue() const;

    /// Command 11240: 0, 0, 0, 100, 100, 0, 0 without drawing.
    void reset3D();

    /// Commands 11901-11903: set "拡大" (min(v + 100, 999), max(v - 100, -999),
    /// 100) and emit drawRequested().
    void enlarge();
    void shrink();
    void standardSize();

signals:
    void drawRequested();
};

} // namespace orbelle
