#pragma once
// The texts a PNG file carries about where it came from, beside the settings
// line, for image viewers that show them: the program and its version, and
// the formula drawn.

#include <QString>

#include <utility>
#include <vector>

class QImage;

namespace orbelle {

/// "Software" = "Orbelle 2.0.0" (the project's version), and, when image
/// carries a valid settings line, "Description" = the formula's category and
/// item names with their numbers: "宝石 / ダイヤモンド (category 0, item 0)".
std::vector<std::pair<QString, QString>> imageOriginTexts(const QImage& image);

} // namespace orbelle
