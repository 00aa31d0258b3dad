#pragma once
// SpinRow: one integer row of a pane, made of a right-aligned edit box, a pair
// of spin arrows and a horizontal slider that all show the same value.
//
// The value lives in the row (the "spin position"): the arrows, and Up and
// Down in the edit box, step it by one and wrap from the maximum to the
// minimum and back; the edit box shows it as
// decimal text; the slider shows it through a pluggable mapping. Text typed
// into the edit box becomes the value only when it is an optionally signed
// decimal integer within the range (an empty text counts as 0); otherwise the
// value keeps its last valid value and the edit keeps the typed text. Such a
// box gets a red frame and the tooltip "範囲: min – max" until its text is
// valid again, so nobody takes the typed text for the value in use.
//
// The row is a transparent container: place() puts its three parts at fixed
// rectangles of the parent. Labels, check boxes and fonts belong to the pane.

#include <QRect>
#include <QWidget>

#include <functional>

class QLineEdit;
class QSlider;
class QToolButton;

namespace orbelle {

/// How a row's value is shown on its slider.
struct SliderMapping {
    /// Slider range for a value range.
    std::function<std::pair<int, int>(int min, int max)> sliderRange;
    /// Slider position of a value within [min, max].
    std::function<int(int value, int min, int max)> toSlider;
    /// Value for a slider position; the row clamps the result to [min, max].
    std::function<int(int position, int min, int max)> fromSlider;

    /// The slider has the value's range and shows the value itself.
    static SliderMapping identity();

    /// The slider runs 0-1000: position (v - min) * 1000 / (max - min), and a
    /// position p gives min + (p + 1) * (max - min) / 1000, both truncated
    /// toward zero. The + 1 makes most values survive the round trip.
    static SliderMapping perMille();
};

class SpinRow : public QWidget {
    Q_OBJECT
  public:
    /// A row with range 0..100, value 0 and the identity mapping.
    explicit SpinRow(QWidget* parent = nullptr);

    /// Puts the edit box, the arrows and the slider at the given rectangles of
    /// the parent widget. A null slider rectangle hides the slider. An edit
    /// rectangle too narrow for the widest value of the range in the edit's
    /// font grows to the left, so the arrows and the slider stay in place.
    void place(const QRect& edit, const QRect& arrows, const QRect& slider);

    /// Names the parts "edit<editId>", "spin<spinId>" and "slider<sliderId>"
    /// so that tests and the main window can find them.
    void setIds(int editId, int spinId, int sliderId);

    void setMapping(SliderMapping mapping);

    /// The edit box is at least wide enough for this text as well as for the
    /// range's widest value (rows of one column share their width this way).
    void setWidestText(const QString& text);

    /// The value, after taking in valid text typed into the edit box.
    int value() const { return m_value; }
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }

    /// Sets the value, clamped to the range; rewrites the edit box and moves
    /// the slider.
    void setValue(int value);

    /// Sets the range (min > max is swapped) and clamps the value into it.
    void setRange(int min, int max);

    /// Steps the value by delta, wrapping past either end as the arrows (and
    /// Up and Down in the edit box) do.
    void stepBy(int delta);

    void setTickInterval(int interval);

    /// Sets the same tooltip on the edit box, the arrows and the slider.
    void setPartsToolTip(const QString& text);

    /// False while the edit box holds text that is not the value (out of
    /// range or not an integer); the box is then framed in red.
    bool textValid() const { return m_textValid; }

    QLineEdit* edit() const { return m_edit; }
    /// The spin arrows: QToolButtons named "up" and "down" in one widget.
    QWidget* arrows() const { return m_arrows; }
    QSlider* slider() const { return m_slider; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    /// The value changed, whatever changed it (arrows, slider, typing, setters).
    void valueChanged(int value);

  private:
    void onTextChanged(const QString& text);
    void onSliderMoved(int position);
    void commit(int value, bool rewriteText);
    void syncSlider();
    void markText(bool valid);
    /// Places the parts, the edit box widened for the range's widest value.
    void layOutParts();
    QString rangeToolTip() const;

    QLineEdit* m_edit;
    QWidget* m_arrows;
    QToolButton* m_up;
    QToolButton* m_down;
    QSlider* m_slider;
    SliderMapping m_mapping;
    int m_value = 0;
    int m_min = 0;
    int m_max = 100;
    bool m_syncing = false;
    bool m_textValid = true;
    QString m_widestText;
    QRect m_editRect;
    QRect m_arrowsRect;
    QRect m_sliderRect;
    QString m_toolTip;
};

} // namespace orbelle
