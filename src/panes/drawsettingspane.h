#pragma once
// INTERFACE AGREED WITH THE MAIN WINDOW (the main window and view are being
// written at the same time against exactly these declarations; extend freely,
// but keep these signatures):
//
// The drawing settings pane: category and formula lists, Draw / Draw Random
// buttons, a toolbar (zoom in 10011, zoom out 10012, centre 11602) and twenty
// parameter rows. A QWidget the main window puts into a QDockWidget.

#include "drawsettings.h"

#include <QWidget>

#include <cstdint>

namespace orbelle {

class DrawSettingsPane : public QWidget {
    Q_OBJECT
public:
    explicit DrawSettingsPane(QWidget* parent = nullptr);

    /// Fills category, item, params (spin positions after reading the edit
    /// text; inactive rows 0) and paramLocked.
    void capture(DrawSettings& settings) const;

    /// Selects the category (refilling the formula list), the item (loading its
    /// defaults and labels), then sets the twenty values and the twenty lock
    /// boxes. Callers refuse category > 9 and invalid items before calling.
    void apply(const DrawSettings& settings);

    /// The random steps of Draw Random on the free rows, seeded from a
    /// millisecond tick; does not draw.
    void randomStep(std::uint32_t tickMs);

signals:
    void drawRequested();       // "描画" (10030)
    void drawRandomRequested(); // "描画 ランダム" (10031)
    void zoomInRequested();     // toolbar 10011
    void zoomOutRequested();    // toolbar 10012
    void centreRequested();     // toolbar 11602
};

} // namespace orbelle
