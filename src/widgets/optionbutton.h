#pragma once
// OptionButton: one choice of a group of colour options, drawn as a picture.
// It shows the "selected" picture or the "not selected" picture and reports
// clicks; the pane that owns the group decides what a click selects. A null
// picture leaves the option blank but still clickable. On a dark palette the
// picture's outer edge is drawn light (pictures made for light windows have
// dark edges that would vanish).

#include <QPixmap>
#include <QWidget>

namespace orbelle {

class OptionButton : public QWidget {
    Q_OBJECT
  public:
    OptionButton(const QPixmap& selectedImage, const QPixmap& unselectedImage,
                 QWidget* parent = nullptr);

    bool isSelected() const { return m_selected; }
    /// Switches the picture; emits nothing.
    void setSelected(bool selected);

  signals:
    /// The left button was pressed and released over the option.
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    /// The picture to show in the current state and palette.
    const QPixmap& currentPicture();

    QPixmap m_selectedImage;
    QPixmap m_unselectedImage;
    // The pictures with a light edge, made when first needed for m_edgeColour.
    QPixmap m_selectedOutlined;
    QPixmap m_unselectedOutlined;
    QColor m_edgeColour;
    bool m_selected = false;
    bool m_pressed = false;
};

} // namespace orbelle
