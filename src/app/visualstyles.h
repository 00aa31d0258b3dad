#pragma once
// The program's visual styles (commands 205-219): each a look built from one
// of Qt's widget styles and a palette of its own.

#include <QString>

#include <vector>

namespace orbelle {

constexpr int kDefaultVisualStyle = 210;
/// The look used for a stored value that names no style.
constexpr int kFallbackVisualStyle = 215;

struct VisualStyle {
    int id;
    QString label;     // menu label with its mnemonic
    bool inOfficeMenu; // listed under "Office 2007(&7)"
    bool inMenu;       // offered by the main menu at all
};

/// Every style in menu order (219 last; it is not offered by the menu).
const std::vector<VisualStyle>& visualStyles();

bool isVisualStyle(int id);

/// Makes the whole application take the look of style id (an unknown id takes
/// the fallback look). Needs a QApplication.
void applyVisualStyle(int id);

} // namespace orbelle
