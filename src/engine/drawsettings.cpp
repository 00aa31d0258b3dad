#include "engine/drawsettings.h"

#include "engine/settingsfields.h"
#include "formulas/catalog.h"

namespace orbelle {

std::array<std::int32_t, kSettingsFieldCount> DrawSettings::toFields() const {
    std::array<std::int32_t, kSettingsFieldCount> fields{};
    forEachField(
        *this, [&](const SettingsField&, int index, std::int32_t value) { fields[index] = value; });
    return fields;
}

DrawSettings DrawSettings::fromFields(const std::array<std::int32_t, kSettingsFieldCount>& fields) {
    DrawSettings s;
    forEachField(
        s, [&](const SettingsField&, int index, std::int32_t& value) { value = fields[index]; });
    return s;
}

DrawSettings DrawSettings::startup() {
    DrawSettings s;
    s.params = formulaInfo({0, 0}).defaults;
    return s;
}

std::int32_t wrappingSum(const std::int32_t* values, std::size_t count) {
    std::uint32_t sum = 0;
    for (std::size_t k = 0; k < count; ++k) {
        sum += static_cast<std::uint32_t>(values[k]);
    }
    return static_cast<std::int32_t>(sum);
}

std::int32_t checkValue(const DrawSettings& settings) {
    const auto fields = settings.toFields();
    return wrappingSum(fields.data(), fields.size());
}

} // namespace orbelle
