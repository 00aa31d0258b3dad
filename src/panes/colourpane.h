#pragma once
// INTERFACE AGREED WITH THE MAIN WINDOW (the main window is being written at
// the same time against exactly these declarations; extend freely, but keep
// these signatures):
//
// The colour and stroke pane: pen width, drawing colour mode ("黒", "白", "色",
// "グラデ"), background mode ("黒", "白", "色"), the seven gradient colours
// with five stop boxes, smooth/stepped gradient and the repeat count.

#include "drawsettings.h"

#include <QWidget>

#include <cstdint>

namespace orbelle {

class ColourPane : public QWidget {
    Q_OBJECT
public:
    /// appDataDir: the folder holding "radioon2.png" and "radiooff2.png".
    explicit ColourPane(const QString& appDataDir, QWidget* parent = nullptr);

    /// Fills penWidth, drawColorMode, backColorMode, gradientSmooth,
    /// gradientRepeat, gradientStopOn and gradientColors (not drawColor or
    /// backColor, which are the colours of the last drawing).
    void capture(DrawSettings& settings) const;

    /// Pen width, modes (silently), drawColor -> customDrawColor, backColor ->
    /// customBackColor, smooth box, repeat, stop boxes, the seven colours.
    void apply(const DrawSettings& settings);

    std::int32_t customDrawColor() const;
    std::int32_t customBackColor() const;

    /// Mode 2 with silent false opens the colour editor and takes effect only
    /// on OK; silent true takes it at once.
    void setDrawColorMode(int mode, bool silent);
    void setBackColorMode(int mode, bool silent);

    /// Command 11070 ("デフォルト"): pen 1, black on white, smooth, repeat 1,
    /// the default gradient colours with every stop box ticked; the custom
    /// colours are kept.
    void resetColourStroke();
};

} // namespace orbelle
