#pragma once
// What a command group may ask of the main window. The groups (one per menu,
// beside this file) reach the window only through this interface and the
// panes or view they are given, never through MainWindow itself.

class QString;
class QWidget;

namespace orbelle {

struct DrawSettings;

class CommandHost {
  public:
    virtual ~CommandHost() = default;

    /// The complete record of the panes, with the colours of the last drawing.
    virtual DrawSettings captureSettings() const = 0;
    /// Writes a record into the panes and draws it. restoring (a history
    /// replay) keeps the drawing out of the history. A record no formula can
    /// draw is refused with a message and changes nothing (false).
    virtual bool applySettings(const DrawSettings& settings, bool restoring) = 0;

    /// Draws what the panes hold (CommandId::Draw).
    virtual void drawFigure() = 0;
    /// Nudges the free parameters, then draws (CommandId::DrawRandom).
    virtual void drawRandom() = 0;

    /// The parent of the dialogs and messages a command shows.
    virtual QWidget* dialogParent() = 0;
    /// Window title for a settings file title ("無題" when empty).
    virtual void setDocumentTitle(const QString& title) = 0;
    /// A message in the status bar until the next prompt replaces it.
    virtual void showStatusMessage(const QString& text) = 0;

  protected:
    CommandHost() = default;
    CommandHost(const CommandHost&) = default;
    CommandHost& operator=(const CommandHost&) = default;
};

} // namespace orbelle
