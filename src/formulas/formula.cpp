#include "formulas/formula.h"

#include "formulas/catalog.h"

namespace orbelle {

std::int32_t iterationCount(const ParamRows& rows) {
    // Wrapping multiplication, as 32-bit integer arithmetic does it.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(rows[0]) * 500u);
}

std::optional<FormulaRun> prepareFormula(FormulaId id, const ParamRows& rows) {
    if (!isValidFormula(id)) {
        return std::nullopt;
    }
    using Family = std::span<const FormulaFactory> (*)();
    static constexpr Family kFamilies[kCategoryCount] = {
        gemFormulas,   galaxyFormulas, flowerFormulas, astrologyFormulas, gameFormulas,
        metalFormulas, musicFormulas,  wheelFormulas,  cityFormulas,      virtueFormulas,
    };
    const std::span<const FormulaFactory> family = kFamilies[id.category]();
    if (static_cast<std::size_t>(id.item) >= family.size()) {
        return std::nullopt;
    }
    const FormulaFactory& factory = family[id.item];
    return FormulaRun{factory.make(rows), factory.startIndex, iterationCount(rows)};
}

} // namespace orbelle
