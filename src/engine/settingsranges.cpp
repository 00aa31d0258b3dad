#include "engine/settingsranges.h"

#include "engine/settingsfields.h"
#include "formulas/catalog.h"

namespace orbelle {
namespace {

std::string outside(const std::string& what, std::int32_t value, std::int32_t min,
                    std::int32_t max) {
    return what + " = " + std::to_string(value) + " is outside " + std::to_string(min) + ".." +
           std::to_string(max);
}

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
    // The first field outside its range; its index in the stored order
    // names it.
    std::optional<std::string> problem;
    forEachField(s, [&](const SettingsField& field, int index, std::int32_t value) {
        if (problem || field.kind == FieldKind::Formula || field.kind == FieldKind::Row) {
            return;
        }
        if (value < field.min || value > field.max) {
            problem = outside(std::string(field.name) + " (field " + std::to_string(index) + ")",
                              value, field.min, field.max);
        }
    });
    return problem;
}

} // namespace orbelle
