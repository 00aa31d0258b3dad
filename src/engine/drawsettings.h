#pragma once
// DrawSettings: the 68 integers one drawing is made from, in the field order
// every stored line uses.

#include "engine/colourmode.h"
#include "formulas/formulaid.h"

#include <array>
#include <cstdint>

namespace orbelle {

constexpr int kSettingsFieldCount = 68;

/// Colours are packed red + 256 * green + 65536 * blue.
constexpr std::int32_t packRgb(int red, int green, int blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}
constexpr int redOf(std::int32_t colour) { return colour & 0xFF; }
constexpr int greenOf(std::int32_t colour) { return (colour >> 8) & 0xFF; }
constexpr int blueOf(std::int32_t colour) { return (colour >> 16) & 0xFF; }

constexpr std::int32_t kBlack = 0;
constexpr std::int32_t kWhite = 16777215;

/// The gradient colours the colour pane starts with and resets to.
constexpr std::array<std::int32_t, 7> kDefaultGradientColors{
    packRgb(255, 0, 0), packRgb(255, 255, 0), packRgb(0, 255, 0), packRgb(0, 255, 255),
    packRgb(0, 0, 225), packRgb(255, 0, 225), packRgb(255, 0, 0),
};

struct DrawSettings {
    std::int32_t category = 0;
    std::int32_t item = 0;
    ParamRows params{};
    std::int32_t penWidth = 1;
    std::int32_t drawColorMode = 0; // a DrawColourMode
    std::int32_t drawColor = kBlack;
    std::int32_t backColorMode = 1; // a BackColourMode
    std::int32_t backColor = kWhite;
    std::int32_t gradientSmooth = 1;
    std::int32_t gradientRepeat = 1;
    std::array<std::int32_t, 5> gradientStopOn{1, 1, 1, 1, 1};
    std::array<std::int32_t, 7> gradientColors = kDefaultGradientColors;
    std::int32_t rotZ = 0;
    std::int32_t rotX = 0;
    std::int32_t rotY = 0;
    std::int32_t scaleZ = 100;
    std::int32_t zoom = 100;
    std::int32_t shiftV = 0;
    std::int32_t shiftH = 0;
    std::array<std::int32_t, kRowCount> paramLocked{};

    FormulaId formula() const { return {category, item}; }

    /// The drawing colour mode; a stored value outside 0-4 draws in black.
    DrawColourMode drawColourMode() const {
        return drawColourModeFromStored(drawColorMode).value_or(DrawColourMode::Black);
    }
    void setDrawColourMode(DrawColourMode mode) { drawColorMode = toStored(mode); }

    /// The background colour mode; a stored value outside 0-2 is white.
    BackColourMode backColourMode() const {
        return backColourModeFromStored(backColorMode).value_or(BackColourMode::White);
    }
    void setBackColourMode(BackColourMode mode) { backColorMode = toStored(mode); }

    /// The 68 fields in stored order.
    std::array<std::int32_t, kSettingsFieldCount> toFields() const;
    static DrawSettings fromFields(const std::array<std::int32_t, kSettingsFieldCount>& fields);

    /// The record a fresh start shows: "ダイヤモンド" with its defaults, pen 1,
    /// black on white, the rainbow gradient, no rotation, zoom 100.
    static DrawSettings startup();

    friend bool operator==(const DrawSettings&, const DrawSettings&) = default;
};

/// Sum of the 68 fields in wrapping 32-bit arithmetic.
std::int32_t checkValue(const DrawSettings& settings);

/// Wrapping 32-bit sum of a run of values.
std::int32_t wrappingSum(const std::int32_t* values, std::size_t count);

} // namespace orbelle
