#include "engine/settingsranges.h"

#include "formulas/catalog.h"

#include <algorithm>

namespace orbelle {
namespace {

struct FieldRange {
    const char* name;
    std::int32_t min;
    std::int32_t max;
};

constexpr FieldRange kPenWidth{"pen width", 1, 100};
constexpr FieldRange kDrawMode{"drawing colour mode", 0, kDrawColourModeCount - 1};
constexpr FieldRange kBackMode{"background colour mode", 0, kBackColourModeCount - 1};
constexpr FieldRange kColour{"colour", 0, 0xFFFFFF};
constexpr FieldRange kFlag{"flag", 0, 1};
constexpr FieldRange kRepeat{"gradient repeat", 1, 30};
constexpr FieldRange kRotation{"rotation", 0, 359};
constexpr FieldRange kScale{"magnification", -999, 999};
constexpr FieldRange kShift{"shift", -100, 100};

std::string outside(const std::string& what, std::int32_t value, std::int32_t min,
                    std::int32_t max) {
    return what + " = " + std::to_string(value) + " is outside " + std::to_string(min) + ".." +
           std::to_string(max);
}

// Notes the first field found outside its range; the field's index in the
// stored order names it.
void check(std::optional<std::string>& problem, int index, const FieldRange& range,
           std::int32_t value) {
    if (!problem && (value < range.min || value > range.max)) {
        problem = outside(std::string(range.name) + " (field " + std::to_string(index) + ")", value,
                          range.min, range.max);
    }
}

std::int32_t clampTo(const FieldRange& range, std::int32_t value) {
    return std::clamp(value, range.min, range.max);
}

std::int32_t flag(std::int32_t value) { return value != 0 ? 1 : 0; }

} // namespace

std::optional<std::string> checkRanges(const DrawSettings& s) {
    if (!isValidFormula(s.formula())) {
        return "no formula of this version: category " + std::to_string(s.category) + ", item " +
               std::to_string(s.item);
    }
    const FormulaInfo& info = formulaInfo(s.formula());
    for (int r = 0; r < kRowCount; ++r) {
        const std::int32_t v = s.params[r];
        if (r < info.paramCount) {
            const ParamRange range = info.ranges[r];
            if (v < range.min || v > range.max) {
                return outside("param " + std::to_string(r) + " (" + rowLabel(r) + ")", v,
                               range.min, range.max);
            }
        } else if (v != 0) {
            return "param " + std::to_string(r) + " = " + std::to_string(v) + " is not 0, but " +
                   info.name + " uses only " + std::to_string(info.paramCount) + " rows";
        }
    }
    std::optional<std::string> problem;
    check(problem, 22, kPenWidth, s.penWidth);
    check(problem, 23, kDrawMode, s.drawColorMode);
    check(problem, 24, kColour, s.drawColor);
    check(problem, 25, kBackMode, s.backColorMode);
    check(problem, 26, kColour, s.backColor);
    check(problem, 27, kFlag, s.gradientSmooth);
    check(problem, 28, kRepeat, s.gradientRepeat);
    for (int k = 0; k < 5; ++k) {
        check(problem, 29 + k, kFlag, s.gradientStopOn[k]);
    }
    for (int k = 0; k < 7; ++k) {
        check(problem, 34 + k, kColour, s.gradientColors[k]);
    }
    check(problem, 41, kRotation, s.rotZ);
    check(problem, 42, kRotation, s.rotX);
    check(problem, 43, kRotation, s.rotY);
    check(problem, 44, kScale, s.scaleZ);
    check(problem, 45, kScale, s.zoom);
    check(problem, 46, kShift, s.shiftV);
    check(problem, 47, kShift, s.shiftH);
    for (int r = 0; r < kRowCount; ++r) {
        check(problem, 48 + r, kFlag, s.paramLocked[r]);
    }
    return problem;
}

DrawSettings clampToRanges(const DrawSettings& in) {
    DrawSettings s = in;
    if (isValidFormula(s.formula())) {
        const FormulaInfo& info = formulaInfo(s.formula());
        for (int r = 0; r < kRowCount; ++r) {
            s.params[r] = r < info.paramCount
                              ? std::clamp(s.params[r], info.ranges[r].min, info.ranges[r].max)
                              : 0;
        }
    }
    s.penWidth = clampTo(kPenWidth, s.penWidth);
    s.drawColorMode = clampTo(kDrawMode, s.drawColorMode);
    s.drawColor = normalColour(s.drawColor);
    s.backColorMode = clampTo(kBackMode, s.backColorMode);
    s.backColor = normalColour(s.backColor);
    s.gradientSmooth = flag(s.gradientSmooth);
    s.gradientRepeat = clampTo(kRepeat, s.gradientRepeat);
    for (std::int32_t& v : s.gradientStopOn) {
        v = flag(v);
    }
    for (std::int32_t& v : s.gradientColors) {
        v = normalColour(v);
    }
    s.rotZ = clampTo(kRotation, s.rotZ);
    s.rotX = clampTo(kRotation, s.rotX);
    s.rotY = clampTo(kRotation, s.rotY);
    s.scaleZ = clampTo(kScale, s.scaleZ);
    s.zoom = clampTo(kScale, s.zoom);
    s.shiftV = clampTo(kShift, s.shiftV);
    s.shiftH = clampTo(kShift, s.shiftH);
    for (std::int32_t& v : s.paramLocked) {
        v = flag(v);
    }
    return s;
}

} // namespace orbelle
