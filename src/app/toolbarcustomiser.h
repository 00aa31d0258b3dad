#pragma once
// Puts the person's arrangement (Customisation) on the window: the buttons of
// "標準", the user toolbars, the user toolbar images and the shortcuts, and
// stores it in the settings store whenever it changes. It also carries the
// direct handling on the toolbars: while the dialog "カスタマイズ" is open, or
// with Alt held at any time, a button can be dragged to another place or off
// its toolbar, and commands dragged from the dialog are dropped onto a
// toolbar. Every change, from the dialog, a drag or a test, goes through
// change().

#include "app/customisation.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace orbelle {

class CommandSet;
class CustomiseDialog;

/// Drag data: the number of a command (0 for a separator) from the dialog.
inline constexpr char kCommandMimeType[] = "application/x-orbelle-command";
/// Drag data: "toolbar-id position" of a button dragged from a toolbar.
inline constexpr char kToolBarButtonMimeType[] = "application/x-orbelle-toolbar-button";

class ToolBarCustomiser : public QObject {
    Q_OBJECT
  public:
    /// standard: the window's toolbar "標準"; appDataDir (with a trailing
    /// separator): where "UserImages.bmp" is read from.
    ToolBarCustomiser(const CommandSet& commands, QMainWindow* window, QToolBar* standard,
                      const QString& appDataDir, QObject* parent);
    ~ToolBarCustomiser() override;

    const Customisation& arrangement() const { return *m_arrangement; }
    /// Runs edit on the arrangement; when it returns true the toolbars and
    /// shortcuts follow, the arrangement is stored and changed() is emitted.
    bool change(const std::function<bool(Customisation&)>& edit);
    /// Reads the stored arrangement (the defaults when none is stored or it
    /// cannot be read) and builds the toolbars. Runs before the window
    /// restores its state, so the user toolbars are there to be placed.
    void restore();

    /// The toolbar of an arrangement id, nullptr when there is none.
    QToolBar* toolBar(int id) const;
    /// The pictures of "UserImages.bmp", read once at construction.
    const QList<QImage>& userImages() const { return m_userImages; }
    const CommandSet& commands() const { return m_commands; }
    QMainWindow* window() const { return m_window; }

    /// CommandId::CustomiseToolBar: shows the dialog (it stays open beside
    /// the window so that commands can be dragged onto the toolbars).
    void openDialog();
    CustomiseDialog* dialog() const;
    /// True while the dialog is shown: buttons are moved, not run.
    bool isCustomising() const;

  signals:
    /// The arrangement changed (the toolbars and shortcuts already follow).
    void changed();
    /// A toolbar was shown or hidden.
    void toolBarShownOrHidden();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void apply();
    void save() const;
    void fill(QToolBar* toolBar, const ToolBarArrangement& arrangement);
    QToolBar* createUserToolBar(int id);
    void listUserToolBarsInMenu();
    int dropPosition(const QToolBar* toolBar, QPoint at) const;
    bool handleToolBarEvent(QToolBar* toolBar, QEvent* event);
    bool handleButtonEvent(QWidget* button, QEvent* event);
    void startDrag(QWidget* button);
    void showContextMenu(QToolBar* toolBar, QPoint at);
    void later(std::function<bool(Customisation&)> edit);
    int toolBarId(const QToolBar* toolBar) const;

    const CommandSet& m_commands;
    QMainWindow* m_window;
    std::unique_ptr<Customisation> m_arrangement;
    QHash<int, QToolBar*> m_toolBars;
    QList<QAction*> m_menuEntries;
    QList<QImage> m_userImages;
    QPointer<CustomiseDialog> m_dialog;
    struct Press {
        QPointer<QWidget> button;
        QPoint at;
    } m_press;
};

} // namespace orbelle
