#pragma once
// GradientPreview: a sunken strip showing a 720-entry colour ramp with colour
// 0 of the gradient at the left. The ramps hold their sequence backwards, so
// column x of a strip w wide shows entry (w - 1 - x) * 720 / w.

#include "engine/colour.h"

#include <QFrame>

namespace orbelle {

class GradientPreview : public QFrame {
  public:
    explicit GradientPreview(QWidget* parent = nullptr);

    void setRamp(const ColourRamp& ramp);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ColourRamp m_ramp{};
};

} // namespace orbelle
