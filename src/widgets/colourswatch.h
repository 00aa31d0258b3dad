#pragma once
// ColourSwatch: a sunken box whose inside shows one colour, or the ordinary
// background when it has none. Reports left clicks. On a dark palette the box
// has a light frame instead, so a black or dark colour keeps its outline.

#include <QFrame>

#include <cstdint>
#include <optional>

namespace orbelle {

class ColourSwatch : public QFrame {
    Q_OBJECT
  public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    /// A packed colour (red + 256 * green + 65536 * blue), or none.
    void setColour(std::optional<std::int32_t> colour);
    std::optional<std::int32_t> colour() const { return m_colour; }

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    std::optional<std::int32_t> m_colour;
};

/// A packed colour as a QColor; bits above the low 24 are ignored.
QColor packedToQColor(std::int32_t colour);

} // namespace orbelle
