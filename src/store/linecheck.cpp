#include "store/linecheck.h"

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
        if (index < 68) {
            sum += asBits(fieldValue(field));
        } else if (index == 68) {
            check = asBits(fieldValue(field));
        }
    });
    return count == 69 && sum == check;
}

FavoriteLineKind classifyFavoriteLine(std::string_view line) {
    std::uint32_t sum = 0; // field 3 and fields 5-73
    std::uint32_t field3 = 0;
    std::uint32_t field5 = 0;
    std::uint32_t last = 0;
    const int count = forEachField(line, [&](int index, std::string_view field) {
        if (index < 3 || index == 4 || index > 74) {
            return;
        }
        const std::uint32_t value = asBits(fieldValue(field));
        if (index == 3) {
            field3 = value;
            sum += value;
        } else if (index == 74) {
            last = value;
        } else {
            sum += value;
            if (index == 5) {
                field5 = value;
            }
        }
    });
    if (count == 6) {
        return field3 == field5 ? FavoriteLineKind::Folder : FavoriteLineKind::Broken;
    }
    if (count == 75) {
        return sum == last ? FavoriteLineKind::Favorite : FavoriteLineKind::Broken;
    }
    return FavoriteLineKind::Broken;
}

} // namespace orbelle
