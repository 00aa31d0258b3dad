#pragma once
// Every key the program reads and writes in its settings store (QSettings),
// named once. The keys are part of what a person's store holds from one
// version to the next: a key is never renamed, only added or retired.

#include <QString>

namespace orbelle {

struct SettingsKeys {
    /// The main window's place and size (QWidget::saveGeometry).
    static inline const QString Geometry = QStringLiteral("Workspace/Geometry");
    /// The docks and toolbars (QMainWindow::saveState).
    static inline const QString State = QStringLiteral("Workspace/State");
    static inline const QString StatusBar = QStringLiteral("Workspace/StatusBar");
    /// The toolbars and shortcuts the person arranged (Customisation::toText).
    static inline const QString Customisation = QStringLiteral("Workspace/Customisation");
    /// Kept by earlier versions, which could only hide buttons of "標準";
    /// removed when read.
    static inline const QString OldHiddenButtons = QStringLiteral("Workspace/HiddenToolBarButtons");
    /// The visual style's command number.
    static inline const QString ApplicationLook = QStringLiteral("Workspace/ApplicationLook");
    /// Followed by a dock's object name: its size when it was last closed.
    static inline const QString ClosedPaneSizePrefix = QStringLiteral("Workspace/ClosedPaneSize/");
    /// Whether "自動描画" is on.
    static inline const QString LiveDrawing = QStringLiteral("Drawing/Live");
};

} // namespace orbelle
