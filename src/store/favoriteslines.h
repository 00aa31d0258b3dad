#pragma once
// The lines of a favorites store and the rules that keep them consistent,
// as pure functions on the lines in memory (no file access).
//
// Folder line, 6 fields:    id, parent, name, 1, expanded (0 or 1), 1
// Favorite line, 75 fields: id, parent, name, 0, 0, the 68 settings fields,
//                           their check value, then field 3 plus the sum of
//                           fields 5-73.
// Names are code page 932 bytes without commas (see storedname.h). A clean
// store starts with the root folder "お気に入り" (id 1, parent 0); the entry on
// line k has id k; every other entry's parent is a folder whose own chain of
// parents reaches the root.

#include "engine/drawsettings.h"
#include "store/settingsline.h"

#include <string>
#include <string_view>
#include <vector>

namespace orbelle {

constexpr int kFolderFieldCount = 6; // a favorite line has kFavoriteFieldCount
constexpr int kRootFolderId = 1;

/// "お気に入り" in code page 932: the root folder's name.
constexpr std::string_view kRootFolderName = "\x82\xa8\x8b\x43\x82\xc9\x93\xfc\x82\xe8";

/// A folder line; `name` in code page 932.
std::string formatFolderLine(int id, int parent, std::string_view name, bool expanded);

/// A favorite line holding `settings`; `name` in code page 932.
std::string formatFavoriteLine(int id, int parent, std::string_view name,
                               const DrawSettings& settings);

/// The fields of a line, split at every ",", as views into the line.
std::vector<std::string_view> splitFields(std::string_view line);

/// What cleaning did to a store's lines.
struct FavoritesCleanReport {
    int droppedLines = 0;      ///< broken lines and a first line that was no root
    int droppedOrphans = 0;    ///< entries whose parent chain does not reach the root
    bool rootReplaced = false; ///< the first line was no valid root (or the store was empty)
    bool renumbered = false;   ///< ids or parents were rewritten
    bool changed = false;      ///< the lines differ from what was read
};

/// Makes the lines a clean store, in three steps:
///  1. The first line becomes the root: a valid root line (6 fields, id 1,
///     parent 0, kind 1, expanded 0 or 1, last field 1) keeps its expanded
///     state, with the name "お気に入り"; anything else is dropped and a root
///     with expanded 1 takes its place. Every further line is kept unchanged
///     when it is a valid folder line (6 fields, field 3 = field 5) or a valid
///     favorite line (75 fields, field 3 + sum of fields 5-73 = field 74).
///  2. Entries whose parent is not a folder leading up to the root are
///     dropped, and with them everything below them.
///  3. Every line gets its line number as id, and parents follow their
///     folder's new id (a duplicated id refers to its first folder).
FavoritesCleanReport cleanFavoriteLines(std::vector<std::string>& lines);

/// Moves favorite `source` of clean lines to directly after `target`. Its new
/// parent is the target when the target is a folder (which is then marked
/// expanded), otherwise the target's parent. All entries are renumbered to
/// their new lines. Refused (false, lines unchanged) when the source is no
/// favorite, the target is the root, source and target are the same, or
/// either does not exist. Any store size works.
bool moveFavoriteLine(std::vector<std::string>& lines, int source, int target);

/// Sets the expanded state of folder `id` in clean lines; returns whether the
/// line changed (false for a favorite or a missing id).
bool setFolderExpanded(std::vector<std::string>& lines, int id, bool expanded);

/// Replaces field `index` of a line; the other fields stay byte for byte.
std::string replaceField(std::string_view line, int index, std::string_view value);

} // namespace orbelle
