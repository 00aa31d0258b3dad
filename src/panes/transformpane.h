#pragma once
// The 3D transform pane: rows "X軸回転", "Y軸回転", "Z軸回転", "Z軸倍率",
// "拡大", "上下", "左右", a "リセット" button and a toolbar with
// CommandId::Enlarge, Shrink and StandardSize. A QWidget the main window puts
// into a QDockWidget.
//
// Each row's value is its SpinRow's value; edit box, arrows and slider (on the
// row's own range) are kept in step on every change. Controls carry their
// numbers in their objectName ("label11230", "edit11220", "spin11200",
// "slider11210", "button11240", "tool11901", ...).

#include "engine/drawsettings.h"
#include "widgets/toolpane.h"

#include <array>

namespace orbelle {

class SpinRow;

class TransformPane : public ToolPane {
    Q_OBJECT
  public:
    /// The rows from the top of the pane.
    enum Row { RotX, RotY, RotZ, ScaleZ, Zoom, ShiftV, ShiftH, RowCount };

    explicit TransformPane(QWidget* parent = nullptr);

    /// Fills rotZ, rotX, rotY, scaleZ, zoom, shiftV, shiftH.
    void capture(DrawSettings& settings) const;
    /// Sets the seven values in record order (Z, X, Y rotation, Z scale, zoom,
    /// vertical, horizontal shift); values outside a row's range store the
    /// nearest bound.
    void apply(const DrawSettings& settings);

    /// The live value of "拡大", read by the view at every repaint.
    int zoomValue() const;

    int value(Row row) const;
    void setValue(Row row, int value);

    /// CommandId::Reset3D: 0, 0, 0, 100, 100, 0, 0 without drawing.
    void reset3D();

    /// CommandId::Enlarge, Shrink, StandardSize: set "拡大" (min(v + 100, 999),
    /// max(v - 100, -999), 100) and emit drawRequested().
    void enlarge();
    void shrink();
    void standardSize();

    QSize sizeHint() const override;

  signals:
    void drawRequested();
    /// "拡大" changed by any means; the view may repaint with the new value.
    void zoomChanged(int zoom);
    /// A value was changed, by the person or a setter; not while apply()
    /// writes a record.
    void settingsEdited();
    /// A row's slider was let go.
    void sliderReleased();

  private:
    void createRows();

    std::array<SpinRow*, RowCount> m_rows{};
    bool m_applying = false;
};

} // namespace orbelle
