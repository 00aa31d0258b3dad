#pragma once
// The resolution dialog of image export: the side of the square image, 10 to
// 6000 pixels (starting at 6000), and the choice to draw the figure afresh at
// that side ("再描画して保存"), which allows sides up to 16000. The edit takes
// any side up to 16000 whatever the box says, and ticking or unticking the box
// never changes it: a side out of range for the chosen mode (or a typed
// number below 10) is told under the box, and OK waits until it is right.

#include "engine/drawscaled.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
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
    /// What is wrong with the typed side for the chosen mode; empty when the
    /// side can be saved.
    QString problem() const;
    QPushButton* okButton() const { return m_ok; }

  private:
    void check();

    QSpinBox* m_edit = nullptr;
    QCheckBox* m_redraw = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_ok = nullptr;
    int m_side = kMaxScaledSide;
};

} // namespace orbelle
