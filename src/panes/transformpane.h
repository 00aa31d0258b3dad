#pragma once
// The 3D transform pane: rows "X軸回転", "Y軸回転", "Z軸回転", "Z軸倍率",
// "拡大", "上下", "左右", a "リセット" button and a toolbar with the window's
// enlarge, shrink and standard size commands. A QWidget the main window puts
// into a QDockWidget.
//
// Each row's value is its SpinRow's value; edit box, arrows and slider (on the
// row's own range) are kept in step on every change. Controls carry their
// numbers in their objectName ("label11230", "edit11220", "spin11200",
// "slider11210", "button11240", ...).

#include "engine/drawsettings.h"
#include "panes/settingspane.h"

#include <array>

namespace orbelle {

class SpinRow;

class TransformPane : public SettingsPane {
    Q_OBJECT
  public:
    /// The rows from the top of the pane.
    enum Row { RotX, RotY, RotZ, ScaleZ, Zoom, ShiftV, ShiftH, RowCount };

    explicit TransformPane(QWidget* parent = nullptr);

    /// Fills rotZ, rotX, rotY, scaleZ, zoom, shiftV, shiftH.
    void capture(DrawSettings& settings) const override;

    /// The live value of "拡大", read by the view at every repaint.
    int zoomValue() const;

    int value(Row row) const;
    void setValue(Row row, int value);

    /// "リセット" (the window's 3D reset command): 0, 0, 0, 100, 100, 0, 0.
    void reset3D();

    /// The window's enlarge, shrink and standard size commands set "拡大" to
    /// min(v + 100, 999), max(v - 100, -999) and 100; they draw afterwards.
    void enlarge();
    void shrink();
    void standardSize();

    QSize sizeHint() const override;

  signals:
    /// "拡大" changed by any means; the view may repaint with the new value.
    void zoomChanged(int zoom);

  protected:
    /// Sets the seven values in record order (Z, X, Y rotation, Z scale, zoom,
    /// vertical, horizontal shift); values outside a row's range store the
    /// nearest bound.
    void applyFields(const DrawSettings& settings) override;

  private:
    void createRows();

    std::array<SpinRow*, RowCount> m_rows{};
};

} // namespace orbelle
