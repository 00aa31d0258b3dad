#pragma once
// The resolution dialog of image export: the side of the square image, 10 to
// 6000 pixels (starting at 6000), and the choice to draw the figure afresh at
// that side ("再描画して保存"), which allows sides up to 16000. The side is
// the last value within the range that the edit held.

#include "engine/drawscaled.h"

#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace orbelle {

enum class ImageKind { Bitmap, Jpeg };

class ResolutionDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kMinSide = 10;
    static constexpr int kMaxScaledSide = 6000;

    explicit ResolutionDialog(ImageKind kind, QWidget* parent = nullptr);

    /// The chosen side in pixels.
    int sidePixels() const { return m_side; }
    /// True when the figure is to be drawn afresh at the chosen side.
    bool redraw() const;

    QSpinBox* sideEdit() const { return m_edit; }
    QCheckBox* redrawBox() const { return m_redraw; }

  private:
    void redrawToggled(bool on);

    QSpinBox* m_edit = nullptr;
    QCheckBox* m_redraw = nullptr;
    int m_side = kMaxScaledSide;
};

} // namespace orbelle
