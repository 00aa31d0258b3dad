#pragma once
// Fast checks of whole store lines, for the cleaning of full stores: each
// walks the line once, without splitting it into strings. They give the same
// verdict as checkLine on the split fields.

#include <string_view>

namespace orbelle {

/// True for a history line: 69 fields whose first 68 sum to the 69th.
bool isGoodHistoryLine(std::string_view line);

enum class FavoriteLineKind { Broken, Folder, Favorite };

/// A folder line has 6 fields with field 3 equal to field 5; a favorite line
/// has 75 fields with field 3 plus the sum of fields 5-73 equal to field 74
/// (32-bit arithmetic). Anything else is broken.
FavoriteLineKind classifyFavoriteLine(std::string_view line);

} // namespace orbelle
