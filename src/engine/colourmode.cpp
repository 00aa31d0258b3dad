#include "engine/colourmode.h"

#include "engine/drawsettings.h"

namespace orbelle {

std::optional<DrawColourMode> drawColourModeFromStored(std::int32_t stored) {
    if (stored < 0 || stored >= kDrawColourModeCount) {
        return std::nullopt;
    }
    return static_cast<DrawColourMode>(stored);
}

std::optional<BackColourMode> backColourModeFromStored(std::int32_t stored) {
    if (stored < 0 || stored >= kBackColourModeCount) {
        return std::nullopt;
    }
    return static_cast<BackColourMode>(stored);
}

std::optional<std::int32_t> plainDrawingColour(DrawColourMode mode, std::int32_t custom) {
    switch (mode) {
    case DrawColourMode::Black:
        return kBlack;
    case DrawColourMode::White:
        return kWhite;
    case DrawColourMode::Custom:
        return custom;
    case DrawColourMode::Gradient:
    case DrawColourMode::Density:
        break;
    }
    return std::nullopt;
}

std::int32_t drawingColour(DrawColourMode mode, std::int32_t custom) {
    return plainDrawingColour(mode, custom).value_or(kBlack);
}

std::int32_t backgroundColour(BackColourMode mode, std::int32_t custom) {
    switch (mode) {
    case BackColourMode::Black:
        return kBlack;
    case BackColourMode::White:
        break;
    case BackColourMode::Custom:
        return custom;
    }
    return kWhite;
}

} // namespace orbelle
