#pragma once
// Whether the favorites store can keep a name the user typed, and the line
// under a name edit that tells why not.

#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace orbelle {

/// Empty when `name` can be stored; otherwise the reason for the user (a
/// character code page 932 cannot hold, named; a name longer than 511 bytes
/// in code page 932; an empty name). Commas are allowed: the store keeps
/// them as full stops.
QString favoriteNameProblem(const QString& name);

/// A hidden label, in red, for the problem of a name.
QLabel* createNameProblemLabel(QWidget* parent);

/// Shows the problem of the name in `edit` on `label` and gives the edit the
/// focus; returns whether there was one (and the name must not be taken).
bool showNameProblem(QLineEdit* edit, QLabel* label);

/// The problem shown on `label`, empty while it is hidden.
QString shownNameProblem(const QLabel* label);

} // namespace orbelle
