#pragma once
// SettingsPane: what the three setting panes (drawing settings, colour and
// stroke, 3D transform) share. Each holds some fields of a DrawSettings
// record in its controls: capture() writes them into a record, apply() sets
// the controls from one. An edit of a value the drawing uses is announced by
// settingsEdited(), except while apply() writes a record; letting a slider go
// is announced by sliderReleased(). A pane may carry a locked toolbar across
// its top, holding the main window's actions, above a bordered background
// panel. Right clicks show no menu.

#include "engine/drawsettings.h"

#include <QList>
#include <QRect>
#include <QWidget>

class QAction;
class QSlider;
class QToolBar;

namespace orbelle {

/// The rectangle (left, top)-(right, bottom) of a pane's fixed layout (right
/// and bottom excluded).
constexpr QRect paneRect(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

class SettingsPane : public QWidget {
    Q_OBJECT
  public:
    /// Writes the pane's fields into settings; the other fields are kept.
    virtual void capture(DrawSettings& settings) const = 0;
    /// Sets the pane's controls from the record's fields without announcing
    /// them as edits.
    void apply(const DrawSettings& settings);

    /// Puts the main window's actions on the pane's toolbar, in order.
    void addToolActions(const QList<QAction*>& actions);
    /// The toolbar, nullptr for a pane without one.
    QToolBar* toolBar() const { return m_toolBar; }

  signals:
    /// A value the drawing uses was changed, by the person or a setter; not
    /// while apply() writes a record.
    void settingsEdited();
    /// A slider of the pane was let go.
    void sliderReleased();

  protected:
    explicit SettingsPane(QWidget* parent);
    /// Gives the pane its toolbar ("toolbar<toolBarId>") and its background
    /// panel ("panel<panelId>"), which takes the focus given to the pane.
    void createToolFrame(int toolBarId, int panelId);
    /// Sets the controls from the record; apply() holds the edits back.
    virtual void applyFields(const DrawSettings& settings) = 0;
    /// Emits settingsEdited() unless apply() is writing a record.
    void notifyEdited();
    /// Announces the slider's release as sliderReleased().
    void watchRelease(const QSlider* slider);
    void resizeEvent(QResizeEvent* event) override;

  private:
    bool m_applying = false;
    QWidget* m_panel = nullptr;
    QToolBar* m_toolBar = nullptr;
};

} // namespace orbelle
