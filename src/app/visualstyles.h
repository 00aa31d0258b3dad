#pragma once
// The program's visual styles (the commands CommandId::Style...): each a look
// built from one of Qt's widget styles and a palette of its own.

#include "panes/commandid.h"

#include <QString>

#include <vector>

namespace orbelle {

constexpr CommandId kDefaultVisualStyle = CommandId::StyleVisualStudio2008;
/// The look used for a stored value that names no style.
constexpr CommandId kFallbackVisualStyle = CommandId::StyleOffice2007Blue;

struct VisualStyle {
    CommandId id;
    QString label;     // menu label with its mnemonic
    bool inOfficeMenu; // listed under "Office 2007(&7)"
    bool inMenu;       // offered by the main menu at all
};

/// Every style in menu order (StyleWindows7 last; it is not offered by the
/// menu).
const std::vector<VisualStyle>& visualStyles();

bool isVisualStyle(CommandId id);

/// Makes the whole application take the look of style id (any other value,
/// such as a stored number of no style, takes the fallback look). Needs a
/// QApplication.
void applyVisualStyle(CommandId id);

} // namespace orbelle
