#pragma once
// ColourEditorDialog ("色の編集"): makes one colour, either by hue, saturation
// and value or by red, green and blue, with a hue bar and a saturation/value
// field that can be clicked, and a preview of the result.
//
// Every dialog starts on pure red; the caller reads colour() after OK. The
// layout is measured in dialog units of the dialog's font, so it grows with
// the font; the mouse arithmetic uses the field's and the bar's real
// rectangles, so a click picks the colour painted under the pointer at any
// size.

#include <QDialog>
#include <QImage>

#include <array>
#include <cstdint>

class QLabel;
class QPushButton;
class QSpinBox;

namespace orbelle {

class ColourEditorDialog : public QDialog {
    Q_OBJECT
  public:
    /// appDataDir: the folder holding the hue marker picture "sankaku4.png".
    explicit ColourEditorDialog(const QString& appDataDir, QWidget* parent = nullptr);
    ~ColourEditorDialog() override;

    /// The colour shown, packed red + 256 * green + 65536 * blue.
    std::int32_t colour() const { return m_colour; }

    int hue() const;
    int saturation() const;
    int value() const;
    int red() const;
    int green() const;
    int blue() const;

    /// Rectangles in the dialog's coordinates.
    QRect previewRect() const { return m_previewRect; }
    QRect fieldRect() const { return m_fieldRect; }
    QRect hueBarRect() const { return m_hueBarRect; }
    /// Where the cross-hair is, in the field's coordinates.
    QPoint fieldCursor() const { return m_cursor; }

  protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    /// Places everything in dialog units of the current font.
    void layOut();
    /// The cross-hair position for a saturation and a value.
    QPoint cursorFor(int saturation, int value) const;
    /// The H, S or V box changed: recompute R, G, B, the cursor and the colour.
    void applyHsv();
    /// The R, G or B box changed: recompute H, S and V (which recompute R, G
    /// and B in turn, so they end as a round trip through HSV).
    void applyRgb();
    /// The column of the hue bar and its marker, down to the buttons.
    QRect hueColumn() const;
    void paintField(QPainter& painter);
    void paintHueBar(QPainter& painter);
    void paintMarker(QPainter& painter);

    std::array<QLabel*, 6> m_labels{};
    std::array<QSpinBox*, 6> m_boxes{}; // H, S, V, R, G, B
    QSpinBox* m_hueBox;
    QSpinBox* m_saturationBox;
    QSpinBox* m_valueBox;
    QSpinBox* m_redBox;
    QSpinBox* m_greenBox;
    QSpinBox* m_blueBox;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;

    QRect m_previewRect;
    QRect m_fieldRect;
    QRect m_hueBarRect;

    QImage m_marker;
    // The field and the bar are composed once and reused until the hue or
    // their size changes, so typing or dragging only repaints.
    QImage m_fieldImage;
    int m_fieldImageHue = -1;
    QImage m_hueBarImage;

    QPoint m_cursor;
    std::int32_t m_colour = 0xFF;
    bool m_updating = false;
};

} // namespace orbelle
