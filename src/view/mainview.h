#pragma once
// INTERFACE AGREED WITH THE PANES AND THE MAIN WINDOW (extend freely, keep
// these signatures):
//
// The main view: owns the canvas, the figure bounds and the colours of the
// last drawing; shows the square of the canvas around the figure stretched to
// displaySize x displaySize in a scroll area.

#include "canvas.h"
#include "draw.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <functional>
#include <memory>

namespace orbelle {

class MainView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit MainView(QWidget* parent = nullptr);
    ~MainView() override;

    /// Runs the engine on input (drawColor/backColor are the custom colours)
    /// and repaints. On SameColours nothing changes; the caller shows the
    /// message.
    DrawResult drawFigure(const DrawSettings& input);

    /// Where the view reads the live "拡大" value at every repaint.
    void setZoomSource(std::function<int()> source);

    void zoomIn();  // 10011
    void zoomOut(); // 10012
    void centre();  // 11602

    int displaySize() const;
    const FigureBounds& bounds() const;
    const Canvas& canvas() const;

    /// 6000 x 6000 RGB888 picture of the square last shown, derived from the
    /// canvas on request (export and printing).
    QImage exportImage() const;

    /// The colours of the last drawing: black and white before the first.
    std::int32_t lastDrawColor() const;
    std::int32_t lastBackColor() const;
};

} // namespace orbelle
