#pragma once
// GroupFrame: the plain one-pixel box drawn around a group of options. It is
// black on light windows and light on dark ones (frameLineColour), and lets
// mouse events through to the options beneath it.

#include <QWidget>

namespace orbelle {

class GroupFrame : public QWidget {
    Q_OBJECT
  public:
    explicit GroupFrame(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace orbelle
