#include "engine/drawsettings.h"

#include "formulas/catalog.h"

namespace orbelle {

std::array<std::int32_t, kSettingsFieldCount> DrawSettings::toFields() const {
    std::array<std::int32_t, kSettingsFieldCount> f{};
    std::size_t k = 0;
    f[k++] = category;
    f[k++] = item;
    for (std::int32_t v : params)
        f[k++] = v;
    f[k++] = penWidth;
    f[k++] = drawColorMode;
    f[k++] = drawColor;
    f[k++] = backColorMode;
    f[k++] = backColor;
    f[k++] = gradientSmooth;
    f[k++] = gradientRepeat;
    for (std::int32_t v : gradientStopOn)
        f[k++] = v;
    for (std::int32_t v : gradientColors)
        f[k++] = v;
    f[k++] = rotZ;
    f[k++] = rotX;
    f[k++] = rotY;
    f[k++] = scaleZ;
    f[k++] = zoom;
    f[k++] = shiftV;
    f[k++] = shiftH;
    for (std::int32_t v : paramLocked)
        f[k++] = v;
    return f;
}

DrawSettings DrawSettings::fromFields(const std::array<std::int32_t, kSettingsFieldCount>& f) {
    DrawSettings s;
    std::size_t k = 0;
    s.category = f[k++];
    s.item = f[k++];
    for (std::int32_t& v : s.params)
        v = f[k++];
    s.penWidth = f[k++];
    s.drawColorMode = f[k++];
    s.drawColor = f[k++];
    s.backColorMode = f[k++];
    s.backColor = f[k++];
    s.gradientSmooth = f[k++];
    s.gradientRepeat = f[k++];
    for (std::int32_t& v : s.gradientStopOn)
        v = f[k++];
    for (std::int32_t& v : s.gradientColors)
        v = f[k++];
    s.rotZ = f[k++];
    s.rotX = f[k++];
    s.rotY = f[k++];
    s.scaleZ = f[k++];
    s.zoom = f[k++];
    s.shiftV = f[k++];
    s.shiftH = f[k++];
    for (std::int32_t& v : s.paramLocked)
        v = f[k++];
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
