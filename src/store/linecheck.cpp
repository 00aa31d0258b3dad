#include "store/linecheck.h"

#include "store/favoriteslines.h"
#include "store/settingsline.h"

#include <cstdint>

namespace orbelle {
namespace {

// Calls visit(index, field) for every field; returns the field count.
template <typename Visit> int forEachField(std::string_view line, Visit&& visit) {
    int index = 0;
    std::size_t start = 0;
    for (std::size_t k = 0; k < line.size(); ++k) {
        if (line[k] == ',') {
            visit(index++, line.substr(start, k - start));
            start = k + 1;
        }
    }
    visit(index, line.substr(start));
    return index + 1;
}

// atoiField, with a short way for the plain fields stores are made of: an
// optional "-" and at most nine digits.
std::int32_t fieldValue(std::string_view field) {
    std::size_t k = !field.empty() && field[0] == '-' ? 1 : 0;
    const bool negative = k == 1;
    if (field.size() == k || field.size() - k > 9) {
        return atoiField(field);
    }
    std::int32_t value = 0;
    for (; k < field.size(); ++k) {
        const unsigned digit = static_cast<unsigned char>(field[k]) - '0';
        if (digit > 9) {
            return atoiField(field);
        }
        value = value * 10 + static_cast<std::int32_t>(digit);
    }
    return negative ? -value : value;
}

std::uint32_t asBits(std::int32_t value) { return static_cast<std::uint32_t>(value); }

} // namespace

bool isGoodHistoryLine(std::string_view line) {
    std::uint32_t sum = 0;
    std::uint32_t check = 0;
    const int count = forEachField(line, [&](int index, std::string_view field) {
        if (index < kSettingsFieldCount) {
            sum += asBits(fieldValue(field));
        } else if (index == kSettingsFieldCount) {
            check = asBits(fieldValue(field));
        }
    });
    return count == kHistoryFieldCount && sum == check;
}

FavoriteLineKind classifyFavoriteLine(std::string_view line) {
    // A favorite's field 3, record and check value are summed into its last
    // field; a folder's field 3 equals its last field, field 5.
    constexpr int kLast = kFavoriteFieldCount - 1;
    std::uint32_t sum = 0;
    std::uint32_t field3 = 0;
    std::uint32_t field5 = 0;
    std::uint32_t last = 0;
    const int count = forEachField(line, [&](int index, std::string_view field) {
        if (index < 3 || index == 4 || index > kLast) {
            return;
        }
        const std::uint32_t value = asBits(fieldValue(field));
        if (index == 3) {
            field3 = value;
            sum += value;
        } else if (index == kLast) {
            last = value;
        } else {
            sum += value;
            if (index == 5) {
                field5 = value;
            }
        }
    });
    if (count == kFolderFieldCount) {
        return field3 == field5 ? FavoriteLineKind::Folder : FavoriteLineKind::Broken;
    }
    if (count == kFavoriteFieldCount) {
        return sum == last ? FavoriteLineKind::Favorite : FavoriteLineKind::Broken;
    }
    return FavoriteLineKind::Broken;
}

} // namespace orbelle
