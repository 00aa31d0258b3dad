#pragma once
// The range every field of a settings record may take, as the panes' controls
// allow it: the catalog's row ranges for the parameters, and the fixed ranges
// of the pen, colour and 3D fields. Records read from files may hold anything
// a 32-bit field can; the check keeps such values from the engine.

#include "engine/drawsettings.h"

#include <optional>
#include <string>

namespace orbelle {

/// Colours are 24-bit values 0x00BBGGRR; the high byte of a stored colour is
/// dropped.
constexpr std::int32_t normalColour(std::int32_t colour) { return colour & 0xFFFFFF; }

/// Nothing when every field lies in its range; otherwise one line naming the
/// first field out of range, its value and its range. The formula must exist,
/// an active parameter row lie in the catalog's range, an inactive row hold 0,
/// the pen width be 1-100, the modes 0-4 (drawing) and 0-2 (background), the
/// colours 0-16777215, the flags 0 or 1, the repeat 1-30, the rotations 0-359,
/// the Z magnification and the enlargement -999..999 and the shifts -100..100.
std::optional<std::string> checkRanges(const DrawSettings& settings);

} // namespace orbelle
