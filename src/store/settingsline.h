#pragma once
// SettingsLine: the comma-separated text form of DrawSettings kept by every
// store, in three variants:
//   history line        69 fields: the 68 fields, then their check value;
//   settings file line  68 fields: fields 0-66, then their sum;
//   favorite line       75 fields: id, parent, name, 0, 0, the 68 fields, the
//                       check value, then the sum of those 69 numbers.
// Lines are byte strings; a favorite's name is stored as code page 932 bytes
// and never contains a comma. Line ends are not part of the formatted text.

#include "engine/drawsettings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbelle {

enum class LineVariant { History, SettingsFile, Favorite };

/// How a reader takes the colour fields of a line: the program keeps their
/// low 24 bits (what it writes back); a strict reader takes them as written,
/// so that a range check refuses a colour outside 0-16777215.
enum class ColourBits { Low24, AsWritten };

/// A favorite line's fields before the record: id, parent, name, 0, 0.
constexpr int kFavoritePrefixFields = 5;
/// The fields of a history line: the record and its check value.
constexpr int kHistoryFieldCount = kSettingsFieldCount + 1;
/// The fields of a settings file line: the record without its last lock, and
/// their sum.
constexpr int kSettingsFileFieldCount = kSettingsFieldCount;
/// The fields of a favorite line: the prefix, the record, its check value and
/// the sum of field 3 and those numbers.
constexpr int kFavoriteFieldCount = kFavoritePrefixFields + kSettingsFieldCount + 2;

/// Field count of a variant: 69, 68 or 75.
int fieldCount(LineVariant variant);

/// The id, parent and name that start a favorite line.
struct FavoritePrefix {
    std::int32_t id = 0;
    std::int32_t parent = 0;
    std::string name; // code page 932 bytes, no comma
};

/// Formats a line without its line end. Colours are written as 24-bit
/// unsigned decimals (a high byte is dropped), all other fields as signed
/// decimals; the check values are sums of the numbers the line holds.
std::string formatLine(LineVariant variant, const DrawSettings& settings,
                       const FavoritePrefix& prefix = {});

/// Splits a line at every ","; a trailing CR or LF is removed first.
std::vector<std::string> parseLine(std::string_view text);

/// Converts a field as the C library's atoi does: leading white space, an
/// optional sign, then digits up to the first other character; an empty or
/// non-numeric field is 0. Values beyond 32 bits saturate at the int32 limits.
std::int32_t atoiField(std::string_view field);

/// True when the field count is that of the variant and its sum check holds
/// (compared as 32-bit patterns).
bool checkLine(const std::vector<std::string>& fields, LineVariant variant);

/// The record of a line that passes checkLine; nothing otherwise. A settings
/// file line carries no value for the last lock, which reads 0. Colours keep
/// their low 24 bits, so formatLine writes every record read here back to a
/// line that reads as the same record; with ColourBits::AsWritten they keep
/// the values the line holds. Values are not range-checked here (see
/// engine/settingsranges.h).
std::optional<DrawSettings> settingsFromLine(const std::vector<std::string>& fields,
                                             LineVariant variant,
                                             ColourBits colours = ColourBits::Low24);

} // namespace orbelle
