#pragma once
// The colour and stroke pane: pen width, drawing colour mode ("黒", "白", "色",
// "グラデ"), background mode ("黒", "白", "色"), the seven gradient colours
// with five stop boxes, smooth/stepped gradient and the repeat count.
//
// Every control sits at a fixed pixel rectangle of the pane. The state lives
// in the controls and a few members; readers take it from here when they run.

#include "engine/colour.h"
#include "engine/colourmode.h"
#include "panes/settingspane.h"

#include <QPixmap>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QCheckBox;

namespace orbelle {

class ColourSwatch;
class GradientPreview;
class OptionButton;
class SpinRow;

class ColourPane : public SettingsPane {
    Q_OBJECT
  public:
    /// Asks the user for a colour; nullopt when the user cancels.
    using ColourChooser = std::function<std::optional<std::int32_t>()>;

    /// appDataDir: the folder holding "radioon2.png" and "radiooff2.png".
    explicit ColourPane(const QString& appDataDir, QWidget* parent = nullptr);

    /// Fills penWidth, drawColorMode, backColorMode, gradientSmooth,
    /// gradientRepeat, gradientStopOn and gradientColors (not drawColor or
    /// backColor, which are the colours of the last drawing).
    void capture(DrawSettings& settings) const override;

    std::int32_t customDrawColor() const;
    std::int32_t customBackColor() const;

    /// The Custom mode with silent false opens the colour editor and takes
    /// effect only on OK; silent true takes it at once.
    void setDrawColourMode(DrawColourMode mode, bool silent);
    void setBackColourMode(BackColourMode mode, bool silent);

    /// CommandId::ResetColourStroke ("デフォルト"): pen 1, black on white, smooth, repeat 1,
    /// the default gradient colours with every stop box ticked; the custom
    /// colours are kept.
    void resetColourStroke();

    /// Pen width 1-100; out-of-range values are clamped.
    int penWidth() const;
    void setPenWidth(int width);
    DrawColourMode drawColourMode() const { return m_drawColourMode; }
    BackColourMode backColourMode() const { return m_backColourMode; }
    void setCustomDrawColor(std::int32_t colour);
    void setCustomBackColor(std::int32_t colour);

    bool gradientSmooth() const;
    void setGradientSmooth(bool smooth);
    /// Repeat count 1-30; out-of-range values are clamped.
    int gradientRepeat() const;
    void setGradientRepeat(int repeat);
    /// Stop box k (0-4) puts gradient colour k + 1 into use.
    bool gradientStopOn(int k) const;
    void setGradientStopOn(int k, bool on);
    const std::array<std::int32_t, 7>& gradientColors() const { return m_gradientColors; }
    void setGradientColors(const std::array<std::int32_t, 7>& colours);

    GradientInputs gradientInputs() const;
    /// The smooth ramp when the smooth box is ticked, else the stepped one.
    ColourRamp activeRamp() const;

    /// Replaces the colour editor (tests answer it without a modal loop).
    void setColourChooser(ColourChooser chooser);

    QSize sizeHint() const override;

  protected:
    /// Pen width, modes (silently), drawColor -> customDrawColor, backColor ->
    /// customBackColor, smooth box, repeat, stop boxes, the seven colours.
    /// The values the drawing uses are the pen, the modes, the custom colour
    /// of a mode in use and the gradient.
    void applyFields(const DrawSettings& settings) override;

  private:
    void buildControls();
    void showModes();
    void updateSwatches();
    void updatePreview();
    void chooseGradientColour(int k);

    QString m_appDataDir;
    QPixmap m_selectedImage;
    QPixmap m_unselectedImage;
    ColourChooser m_chooser;

    DrawColourMode m_drawColourMode = DrawColourMode::Black;
    BackColourMode m_backColourMode = BackColourMode::White;
    std::int32_t m_customDrawColor = kBlack;
    std::int32_t m_customBackColor = kWhite;
    std::array<std::int32_t, 7> m_gradientColors = kDefaultGradientColors;

    SpinRow* m_penRow = nullptr;
    SpinRow* m_repeatRow = nullptr;
    ColourSwatch* m_drawSwatch = nullptr;
    ColourSwatch* m_backSwatch = nullptr;
    std::array<OptionButton*, kDrawColourModeCount> m_drawOptions{};
    std::array<OptionButton*, kBackColourModeCount> m_backOptions{};
    QCheckBox* m_smoothBox = nullptr;
    std::array<QCheckBox*, 5> m_stopBoxes{};
    GradientPreview* m_preview = nullptr;
    std::array<ColourSwatch*, 7> m_gradientSwatches{};
};

} // namespace orbelle
