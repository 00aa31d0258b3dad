#pragma once
// The colour modes of a drawing and the colour each mode stands for. The
// settings record stores a mode as an integer; the engine and the colour pane
// turn it into these enums and take every mode's colour from here.

#include <cstdint>
#include <optional>

namespace orbelle {

/// How the dots are coloured. The values are the stored integers.
enum class DrawColourMode : std::int32_t {
    Black = 0,
    White = 1,
    Custom = 2,   // the custom drawing colour
    Gradient = 3, // each dot takes its colour from the gradient ramp
    Density = 4,  // each pixel takes the ramp colour of how many dots covered it
};

/// The colour of the background. The values are the stored integers.
enum class BackColourMode : std::int32_t {
    Black = 0,
    White = 1,
    Custom = 2, // the custom background colour
};

constexpr int kDrawColourModeCount = 5;
constexpr int kBackColourModeCount = 3;

/// The mode a stored value names; nullopt for a value outside 0-4.
std::optional<DrawColourMode> drawColourModeFromStored(std::int32_t stored);

/// The mode a stored value names; nullopt for a value outside 0-2.
std::optional<BackColourMode> backColourModeFromStored(std::int32_t stored);

/// The stored integer of a mode.
constexpr std::int32_t toStored(DrawColourMode mode) { return static_cast<std::int32_t>(mode); }
constexpr std::int32_t toStored(BackColourMode mode) { return static_cast<std::int32_t>(mode); }

/// True for the modes that colour through the gradient ramp (the gradient and
/// the density): they have no single drawing colour.
constexpr bool usesRamp(DrawColourMode mode) {
    return mode == DrawColourMode::Gradient || mode == DrawColourMode::Density;
}

/// The single colour of a drawing mode: black, white or the custom colour;
/// nullopt for the gradient and the density, which have no single colour.
std::optional<std::int32_t> plainDrawingColour(DrawColourMode mode, std::int32_t custom);

/// The drawing colour a drawing reports: plainDrawingColour, and black for the
/// gradient and the density.
std::int32_t drawingColour(DrawColourMode mode, std::int32_t custom);

/// The background colour of a mode: black, white or the custom colour.
std::int32_t backgroundColour(BackColourMode mode, std::int32_t custom);

} // namespace orbelle
