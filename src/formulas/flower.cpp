#include "formula.h"

namespace orbelle {

std::span<const FormulaFactory> flowerFormulas() { return {}; }

} // namespace orbelle
