#include "store/settingsline.h"

#include "engine/settingsfields.h"
#include "engine/settingsranges.h"

#include <cctype>
#include <limits>

namespace orbelle {
namespace {

// Offset of DrawSettings field 0 within a line of each variant.
int recordOffset(LineVariant variant) {
    return variant == LineVariant::Favorite ? kFavoritePrefixFields : 0;
}

// The record's fields a line of the variant holds: a settings file line
// leaves out the last lock.
int recordFields(LineVariant variant) {
    return variant == LineVariant::SettingsFile ? kSettingsFieldCount - 1 : kSettingsFieldCount;
}

void appendField(std::string& out, std::int32_t value, bool asUnsigned) {
    if (!out.empty()) {
        out += ',';
    }
    if (asUnsigned) {
        out += std::to_string(static_cast<std::uint32_t>(value));
    } else {
        out += std::to_string(value);
    }
}

// The record's fields with every colour brought to 24 bits: what a line holds,
// so that a line is always read back with the values it was written from.
std::array<std::int32_t, kSettingsFieldCount>
normalFields(std::array<std::int32_t, kSettingsFieldCount> fields) {
    for (int k = 0; k < kSettingsFieldCount; ++k) {
        if (isColourField(k)) {
            fields[k] = normalColour(fields[k]);
        }
    }
    return fields;
}

std::vector<std::int32_t> convertAll(const std::vector<std::string>& fields) {
    std::vector<std::int32_t> values;
    values.reserve(fields.size());
    for (const std::string& f : fields) {
        values.push_back(atoiField(f));
    }
    return values;
}

} // namespace

int fieldCount(LineVariant variant) {
    switch (variant) {
    case LineVariant::History:
        return kHistoryFieldCount;
    case LineVariant::SettingsFile:
        return kSettingsFileFieldCount;
    case LineVariant::Favorite:
        return kFavoriteFieldCount;
    }
    return 0;
}

std::string formatLine(LineVariant variant, const DrawSettings& settings,
                       const FavoritePrefix& prefix) {
    const auto fields = normalFields(settings.toFields());
    std::string out;
    out.reserve(600);
    if (variant == LineVariant::Favorite) {
        out += std::to_string(prefix.id);
        out += ',';
        out += std::to_string(prefix.parent);
        out += ',';
        out += prefix.name;
        out += ",0,0";
    }
    const int written = recordFields(variant);
    for (int k = 0; k < written; ++k) {
        appendField(out, fields[k], isColourField(k));
    }
    const std::int32_t sum = wrappingSum(fields.data(), written);
    appendField(out, sum, false);
    if (variant == LineVariant::Favorite) {
        // The sum of the record's fields and their check value: twice the check.
        const std::int32_t both[2] = {sum, sum};
        appendField(out, wrappingSum(both, 2), false);
    }
    return out;
}

std::vector<std::string> parseLine(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            fields.emplace_back(text.substr(start));
            break;
        }
        fields.emplace_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return fields;
}

std::int32_t atoiField(std::string_view field) {
    std::size_t k = 0;
    while (k < field.size() && std::isspace(static_cast<unsigned char>(field[k]))) {
        ++k;
    }
    bool negative = false;
    if (k < field.size() && (field[k] == '+' || field[k] == '-')) {
        negative = field[k] == '-';
        ++k;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{1} << 32;
    while (k < field.size() && field[k] >= '0' && field[k] <= '9') {
        if (value < kLimit) {
            value = value * 10 + (field[k] - '0');
        }
        ++k;
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

bool checkLine(const std::vector<std::string>& fields, LineVariant variant) {
    if (static_cast<int>(fields.size()) != fieldCount(variant)) {
        return false;
    }
    const std::vector<std::int32_t> v = convertAll(fields);
    const int last = fieldCount(variant) - 1;
    if (variant != LineVariant::Favorite) {
        return wrappingSum(v.data(), last) == v[last];
    }
    // Field 3 plus the sum of the record and its check value must give the
    // last field.
    const std::int32_t parts[2] = {
        v[3], wrappingSum(v.data() + kFavoritePrefixFields, kSettingsFieldCount + 1)};
    return wrappingSum(parts, 2) == v[last];
}

std::optional<DrawSettings> settingsFromLine(const std::vector<std::string>& fields,
                                             LineVariant variant, ColourBits colours) {
    if (!checkLine(fields, variant)) {
        return std::nullopt;
    }
    std::array<std::int32_t, kSettingsFieldCount> record{};
    const int offset = recordOffset(variant);
    const int present = recordFields(variant);
    for (int k = 0; k < present; ++k) {
        record[k] = atoiField(fields[offset + k]);
    }
    // The sum is checked over the fields as they stand; colours are kept as
    // 24-bit values whatever their high byte held, unless asked as written.
    if (colours == ColourBits::AsWritten) {
        return DrawSettings::fromFields(record);
    }
    return DrawSettings::fromFields(normalFields(record));
}

} // namespace orbelle
